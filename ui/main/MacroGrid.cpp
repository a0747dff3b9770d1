#include "ui/main/MacroGrid.h"

#include "ui/CaptionFit.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

// Lets the grid hold its current cell still while a range is dragged out with the mouse.
class TCursorSelectionModel final : public QItemSelectionModel {
public:
    TCursorSelectionModel(QAbstractItemModel* model, const bool& holdCurrent)
        : QItemSelectionModel(model, model)
        , fHoldCurrent(holdCurrent) {}

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override {
        if (fHoldCurrent)
            return;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    const bool& fHoldCurrent;
};

// A cell as a screen reader tells it: the code as shown ("empty" past the macro's end) and where it
// stands, counted from 1 as the user counts.
class TMacroCell final : public QTableWidgetItem {
public:
    QVariant data(int role) const override {
        if (role == Qt::AccessibleTextRole) {
            const QString shown = text().trimmed();
            return shown.isEmpty() ? QStringLiteral("empty") : shown;
        }
        if (role == Qt::AccessibleDescriptionRole) {
            const int index = row() * TMacroGrid::ColumnCount + column();
            return QStringLiteral("Position %1, row %2, column %3")
                .arg(index + 1)
                .arg(row() + 1)
                .arg(column() + 1);
        }
        return QTableWidgetItem::data(role);
    }
};

constexpr int ColumnWidth = 53;
constexpr int RowHeight = 20;

// Draws a cell's text whole: smaller when it is wider than the cell, never elided.
class TFittingCellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QFont FontFor(const QWidget& grid, const QFont& font, const QString& text, int cellWidth) {
        // The style keeps this margin free on both sides of an item's text.
        const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
        return FittingFont(font, {text}, cellWidth - 2 * margin);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideNone;
        if (option->widget != nullptr)
            option->font = FontFor(*option->widget, option->font, option->text, option->rect.width());
    }
};

} // namespace

TMacroGrid::TMacroGrid(QWidget* parent)
    : QTableWidget(parent) {
    QItemSelectionModel* previous = selectionModel();
    setSelectionModel(new TCursorSelectionModel(model(), fHoldCurrent));
    delete previous;

    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Rows and columns come after the headers are hidden: a shown header measures every section's
    // caption through the style as the table grows, work a grid without headers never needs.
    setRowCount(RowCount);
    setColumnCount(ColumnCount);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setShowGrid(true);
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(true);
    setDragEnabled(false);
    setContextMenuPolicy(Qt::PreventContextMenu);

    QFont boldFont = font();
    boldFont.setBold(true);
    setFont(boldFont);
    setItemDelegate(new TFittingCellDelegate(this));

    for (int row = 0; row < RowCount; ++row)
        for (int column = 0; column < ColumnCount; ++column) {
            auto* cell = new TMacroCell();
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            setItem(row, column, cell);
        }
    setCurrentCell(0, 0);
}

int TMacroGrid::CursorIndex() const {
    return currentRow() * ColumnCount + currentColumn();
}

void TMacroGrid::SetCursorIndex(int index) {
    const int row = index / ColumnCount;
    const int column = index % ColumnCount;
    setCurrentCell(row, column, QItemSelectionModel::ClearAndSelect);
    scrollTo(model()->index(row, column));
}

std::optional<QRect> TMacroGrid::SelectedBlock() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty())
        return std::nullopt;
    const QTableWidgetSelectionRange& range = ranges.front();
    if (range.rowCount() * range.columnCount() < 2)
        return std::nullopt;
    return QRect(range.leftColumn(), range.topRow(), range.columnCount(), range.rowCount());
}

std::vector<int> TMacroGrid::SelectedCells() const {
    const std::optional<QRect> block = SelectedBlock();
    if (!block)
        return {CursorIndex()};
    std::vector<int> cells;
    for (int row = block->top(); row <= block->bottom(); ++row)
        for (int column = block->left(); column <= block->right(); ++column)
            cells.push_back(row * ColumnCount + column);
    return cells;
}

void TMacroGrid::SetCellText(int index, const QString& text) {
    item(index / ColumnCount, index % ColumnCount)->setText(text);
}

QString TMacroGrid::CellText(int index) const {
    return item(index / ColumnCount, index % ColumnCount)->text();
}

QFont TMacroGrid::CellFont(int index) const {
    return TFittingCellDelegate::FontFor(*this, font(), CellText(index), columnWidth(index % ColumnCount));
}

bool TMacroGrid::MaySelect(const QModelIndex& index) const {
    return !fSelectCell || fSelectCell(index.column(), index.row());
}

QModelIndex TMacroGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex target = QTableWidget::moveCursor(cursorAction, modifiers);
    if (target.isValid() && target != currentIndex() && !MaySelect(target))
        return currentIndex();
    return target;
}

bool TMacroGrid::focusNextPrevChild(bool next) {
    QKeyEvent tab(QEvent::KeyPress, next ? Qt::Key_Tab : Qt::Key_Backtab, Qt::NoModifier);
    keyPressEvent(&tab);
    return true;
}

void TMacroGrid::keyboardSearch(const QString& /*search*/) {
    // Typed characters belong to the macro, never to a jump to a matching cell.
}

void TMacroGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightButtonPressed(event->globalPosition().toPoint());
        return;
    }
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && pressed.isValid() && pressed != currentIndex() &&
        !MaySelect(pressed)) {
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
    fDragging = event->button() == Qt::LeftButton && pressed.isValid();
}

void TMacroGrid::mouseMoveEvent(QMouseEvent* event) {
    fHoldCurrent = fDragging && event->buttons().testFlag(Qt::LeftButton);
    QTableWidget::mouseMoveEvent(event);
    fHoldCurrent = false;
}

void TMacroGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        fDragging = false;
    QTableWidget::mouseReleaseEvent(event);
}
