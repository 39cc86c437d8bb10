#include "DesktopCommandLine.h"
#include "FontSubstitutes.h"
#include "MainWindow.h"
#include "QtTranslation.h"
#include "Version.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>
#include <QTranslator>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    // Before QApplication, which would need a display just to print the help.
    DesktopCommand command;
    {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        QTextStream out(stdout);
        QTextStream err(stderr);
        command = parseDesktopCommandLine(arguments, out, err);
    }
    if (command.exitCode)
        return *command.exitCode;

    QApplication app(argc, argv);
    QApplication::setApplicationName(u"rotam-print"_s);
    QApplication::setApplicationVersion(QStringLiteral(ROTAM_VERSION));
    // No display name: Qt would append it to the caption of every window but the main one.
    QApplication::setDesktopFileName(u"rotam-print"_s);

    QTranslator qtTranslator;
    QTranslator missingTranslator;
    if (loadQtJapanese(qtTranslator, missingTranslator))
        QApplication::installTranslator(&qtTranslator);
    QApplication::installTranslator(&missingTranslator);

    QIcon icon;
    icon.addFile(u":/icons/rotam-print-32.png"_s, QSize(32, 32));
    icon.addFile(u":/icons/rotam-print-16.png"_s, QSize(16, 16));
    QApplication::setWindowIcon(icon);

    registerFontSubstitutes();

    MainWindow window(defaultUiServices());
    window.setWindowIcon(icon);
    window.show();
    window.loadFiles(command.paths);
    return QApplication::exec();
}
