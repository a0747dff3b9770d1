#pragma once

#include <QStringList>
#include <deque>
#include <string>

class QTableWidget;
class QWidget;
class TDefinitionPanel;

// A read-only log table of the testers, its rows one line high so that many show at once.
QTableWidget* MakeLogTable(const QStringList& headers, QWidget* parent);
// Appends a row to grid, dropping the oldest beyond maxRows; gives the new row's number.
int AppendLogRow(QTableWidget* grid, int maxRows);

// The rows of a tester's bursts table, one for each burst, each with the burst it shows, so that
// all of them can be compared again when another definition is loaded.
class TBurstRows {
public:
    TBurstRows(QTableWidget* grid, int definitionColumn, int maxRows);

    // Appends the row of a burst that starts and gives its number; its definition cell is empty.
    int Start();
    // The burst of the last row, to which what arrives is added. Start comes first.
    std::u32string& Current() { return fBursts.back(); }
    // The last row's burst is complete: its definition cell says what it matches.
    void Ended(const std::u32string& burst, const TDefinitionPanel& panel);
    // Every row's definition cell anew, but the last one's while its burst is still coming in (it is
    // compared when it ends).
    void CompareAgain(const TDefinitionPanel& panel, bool lastStillComing);
    void Clear();

private:
    QTableWidget* fGrid;
    int fDefinitionColumn;
    int fMaxRows;
    std::deque<std::u32string> fBursts;
};
