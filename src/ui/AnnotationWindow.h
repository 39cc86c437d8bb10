#pragma once

#include "ToolWindow.h"

class QPushButton;
class TextBox;

// The annotation window: shows an issue's annotation, read-only, until closed by its button
// 「閉じる」 below the text, Esc or the close box.
class AnnotationWindow : public ToolWindow
{
    Q_OBJECT

public:
    explicit AnnotationWindow(QWidget *parent = nullptr);

    // The text shown; set before the window is shown, read when it becomes active.
    QString annotation;

    void showText();

protected:
    void layOut(TwipSize outer) override;
    bool event(QEvent *event) override;

private:
    TextBox *textView = nullptr;
    QPushButton *closeButton = nullptr;
    bool m_activated = false;
};
