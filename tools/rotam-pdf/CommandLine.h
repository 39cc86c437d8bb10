#pragma once

#include <QStringList>

class QTextStream;

// Exit codes of rotam-pdf.
enum ToolExit
{
    ExitOk = 0,
    ExitUnreadableFile = 1, // or a PDF that could not be written
    ExitUsage = 2
};

// Whether the arguments ask for a PDF, the only output that needs fonts and a GUI
// application; the list and JSON start without one.
bool ToolWritesPdf(const QStringList &arguments);

// Runs rotam-pdf with the arguments (the program name first), writing to out and err.
int RunTool(const QStringList &arguments, QTextStream &out, QTextStream &err);
