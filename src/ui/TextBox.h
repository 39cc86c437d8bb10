#pragma once

#include <QPlainTextEdit>

class QAbstractButton;

// A multi-line text box with a vertical scroll bar whose text is exchanged with CR LF line
// breaks, the form the intake splits and the preview builds.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

    // Enter presses this button instead of breaking the line; Ctrl+Enter breaks the line.
    void setEnterButton(QAbstractButton *button) { m_enterButton = button; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAbstractButton *m_enterButton = nullptr;
    // The text as set, handed back while nobody edited it: the document would turn
    // no-break spaces into spaces.
    QString m_setText;
    bool m_edited = true;
};
