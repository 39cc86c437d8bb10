#pragma once

#include "ToolWindow.h"

class QPushButton;
class TextBox;

// The paste window: the user pastes mail text and hands it to the main window's LoadText.
// Accepted only through "実行"; "キャンセル", Esc and the close box all reject.
class PasteWindow : public ToolWindow
{
    Q_OBJECT

public:
    explicit PasteWindow(QString &loadText, QWidget *parent = nullptr);

    TextBox *textEdit = nullptr;
    QPushButton *runButton = nullptr;
    QPushButton *cancelButton = nullptr;

    void run();
    void cancel();

    void reject() override;

protected:
    void LayOut(TwipSize outer) override;

private:
    QString &m_loadText;
};
