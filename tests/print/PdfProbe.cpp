#include "PdfProbe.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace PdfProbe {

namespace {

double Ink(const QImage &page, int x, int y)
{
    return (255 - qGray(page.pixel(x, y))) / 255.0;
}

int Px(double mm)
{
    return int(std::lround(mm * PixelsPerMm));
}

} // namespace

QString Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PageCount(const QString &pdf)
{
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(Run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString Fonts(const QString &pdf)
{
    return Run(QStringLiteral("pdffonts"), {pdf});
}

QString Text(const QString &pdf)
{
    return Run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
}

QImage Page(const QString &pdf, int page)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    const QString number = QString::number(page);
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(PixelsPerMm * 25.4),
         QStringLiteral("-f"), number, QStringLiteral("-l"), number, QStringLiteral("-singlefile"),
         pdf, base});
    return QImage(base + QStringLiteral(".pgm"));
}

std::optional<double> InkCentreY(const QImage &page, double xMm, double fromMm, double toMm)
{
    double sum = 0, weighted = 0;
    for (int y = Px(fromMm); y <= Px(toMm); ++y) {
        const double ink = Ink(page, Px(xMm), y);
        sum += ink;
        weighted += ink * y;
    }
    if (sum < 0.5)
        return std::nullopt;
    return (weighted / sum + 0.5) / PixelsPerMm; // a pixel's centre is half a pixel in
}

std::optional<double> InkCentreX(const QImage &page, double yMm, double fromMm, double toMm)
{
    double sum = 0, weighted = 0;
    for (int x = Px(fromMm); x <= Px(toMm); ++x) {
        const double ink = Ink(page, x, Px(yMm));
        sum += ink;
        weighted += ink * x;
    }
    if (sum < 0.5)
        return std::nullopt;
    return (weighted / sum + 0.5) / PixelsPerMm;
}

double InkWidthY(const QImage &page, double xMm, double fromMm, double toMm)
{
    double sum = 0;
    for (int y = Px(fromMm); y <= Px(toMm); ++y)
        sum += Ink(page, Px(xMm), y);
    return sum / PixelsPerMm;
}

std::optional<double> FirstInkX(const QImage &page, double yMm, double fromMm, double toMm)
{
    for (int x = Px(fromMm); x <= Px(toMm); ++x) {
        if (Ink(page, x, Px(yMm)) > 0.25)
            return x / PixelsPerMm;
    }
    return std::nullopt;
}

double FineInkWidthY(const QString &pdf, double xMm, double fromMm, double toMm)
{
    constexpr double pixelsPerMm = 100;
    const auto px = [](double mm) { return QString::number(std::lround(mm * pixelsPerMm)); };
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("strip"));
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(pixelsPerMm * 25.4),
         QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
         QStringLiteral("-x"), px(xMm), QStringLiteral("-y"), px(fromMm), QStringLiteral("-W"),
         QStringLiteral("1"), QStringLiteral("-H"), px(toMm - fromMm),
         QStringLiteral("-singlefile"), pdf, base});
    const QImage strip(base + QStringLiteral(".pgm"));
    double sum = 0;
    for (int y = 0; y < strip.height(); ++y)
        sum += Ink(strip, 0, y);
    return sum / pixelsPerMm;
}

QList<Word> Words(const QString &pdf, int page)
{
    const QString number = QString::number(page);
    const QString html =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), number,
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

std::optional<QRectF> WordBox(const QString &pdf, const QString &word)
{
    for (const Word &found : Words(pdf, 1)) {
        if (found.Text == word)
            return found.Box;
    }
    return std::nullopt;
}

} // namespace PdfProbe
