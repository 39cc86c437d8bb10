#include "QtTranslation.h"
#include "QtPrintDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Qt's catalogue and the program's own, installed as the program installs them.
class JapaneseQt : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ASSERT_TRUE(loadQtJapanese(qt, missing));
        QCoreApplication::installTranslator(&qt);
        QCoreApplication::installTranslator(&missing);
    }
    void TearDown() override
    {
        QCoreApplication::removeTranslator(&missing);
        QCoreApplication::removeTranslator(&qt);
        QLocale::setDefault(QLocale::system());
    }
    QTranslator qt;
    QTranslator missing;
};

// Every text a user reads on the widget and its children: labels, buttons, group titles,
// tab titles and combo-box entries. The printer's own options (from its driver, in its
// language) are not the dialog's.
QStringList shownTexts(const QWidget &top)
{
    const QWidget *driverOptions = top.findChild<QWidget *>(u"cupsPropertiesPage"_s);
    QStringList texts;
    for (const QWidget *w : top.findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&top) || (driverOptions && driverOptions->isAncestorOf(w)))
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(w))
            texts << label->text();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(w))
            texts << button->text();
        else if (const auto *group = qobject_cast<const QGroupBox *>(w))
            texts << group->title();
        else if (const auto *combo = qobject_cast<const QComboBox *>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        }
        if (const auto *tabs = qobject_cast<const QTabWidget *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        }
    }
    return texts;
}

// Words of three letters or more that are no name: printers, their models, paper sizes and
// PDF are names.
QStringList englishWords(const QStringList &texts)
{
    QStringList names{u"PDF"_s};
    for (int id = 0; id <= QPageSize::LastPageSize; ++id)
        names << QPageSize::name(QPageSize::PageSizeId(id));
    for (const QPrinterInfo &printer : QPrinterInfo::availablePrinters()) {
        names << printer.printerName() << printer.makeAndModel();
        for (const QPageSize &size : printer.supportedPageSizes())
            names << size.name();
    }
    static const QRegularExpression word(u"[A-Za-z]{3,}"_s);
    QStringList english;
    for (const QString &text : texts) {
        for (const auto &match : word.globalMatch(text)) {
            const bool named = std::any_of(names.begin(), names.end(), [&](const QString &name) {
                return name.contains(match.captured(), Qt::CaseSensitive) &&
                       text.contains(name, Qt::CaseSensitive);
            });
            if (!named)
                english << text;
        }
    }
    english.removeDuplicates();
    return english;
}

} // namespace

// The shown print dialog, every tab of it and the printer's properties when there is a
// printer to have them.
TEST_F(JapaneseQt, ThePrintDialogHasNoEnglishWords)
{
    QStringList texts;
    bool walked = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        // The options start folded away; the button that unfolds them is named by its text.
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            if (button->text().endsWith(u">>"_s))
                button->click();
        }
        for (QTabWidget *tabs : dialog->findChildren<QTabWidget *>()) {
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                texts << shownTexts(*dialog);
            }
        }
        auto *properties = dialog->findChild<QAbstractButton *>(u"properties"_s);
        if (properties && properties->isEnabled()) {
            QTimer::singleShot(0, [&] {
                QWidget *page = QApplication::activeModalWidget();
                for (QTabWidget *tabs : page->findChildren<QTabWidget *>()) {
                    for (int i = 0; i < tabs->count(); ++i) {
                        tabs->setCurrentIndex(i);
                        texts << shownTexts(*page);
                    }
                }
                qobject_cast<QDialog *>(page)->reject();
            });
            properties->click();
        }
        walked = true;
        dialog->reject();
    });
    QtPrintDialog dialog;
    EXPECT_FALSE(dialog.exec(nullptr, {}, 5));
    ASSERT_TRUE(walked);
    EXPECT_GT(texts.size(), 20);
    const QStringList english = englishWords(texts);
    EXPECT_TRUE(english.isEmpty()) << english.join(u" | "_s).toStdString();
}
