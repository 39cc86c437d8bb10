#include "QtTranslation.h"

#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

bool loadQtJapanese(QTranslator &qt, QTranslator &missing)
{
    if (!missing.load(u"qtbase_extra_ja"_s, u":/translations"_s))
        qWarning("The print dialog's own Japanese texts are missing from the program");
    return qt.load(u"qtbase_ja"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
