#pragma once

#include <QStringList>

class QTextStream;

// Exit codes of rotam-pdf.
enum ToolExit
{
    ExitOk = 0,
    ExitFailure = 1, // a file unread, an index missing, output not written
    ExitUsage = 2
};

// Whether the arguments ask for a PDF, the one output that needs a GUI application.
bool writesPdf(const QStringList &arguments);

// Runs rotam-pdf with the arguments (the program name first), writing to out and err.
int runTool(const QStringList &arguments, QTextStream &out, QTextStream &err);
