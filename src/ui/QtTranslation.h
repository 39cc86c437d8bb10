#pragma once

class QTranslator;

// Loads Qt's Japanese translation of its own dialogs (open, print, preview) into qt, and into
// missing the texts of the print dialog that Qt's catalogue lacks: the program's texts are
// Japanese whatever the locale, and Qt's must match them. Install missing after qt. False
// when Qt's translations are not installed.
bool loadQtJapanese(QTranslator &qt, QTranslator &missing);
