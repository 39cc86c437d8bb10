#include "CommandLine.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

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

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // The list and the JSON need no fonts: a plain application starts in a fraction of the time.
    const std::unique_ptr<QCoreApplication> app(ToolWritesPdf(arguments)
                                                    ? new QGuiApplication(argc, argv)
                                                    : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("rotam-pdf"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ROTAM_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    return RunTool(QCoreApplication::arguments(), out, err);
}
