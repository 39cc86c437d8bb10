#include "PdfProbe.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace PdfProbe {

namespace {

double inkAt(const QImage &page, int x, int y)
{
    return (255 - qGray(page.pixel(x, y))) / 255.0;
}

int px(double mm)
{
    return int(std::lround(mm * PixelsPerMm));
}

} // namespace

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(const QString &pdf)
{
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pdfFonts(const QString &pdf)
{
    return run(QStringLiteral("pdffonts"), {pdf});
}

QString pdfText(const QString &pdf)
{
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
}

QImage renderPage(const QString &pdf, int page)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    const QString number = QString::number(page);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(PixelsPerMm * 25.4),
         QStringLiteral("-f"), number, QStringLiteral("-l"), number, QStringLiteral("-singlefile"),
         pdf, base});
    return QImage(base + QStringLiteral(".pgm"));
}

std::optional<double> inkCentreY(const QImage &page, double xMm, double fromMm, double toMm)
{
    double sum = 0, weighted = 0;
    for (int y = px(fromMm); y <= px(toMm); ++y) {
        const double ink = inkAt(page, px(xMm), y);
        sum += ink;
        weighted += ink * y;
    }
    if (sum < 0.5)
        return std::nullopt;
    return (weighted / sum + 0.5) / PixelsPerMm; // a pixel's centre is half a pixel in
}

std::optional<double> inkCentreX(const QImage &page, double yMm, double fromMm, double toMm)
{
    double sum = 0, weighted = 0;
    for (int x = px(fromMm); x <= px(toMm); ++x) {
        const double ink = inkAt(page, x, px(yMm));
        sum += ink;
        weighted += ink * x;
    }
    if (sum < 0.5)
        return std::nullopt;
    return (weighted / sum + 0.5) / PixelsPerMm;
}

double inkWidthY(const QImage &page, double xMm, double fromMm, double toMm)
{
    double sum = 0;
    for (int y = px(fromMm); y <= px(toMm); ++y)
        sum += inkAt(page, px(xMm), y);
    return sum / PixelsPerMm;
}

std::optional<double> firstInkX(const QImage &page, double yMm, double fromMm, double toMm)
{
    for (int x = px(fromMm); x <= px(toMm); ++x) {
        if (inkAt(page, x, px(yMm)) > 0.25)
            return x / PixelsPerMm;
    }
    return std::nullopt;
}

double fineInkWidthY(const QString &pdf, double xMm, double fromMm, double toMm)
{
    constexpr double pixelsPerMm = 100;
    const auto px = [](double mm) { return QString::number(std::lround(mm * pixelsPerMm)); };
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("strip"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(pixelsPerMm * 25.4),
         QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
         QStringLiteral("-x"), px(xMm), QStringLiteral("-y"), px(fromMm), QStringLiteral("-W"),
         QStringLiteral("1"), QStringLiteral("-H"), px(toMm - fromMm),
         QStringLiteral("-singlefile"), pdf, base});
    const QImage strip(base + QStringLiteral(".pgm"));
    double sum = 0;
    for (int y = 0; y < strip.height(); ++y)
        sum += inkAt(strip, 0, y);
    return sum / pixelsPerMm;
}

QList<Word> pdfWords(const QString &pdf, int page)
{
    const QString number = QString::number(page);
    const QString html =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), number,
                                          QStringLiteral("-l"), number, pdf, QStringLiteral("-")});
    static const QRegularExpression box(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    constexpr double mmPerPoint = 25.4 / 72;
    QList<Word> words;
    for (const auto &match : box.globalMatch(html)) {
        const auto mm = [&](int i) { return match.captured(i).toDouble() * mmPerPoint; };
        words.append({match.captured(5), QRectF(QPointF(mm(1), mm(2)), QPointF(mm(3), mm(4)))});
    }
    return words;
}

std::optional<QRectF> wordBox(const QString &pdf, const QString &word)
{
    for (const Word &found : pdfWords(pdf, 1)) {
        if (found.text == word)
            return found.Box;
    }
    return std::nullopt;
}

} // namespace PdfProbe
