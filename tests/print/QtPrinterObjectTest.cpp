#include "QtPrinterObject.h"
#include "GuiApplication.h"
#include "PdfProbe.h"

#include <QFile>
#include <QFontInfo>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class QtPrinterObjectTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }

    std::shared_ptr<QtPrinterObject> pdf()
    {
        auto printer =
            QtPrinterObject::forPdf(path, QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5), 600);
        printer->font = {QStringLiteral("ＭＳ Ｐゴシック"), 11};
        return printer;
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("p.pdf"));
};

// A measurement is kept for the print that follows it; another text or font is measured anew.
TEST_F(QtPrinterObjectTest, WidthsFollowTheTextAndTheFont)
{
    auto printer = pdf();
    const float one = printer->textWidth(QStringLiteral("今日"));
    EXPECT_GT(printer->textWidth(QStringLiteral("今日のロタム")), 2 * one);
    printer->font.size = 22;
    EXPECT_NEAR(printer->textWidth(QStringLiteral("今日")), 2 * one, 0.1);
    printer->textWidth(QStringLiteral("今日のロタム"));
    printer->setCurrentX(0);
    printer->print(QStringLiteral("今日"));
    EXPECT_NEAR(printer->currentX(), 2 * one, 0.1);
}

TEST_F(QtPrinterObjectTest, PrintMovesOnByTheTextWidthOrALine)
{
    auto printer = pdf();
    printer->font.name = QStringLiteral("ＭＳ ゴシック"); // fixed pitch: one em per character
    const QString text = QStringLiteral("今日のロタム");
    const float width = printer->textWidth(text);
    EXPECT_NEAR(width, 6 * 11 * 25.4 / 72, 0.3); // full-width characters are one em wide
    printer->setCurrentX(10);
    printer->setCurrentY(20);
    printer->print(text);
    EXPECT_FLOAT_EQ(printer->currentX(), 10 + width);
    EXPECT_FLOAT_EQ(printer->currentY(), 20);
    printer->setScaleLeft(-3);
    printer->print(text, LineEnd::Yes);
    EXPECT_FLOAT_EQ(printer->currentX(), -3);
    EXPECT_NEAR(printer->currentY(), 20 + printer->textHeight(text), 1e-4);
    // The full line height of an 11 pt face is at least its size.
    EXPECT_GE(printer->textHeight(text), 11 * 25.4 / 72);
    printer->endDoc();
}

// Texts are shaped once a font and drawn from there; the page must be what drawText makes of
// them, whichever font they come back in, decorated, on a background, or with a line separator
// that would break a layout's line.
TEST_F(QtPrinterObjectTest, TextsDrawAsDrawTextDrawsThem)
{
    const struct
    {
        const char16_t *face;
        float size;
        bool underline;
    } fonts[] = {{u"ＭＳ Ｐゴシック", 11, false},
                 {u"ＭＳ 明朝", 8, false},
                 {u"ＭＳ Ｐゴシック", 6, false},
                 {u"Arial", 9, true}};
    const QStringList texts = {
        QStringLiteral("－今日のロタム－"), QStringLiteral("Sat, 15 Jan 2005 06:00:00 +0900"),
        QStringLiteral("AVAWA ffi 😀 ①"),    QStringLiteral("末尾に空白 "),
        QStringLiteral("\tタブ"),           QStringLiteral("行\u2028区切り")};
    auto printer = pdf();
    const QString referencePath = dir.filePath(QStringLiteral("reference.pdf"));
    auto reference = QtPrinterObject::forPdf(referencePath, QPageSize(QPageSize::A4),
                                             QMarginsF(5, 5, 5, 5), 600);
    QPainter painter(&reference->device());
    const double dots = 600 / 25.4;
    for (int row = 0; row < 22; ++row) {
        const auto &f = fonts[row % std::size(fonts)];
        const QString &text = texts.at(row % texts.size()); // meets each font again later
        const bool opaque = row == 21;
        const int y = opaque ? 2 + 8 * 20 + 2 : 2 + 8 * row; // its background hides ink above
        printer->setFontTransparent(!opaque);
        printer->font = {QString::fromUtf16(f.face), f.size, false, false, f.underline};
        printer->setCurrentX(2);
        printer->setCurrentY(float(y));
        printer->print(text);
        printer->print(text);

        QFont font(QString::fromUtf16(f.face));
        font.setPointSizeF(f.size);
        font.setUnderline(f.underline);
        font.setHintingPreference(QFont::PreferNoHinting);
        const QFontMetricsF metrics(font, &reference->device());
        painter.setFont(font);
        painter.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
        const QPointF at(2 * dots, y * dots + metrics.ascent());
        painter.drawText(at, text);
        painter.drawText(at + QPointF(metrics.horizontalAdvance(text), 0), text);
    }
    painter.end();
    printer->endDoc();
    EXPECT_EQ(PdfProbe::renderPage(path, 1), PdfProbe::renderPage(referencePath, 1));
    EXPECT_EQ(PdfProbe::pdfText(path), PdfProbe::pdfText(referencePath));
}

TEST_F(QtPrinterObjectTest, WindowsFacesResolveToTheirSubstitutes)
{
    auto printer = pdf(); // registers the substitutes
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
    auto printer = pdf();
    printer->newPage();
    printer->endDoc();
    EXPECT_FALSE(QFile::exists(path)) << "no output, no document";

    printer->print(QStringLiteral("一"));
    printer->newPage();
    printer->line(LineForm::TwoPoints, 1, 17, 85, 17);
    printer->newPage();
    printer->endDoc();
    EXPECT_EQ(PdfProbe::pageCount(path), 2);

    printer->print(QStringLiteral("二")); // a second document on the same printer
    printer->newPage();
    printer->newPage();
    printer->endDoc();
    EXPECT_EQ(PdfProbe::pageCount(path), 2); // the break between the two gives a blank page
}

TEST_F(QtPrinterObjectTest, KillDocAbandonsTheDocument)
{
    auto printer = pdf();
    printer->print(QStringLiteral("一"));
    printer->killDoc();
    printer->endDoc(); // nothing left to end
    printer->print(QStringLiteral("二"));
    printer->endDoc();
    EXPECT_EQ(PdfProbe::pageCount(path), 1);
}

TEST_F(QtPrinterObjectTest, UnwritableFileIsReportedAtTheFirstOutput)
{
    auto printer = QtPrinterObject::forPdf(dir.filePath(QStringLiteral("no/such/dir/x.pdf")),
                                           QPageSize(QPageSize::A4), QMarginsF(5, 5, 5, 5), 600);
    EXPECT_THROW(printer->print(QStringLiteral("x")), PrinterError);
}

TEST_F(QtPrinterObjectTest, PenBelowOneDotIsRefused)
{
    EXPECT_THROW(pdf()->setDrawWidth(0), PrinterError);
}

} // namespace
