#include "IssueListDelegate.h"

#include "IssueListModel.h"

#include <QApplication>
#include <QDateTime>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

constexpr int Padding = 3;

QFont smallFont(const QFont &font)
{
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() * 0.85);
    return small;
}

} // namespace

QString listedSendDate(const QString &sendTime, bool shortYear)
{
    const QDateTime sent = QDateTime::fromString(sendTime.simplified(), Qt::RFC2822Date);
    if (!sent.isValid())
        return sendTime.simplified();
    return sent.toString(shortYear ? u"yy/MM/dd"_s : u"yyyy/MM/dd"_s);
}

void IssueListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    // Where the default delegate puts it, so that its click and key handling find it.
    const QRect check = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
    QStyleOptionViewItem box = opt;
    box.rect = check;
    box.state = box.state & ~QStyle::State_HasFocus;
    box.state |= opt.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);

    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        opt.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    const QColor text =
        opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    QColor quiet = text;
    quiet.setAlphaF(0.6f);
    const QColor printedColour = selected ? text : QColor(0, 110, 40);

    const QFont small = smallFont(opt.font);
    const QFontMetrics titleMetrics(opt.font);
    const QFontMetrics smallMetrics(small);
    QRect area =
        opt.rect.adjusted(check.right() + 1 - opt.rect.left() + Padding, Padding / 2, -Padding, 0);
    const QRect first(area.left(), area.top(), area.width(), titleMetrics.height());
    const QRect second(area.left(), first.bottom() + 1, area.width(), smallMetrics.height());

    painter->save();
    int printedWidth = 0;
    const QDateTime printed =
        index.data(IssueListModel::LastPrintedRole).toDateTime().toLocalTime();
    if (printed.isValid()) {
        const QString mark = u"印刷済"_s;
        // The year goes first when the row is narrow: the title needs the room more.
        QString date = printed.toString(u"yyyy/MM/dd"_s);
        if (area.width() - smallMetrics.horizontalAdvance(date) < 8 * titleMetrics.height())
            date = printed.toString(u"MM/dd"_s);
        printedWidth =
            std::max(smallMetrics.horizontalAdvance(mark), smallMetrics.horizontalAdvance(date));
        painter->setPen(printedColour);
        painter->setFont(small);
        painter->drawText(first, Qt::AlignRight | Qt::AlignVCenter, mark);
        painter->drawText(second, Qt::AlignRight | Qt::AlignVCenter, date);
        printedWidth += Padding;
    }
    painter->setFont(opt.font);
    painter->setPen(text);
    const int room = area.width() - printedWidth;
    painter->drawText(first.adjusted(0, 0, -printedWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      titleMetrics.elidedText(opt.text, Qt::ElideRight, room));
    painter->setFont(small);
    painter->setPen(quiet);
    const QString sendTime = index.data(IssueListModel::SendTimeRole).toString();
    QString sent = listedSendDate(sendTime, false);
    if (smallMetrics.horizontalAdvance(sent) > room)
        sent = listedSendDate(sendTime, true);
    painter->drawText(second.adjusted(0, 0, -printedWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      smallMetrics.elidedText(sent, Qt::ElideRight, room));
    painter->restore();

    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.rect = opt.rect;
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

QSize IssueListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const int height = QFontMetrics(option.font).height() +
                       QFontMetrics(smallFont(option.font)).height() + Padding + 1;
    return {option.rect.width(), height};
}
