#pragma once

#include <QStyledItemDelegate>

// Draws an issue of the list on two lines: the check box, the title and below it the date the
// mail was sent; a printed issue has 「印刷済」 and its last print date at the right.
class IssueListDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

// The sending date as the list shows it: the date in the mail's own time zone, with two
// digits of the year when the row is narrow, or the header's text when it is no date.
QString listedSendDate(const QString &sendTime, bool shortYear);
