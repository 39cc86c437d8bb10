#include "AnnotationWindow.h"

#include "TextBox.h"
#include "Twips.h"

#include <QEvent>
#include <QPushButton>

using namespace Qt::StringLiterals;

AnnotationWindow::AnnotationWindow(QWidget *parent) : ToolWindow(parent)
{
    setWindowTitle(u"注記"_s);
    resize(twipsToPixels(6600), twipsToPixels(2145 + AnnotationButtonBand));

    textView = new TextBox(this);
    textView->setObjectName(u"textView"_s);
    textView->setFont(QFont(u"ＭＳ ゴシック"_s, 9));
    textView->setGeometry(twipRect(15, 15, 6195, 2000));
    textView->setReadOnly(true);

    closeButton = new QPushButton(u"閉じる"_s, this);
    closeButton->setObjectName(u"closeButton"_s);
    closeButton->resize(twipsToPixels(AnnotationButtonWidth),
                        twipsToPixels(AnnotationButtonHeight));
    closeButton->setAutoDefault(false);

    setTabOrder(textView, closeButton);
    textView->setFocus();

    connect(closeButton, &QPushButton::clicked, this, &AnnotationWindow::reject);
}

void AnnotationWindow::showText()
{
    textView->setText(annotation);
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

void AnnotationWindow::layOut(TwipSize outer)
{
    const AnnotationWindowLayout layout = layOutAnnotationWindow(outer);
    textView->resize(twipsToPixels(layout.textWidth), twipsToPixels(layout.textHeight));
    closeButton->move(twipsToPixels(layout.closeLeft), twipsToPixels(layout.closeTop));
}
