#include "companions/common/BurstTable.h"

#include "companions/common/DefinitionPanel.h"

#include <QHeaderView>
#include <QTableWidget>

QTableWidget* MakeLogTable(const QStringList& headers, QWidget* parent) {
    auto* grid = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    grid->setHorizontalHeaderLabels(headers);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

int AppendLogRow(QTableWidget* grid, int maxRows) {
    if (grid->rowCount() >= maxRows)
        grid->removeRow(0);
    const int row = grid->rowCount();
    grid->insertRow(row);
    return row;
}

TBurstRows::TBurstRows(QTableWidget* grid, int definitionColumn, int maxRows)
    : fGrid(grid)
    , fDefinitionColumn(definitionColumn)
    , fMaxRows(maxRows) {}

int TBurstRows::Start() {
    const int row = AppendLogRow(fGrid, fMaxRows);
    if (fBursts.size() >= static_cast<std::size_t>(fMaxRows))
        fBursts.pop_front();
    fBursts.emplace_back();
    fGrid->setItem(row, fDefinitionColumn, new QTableWidgetItem);
    return row;
}

void TBurstRows::Ended(const std::u32string& burst, const TDefinitionPanel& panel) {
    if (fGrid->rowCount() == 0)
        return;
    fGrid->item(fGrid->rowCount() - 1, fDefinitionColumn)->setText(panel.compare(burst));
}

void TBurstRows::CompareAgain(const TDefinitionPanel& panel, bool lastStillComing) {
    const int rows = fGrid->rowCount();
    for (int row = 0; row < rows && row < static_cast<int>(fBursts.size()); ++row)
        if (row + 1 < rows || !lastStillComing)
            fGrid->item(row, fDefinitionColumn)
                ->setText(panel.compare(fBursts[static_cast<std::size_t>(row)]));
}

void TBurstRows::Clear() {
    fGrid->setRowCount(0);
    fBursts.clear();
}
