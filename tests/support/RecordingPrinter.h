#pragma once

#include "PrinterObject.h"

#include <QList>
#include <QString>

#include <memory>

// One call made on a RecordingPrinter, with the state it was made in.
struct RecordedCall
{
    QString member;        // "Print", "Line", "newPage", "setDrawWidth", ...
    QString text;          // Print: the text
    QList<double> numbers; // the numeric arguments, in order
    float X = 0, Y = 0;    // currentX/currentY when the call was made
    PrinterFont font;      // the font in force
    qint16 drawWidth = 0;  // the pen width in force
    PageFrame frame;       // the frame in force
};

// A printer that draws nothing and records every call. Text metrics are deterministic: every
// character (code point) is 0.3 mm wide per point of font size, a line is 0.5 mm high per
// point, so an 11 pt character is 3.3 mm wide and 5.5 mm high. Positions are kept in
// millimetres, on a printable area of the given size.
class RecordingPrinter final : public PrinterObject
{
public:
    explicit RecordingPrinter(QString deviceName = QStringLiteral("Recorder"),
                              float printableWidth = 200, float printableHeight = 287);

    static constexpr float widthPerPoint = 0.3f;
    static constexpr float heightPerPoint = 0.5f;

    QList<RecordedCall> calls;
    QList<RecordedCall> callsOf(const QString &member) const;
    QList<RecordedCall> prints() const { return callsOf(QStringLiteral("Print")); }
    QList<RecordedCall> lines() const { return callsOf(QStringLiteral("Line")); }
    // Pages of the document so far: breaks with output after them count, as on a printer.
    int pages() const;

    // Raised by the nth Print or Line (1-based), to simulate a failure while drawing.
    int failAtOutput = 0;

    void setScaleLeft(float left) override;
    void setScaleTop(float top) override;
    float scaleLeft() const override { return m_scaleLeft; }
    float scaleTop() const override { return m_scaleTop; }
    float scaleWidth() const override { return m_frame.width / m_frame.zoom; }
    float scaleHeight() const override { return m_frame.height / m_frame.zoom; }
    void setFrame(const PageFrame &frame) override;
    float printableWidth() const override { return m_width; }
    float printableHeight() const override { return m_height; }

    float currentX() const override { return m_x; }
    float currentY() const override { return m_y; }
    void setCurrentX(float x) override;
    void setCurrentY(float y) override;

    void print(const QString &text, LineEnd end = LineEnd::No) override;
    float textWidth(const QString &text) override;
    float textHeight(const QString &text) override;

    void setFontTransparent(bool transparent) override;
    void setDrawWidth(qint16 dots) override;
    void line(LineForm form, float x1, float y1, float x2, float y2) override;

    void newPage() override;
    void endDoc() override;
    void killDoc() override;

    QString deviceName() const override { return m_deviceName; }

private:
    void record(const QString &member, QList<double> numbers = {}, const QString &text = {});
    void output();

    QString m_deviceName;
    float m_width, m_height;
    PageFrame m_frame;
    float m_scaleLeft = 0, m_scaleTop = 0;
    float m_x = 0, m_y = 0;
    qint16 m_drawWidth = 1;
    int m_outputs = 0;
};

// Printers by name for the scripted print dialog to hand out.
class RecordingPrinters
{
public:
    explicit RecordingPrinters(const QStringList &deviceNames);

    std::shared_ptr<RecordingPrinter> at(qsizetype i) const { return m_all.at(i); }
    // The printer of that name; null for none.
    std::shared_ptr<RecordingPrinter> named(const QString &name) const;
    qsizetype size() const { return m_all.size(); }

private:
    QList<std::shared_ptr<RecordingPrinter>> m_all;
};
