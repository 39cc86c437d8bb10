#pragma once

#include <QFrame>
#include <QList>
#include <QPointer>
#include <QWidget>

// Draws the outlines of boxes (a list, a text box, a framed label) over every other control
// of their window. Drawn by the boxes themselves, at a fractional screen scale the outline
// falls on device pixels that the contents paint over or that lie outside the box, and
// vanishes.
class BoxOutlines final : public QWidget
{
public:
    // Covers the whole window; raise it above the boxes once they are made.
    explicit BoxOutlines(QWidget *window);

    // Takes over the box's outline: the box draws none of its own from now on. Without a
    // colour, the grey that styles such as Fusion give sunken boxes.
    void outline(QFrame *box, const QColor &colour = QColor());

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Box
    {
        QPointer<QFrame> frame;
        QColor colour;
    };
    QList<Box> m_boxes;
};
