#include "ToolWindow.h"

#include "Twips.h"

#include <QScreen>

ToolWindow::ToolWindow(QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setSizeGripEnabled(false);
    setFont(WindowDefaultFont());
}

TwipSize ToolWindow::OuterSize() const
{
    const QSize outer = frameGeometry().size();
    return {float(outer.width() * TwipsPerPixel), float(outer.height() * TwipsPerPixel)};
}

void ToolWindow::SetOuterSize(TwipSize outer)
{
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(TwipsToPixels(outer.Width) - frame.width(),
           TwipsToPixels(outer.Height) - frame.height());
}

void ToolWindow::keepMinimumSize()
{
    if (isMinimized())
        return;
    const TwipSize outer = OuterSize();
    const TwipSize snapped = SnapToMinimumSize(outer);
    if (snapped != outer)
        SetOuterSize(snapped);
    LayOut(snapped);
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
