#include "PrinterDialog.h"
#include "RecordingPrinter.h"

#include <gtest/gtest.h>

namespace {

// Answers with a fixed choice (or cancels) and keeps what it was preset with.
class ScriptedDialog final : public PrintDialogSeam
{
public:
    std::optional<PrintDialogSettings> Answer;
    PrintDialogSettings Preset;

    std::optional<PrintDialogSettings> Exec(QWidget *, const PrintDialogSettings &preset) override
    {
        Preset = preset;
        return Answer;
    }
};

PrintDialogSettings Choice(const QString &name)
{
    return {name, 2, 3, 13, 4, -3};
}

QList<qint16> Settings(const RecordingPrinter &printer)
{
    return {printer.CopiesCode, printer.DuplexCode, printer.OrientationCode,
            printer.PaperSizeCode, printer.PrintQualityCode};
}

TEST(PrinterDialogTest, CancelChangesNothing)
{
    RecordingPrinterCollection printers({QStringLiteral("Office"), QStringLiteral("Home")});
    const auto before = Settings(*printers.At(0));
    ScriptedDialog dialog;
    EXPECT_FALSE(PrinterDialog::ShowPrintDialog(nullptr, printers, dialog));
    EXPECT_EQ(printers.Printer(), printers.At(0));
    EXPECT_EQ(Settings(*printers.At(0)), before);
    EXPECT_EQ(dialog.Preset.DeviceName, QStringLiteral("Office"));
    EXPECT_EQ(dialog.Preset.Orientation, 1);
    EXPECT_EQ(dialog.Preset.Duplex, 1);
}

TEST(PrinterDialogTest, ChosenNameComesBackInUpperCaseAndFindsTheSamePrinter)
{
    RecordingPrinterCollection printers({QStringLiteral("Office"), QStringLiteral("Home")});
    ScriptedDialog dialog;
    dialog.Answer = Choice(QStringLiteral("office"));
    EXPECT_TRUE(PrinterDialog::ShowPrintDialog(nullptr, printers, dialog));
    EXPECT_EQ(printers.Printer(), printers.At(0));
    EXPECT_EQ(Settings(*printers.At(0)), (QList<qint16>{4, 3, 2, 13, -3}));
    // In the order the settings are applied.
    QStringList order;
    for (const auto &call : printers.At(0)->Calls)
        order << call.Member;
    EXPECT_EQ(order, (QStringList{QStringLiteral("SetCopies"), QStringLiteral("SetDuplex"),
                                  QStringLiteral("SetOrientation"), QStringLiteral("SetPaperSize"),
                                  QStringLiteral("SetPrintQuality")}));
}

TEST(PrinterDialogTest, AnotherPrinterBecomesCurrentAndTheLastMatchWins)
{
    RecordingPrinterCollection printers(
        {QStringLiteral("Office"), QStringLiteral("Home"), QStringLiteral("HOME")});
    ScriptedDialog dialog;
    dialog.Answer = Choice(QStringLiteral("Home"));
    PrinterDialog::ShowPrintDialog(nullptr, printers, dialog);
    EXPECT_EQ(printers.Printer(), printers.At(2));
    EXPECT_EQ(printers.At(2)->PaperSizeCode, 13);
    EXPECT_EQ(printers.At(0)->PaperSizeCode, 9);

    dialog.Answer = Choice(QStringLiteral("NOWHERE"));
    PrinterDialog::ShowPrintDialog(nullptr, printers, dialog);
    EXPECT_EQ(printers.Printer(), printers.At(2)); // nothing matched: the printer stays
}

TEST(PrinterDialogTest, EachRefusedSettingIsIgnoredOnItsOwn)
{
    RecordingPrinterCollection printers({QStringLiteral("OLD")});
    auto printer = printers.At(0);
    printer->CannotReportDuplex = true;
    printer->Refuses = [](const QString &member, qint16) {
        return member == QLatin1String("SetPaperSize");
    };
    ScriptedDialog dialog;
    dialog.Answer = Choice(QStringLiteral("OLD"));
    dialog.Answer->Duplex = 0;
    EXPECT_TRUE(PrinterDialog::ShowPrintDialog(nullptr, printers, dialog));
    EXPECT_EQ(dialog.Preset.Duplex, 0);
    EXPECT_EQ(printer->CopiesCode, 4);
    EXPECT_EQ(printer->OrientationCode, 2);
    EXPECT_EQ(printer->PaperSizeCode, 9);
    EXPECT_EQ(printer->PrintQualityCode, -3);
}

TEST(PrinterDialogTest, AFileChosenLeavesThePrinterAlone)
{
    RecordingPrinterCollection printers({QStringLiteral("Office"), QStringLiteral("Home")});
    const auto before = Settings(*printers.At(0));
    ScriptedDialog dialog;
    dialog.Answer = Choice(QStringLiteral("Home"));
    dialog.Answer->ToFile = true;
    EXPECT_TRUE(PrinterDialog::ShowPrintDialog(nullptr, printers, dialog));
    EXPECT_EQ(printers.Printer(), printers.At(0));
    EXPECT_EQ(Settings(*printers.At(0)), before);
}

} // namespace
