#pragma once

#include <QRect>
#include <QTableWidget>
#include <functional>
#include <optional>
#include <vector>

// The macro grid: 8 columns by 14 rows, one code per cell, read-only. Its current cell is the
// macro's edit cursor. A rectangular range can be selected by dragging (the cell where the drag
// began stays the current cell) or with Shift and the cursor keys. Tab moves between cells and
// never leaves the grid. The right mouse button does not move the cursor; it is reported instead.
class TMacroGrid final : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 8;
    static constexpr int RowCount = 14;

    explicit TMacroGrid(QWidget* parent);

    // Asked before the user makes another cell current (click or key); false refuses the cell.
    using SelectCellHandler = std::function<bool(int column, int row)>;
    void SetSelectCellHandler(SelectCellHandler handler) { fSelectCell = std::move(handler); }

    // The current cell as a position in the macro: row x 8 + column.
    int CursorIndex() const;
    // Makes cell index the current and only selected cell and scrolls it into view.
    void SetCursorIndex(int index);
    // The selected block of cells (x columns, y rows) when more than one cell is selected.
    std::optional<QRect> SelectedBlock() const;
    // The positions of the selected block row by row, or the cursor's alone without a block.
    std::vector<int> SelectedCells() const;
    void SetCellText(int index, const QString& text);
    QString CellText(int index) const;
    // The font cell index's text is drawn in: the grid's, or smaller where the text would not fit the
    // cell whole, so a code such as "Dly 200" is never cut.
    QFont CellFont(int index) const;

signals:
    void rightButtonPressed(const QPoint& globalPosition);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    bool focusNextPrevChild(bool next) override;
    void keyboardSearch(const QString& search) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool MaySelect(const QModelIndex& index) const;

    SelectCellHandler fSelectCell;
    bool fDragging = false;    // the left button went down on a cell and is still held
    bool fHoldCurrent = false; // while a drag moves the selection's other corner
};
