#include "frCopipe.h"

#include "TextBox.h"
#include "Twips.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

frCopipe::frCopipe(QString &loadText, QWidget *parent) : ToolWindow(parent), m_loadText(loadText)
{
    setWindowTitle(u"コピペから取り込む"_s);
    resize(TwipsToPixels(4875), TwipsToPixels(2775));

    txCopipe = new TextBox(this);
    txCopipe->setObjectName(u"txCopipe"_s);
    txCopipe->setFont(QFont(u"ＭＳ ゴシック"_s, 9));
    txCopipe->setGeometry(TwipRect(15, 15, 6195, 2000));
    txCopipe->setTabChangesFocus(true); // Tab moves on to the buttons, as in a form

    cmOK = new QPushButton(u"実行"_s, this);
    cmOK->setObjectName(u"cmOK"_s);
    cmOK->setGeometry(TwipRect(840, 2235, 1000, 450));
    cmOK->setDefault(true);

    cmNO = new QPushButton(u"キャンセル"_s, this);
    cmNO->setObjectName(u"cmNO"_s);
    cmNO->setGeometry(TwipRect(3315, 2235, 1000, 450));

    txCopipe->SetEnterButton(cmOK);
    setTabOrder(txCopipe, cmOK);
    setTabOrder(cmOK, cmNO);
    txCopipe->setFocus();

    connect(cmOK, &QPushButton::clicked, this, &frCopipe::cmOK_Click);
    connect(cmNO, &QPushButton::clicked, this, &frCopipe::cmNO_Click);
}

void frCopipe::cmOK_Click()
{
    m_loadText = txCopipe->Text();
    accept();
}

void frCopipe::cmNO_Click()
{
    m_loadText.clear();
    QDialog::reject();
}

// Esc and the close box act as "キャンセル", so that no way of leaving the window parses old
// text again.
void frCopipe::reject()
{
    cmNO_Click();
}

void frCopipe::LayOut(TwipSize outer)
{
    const CopipeLayout layout = LayoutCopipe(outer);
    txCopipe->resize(TwipsToPixels(layout.TextWidth), TwipsToPixels(layout.TextHeight));
    cmOK->move(TwipsToPixels(layout.OkLeft), TwipsToPixels(layout.OkTop));
    cmNO->move(TwipsToPixels(layout.NoLeft), TwipsToPixels(layout.NoTop));
}
