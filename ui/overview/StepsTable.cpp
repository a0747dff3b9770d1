#include "ui/overview/StepsTable.h"

#include "ui/overview/SteadyScrollBar.h"

#include <algorithm>
#include <utility>

TStepsTable::TStepsTable(int columns, QWidget* parent)
    : QTableWidget(0, columns, parent) {
    setVerticalScrollBar(new TSteadyScrollBar(Qt::Vertical, this));
}

void TStepsTable::SetRowCount(int rows) {
    const int before = rowCount();
    if (rows == before)
        return;
    const int first = std::min(rows, before);
    fFirstMovedRow = fFirstMovedRow < 0 ? first : std::min(fFirstMovedRow, first);
    setRowCount(rows);
}

void TStepsTable::doItemsLayout() {
    const int firstMoved = std::exchange(fFirstMovedRow, -1);
    if (firstMoved < 0 || !isVisible()) {
        QTableWidget::doItemsLayout();
        return;
    }
    // The base lays out the rows and scroll bars and then repaints the whole viewport: that repaint is
    // held back and only the part from the first added or removed row down is repainted.
    QWidget* area = viewport();
    area->setAttribute(Qt::WA_UpdatesDisabled, true);
    QTableWidget::doItemsLayout();
    area->setAttribute(Qt::WA_UpdatesDisabled, false);
    // Removed rows leave the room below the last row to repaint.
    const int last = rowCount() - 1;
    int top = 0;
    if (firstMoved <= last)
        top = rowViewportPosition(firstMoved);
    else if (last >= 0)
        top = rowViewportPosition(last) + rowHeight(last);
    top = std::max(top, 0);
    if (top < area->height())
        area->update(0, top, area->width(), area->height() - top);
}
