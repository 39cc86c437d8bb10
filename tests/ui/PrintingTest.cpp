#include "UiTestSupport.h"

#include "PrintLayoutTab.h"
#include "QtPrintDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The titles printed, in page order (the title line is the only text starting with ◇).
QStringList printedTitles(const RecordingPrinter &printer)
{
    QStringList titles;
    for (const RecordedCall &call : printer.prints()) {
        if (call.text.startsWith(u'◇'))
            titles.append(call.text.section(u'◇', 1, 1));
    }
    return titles;
}

// Three issues listed as あ, い, う (records 2, 3, 1).
void loadThree(MainWindowFixture &f)
{
    f.paste(mailText({titled(u"う"_s), titled(u"あ"_s), titled(u"い"_s)}));
}

} // namespace

TEST(Printing, ConfirmedDialogPrintsTheCheckedIssuesInListOrder)
{
    MainWindowFixture f;
    loadThree(f);
    f.setChecked(2, true); // う, checked first
    f.setChecked(0, true); // あ
    f.printDialog->answer = PrintChoice{};
    controls(*f.window).printButton->click();

    auto printer = f.printers->at(0);
    EXPECT_EQ(printer->pages(), 2);
    EXPECT_EQ(printedTitles(*printer), (QStringList{u"あ"_s, u"う"_s}));
    ASSERT_EQ(f.printDialog->presets.size(), 1);
    EXPECT_EQ(f.printDialog->presets[0].printerName, QString()) << "nothing remembered yet";
    EXPECT_EQ(f.printDialog->presets[0].maxSheets, 2);
    EXPECT_TRUE(f.messages.isEmpty());
}

TEST(Printing, ThePrinterChosenTakesTheJobAndPresetsTheNextDialog)
{
    MainWindowFixture f({u"Recorder"_s, u"Laser"_s});
    loadThree(f);
    f.setChecked(1, true);
    f.printDialog->answer = PrintChoice{f.printers->at(1), u"Laser"_s, {}};
    controls(*f.window).printButton->click();
    EXPECT_TRUE(f.printers->at(0)->calls.isEmpty());
    EXPECT_EQ(printedTitles(*f.printers->at(1)), QStringList{u"い"_s});

    f.printDialog->answer.reset();
    controls(*f.window).printButton->click();
    EXPECT_EQ(f.printDialog->presets.back().printerName, u"Laser"_s);
}

// Sheets as the dialog counts them: checked issues in list order, one or two a sheet.
TEST(Printing, ThePageRangeCountsSheetsOfTheJob)
{
    const struct
    {
        PageLayout layout;
        QString sheets;
        QStringList titles;
    } cases[] = {
        {PageLayout::Single, u"2-3"_s, {u"b"_s, u"d"_s}},
        {PageLayout::Single, u"4-9"_s, {u"e"_s, u"f"_s}},
        {PageLayout::Single, u"1,4"_s, {u"a"_s, u"e"_s}},
        {PageLayout::Single, u""_s, {u"a"_s, u"b"_s, u"d"_s, u"e"_s, u"f"_s}},
        {PageLayout::Two, u"2"_s, {u"d"_s, u"e"_s}},
        {PageLayout::Two, u"3"_s, {u"f"_s}},
        {PageLayout::Large, u"6"_s, {}},
    };
    for (const auto &c : cases) {
        MainWindowFixture f;
        f.paste(mailText({titled(u"f"_s), titled(u"e"_s), titled(u"d"_s), titled(u"c"_s),
                          titled(u"b"_s), titled(u"a"_s)}));
        controls(*f.window).checkAllButton->click();
        f.setChecked(2, false); // c: no sheet of the job
        f.window->setPrintOptions({PagePlacement::TopLeft, c.layout, false});
        f.printDialog->answer = PrintChoice{nullptr, {}, QPageRanges::fromString(c.sheets)};
        controls(*f.window).printButton->click();
        EXPECT_EQ(printedTitles(*f.printers->at(0)), c.titles) << c.sheets.toStdString();
    }
}

TEST(Printing, PlacementIsTakenWhenPrintIsPressed)
{
    MainWindowFixture f;
    loadThree(f);
    f.setChecked(0, true);
    f.printDialog->answer = PrintChoice{};
    controls(*f.window).positionButtons[2]->setChecked(true);
    controls(*f.window).printButton->click();
    const QList<RecordedCall> lefts = f.printers->at(0)->callsOf(u"SetScaleLeft"_s);
    ASSERT_FALSE(lefts.isEmpty());
    // A printable area of 200 x 287 mm centres the 95 mm layout 8 mm further right.
    EXPECT_FLOAT_EQ(float(lefts.back().numbers.at(0)), -60.5f);
    const QList<RecordedCall> tops = f.printers->at(0)->callsOf(u"SetScaleTop"_s);
    ASSERT_FALSE(tops.isEmpty());
    EXPECT_FLOAT_EQ(float(tops.back().numbers.at(0)), -58.5f);
}

TEST(Printing, PrinterFailureIsReportedAndTheProgramGoesOn)
{
    MainWindowFixture f;
    loadThree(f);
    controls(*f.window).checkAllButton->click();
    f.printDialog->answer = PrintChoice{};
    auto printer = f.printers->at(0);
    printer->failAtOutput = 5;
    controls(*f.window).printButton->click();
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_EQ(f.messages[0].kind, UserMessage::Kind::Critical);
    EXPECT_TRUE(f.messages[0].text.contains(u"わざと失敗しました"_s));
    EXPECT_EQ(printer->callsOf(u"EndDoc"_s).size(), 0);

    printer->failAtOutput = 0;
    printer->calls.clear();
    controls(*f.window).printButton->click();
    EXPECT_EQ(f.messages.size(), 1);
    EXPECT_EQ(printer->pages(), 3);
}

