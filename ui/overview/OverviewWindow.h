#pragma once

#include "ui/overview/OverviewRows.h"

#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class QLabel;
class QTableWidget;
class QTableWidgetItem;
class TDeferredRedraw;
class TWrappedText;
class TKeypadClass;

// The whole definition at a glance: one row for each of the 24 keys on each of its two levels, with its
// type, name, auto-repeat, the bytes it uses and its codes, the checker's findings on the rows they
// concern, and totals below. Sortable by any column. It does not change the definition: it redraws
// on Refresh, and activating a row (double-click or Enter) asks for that key and level.
class TfrmOverview final : public QWidget {
    Q_OBJECT
public:
    // findings gives the checker's findings of keypad; the preview reads the same.
    TfrmOverview(TKeypadClass& keypad, std::shared_ptr<KeypadFindings> findings, QWidget* parent);

    // Redraws from the definition when shown, else when next shown. The redraw comes once the event at hand
    // is handled, so that the several announcements of one change give one redraw.
    void Refresh();

    // Column numbers of gridOverview
    enum Column { colKey, colLevel, colType, colName, colRepeat, colBytes, colCodes, ColumnCount };

signals:
    void KeySelected(int key, int level);
    // After every redraw.
    void Redrawn();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Redraw();
    void MakeRows();
    void ShowRow(const std::array<QTableWidgetItem*, ColumnCount>& cells, const OverviewRow& entry);
    void RowActivated(int row);

    TKeypadClass& fKeypad;
    std::shared_ptr<KeypadFindings> fFindings;
    OverviewMaker fMaker;
    std::vector<OverviewRow> fShownRows; // as the table shows them, key by key
    QTableWidget* gridOverview = nullptr;
    TWrappedText* lblTotals = nullptr;
    QLabel* lblChecks = nullptr;
    TDeferredRedraw* fRedraw = nullptr;
};
