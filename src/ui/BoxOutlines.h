#pragma once

#include <QFrame>
#include <QList>
#include <QPointer>
#include <QWidget>

// Draws the outlines of boxes with scrolling contents (a list, a text box) over every other
// control of their window. Drawn by the boxes themselves, at a fractional screen scale the
// outline falls on device pixels that the contents paint over, and vanishes.
class BoxOutlines final : public QWidget
{
public:
    // Covers the whole window; raise it above the boxes once they are made.
    explicit BoxOutlines(QWidget *window);

    // Takes over the box's outline: the box draws none of its own from now on.
    void Outline(QFrame *box);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<QPointer<QFrame>> m_boxes;
};
