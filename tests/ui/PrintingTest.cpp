#include "UiTestSupport.h"

#include "PrintLayoutTab.h"
#include "QtPrintDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
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
QStringList PrintedTitles(const RecordingPrinter &printer)
{
    QStringList titles;
    for (const RecordedCall &call : printer.Prints()) {
        if (call.Text.startsWith(u'◇'))
            titles.append(call.Text.section(u'◇', 1, 1));
    }
    return titles;
}

// Three issues listed as あ, い, う (records 2, 3, 1).
void LoadThree(MainWindowFixture &f)
{
    f.Paste(MailText({Titled(u"う"_s), Titled(u"あ"_s), Titled(u"い"_s)}));
}

} // namespace

TEST(Printing, ConfirmedDialogPrintsTheCheckedIssuesInListOrder)
{
    MainWindowFixture f;
    LoadThree(f);
    f.SetChecked(2, true); // う, checked first
    f.SetChecked(0, true); // あ
    f.PrintDialog->Answer = PrintChoice{};
    f.Window->printButton->click();

    auto printer = f.Printers->At(0);
    EXPECT_EQ(printer->Pages(), 2);
    EXPECT_EQ(PrintedTitles(*printer), (QStringList{u"あ"_s, u"う"_s}));
    EXPECT_EQ(printer->CallsOf(u"EndDoc"_s).size(), 1);
    ASSERT_EQ(f.PrintDialog->Presets.size(), 1);
    EXPECT_EQ(f.PrintDialog->Presets[0].PrinterName, QString()) << "nothing remembered yet";
    EXPECT_EQ(f.PrintDialog->Presets[0].MaxSheets, 2);
    EXPECT_TRUE(f.Messages.isEmpty());
}

TEST(Printing, CancelledDialogPrintsNothingAndChangesNothing)
{
    MainWindowFixture f;
    LoadThree(f);
    f.Window->checkAllButton->click();
    f.PrintDialog->Answer.reset();
    f.Window->printButton->click();
    auto printer = f.Printers->At(0);
    EXPECT_EQ(f.PrintDialog->Presets.size(), 1);
    EXPECT_TRUE(printer->Calls.isEmpty());
    EXPECT_TRUE(f.Window->printButton->isEnabled());
}

TEST(Printing, ThePrinterChosenTakesTheJobAndPresetsTheNextDialog)
{
    MainWindowFixture f({u"Recorder"_s, u"Laser"_s});
    LoadThree(f);
    f.SetChecked(1, true);
    f.PrintDialog->Answer = PrintChoice{f.Printers->At(1), u"Laser"_s, {}};
    f.Window->printButton->click();
    EXPECT_TRUE(f.Printers->At(0)->Calls.isEmpty());
    EXPECT_EQ(PrintedTitles(*f.Printers->At(1)), QStringList{u"い"_s});

    f.PrintDialog->Answer.reset();
    f.Window->printButton->click();
    EXPECT_EQ(f.PrintDialog->Presets.back().PrinterName, u"Laser"_s);
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
        f.Paste(MailText({Titled(u"f"_s), Titled(u"e"_s), Titled(u"d"_s), Titled(u"c"_s),
                          Titled(u"b"_s), Titled(u"a"_s)}));
        f.Window->checkAllButton->click();
        f.SetChecked(2, false); // c: no sheet of the job
        f.Window->setPrintOptions({PagePlacement::TopLeft, c.layout, false});
        f.PrintDialog->Answer = PrintChoice{nullptr, {}, QPageRanges::fromString(c.sheets)};
        f.Window->printButton->click();
        EXPECT_EQ(PrintedTitles(*f.Printers->At(0)), c.titles) << c.sheets.toStdString();
    }
}

TEST(Printing, PlacementIsTakenWhenPrintIsPressed)
{
    MainWindowFixture f;
    LoadThree(f);
    f.SetChecked(0, true);
    f.PrintDialog->Answer = PrintChoice{};
    f.Window->positionButtons[2]->setChecked(true);
    f.Window->printButton->click();
    const QList<RecordedCall> lefts = f.Printers->At(0)->CallsOf(u"SetScaleLeft"_s);
    ASSERT_FALSE(lefts.isEmpty());
    // A printable area of 200 x 287 mm centres the 95 mm layout 8 mm further right.
    EXPECT_FLOAT_EQ(float(lefts.back().Numbers.at(0)), -60.5f);
    const QList<RecordedCall> tops = f.Printers->At(0)->CallsOf(u"SetScaleTop"_s);
    ASSERT_FALSE(tops.isEmpty());
    EXPECT_FLOAT_EQ(float(tops.back().Numbers.at(0)), -58.5f);
}

TEST(Printing, PrinterFailureIsReportedAndTheProgramGoesOn)
{
    MainWindowFixture f;
    LoadThree(f);
    f.Window->checkAllButton->click();
    f.PrintDialog->Answer = PrintChoice{};
    auto printer = f.Printers->At(0);
    printer->FailAtOutput = 5;
    f.Window->printButton->click();
    ASSERT_EQ(f.Messages.size(), 1);
    EXPECT_EQ(f.Messages[0].kind, MessageBox::Kind::Critical);
    EXPECT_TRUE(f.Messages[0].text.contains(u"わざと失敗しました"_s));
    EXPECT_EQ(printer->CallsOf(u"EndDoc"_s).size(), 0);

    printer->FailAtOutput = 0;
    printer->Calls.clear();
    f.Window->printButton->click();
    EXPECT_EQ(f.Messages.size(), 1);
    EXPECT_EQ(printer->Pages(), 3);
}

