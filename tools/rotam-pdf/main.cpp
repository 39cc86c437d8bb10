#include "CommandLine.h"
#include "FontSubstitutes.h"
#include "PdfOutputFile.h"
#include "ReadFailure.h"
#include "Version.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <cerrno>
#include <memory>
#include <optional>

#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

int main(int argc, char *argv[])
{
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

    // Only a PDF needs fonts and a paint device, and so a GUI application without a display;
    // listing and JSON do with the core one. A GUI start wants a runtime folder and complains
    // on stderr without one, so it gets a private one for the run.
    std::optional<QTemporaryDir> runtimeFolder;
    std::unique_ptr<QCoreApplication> app;
    if (writesPdf(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtimeFolder.emplace();
            if (runtimeFolder->isValid())
                qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder->path()));
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("rotam-pdf"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ROTAM_VERSION));
    registerFontSubstitutes();

    // Standard output is written here, not through stdio, to learn why a write failed.
    QByteArray output;
    QTextStream out(&output);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    const int exitCode = runTool(QCoreApplication::arguments(), out, err);
    out.flush();
    // A reader that went away is no failure, as for cat: SIGPIPE ends the program, or, where
    // it is ignored, the write fails with EPIPE.
    if (!output.isEmpty() && (!writeAll(STDOUT_FILENO, output) || close(STDOUT_FILENO) != 0) &&
        errno != EPIPE) {
        err << "rotam-pdf: standard output: " << englishSystemError(errno) << '\n';
        return ExitFailure;
    }
    return exitCode;
}
