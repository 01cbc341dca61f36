#pragma once

#include "ui/grid/gridwnd.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStringList>
#include <QStyle>

namespace vellicor::test {

// The cells and headers of a grid that do not fit their column, as "row,col: text"; empty when all
// fit on one line. Widths are fitted after the event loop ran once, as on the screen.
inline QStringList CellsThatDoNotFit(CSGridWnd& grid)
{
    QApplication::processEvents();
    QStringList misfits;
    if (grid.wordWrap())
        misfits.append("the grid wraps its cells");
    const QFontMetrics font(grid.font());
    // The item view's text margin on either side, as the style lays out a cell, and the grid line.
    const int margins = 2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1)
                      + (grid.showGrid() ? 1 : 0);
    for (int c = 1; c <= grid.GetColCount(); ++c) {
        if (grid.IsColHidden(c))
            continue;
        const int width = grid.columnWidth(c - 1);
        if (grid.horizontalHeader()->sectionSizeHint(c - 1) > width)
            misfits.append(QString("header %1: %2").arg(c).arg(grid.GetValue(0, c)));
        for (int r = 1; r <= grid.GetRowCount(); ++r) {
            const QString text = grid.GetDisplayText(r, c);
            if (font.horizontalAdvance(text) + margins > width)
                misfits.append(QString("%1,%2: %3 (%4 px)").arg(r).arg(c).arg(text).arg(width));
        }
    }
    return misfits;
}

} // namespace vellicor::test
