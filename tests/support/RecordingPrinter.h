#pragma once

#include "PrinterObject.h"

#include <QList>
#include <QString>

#include <memory>

// One call made on a RecordingPrinter, with the state it was made in.
struct RecordedCall
{
    QString Member;        // "Print", "Line", "NewPage", "SetDrawWidth", ...
    QString Text;          // Print: the text
    QList<double> Numbers; // the numeric arguments, in order
    float X = 0, Y = 0;    // CurrentX/CurrentY when the call was made
    PrinterFont Font;      // the font in force
    qint16 DrawWidth = 0;  // the pen width in force
    PageFrame Frame;       // the frame in force
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

    static constexpr float WidthPerPoint = 0.3f;
    static constexpr float HeightPerPoint = 0.5f;

    QList<RecordedCall> Calls;
    QList<RecordedCall> CallsOf(const QString &member) const;
    QList<RecordedCall> Prints() const { return CallsOf(QStringLiteral("Print")); }
    QList<RecordedCall> Lines() const { return CallsOf(QStringLiteral("Line")); }
    // Pages of the document so far: breaks with output after them count, as on a printer.
    int Pages() const;

    // Raised by the nth Print or Line (1-based), to simulate a failure while drawing.
    int FailAtOutput = 0;

    void SetScaleLeft(float left) override;
    void SetScaleTop(float top) override;
    float ScaleLeft() const override { return m_scaleLeft; }
    float ScaleTop() const override { return m_scaleTop; }
    float ScaleWidth() const override { return m_frame.Width / m_frame.Zoom; }
    float ScaleHeight() const override { return m_frame.Height / m_frame.Zoom; }
    void SetFrame(const PageFrame &frame) override;
    float PrintableWidth() const override { return m_width; }
    float PrintableHeight() const override { return m_height; }

    float CurrentX() const override { return m_x; }
    float CurrentY() const override { return m_y; }
    void SetCurrentX(float x) override;
    void SetCurrentY(float y) override;

    void Print(const QString &text, LineEnd end = LineEnd::No) override;
    float TextWidth(const QString &text) override;
    float TextHeight(const QString &text) override;

    void SetFontTransparent(bool transparent) override;
    void SetDrawWidth(qint16 dots) override;
    void Line(LineForm form, float x1, float y1, float x2, float y2) override;

    void NewPage() override;
    void EndDoc() override;
    void KillDoc() override;

    QString DeviceName() const override { return m_deviceName; }
    QString DriverName() const override { return QStringLiteral("winspool"); }
    QString Port() const override { return QStringLiteral("LPT1:"); }

private:
    void Record(const QString &member, QList<double> numbers = {}, const QString &text = {});
    void Output();

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

    std::shared_ptr<RecordingPrinter> At(qsizetype i) const { return m_all.at(i); }
    // The printer of that name; null for none.
    std::shared_ptr<RecordingPrinter> Named(const QString &name) const;
    qsizetype size() const { return m_all.size(); }

private:
    QList<std::shared_ptr<RecordingPrinter>> m_all;
};
