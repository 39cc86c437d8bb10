#pragma once

#include "PrinterObject.h"

#include <QString>

#include <utility>

// The text primitives of the print job. All of them act on PrintTarget.
namespace KesaPrt {

// The printer that all drawing goes to.
extern PrinterRef PrintTarget;

// Brings PrintTarget into the known drawing state of a job and begins its document.
void InitPrinter();

// One line of text against y, between left and right. Alignment code: tens digit 1 or more
// puts the bottom of the text at y; units digit 0 left, 1 right, 2 centre, 3 spread, other
// keeps CurrentX.
void PrintTextAt(float left, float right, float y, const QString &text, qint16 alignment);

// One line of text in a box. Tens digit 0 top, 1 bottom, 2 middle, other keeps CurrentY;
// units digit as for PrintTextAt, spreading keeps 0.5 free at each side.
void PrintTextInBox(float left, float right, float top, float bottom, const QString &text,
                    qint16 alignment);

// Empty name, size 0 and style 1 leave that attribute unchanged; style 0 is off, other on.
void SetPrinterFont(const QString &name, qint16 size, qint16 bold, qint16 italic,
                    qint16 underline, qint16 strikethrough);

// Points PrintTarget at a printer for one job and puts the previous one back when the job
// ends, however it ends.
class PrintTargetScope
{
public:
    explicit PrintTargetScope(PrinterRef target) : m_saved(std::exchange(PrintTarget, std::move(target)))
    {
    }
    ~PrintTargetScope() { PrintTarget = m_saved; }
    PrintTargetScope(const PrintTargetScope &) = delete;
    PrintTargetScope &operator=(const PrintTargetScope &) = delete;

private:
    PrinterRef m_saved;
};

} // namespace KesaPrt
