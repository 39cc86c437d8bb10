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

PrintDialogSettings Choice(const QString &device = {})
{
    PrintDialogSettings s;
    s.DeviceName = device;
    s.Copies = 3;
    s.Duplex = 2;
    s.Orientation = 2;
    s.PaperSize = 13;
    s.PrintQuality = 600;
    return s;
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
    f.PrintDialog->Answer = Choice();
    f.Window->printButton->click();

    auto printer = f.Printers->At(0);
    EXPECT_EQ(printer->Pages(), 2);
    EXPECT_EQ(PrintedTitles(*printer), (QStringList{u"あ"_s, u"う"_s}));
    EXPECT_EQ(printer->CallsOf(u"EndDoc"_s).size(), 1);
    ASSERT_EQ(f.PrintDialog->Presets.size(), 1);
    EXPECT_EQ(f.PrintDialog->Presets[0].DeviceName, u"Recorder"_s);
    EXPECT_EQ(f.PrintDialog->Presets[0].Orientation, 1);
    EXPECT_EQ(f.PrintDialog->Presets[0].Duplex, 1);
    // The dialog's choices reach the printer before it draws.
    EXPECT_EQ(printer->CopiesCode, 3);
    EXPECT_EQ(printer->DuplexCode, 2);
    EXPECT_EQ(printer->OrientationCode, 2);
    EXPECT_EQ(printer->PaperSizeCode, 13);
    EXPECT_EQ(printer->PrintQualityCode, 600);
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
    EXPECT_EQ(printer->CopiesCode, 1);
    EXPECT_EQ(printer->PaperSizeCode, 9);
    EXPECT_TRUE(f.Window->printButton->isEnabled());
}

TEST(Printing, AnotherPrinterChosenBecomesCurrentAndTakesTheJob)
{
    MainWindowFixture f({u"Recorder"_s, u"Laser"_s});
    LoadThree(f);
    f.SetChecked(1, true);
    f.PrintDialog->Answer = Choice(u"LASER"_s);
    f.Window->printButton->click();
    EXPECT_EQ(f.Printers->Printer(), f.Printers->At(1));
    EXPECT_TRUE(f.Printers->At(0)->Calls.isEmpty());
    EXPECT_EQ(f.Printers->At(1)->Pages(), 1);
    EXPECT_EQ(PrintedTitles(*f.Printers->At(1)), QStringList{u"い"_s});
    EXPECT_EQ(f.Printers->At(1)->PaperSizeCode, 13);

    // The next job opens preset to the printer chosen last.
    f.PrintDialog->Answer.reset();
    f.Window->printButton->click();
    EXPECT_EQ(f.PrintDialog->Presets.back().DeviceName, u"Laser"_s);
}

TEST(Printing, PrinterWithoutDuplexStillTakesTheOtherSettings)
{
    MainWindowFixture f;
    LoadThree(f);
    f.SetChecked(0, true);
    auto printer = f.Printers->At(0);
    printer->CannotReportDuplex = true;
    f.PrintDialog->Answer = Choice();
    f.Window->printButton->click();
    EXPECT_EQ(f.PrintDialog->Presets[0].Duplex, 0);
    EXPECT_EQ(printer->CopiesCode, 3);
    EXPECT_EQ(printer->OrientationCode, 2);
    EXPECT_EQ(printer->PaperSizeCode, 13);
    EXPECT_EQ(printer->PrintQualityCode, 600);
    EXPECT_EQ(printer->Pages(), 1);
    EXPECT_TRUE(f.Messages.isEmpty());
}

