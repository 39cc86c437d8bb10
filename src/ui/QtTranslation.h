#pragma once

class QTranslator;

// Loads Qt's Japanese translation of its own dialogs (open, print, preview): the program's
// texts are Japanese whatever the locale, and Qt's must match them. False when the
// translations are not installed.
bool LoadQtJapanese(QTranslator &translator);
