#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>

// Looks into a written PDF with poppler's tools: pages, fonts, text, and a page rendered to
// grey pixels at 10 pixels per millimetre, in which lines are found by their ink.
namespace PdfProbe {

QString run(const QString &program, const QStringList &arguments);
int pageCount(const QString &pdf);
QString pdfFonts(const QString &pdf);
QString pdfText(const QString &pdf);
QImage renderPage(const QString &pdf, int page);

constexpr double PixelsPerMm = 10;

// The ink-weighted centre (mm from the paper's edge) of the dark run crossing the column at
// x mm between y from and to mm; nullopt when there is no ink there.
std::optional<double> inkCentreY(const QImage &page, double xMm, double fromMm, double toMm);
std::optional<double> inkCentreX(const QImage &page, double yMm, double fromMm, double toMm);
// The amount of ink across the run, in millimetres of full black.
double inkWidthY(const QImage &page, double xMm, double fromMm, double toMm);
// The first inked x (mm) on the row at y, scanning from from to to.
std::optional<double> firstInkX(const QImage &page, double yMm, double fromMm, double toMm);

// The ink across a horizontal line (mm of full black) at x between y from and to on page 1,
// rendered finely enough for hairlines, which the coarse page widens to a whole pixel.
double fineInkWidthY(const QString &pdf, double xMm, double fromMm, double toMm);

// A word as pdftotext finds it, its box in mm from the paper's top-left corner.
struct Word
{
    QString text;
    QRectF Box;
};
QList<Word> pdfWords(const QString &pdf, int page);

// The box of the first word on page 1 equal to word.
std::optional<QRectF> wordBox(const QString &pdf, const QString &word);

} // namespace PdfProbe
