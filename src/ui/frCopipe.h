#pragma once

#include "ToolWindow.h"

class QPushButton;
class TextBox;

// The paste window: the user pastes mail text and hands it to the main window's LoadText.
// Accepted only through "実行"; "キャンセル", Esc and the close box all reject.
class frCopipe : public ToolWindow
{
    Q_OBJECT

public:
    explicit frCopipe(QString &loadText, QWidget *parent = nullptr);

    TextBox *txCopipe = nullptr;
    QPushButton *cmOK = nullptr;
    QPushButton *cmNO = nullptr;

    void cmOK_Click();
    void cmNO_Click();

    void reject() override;

protected:
    void LayOut(TwipSize outer) override;

private:
    QString &m_loadText;
};
