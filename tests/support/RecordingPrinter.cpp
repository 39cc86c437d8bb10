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
    font.name = QStringLiteral("Courier New");
    font.size = 10;
}

QList<RecordedCall> RecordingPrinter::callsOf(const QString &member) const
{
    QList<RecordedCall> found;
    for (const RecordedCall &call : calls) {
        if (call.member == member)
            found.append(call);
    }
    return found;
}

int RecordingPrinter::pages() const
{
    int pages = 0, documentPages = 0, pendingBreaks = 0;
    bool open = false;
    for (const RecordedCall &call : calls) {
        if (call.member == QLatin1String("Print") || call.member == QLatin1String("Line")) {
            documentPages += (open ? 0 : 1) + pendingBreaks;
            open = true;
            pendingBreaks = 0;
        } else if (call.member == QLatin1String("NewPage")) {
            ++pendingBreaks;
        } else if (call.member == QLatin1String("EndDoc")) {
            if (open)
                pages += documentPages + std::max(0, pendingBreaks - 1);
            open = false;
            documentPages = pendingBreaks = 0;
        } else if (call.member == QLatin1String("KillDoc")) {
            open = false;
            documentPages = pendingBreaks = 0;
        }
    }
    return pages + documentPages;
}

void RecordingPrinter::record(const QString &member, QList<double> numbers, const QString &text)
{
    calls.append({member, text, std::move(numbers), m_x, m_y, font, m_drawWidth, m_frame});
}

void RecordingPrinter::output()
{
    if (failAtOutput > 0 && ++m_outputs == failAtOutput)
        throw PrinterError(QStringLiteral("the recording printer fails on purpose"),
                           QStringLiteral("記録用プリンタがわざと失敗しました"));
}

void RecordingPrinter::setScaleLeft(float left)
{
    record(QStringLiteral("SetScaleLeft"), {left});
    m_scaleLeft = left;
}

void RecordingPrinter::setScaleTop(float top)
{
    record(QStringLiteral("SetScaleTop"), {top});
    m_scaleTop = top;
}

void RecordingPrinter::setFrame(const PageFrame &frame)
{
    record(QStringLiteral("SetFrame"),
           {frame.left, frame.top, frame.width, frame.height, frame.zoom});
    m_frame = frame;
}

void RecordingPrinter::setCurrentX(float x)
{
    record(QStringLiteral("SetCurrentX"), {x});
    m_x = x;
}

void RecordingPrinter::setCurrentY(float y)
{
    record(QStringLiteral("SetCurrentY"), {y});
    m_y = y;
}

void RecordingPrinter::print(const QString &text, LineEnd end)
{
    output();
    record(QStringLiteral("Print"), {end == LineEnd::Yes ? 1.0 : 0.0}, text);
    if (end == LineEnd::Yes) {
        m_x = m_scaleLeft;
        m_y += textHeight(QStringLiteral(" "));
    } else {
        m_x += textWidth(text);
    }
}

float RecordingPrinter::textWidth(const QString &text)
{
    return float(CodePoints(text)) * font.size * widthPerPoint;
}

float RecordingPrinter::textHeight(const QString &)
{
    return font.size * heightPerPoint;
}

void RecordingPrinter::setFontTransparent(bool transparent)
{
    record(QStringLiteral("SetFontTransparent"), {transparent ? 1.0 : 0.0});
}

void RecordingPrinter::setDrawWidth(qint16 dots)
{
    record(QStringLiteral("SetDrawWidth"), {double(dots)});
    m_drawWidth = dots;
}

void RecordingPrinter::line(LineForm form, float x1, float y1, float x2, float y2)
{
    output();
    record(QStringLiteral("Line"), {double(form), x1, y1, x2, y2});
    const bool offset = form != LineForm::TwoPoints;
    m_x = offset ? x1 + x2 : x2;
    m_y = offset ? y1 + y2 : y2;
}

void RecordingPrinter::newPage()
{
    record(QStringLiteral("NewPage"));
}

void RecordingPrinter::endDoc()
{
    record(QStringLiteral("EndDoc"));
}

void RecordingPrinter::killDoc()
{
    record(QStringLiteral("KillDoc"));
}

RecordingPrinters::RecordingPrinters(const QStringList &deviceNames)
{
    for (const QString &name : deviceNames)
        m_all.append(std::make_shared<RecordingPrinter>(name));
}

std::shared_ptr<RecordingPrinter> RecordingPrinters::named(const QString &name) const
{
    for (const auto &printer : m_all) {
        if (printer->deviceName() == name)
            return printer;
    }
    return nullptr;
}
