#include "PasteWindow.h"

#include "TextBox.h"
#include "Twips.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

PasteWindow::PasteWindow(QWidget *parent) : ToolWindow(parent)
{
    setWindowTitle(u"コピペから取り込む"_s);
    resize(twipsToPixels(4875), twipsToPixels(2775));

    textEdit = new TextBox(this);
    textEdit->setObjectName(u"textEdit"_s);
    textEdit->setFont(QFont(u"ＭＳ ゴシック"_s, 9));
    textEdit->setGeometry(twipRect(15, 15, 6195, 2000));
    textEdit->setTabChangesFocus(true); // Tab moves on to the buttons, as in a form

    runButton = new QPushButton(u"実行"_s, this);
    runButton->setObjectName(u"runButton"_s);
    runButton->setGeometry(twipRect(840, 2235, 1000, 450));
    runButton->setDefault(true);

    cancelButton = new QPushButton(u"キャンセル"_s, this);
    cancelButton->setObjectName(u"cancelButton"_s);
    cancelButton->setGeometry(twipRect(3315, 2235, 1000, 450));

    textEdit->setEnterButton(runButton);
    setTabOrder(textEdit, runButton);
    setTabOrder(runButton, cancelButton);
    textEdit->setFocus();

    connect(runButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QString PasteWindow::text() const
{
    return textEdit->text();
}

void PasteWindow::layOut(TwipSize outer)
{
    const PasteWindowLayout layout = layOutPasteWindow(outer);
    textEdit->resize(twipsToPixels(layout.textWidth), twipsToPixels(layout.textHeight));
    runButton->move(twipsToPixels(layout.runLeft), twipsToPixels(layout.runTop));
    cancelButton->move(twipsToPixels(layout.cancelLeft), twipsToPixels(layout.cancelTop));
}
