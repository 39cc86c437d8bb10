#pragma once

#include "ToolWindow.h"

class QPushButton;
class TextBox;

// The annotation window: shows t, read-only, until closed by Command1, Esc or the close box.
class frTyuuki : public ToolWindow
{
    Q_OBJECT

public:
    explicit frTyuuki(QWidget *parent = nullptr);

    QString t;

    TextBox *txTyuuki = nullptr;
    QPushButton *Command1 = nullptr;

    void Form_Activate();
    void Command1_Click();

protected:
    void LayOut(TwipSize outer) override;
    bool event(QEvent *event) override;

private:
    bool m_activated = false;
};
