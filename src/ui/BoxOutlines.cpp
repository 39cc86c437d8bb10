#include "BoxOutlines.h"

#include <QPainter>

BoxOutlines::BoxOutlines(QWidget *window) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(window->rect());
}

void BoxOutlines::Outline(QFrame *box)
{
    box->setFrameShape(QFrame::NoFrame);
    m_boxes.append(box);
    update();
}

void BoxOutlines::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The colour styles such as Fusion give the frames of such boxes.
    const QColor colour = palette().color(QPalette::Window).darker(140);
    for (const QPointer<QFrame> &box : m_boxes) {
        if (!box || !box->isVisible())
            continue;
        // Filled rectangles of one logical pixel on the box's inner edge: whatever device
        // pixels they fall on are covered, where a line of width 1 may round to none.
        const QRectF r = box->geometry();
        painter.fillRect(QRectF(r.left(), r.top(), r.width(), 1), colour);
        painter.fillRect(QRectF(r.left(), r.bottom(), r.width(), 1), colour);
        painter.fillRect(QRectF(r.left(), r.top(), 1, r.height()), colour);
        painter.fillRect(QRectF(r.right(), r.top(), 1, r.height()), colour);
    }
}