TEST(Printing, PlacementIsTakenWhenPrintIsPressed)
{
    MainWindowFixture f;
    LoadThree(f);
    f.SetChecked(0, true);
    f.PrintDialog->Answer = Choice();
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
    f.PrintDialog->Answer = Choice();
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

TEST(Printing, NoPrinterInstalledIsReportedUnlessAFileIsChosen)
{
    MainWindowFixture f(QStringList{});
    LoadThree(f);
    f.SetChecked(0, true);
    f.PrintDialog->Answer = PrintDialogSettings{};
    f.Window->printButton->click();
    ASSERT_EQ(f.Messages.size(), 1);
    EXPECT_TRUE(f.Messages[0].text.contains(u"プリンタが見つかりません"_s));

    auto file = std::make_shared<RecordingPrinter>(u"PDF"_s);
    f.PrintDialog->JobPrinter = file;
    f.Window->printButton->click();
    EXPECT_EQ(f.Messages.size(), 1);
    EXPECT_EQ(file->Pages(), 1);
}

TEST(Printing, AFileChosenInTheDialogTakesThisJobOnly)
{
    MainWindowFixture f;
    LoadThree(f);
    f.SetChecked(1, true);
    auto file = std::make_shared<RecordingPrinter>(u"PDF"_s);
    f.PrintDialog->Answer = Choice();
    f.PrintDialog->JobPrinter = file;
    f.Window->printButton->click();
    EXPECT_EQ(file->Pages(), 1);
    EXPECT_TRUE(f.Printers->At(0)->CallsOf(u"Print"_s).isEmpty());

    f.Window->printButton->click();
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
    f.PrintDialog->Answer = PrintDialogSettings{};
    f.Window->printButton->click();
    // The print job's printer also took the dialog's five settings; the rest is the drawing.
    QList<RecordedCall> printed = f.Printers->At(0)->Calls;
    const QStringList settings{u"SetCopies"_s, u"SetDuplex"_s, u"SetOrientation"_s,
                               u"SetPaperSize"_s, u"SetPrintQuality"_s};
    printed.removeIf([&](const RecordedCall &c) { return settings.contains(c.Member); });
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

    f.PrintDialog->Answer = Choice();
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
    ASSERT_TRUE(dialog.Exec(nullptr, PrintDialogSettings{}).has_value());
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialog.Options, PrintOptions(PagePlacement::CentreLeft, PageLayout::Two, false));
}

// Duplex needs a printer that offers it, so it is checked against the CUPS queue; here a PDF
// printer keeps the tests apart from whatever printers (or none) the machine has.
class QtPrintDialogCodes : public ::testing::Test
{
protected:
    void SetUp() override { printer.setOutputFormat(QPrinter::PdfFormat); }
    QPrinter printer{QPrinter::HighResolution};
};

TEST_F(QtPrintDialogCodes, ChoicesComeBackAsDevModeCodes)
{
    printer.setPageSize(QPageSize(QPageSize::A5));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setCopyCount(2);
    printer.setResolution(300);
    const PrintDialogSettings chosen = SettingsFromPrinter(printer);
    EXPECT_EQ(chosen.PaperSize, 11);
    EXPECT_EQ(chosen.Orientation, 2);
    EXPECT_EQ(chosen.Duplex, 1) << "a printer without a second side reports simplex";
    EXPECT_EQ(chosen.Copies, 2);
    EXPECT_EQ(chosen.PrintQuality, 300);
    EXPECT_FALSE(chosen.ToFile);
    printer.setOutputFileName(u"/tmp/x.pdf"_s);
    EXPECT_TRUE(SettingsFromPrinter(printer).ToFile);

    printer.setPageSize(QPageSize(QPageSize::JisB5));
    printer.setPageOrientation(QPageLayout::Portrait);
    EXPECT_EQ(SettingsFromPrinter(printer).PaperSize, 13);
    EXPECT_EQ(SettingsFromPrinter(printer).Orientation, 1);
}

TEST_F(QtPrintDialogCodes, PresetSetsOrientationAndSkipsUnknownCodes)
{
    PrintDialogSettings preset;
    preset.Orientation = 2;
    ApplyPreset(printer, preset);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

    preset.Orientation = 0; // a printer that could not report it
    ApplyPreset(printer, preset);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

    preset.Orientation = 1;
    ApplyPreset(printer, preset);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
}
