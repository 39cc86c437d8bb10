#include "MainWindowLayout.h"

#include "Twips.h"

#include <algorithm>

namespace {

constexpr int Gap = 3;
constexpr int ButtonHeight = 23;

// A rule one pixel high from 105 to 6420 twips, both ends drawn, widened by the extra width.
QRect rule(double top, int extraWidth)
{
    return QRect(twipsToPixels(105), twipsToPixels(top), twipsToPixels(6315) + 1 + extraWidth, 1);
}

} // namespace

QSize mainWindowBaseSize()
{
    return {twipsToPixels(6600), twipsToPixels(6000)};
}

MainWindowLayout layOutMainWindow(QSize client)
{
    const QSize base = mainWindowBaseSize();
    const int dw = std::max(0, client.width() - base.width());
    const int dh = std::max(0, client.height() - base.height());
    const int listGrowth = dw / 2;
    const int previewGrowth = dw - listGrowth;
    const int hintGrowth = dh / 3;
    // Controls centred on the window stay centred.
    const QPoint centred(dw / 2, 0);
    const QPoint down(0, dh);

    MainWindowLayout l;
    // The two ways to load a file or a paste, moved left to make room for the third, mail.
    l.openFilesButton = twipRect(330, 75, 1995, 555).translated(centred);
    l.pasteButton = twipRect(2445, 75, 1815, 555).translated(centred);
    l.receiveButton = twipRect(4380, 75, 1890, 555).translated(centred);
    l.loadArrow = twipRect(105, 765, 6330, 405).adjusted(0, 0, dw, 0);
    l.upperRule = rule(915, dw);

    // The list's column: the search field, the list, and its buttons above the lower rule.
    const QRect column = twipRect(105, 1185, 1875, 3600).adjusted(0, 0, listGrowth, dh);
    l.searchField = QRect(column.left(), column.top(), column.width(), 22);
    const int perRow =
        std::clamp((column.width() + Gap) / (twipsToPixels(1875) + Gap), 1, ListButtonCount);
    const int rows = (ListButtonCount + perRow - 1) / perRow;
    const int buttonWidth = (column.width() - (perRow - 1) * Gap) / perRow;
    const int buttonsTop = column.bottom() + 1 - rows * ButtonHeight - (rows - 1) * Gap;
    for (int i = 0; i < ListButtonCount; ++i) {
        const int row = i / perRow;
        const int col = i % perRow;
        l.listButtons.append(QRect(column.left() + col * (buttonWidth + Gap),
                                   buttonsTop + row * (ButtonHeight + Gap), buttonWidth,
                                   ButtonHeight));
    }
    const int listTop = l.searchField.bottom() + 1 + Gap;
    l.issueList = QRect(column.left(), listTop, column.width(), buttonsTop - Gap - listTop);

    const QPoint right(listGrowth, 0);
    l.titleLabel =
        twipRect(2070, 1215, 4410, 285).translated(right).adjusted(0, 0, previewGrowth, 0);
    l.sizeLabel =
        twipRect(2070, 1515, 4410, 285).translated(right).adjusted(0, 0, previewGrowth, 0);
    l.hintView =
        twipRect(2070, 1860, 4410, 795).translated(right).adjusted(0, 0, previewGrowth, hintGrowth);
    l.commentView = twipRect(2070, 2685, 4410, 1215)
                        .translated(right)
                        .adjusted(0, hintGrowth, previewGrowth, dh);
    // Centred under the preview, as designed.
    l.annotationButton = twipRect(3450, 4095, 1650, 375).translated(down + right);
    l.annotationButton.translate(previewGrowth / 2, 0);

    l.lowerRule = rule(4860, dw).translated(down);
    l.printArrow = twipRect(105, 4680, 6330, 405).translated(down).adjusted(0, 0, dw, 0);
    l.positionGroup = twipRect(1590, 4890, 1260, 1035).translated(down + centred);
    l.printButton = twipRect(3615, 5220, 1650, 540).translated(down + centred);
    l.previewButton = twipRect(5370, 5220, 1125, 540).translated(down + centred);
    return l;
}
