#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(QtTranslation, QtsDialogsSpeakJapaneseWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QTranslator translator;
    ASSERT_TRUE(LoadQtJapanese(translator)) << "qt6-translations-l10n installed?";
    QCoreApplication::installTranslator(&translator);
    const std::pair<const char *, const char *> texts[] = {
        {"QFileDialog", "&Open"},
        {"QPrintDialog", "Print"},
        {"QPrintPreviewDialog", "Page Setup"},
        {"QPlatformTheme", "Cancel"},
    };
    for (const auto &[context, source] : texts) {
        const QString shown = QCoreApplication::translate(context, source);
        EXPECT_NE(shown, QString::fromLatin1(source)) << context << " " << source;
    }
    QCoreApplication::removeTranslator(&translator);
    QLocale::setDefault(QLocale::system());
}
