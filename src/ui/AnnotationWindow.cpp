#include "AnnotationWindow.h"

#include "TextBox.h"
#include "Twips.h"

#include <QEvent>
#include <QPushButton>

using namespace Qt::StringLiterals;

AnnotationWindow::AnnotationWindow(QWidget *parent) : ToolWindow(parent)
{
    setWindowTitle(u"注記"_s);
    resize(TwipsToPixels(6600), TwipsToPixels(2145 + AnnotationButtonBand));

    textView = new TextBox(this);
    textView->setObjectName(u"textView"_s);
    textView->setFont(QFont(u"ＭＳ ゴシック"_s, 9));
    textView->setGeometry(TwipRect(15, 15, 6195, 2000));
    textView->setReadOnly(true);

    closeButton = new QPushButton(u"閉じる"_s, this);
    closeButton->setObjectName(u"closeButton"_s);
    closeButton->resize(TwipsToPixels(AnnotationButtonWidth),
                        TwipsToPixels(AnnotationButtonHeight));
    closeButton->setAutoDefault(false);

    setTabOrder(textView, closeButton);
    textView->setFocus();

    connect(closeButton, &QPushButton::clicked, this, &AnnotationWindow::reject);
}

void AnnotationWindow::showText()
{
    textView->SetText(annotation);
}

bool AnnotationWindow::event(QEvent *event)
{
    // Once per showing: becoming active again after another application does not count.
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        showText();
    } else if (event->type() == QEvent::Hide) {
        m_activated = false;
    }
    return ToolWindow::event(event);
}

void AnnotationWindow::LayOut(TwipSize outer)
{
    const AnnotationWindowLayout layout = LayOutAnnotationWindow(outer);
    textView->resize(TwipsToPixels(layout.TextWidth), TwipsToPixels(layout.TextHeight));
    closeButton->move(TwipsToPixels(layout.CloseLeft), TwipsToPixels(layout.CloseTop));
}
