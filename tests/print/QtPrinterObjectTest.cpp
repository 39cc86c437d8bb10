#include "QtPrinterObject.h"
#include "GuiApplication.h"
#include "PdfProbe.h"

#include <QFile>
#include <QFontInfo>
#include <QMarginsF>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class QtPrinterObjectTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    std::shared_ptr<QtPrinterObject> Pdf()
    {
        auto printer =
            QtPrinterObject::ForPdf(path, QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5), 600);
        printer->Font = {QStringLiteral("ＭＳ Ｐゴシック"), 11};
        return printer;
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("p.pdf"));
};

TEST_F(QtPrinterObjectTest, MillimetreScaleCoversThePrintableArea)
{
    auto printer = Pdf();
    EXPECT_FLOAT_EQ(printer->ScaleWidth(), 200);
    EXPECT_FLOAT_EQ(printer->ScaleHeight(), 287);
}

// A measurement is kept for the print that follows it; another text or font is measured anew.
TEST_F(QtPrinterObjectTest, WidthsFollowTheTextAndTheFont)
{
    auto printer = Pdf();
    const float one = printer->TextWidth(QStringLiteral("今日"));
    EXPECT_GT(printer->TextWidth(QStringLiteral("今日のロタム")), 2 * one);
    printer->Font.Size = 22;
    EXPECT_NEAR(printer->TextWidth(QStringLiteral("今日")), 2 * one, 0.1);
    printer->TextWidth(QStringLiteral("今日のロタム"));
    printer->SetCurrentX(0);
    printer->Print(QStringLiteral("今日"));
    EXPECT_NEAR(printer->CurrentX(), 2 * one, 0.1);
}

TEST_F(QtPrinterObjectTest, PrintMovesOnByTheTextWidthOrALine)
{
    auto printer = Pdf();
    printer->Font.Name = QStringLiteral("ＭＳ ゴシック"); // fixed pitch: one em per character
    const QString text = QStringLiteral("今日のロタム");
    const float width = printer->TextWidth(text);
    EXPECT_NEAR(width, 6 * 11 * 25.4 / 72, 0.3); // full-width characters are one em wide
    printer->SetCurrentX(10);
    printer->SetCurrentY(20);
    printer->Print(text);
    EXPECT_FLOAT_EQ(printer->CurrentX(), 10 + width);
    EXPECT_FLOAT_EQ(printer->CurrentY(), 20);
    printer->SetScaleLeft(-3);
    printer->Print(text, LineEnd::Yes);
    EXPECT_FLOAT_EQ(printer->CurrentX(), -3);
    EXPECT_NEAR(printer->CurrentY(), 20 + printer->TextHeight(text), 1e-4);
    // The full line height of an 11 pt face is at least its size.
    EXPECT_GE(printer->TextHeight(text), 11 * 25.4 / 72);
    printer->EndDoc();
}

TEST_F(QtPrinterObjectTest, WindowsFacesResolveToTheirSubstitutes)
{
    EnsureGuiApplication();
    auto printer = Pdf(); // registers the substitutes
    const struct
    {
        const char16_t *face;
        const char *resolved;
    } cases[] = {{u"ＭＳ Ｐゴシック", "IPAPGothic"},
                 {u"ＭＳ ゴシック", "IPAGothic"},
                 {u"ＭＳ Ｐ明朝", "IPAPMincho"},
                 {u"ＭＳ 明朝", "IPAMincho"},
                 {u"Arial", "Liberation Sans"}};
    for (const auto &c : cases)
        EXPECT_EQ(QFontInfo(QFont(QString::fromUtf16(c.face))).family(), QLatin1String(c.resolved));
}

TEST_F(QtPrinterObjectTest, DocumentBeginsWithOutputAndEndsWithoutATrailingPage)
{
    auto printer = Pdf();
    printer->NewPage();
    printer->EndDoc();
    EXPECT_FALSE(QFile::exists(path)) << "no output, no document";

    printer->Print(QStringLiteral("一"));
    printer->NewPage();
    printer->Line(LineForm::TwoPoints, 1, 17, 85, 17);
    printer->NewPage();
    printer->EndDoc();
    EXPECT_EQ(PdfProbe::PageCount(path), 2);

    printer->Print(QStringLiteral("二")); // a second document on the same printer
    printer->NewPage();
    printer->NewPage();
    printer->EndDoc();
    EXPECT_EQ(PdfProbe::PageCount(path), 2); // the break between the two gives a blank page
}

TEST_F(QtPrinterObjectTest, KillDocAbandonsTheDocument)
{
    auto printer = Pdf();
    printer->Print(QStringLiteral("一"));
    printer->KillDoc();
    printer->EndDoc(); // nothing left to end
    printer->Print(QStringLiteral("二"));
    printer->EndDoc();
    EXPECT_EQ(PdfProbe::PageCount(path), 1);
}

TEST_F(QtPrinterObjectTest, UnwritableFileIsReportedAtTheFirstOutput)
{
    auto printer = QtPrinterObject::ForPdf(dir.filePath(QStringLiteral("no/such/dir/x.pdf")),
                                           QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5), 600);
    EXPECT_THROW(printer->Print(QStringLiteral("x")), PrinterError);
}

TEST_F(QtPrinterObjectTest, PenBelowOneDotIsRefused)
{
    EXPECT_THROW(Pdf()->SetDrawWidth(0), PrinterError);
}

} // namespace
