#include "QtTranslation.h"

#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

bool LoadQtJapanese(QTranslator &translator)
{
    return translator.load(u"qtbase_ja"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
