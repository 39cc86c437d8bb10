#include "FR.h"
#include "FontSubstitutes.h"

#include <QApplication>
#include <QIcon>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"rotam-print"_s);
    QApplication::setApplicationDisplayName(u"今日のロタム印刷ソフト"_s);
    QApplication::setDesktopFileName(u"rotam-print"_s);
    RegisterFontSubstitutes();

    QIcon icon;
    icon.addFile(u":/icons/rotam-print-32.png"_s, QSize(32, 32));
    icon.addFile(u":/icons/rotam-print-16.png"_s, QSize(16, 16));
    QApplication::setWindowIcon(icon);

    FR window(DefaultUiServices());
    window.setWindowIcon(icon);
    window.show();
    return QApplication::exec();
}
