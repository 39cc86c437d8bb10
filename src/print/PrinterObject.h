#pragma once

#include <QString>

#include <memory>
#include <stdexcept>
#include <utility>

// The font of a printer's text output.
struct PrinterFont
{
    QString name;
    float size = 0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    bool operator==(const PrinterFont &) const = default;
};

// What a printer raises for a setting it cannot take or a failure while drawing. what() is
// English, for the command line; the desktop shows the Japanese text.
class PrinterError : public std::runtime_error
{
public:
    PrinterError(const QString &english, QString japanese)
        : std::runtime_error(english.toStdString()), m_japanese(std::move(japanese))
    {
    }
    const QString &japanese() const { return m_japanese; }

private:
    QString m_japanese;
};

enum class LineEnd
{
    No,
    Yes
};

// The shapes Line draws; the values are the flag codes a job's recording shows.
enum class LineForm : qint16
{
    TwoPoints = 4,           // from (x1, y1) to (x2, y2)
    PointAndOffset = 12,     // from (x1, y1) by the offset (x2, y2)
    BoxFromOffset = 28,      // the outline of the box from (x1, y1) by the offset (x2, y2)
    FilledBoxFromOffset = 60 // the same box filled black, without the pen's outline
};

// The part of the printable area the scale refers to, and how large a layout millimetre is
// drawn there: texts, pens and positions alike. It lets one page routine fill half a sheet or
// an enlarged page.
struct PageFrame
{
    float left = 0, top = 0;     // millimetres from the printable area's top-left corner
    float width = 0, height = 0; // millimetres
    float zoom = 1;              // paper millimetres per layout millimetre

    bool operator==(const PageFrame &) const = default;
};

// The printer object the drawing code works on: a page surface in millimetres with a current
// position, a font and a pen. Paper, copies and the like are the device's own, as the print
// dialog set them.
class PrinterObject
{
public:
    virtual ~PrinterObject() = default;

    // Millimetres; scaleLeft and scaleTop are the coordinates of the frame's top-left corner,
    // so that moving them moves everything drawn later, and scaleWidth and scaleHeight its
    // size in layout millimetres. The frame is the whole printable area at zoom 1 until set.
    virtual void setScaleLeft(float left) = 0;
    virtual void setScaleTop(float top) = 0;
    virtual float scaleLeft() const = 0;
    virtual float scaleTop() const = 0;
    virtual float scaleWidth() const = 0;
    virtual float scaleHeight() const = 0;
    virtual void setFrame(const PageFrame &frame) = 0;
    // The printable area in paper millimetres, whatever the frame.
    virtual float printableWidth() const = 0;
    virtual float printableHeight() const = 0;

    virtual float currentX() const = 0;
    virtual float currentY() const = 0;
    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;

    // Draws text at currentX/currentY (left edge, top of the line cell). Without a line end
    // currentX moves on by the text's width; with one, currentX returns to the left edge and
    // currentY moves down a line. The first output of a document begins it.
    virtual void print(const QString &text, LineEnd end = LineEnd::No) = 0;
    virtual float textWidth(const QString &text) = 0;
    virtual float textHeight(const QString &text) = 0;

    // The font of all text output; changes take effect with the next output or measurement.
    PrinterFont font;

    virtual void setFontTransparent(bool transparent) = 0;
    // The pen width in dots of 1/600 inch, on every device.
    virtual void setDrawWidth(qint16 dots) = 0;
    // A solid black line or box outline in the current draw width.
    virtual void line(LineForm form, float x1, float y1, float x2, float y2) = 0;

    // The title of a PDF, the job's name in a print queue; taken when the document begins.
    virtual void setDocumentName(const QString &) {}

    // Ends the page; later output goes to a new page. endDoc right after it adds no page.
    virtual void newPage() = 0;
    virtual void endDoc() = 0;
    // Abandons an unfinished document so that nothing of it is printed; the next output
    // begins a new one. Called when a job fails half-way.
    virtual void killDoc() {}

    virtual QString deviceName() const = 0;
};

using PrinterRef = std::shared_ptr<PrinterObject>;
