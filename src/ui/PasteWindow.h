#pragma once

#include "ToolWindow.h"

class QPushButton;
class TextBox;

// The paste window: the user pastes mail text for the main window to load.
// Accepted only through "実行"; "キャンセル", Esc and the close box all reject.
class PasteWindow : public ToolWindow
{
    Q_OBJECT

public:
    explicit PasteWindow(QWidget *parent = nullptr);

    // The text as typed, its lines joined by CR LF.
    QString text() const;

protected:
    void layOut(TwipSize outer) override;

private:
    TextBox *textEdit = nullptr;
    QPushButton *runButton = nullptr;
    QPushButton *cancelButton = nullptr;
};
