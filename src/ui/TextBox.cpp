#include "TextBox.h"

#include <QAbstractButton>
#include <QKeyEvent>

using namespace Qt::StringLiterals;

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { m_edited = true; });
}

QString TextBox::text() const
{
    if (!m_edited)
        return m_setText;
    QString text = toPlainText();
    text.replace(u'\n', u"\r\n"_s);
    return text;
}

void TextBox::setText(const QString &text)
{
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    setPlainText(shown);
    m_setText = text;
    m_edited = false;
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_enterButton) {
        if (event->modifiers() & Qt::ControlModifier)
            insertPlainText(u"\n"_s);
        else if (m_enterButton->isEnabled())
            m_enterButton->click();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
