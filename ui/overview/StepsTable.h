#pragma once

#include <QTableWidget>

// The preview's list of steps: a table whose rows follow a macro as it is typed. A table view repaints
// all its visible rows whenever its number of rows changes; this one repaints only the rows that came
// or went, since the rows above them stand as they stood (changed cells repaint themselves). A typed
// character then costs the repaint of one row, not of the whole list.
class TStepsTable final : public QTableWidget {
public:
    TStepsTable(int columns, QWidget* parent);

    // Sets the number of rows, as setRowCount does.
    void SetRowCount(int rows);

    void doItemsLayout() override;

private:
    int fFirstMovedRow = -1; // the first row added or removed since the last layout; -1: none
};
