#include "PrintLayoutTab.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

PrintLayoutTab::PrintLayoutTab(const PrintOptions &options, QWidget *parent)
    : QWidget(parent), m_placement(options.placement)
{
    setObjectName(u"printLayoutTab"_s);
    setWindowTitle(u"レイアウト"_s); // the tab's caption

    auto *group = new QGroupBox(u"1 枚の用紙に"_s, this);
    auto *groupLayout = new QVBoxLayout(group);
    static constexpr const char16_t *captions[] = {u"1 問を印刷する", u"2 問を左右に並べて印刷する",
                                                   u"1 問を用紙いっぱいに拡大して印刷する"};
    for (size_t i = 0; i < layoutButtons.size(); ++i) {
        layoutButtons[i] = new QRadioButton(QString::fromUtf16(captions[i]), group);
        layoutButtons[i]->setObjectName(u"layoutButton"_s + QString::number(i));
        groupLayout->addWidget(layoutButtons[i]);
    }
    layoutButtons[std::min(size_t(options.layout), layoutButtons.size() - 1)]->setChecked(true);

    cellsBox =
        new QCheckBox(u"マス目をメールのとおりに印刷する（■は黒く塗り、文字は書き込む）"_s, this);
    cellsBox->setObjectName(u"cellsBox"_s);
    cellsBox->setChecked(options.cells);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(cellsBox);
    layout->addStretch();
}

PrintOptions PrintLayoutTab::options() const
{
    PageLayout chosen = PageLayout::Single;
    for (size_t i = 0; i < layoutButtons.size(); ++i) {
        if (layoutButtons[i]->isChecked())
            chosen = PageLayout(i);
    }
    return {m_placement, chosen, cellsBox->isChecked()};
}
