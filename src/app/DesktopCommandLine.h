#pragma once

#include <QStringList>

#include <optional>

class QTextStream;

// What the desktop program's command line asks for.
struct DesktopCommand
{
    // The files to load at start, folders already replaced by their mail files.
    QStringList paths;
    // Set when the program ends without a window: after --help or --version (0) or a usage
    // error (2).
    std::optional<int> exitCode;
};

// Reads the arguments (the program name first) without an application object, so that
// --help and --version answer without a display. Help and version go to out, errors to err.
// A path that does not exist is passed on for the loader to report with the others.
DesktopCommand parseDesktopCommandLine(const QStringList &arguments, QTextStream &out,
                                       QTextStream &err);
