#include "ToolWindow.h"

#include "Twips.h"

#include <QScreen>

ToolWindow::ToolWindow(QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setSizeGripEnabled(false);
    setFont(windowDefaultFont());
}

TwipSize ToolWindow::outerSize() const
{
    const QSize outer = frameGeometry().size();
    return {float(outer.width() * TwipsPerPixel), float(outer.height() * TwipsPerPixel)};
}

void ToolWindow::setOuterSize(TwipSize outer)
{
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(twipsToPixels(outer.width) - frame.width(),
           twipsToPixels(outer.height) - frame.height());
}

void ToolWindow::keepMinimumSize()
{
    if (isMinimized())
        return;
    const TwipSize outer = outerSize();
    const TwipSize snapped = snapToMinimumSize(outer);
    if (snapped != outer)
        setOuterSize(snapped);
    layOut(snapped);
}

void ToolWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    keepMinimumSize();
}

void ToolWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    keepMinimumSize();
}
