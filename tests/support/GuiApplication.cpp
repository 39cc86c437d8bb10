#include "GuiApplication.h"

#include "FontSubstitutes.h"

#include <QGuiApplication>

void ensureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "rotam-test";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    registerFontSubstitutes();
}
