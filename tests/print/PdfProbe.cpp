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
         QStringLiteral("-f"), number, QStringLiteral("-l"), number,
         QStringLiteral("-singlefile"), pdf, base});
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

} // namespace PdfProbe
