#include "frTyuuki.h"

#include "TextBox.h"
#include "Twips.h"

#include <QEvent>
#include <QPushButton>

using namespace Qt::StringLiterals;

frTyuuki::frTyuuki(QWidget *parent) : ToolWindow(parent)
{
    setWindowTitle(u"注記"_s);
    resize(TwipsToPixels(6600), TwipsToPixels(2145));

    txTyuuki = new TextBox(this);
    txTyuuki->setObjectName(u"txTyuuki"_s);
    txTyuuki->setFont(QFont(u"ＭＳ ゴシック"_s, 9));
    txTyuuki->setGeometry(TwipRect(15, 15, 6195, 2000));
    txTyuuki->setReadOnly(true);

    // Drawn over the text box, whose area contains it, so that it can be clicked.
    Command1 = new QPushButton(u"Command1"_s, this);
    Command1->setObjectName(u"Command1"_s);
    Command1->setGeometry(TwipRect(3975, 1200, 870, 390));
    Command1->setAutoDefault(false);
    Command1->raise();

    setTabOrder(txTyuuki, Command1);
    txTyuuki->setFocus();

    connect(Command1, &QPushButton::clicked, this, &frTyuuki::Command1_Click);
}

void frTyuuki::Form_Activate()
{
    txTyuuki->SetText(t);
}

void frTyuuki::Command1_Click()
{
    reject();
}

bool frTyuuki::event(QEvent *event)
{
    // Once per showing: becoming active again after another application does not count.
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        Form_Activate();
    } else if (event->type() == QEvent::Hide) {
        m_activated = false;
    }
    return ToolWindow::event(event);
}

void frTyuuki::LayOut(TwipSize outer)
{
    const TyuukiLayout layout = LayoutTyuuki(outer);
    txTyuuki->resize(TwipsToPixels(layout.TextWidth), TwipsToPixels(layout.TextHeight));
}
