#include "CommandLine.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

int main(int argc, char *argv[])
{
    // A command-line tool: fonts and PDF output need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's PDF engine grows and frees large buffers on every page; glibc would hand them back
    // to the kernel each time and fault them in again, a third of the run. A one-shot process
    // loses nothing by keeping them.
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif

    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("rotam-pdf"));
    QGuiApplication::setApplicationVersion(QStringLiteral(ROTAM_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    return RunTool(QGuiApplication::arguments(), out, err);
}
