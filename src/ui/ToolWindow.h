#pragma once

#include "ToolWindowLayout.h"

#include <QDialog>

// A sizable tool window: small title bar with a close box only, kept out of the taskbar,
// centred on the screen when shown, and never smaller than the minimum outer size.
class ToolWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ToolWindow(QWidget *parent = nullptr);

    // Outer size, frame and title bar included, in twips.
    TwipSize outerSize() const;
    // Resizes the window so that its outer size becomes the given one.
    void setOuterSize(TwipSize outer);

protected:
    // Lays the controls out for the given (snapped) outer size.
    virtual void layOut(TwipSize outer) = 0;

    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void keepMinimumSize();
};
