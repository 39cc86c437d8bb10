#include "RecordingPrinter.h"

namespace {

qsizetype CodePoints(const QString &text)
{
    return text.toUcs4().size();
}

} // namespace

RecordingPrinter::RecordingPrinter(QString deviceName, float printableWidth, float printableHeight)
    : m_deviceName(std::move(deviceName)), m_width(printableWidth),
      m_height(printableHeight), m_frame{0, 0, printableWidth, printableHeight, 1}
{
    Font.Name = QStringLiteral("Courier New");
    Font.Size = 10;
}

QList<RecordedCall> RecordingPrinter::CallsOf(const QString &member) const
{
    QList<RecordedCall> found;
    for (const RecordedCall &call : Calls) {
        if (call.Member == member)
            found.append(call);
    }
    return found;
}

int RecordingPrinter::Pages() const
{
    int pages = 0, documentPages = 0, pendingBreaks = 0;
    bool open = false;
    for (const RecordedCall &call : Calls) {
        if (call.Member == QLatin1String("Print") || call.Member == QLatin1String("Line")) {
            documentPages += (open ? 0 : 1) + pendingBreaks;
            open = true;
            pendingBreaks = 0;
        } else if (call.Member == QLatin1String("NewPage")) {
            ++pendingBreaks;
        } else if (call.Member == QLatin1String("EndDoc")) {
            if (open)
                pages += documentPages + std::max(0, pendingBreaks - 1);
            open = false;
            documentPages = pendingBreaks = 0;
        } else if (call.Member == QLatin1String("KillDoc")) {
            open = false;
            documentPages = pendingBreaks = 0;
        }
    }
    return pages + documentPages;
}

void RecordingPrinter::Record(const QString &member, QList<double> numbers, const QString &text)
{
    Calls.append({member, text, std::move(numbers), m_x, m_y, Font, m_drawWidth, m_frame});
}

void RecordingPrinter::Output()
{
    if (FailAtOutput > 0 && ++m_outputs == FailAtOutput)
        throw PrinterError(QStringLiteral("the recording printer fails on purpose"),
                           QStringLiteral("記録用プリンタがわざと失敗しました"));
}

void RecordingPrinter::SetScaleLeft(float left)
{
    Record(QStringLiteral("SetScaleLeft"), {left});
    m_scaleLeft = left;
}

void RecordingPrinter::SetScaleTop(float top)
{
    Record(QStringLiteral("SetScaleTop"), {top});
    m_scaleTop = top;
}

void RecordingPrinter::SetFrame(const PageFrame &frame)
{
    Record(QStringLiteral("SetFrame"),
           {frame.Left, frame.Top, frame.Width, frame.Height, frame.Zoom});
    m_frame = frame;
}

void RecordingPrinter::SetCurrentX(float x)
{
    Record(QStringLiteral("SetCurrentX"), {x});
    m_x = x;
}

void RecordingPrinter::SetCurrentY(float y)
{
    Record(QStringLiteral("SetCurrentY"), {y});
    m_y = y;
}

void RecordingPrinter::Print(const QString &text, LineEnd end)
{
    Output();
    Record(QStringLiteral("Print"), {end == LineEnd::Yes ? 1.0 : 0.0}, text);
    if (end == LineEnd::Yes) {
        m_x = m_scaleLeft;
        m_y += TextHeight(QStringLiteral(" "));
    } else {
        m_x += TextWidth(text);
    }
}

float RecordingPrinter::TextWidth(const QString &text)
{
    return float(CodePoints(text)) * Font.Size * WidthPerPoint;
}

float RecordingPrinter::TextHeight(const QString &)
{
    return Font.Size * HeightPerPoint;
}

void RecordingPrinter::SetFontTransparent(bool transparent)
{
    Record(QStringLiteral("SetFontTransparent"), {transparent ? 1.0 : 0.0});
}

void RecordingPrinter::SetDrawWidth(qint16 dots)
{
    Record(QStringLiteral("SetDrawWidth"), {double(dots)});
    m_drawWidth = dots;
}

void RecordingPrinter::Line(LineForm form, float x1, float y1, float x2, float y2)
{
    Output();
    Record(QStringLiteral("Line"), {double(form), x1, y1, x2, y2});
    const bool offset = form != LineForm::TwoPoints;
    m_x = offset ? x1 + x2 : x2;
    m_y = offset ? y1 + y2 : y2;
}

void RecordingPrinter::NewPage()
{
    Record(QStringLiteral("NewPage"));
}

void RecordingPrinter::EndDoc()
{
    Record(QStringLiteral("EndDoc"));
}

void RecordingPrinter::KillDoc()
{
    Record(QStringLiteral("KillDoc"));
}

RecordingPrinters::RecordingPrinters(const QStringList &deviceNames)
{
    for (const QString &name : deviceNames)
        m_all.append(std::make_shared<RecordingPrinter>(name));
}

std::shared_ptr<RecordingPrinter> RecordingPrinters::Named(const QString &name) const
{
    for (const auto &printer : m_all) {
        if (printer->DeviceName() == name)
            return printer;
    }
    return nullptr;
}