TEST(Printing, AFileChosenInTheDialogTakesThisJobOnly)
{
    MainWindowFixture f;
    LoadThree(f);
    f.SetChecked(1, true);
    auto file = std::make_shared<RecordingPrinter>(u"PDF"_s);
    f.PrintDialog->Answer = PrintChoice{file, {}, {}};
    f.Window->printButton->click();
    EXPECT_EQ(file->Pages(), 1);
    EXPECT_TRUE(f.Printers->At(0)->CallsOf(u"Print"_s).isEmpty());

    f.PrintDialog->Answer = PrintChoice{};
    f.Window->printButton->click();
    EXPECT_EQ(f.PrintDialog->Presets.back().PrinterName, QString()) << "a file is no printer";
    EXPECT_EQ(f.Printers->At(0)->Pages(), 1);
    EXPECT_EQ(file->CallsOf(u"EndDoc"_s).size(), 1);
}

TEST(Printing, PreviewShowsThePagesThePrintJobPrints)
{
    MainWindowFixture f;
    LoadThree(f);
    f.SetChecked(0, true);
    f.SetChecked(2, true);
    int pages = -1;
    f.Modal = [&pages](QDialog &dialog) {
        auto &preview = dynamic_cast<QPrintPreviewDialog &>(dialog);
        auto *widget = preview.findChild<QPrintPreviewWidget *>();
        EXPECT_NE(widget, nullptr);
        if (widget) {
            widget->updatePreview();
            pages = widget->pageCount();
        }
        return int(QDialog::Rejected);
    };
    f.Window->previewButton->click();
    EXPECT_EQ(pages, 2);
    EXPECT_TRUE(f.Printers->At(0)->Calls.isEmpty()) << "a preview sends nothing to the printer";
    EXPECT_TRUE(f.Messages.isEmpty());
}

TEST(Printing, PreviewDrawsWhatPrintingDraws)
{
    MainWindowFixture f;
    LoadThree(f);
    f.Window->checkAllButton->click();
    f.Window->positionButtons[1]->setChecked(true);
    RecordingPrinter preview(u"Preview"_s);
    f.Window->drawPreviewPages(preview);
    f.PrintDialog->Answer = PrintChoice{};
    f.Window->printButton->click();
    const QList<RecordedCall> &printed = f.Printers->At(0)->Calls;
    ASSERT_EQ(preview.Calls.size(), printed.size());
    for (qsizetype i = 0; i < printed.size(); ++i) {
        EXPECT_EQ(preview.Calls[i].Member, printed[i].Member);
        EXPECT_EQ(preview.Calls[i].Text, printed[i].Text);
        EXPECT_EQ(preview.Calls[i].Numbers, printed[i].Numbers);
    }
    EXPECT_EQ(preview.Pages(), 3);
}

TEST(Printing, LayoutTabChoiceHoldsForThisAndLaterJobsAndThePreview)
{
    MainWindowFixture f;
    LoadThree(f);
    f.Window->checkAllButton->click();
    f.Window->positionButtons[2]->setChecked(true);
    const PrintOptions chosen{PagePlacement::Centre, PageLayout::Two, true};
    f.PrintDialog->ChosenOptions = chosen;
    f.PrintDialog->Answer.reset(); // cancelled: nothing changes
    f.Window->printButton->click();
    EXPECT_EQ(f.Window->printOptions(), PrintOptions(PagePlacement::Centre));

    f.PrintDialog->Answer = PrintChoice{};
    f.Window->printButton->click();
    EXPECT_EQ(f.PrintDialog->ShownOptions.back(), PrintOptions(PagePlacement::Centre));
    EXPECT_EQ(f.Window->printOptions(), chosen);
    EXPECT_EQ(f.Printers->At(0)->Pages(), 2) << "three issues, two a sheet";
    RecordingPrinter preview(u"Preview"_s);
    f.Window->drawPreviewPages(preview);
    EXPECT_EQ(preview.Pages(), 2);

    f.PrintDialog->ChosenOptions.reset();
    f.Window->printButton->click();
    EXPECT_EQ(f.PrintDialog->ShownOptions.back(), chosen) << "the tab shows the last choice";
    f.Window->setPrintOptions({PagePlacement::TopLeft, PageLayout::Large, false});
    EXPECT_TRUE(f.Window->positionButtons[0]->isChecked());
    f.Window->setPrintOptions({PagePlacement(7), PageLayout(-1), true}); // a damaged setting
    EXPECT_EQ(f.Window->printOptions(),
              PrintOptions(PagePlacement::TopLeft, PageLayout::Large, true));
}

// The real dialog, answered from inside its event loop: the tab starts from the options it is
// given and hands back what was chosen on it.
TEST(Printing, QtPrintDialogHasTheLayoutTab)
{
    QtPrintDialog dialog;
    dialog.Options = {PagePlacement::CentreLeft, PageLayout::Large, true};
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
    EXPECT_EQ(dialog.Options, PrintOptions(PagePlacement::CentreLeft, PageLayout::Two, false));
}
