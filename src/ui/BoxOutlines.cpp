#include "BoxOutlines.h"

#include <QPainter>

BoxOutlines::BoxOutlines(QWidget *window) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(window->rect());
}

void BoxOutlines::outline(QFrame *box, const QColor &colour)
{
    box->setFrameShape(QFrame::NoFrame);
    m_boxes.append({box, colour});
    update();
}

void BoxOutlines::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The colour styles such as Fusion give the frames of such boxes.
    const QColor grey = palette().color(QPalette::Window).darker(140);
    for (const auto &[box, own] : m_boxes) {
        if (!box || !box->isVisible())
            continue;
        const QColor colour = own.isValid() ? own : grey;
        // Filled rectangles of one logical pixel on the box's inner edge: whatever device
        // pixels they fall on are covered, where a line of width 1 may round to none.
        const QRectF r = box->geometry();
        painter.fillRect(QRectF(r.left(), r.top(), r.width(), 1), colour);
        painter.fillRect(QRectF(r.left(), r.bottom(), r.width(), 1), colour);
        painter.fillRect(QRectF(r.left(), r.top(), 1, r.height()), colour);
        painter.fillRect(QRectF(r.right(), r.top(), 1, r.height()), colour);
    }
}