TEST(Printing, AFileChosenInTheDialogTakesThisJobOnly)
{
    MainWindowFixture f;
    loadThree(f);
    f.setChecked(1, true);
    auto file = std::make_shared<RecordingPrinter>(u"PDF"_s);
    f.printDialog->answer = PrintChoice{file, {}, {}};
    controls(*f.window).printButton->click();
    EXPECT_EQ(file->pages(), 1);
    EXPECT_TRUE(f.printers->at(0)->callsOf(u"Print"_s).isEmpty());

    f.printDialog->answer = PrintChoice{};
    controls(*f.window).printButton->click();
    EXPECT_EQ(f.printDialog->presets.back().printerName, QString()) << "a file is no printer";
    EXPECT_EQ(f.printers->at(0)->pages(), 1);
    EXPECT_EQ(file->callsOf(u"EndDoc"_s).size(), 1);
}

TEST(Printing, PreviewShowsThePagesThePrintJobPrints)
{
    MainWindowFixture f;
    loadThree(f);
    f.setChecked(0, true);
    f.setChecked(2, true);
    int pages = -1;
    f.modal = [&pages](QDialog &dialog) {
        auto &preview = dynamic_cast<QPrintPreviewDialog &>(dialog);
        auto *widget = preview.findChild<QPrintPreviewWidget *>();
        EXPECT_NE(widget, nullptr);
        if (widget) {
            widget->updatePreview();
            pages = widget->pageCount();
        }
        return int(QDialog::Rejected);
    };
    controls(*f.window).previewButton->click();
    EXPECT_EQ(pages, 2);
    EXPECT_TRUE(f.printers->at(0)->calls.isEmpty()) << "a preview sends nothing to the printer";
    EXPECT_TRUE(f.messages.isEmpty());
}

TEST(Printing, PreviewDrawsWhatPrintingDraws)
{
    MainWindowFixture f;
    loadThree(f);
    controls(*f.window).checkAllButton->click();
    controls(*f.window).positionButtons[1]->setChecked(true);
    RecordingPrinter preview(u"Preview"_s);
    f.window->drawPreviewPages(preview);
    f.printDialog->answer = PrintChoice{};
    controls(*f.window).printButton->click();
    const QList<RecordedCall> &printed = f.printers->at(0)->calls;
    ASSERT_EQ(preview.calls.size(), printed.size());
    for (qsizetype i = 0; i < printed.size(); ++i) {
        EXPECT_EQ(preview.calls[i].member, printed[i].member);
        EXPECT_EQ(preview.calls[i].text, printed[i].text);
        EXPECT_EQ(preview.calls[i].numbers, printed[i].numbers);
    }
    EXPECT_EQ(preview.pages(), 3);
}

TEST(Printing, LayoutTabChoiceHoldsForThisAndLaterJobsAndThePreview)
{
    MainWindowFixture f;
    loadThree(f);
    controls(*f.window).checkAllButton->click();
    controls(*f.window).positionButtons[2]->setChecked(true);
    const PrintOptions chosen{PagePlacement::Centre, PageLayout::Two, true};
    f.printDialog->chosenOptions = chosen;
    f.printDialog->answer.reset(); // cancelled: nothing changes
    controls(*f.window).printButton->click();
    EXPECT_EQ(f.window->printOptions(), PrintOptions(PagePlacement::Centre));
    EXPECT_TRUE(f.printers->at(0)->calls.isEmpty());

    f.printDialog->answer = PrintChoice{};
    controls(*f.window).printButton->click();
    EXPECT_EQ(f.printDialog->shownOptions.back(), PrintOptions(PagePlacement::Centre));
    EXPECT_EQ(f.window->printOptions(), chosen);
    EXPECT_EQ(f.printers->at(0)->pages(), 2) << "three issues, two a sheet";
    RecordingPrinter preview(u"Preview"_s);
    f.window->drawPreviewPages(preview);
    EXPECT_EQ(preview.pages(), 2);

    f.printDialog->chosenOptions.reset();
    controls(*f.window).printButton->click();
    EXPECT_EQ(f.printDialog->shownOptions.back(), chosen) << "the tab shows the last choice";
    f.window->setPrintOptions({PagePlacement::TopLeft, PageLayout::Large, false});
    EXPECT_TRUE(controls(*f.window).positionButtons[0]->isChecked());
    f.window->setPrintOptions({PagePlacement(7), PageLayout(-1), true}); // a damaged setting
    EXPECT_EQ(f.window->printOptions(),
              PrintOptions(PagePlacement::TopLeft, PageLayout::Large, true));
}

// The real dialog, answered from inside its event loop: the tab starts from the options it is
// given and hands back what was chosen on it.
TEST(Printing, QtPrintDialogHasTheLayoutTab)
{
    QtPrintDialog dialog;
    dialog.options = {PagePlacement::CentreLeft, PageLayout::Large, true};
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto *qtDialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        auto *tab = qtDialog ? qtDialog->findChild<PrintLayoutTab *>() : nullptr;
        if (!tab)
            return qtDialog ? qtDialog->reject() : void();
        shown = tab->windowTitle() == u"レイアウト"_s && tab->layoutButtons[2]->isChecked() &&
                tab->cellsBox->isChecked();
        tab->layoutButtons[1]->click();
        tab->cellsBox->setChecked(false);
        qtDialog->accept();
    });
    ASSERT_TRUE(dialog.exec(nullptr, {}, 3).has_value());
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialog.options, PrintOptions(PagePlacement::CentreLeft, PageLayout::Two, false));
}
