#include "ui/overview/OverviewWindow.h"

#include "resources/Pictures.h"
#include "ui/ProgramFont.h"
#include "ui/overview/DeferredRedraw.h"
#include "ui/overview/OverviewRows.h"
#include "ui/overview/WrappedText.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int LevelRole = Qt::UserRole + 1;
constexpr int TypeRole = Qt::UserRole + 2;

// The bytes a macro uses as a small bar of its 100, with the number beside it.
class TBytesBarDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QString number = cell.text;
        cell.text.clear();
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);

        const int bytes = index.data(Qt::DisplayRole).toInt();
        const QRect area = option.rect.adjusted(4, 5, -4, -5);
        const int numberWidth = option.fontMetrics.horizontalAdvance(u"100"_s) + 6;
        const QRect bar(area.left(), area.top(), std::max(area.width() - numberWidth, 10), area.height());
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(bar.adjusted(0, 0, -1, -1));
        const int filled = (bar.width() - 2) * std::clamp(bytes, 0, MacroCapacityBytes) / MacroCapacityBytes;
        painter->fillRect(QRect(bar.left() + 1, bar.top() + 1, filled, bar.height() - 2),
                          bytes > MacroCapacityBytes * 9 / 10 ? QColor(0xd0, 0x60, 0x30)
                                                              : QColor(0x3d, 0x7b, 0xd9));
        painter->setPen(option.palette.color(
            option.state.testFlag(QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(QRect(bar.right() + 4, option.rect.top(), numberWidth, option.rect.height()),
                          Qt::AlignVCenter | Qt::AlignRight, number);
        painter->restore();
    }
};

// A macro's codes, cut short where the cell ends. The style would lay out the whole text (up to a few
// hundred characters) twice for every repaint to find where to cut it; this hands it only what can
// show: twice as many characters as the cell holds of average width, then "…", which the style cuts
// again at the cell's edge. Size questions, which come without a cell, get the whole text.
class TCodesDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const int room = 2 * option->rect.width() / std::max(option->fontMetrics.averageCharWidth(), 1) + 8;
        if (option->rect.width() > 0 && option->text.size() > room)
            option->text = option->text.left(room) + u'…';
    }
};

// A cell that sorts by its shown value and, among equal values, by key and then level, so that rows
// with the same value stand in key order whatever order their cells were set in.
class TOverviewCell final : public QTableWidgetItem {
public:
    TOverviewCell(int key, int level) {
        setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setData(KeyRole, key);
        setData(LevelRole, level);
    }

    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant mine = data(Qt::DisplayRole);
        const QVariant theirs = other.data(Qt::DisplayRole);
        const bool numbers = mine.typeId() == QMetaType::Int && theirs.typeId() == QMetaType::Int;
        const int order = numbers ? (mine.toInt() > theirs.toInt()) - (mine.toInt() < theirs.toInt())
                                  : mine.toString().compare(theirs.toString());
        if (order != 0)
            return order < 0;
        return std::pair(data(KeyRole).toInt(), data(LevelRole).toInt()) <
               std::pair(other.data(KeyRole).toInt(), other.data(LevelRole).toInt());
    }
};

QString typeText(TKeyType type) {
    switch (type) {
    case ktShift: return u"shift"_s;
    case ktToggle: return u"toggle"_s;
    default: return {};
    }
}

} // namespace

TfrmOverview::TfrmOverview(TKeypadClass& keypad, std::shared_ptr<KeypadFindings> findings, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , fKeypad(keypad)
    , fFindings(std::move(findings)) {
    setObjectName(u"frmOverview"_s);
    fRedraw = new TDeferredRedraw(*this, [this] { Redraw(); });
    setWindowTitle(u"Keywright24 - Overview"_s);
    setFont(ProgramFont());
    resize(760, 560);

    gridOverview = new QTableWidget(KeyCount * LevelCount, ColumnCount, this);
    gridOverview->setObjectName(u"gridOverview"_s);
    gridOverview->setHorizontalHeaderLabels(
        {u"Key"_s, u"Level"_s, u"Type"_s, u"Name"_s, u"Repeat"_s, u"Bytes"_s, u"Codes"_s});
    gridOverview->verticalHeader()->hide();
    gridOverview->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridOverview->setSelectionMode(QAbstractItemView::SingleSelection);
    gridOverview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridOverview->setWordWrap(false);
    gridOverview->setItemDelegateForColumn(colBytes, new TBytesBarDelegate(gridOverview));
    gridOverview->setItemDelegateForColumn(colCodes, new TCodesDelegate(gridOverview));
    QHeaderView* header = gridOverview->horizontalHeader();
    header->setStretchLastSection(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(colKey, Qt::AscendingOrder);
    for (const auto& [column, width] : {std::pair{colKey, 58},
                                        {colLevel, 44},
                                        {colType, 64},
                                        {colName, 150},
                                        {colRepeat, 54},
                                        {colBytes, 110}})
        gridOverview->setColumnWidth(column, width);
    gridOverview->verticalHeader()->setDefaultSectionSize(gridOverview->fontMetrics().height() + 6);
    // Double-click and Enter both activate a row.
    connect(gridOverview, &QTableWidget::activated, this,
            [this](const QModelIndex& index) { RowActivated(index.row()); });

    lblTotals = new TWrappedText(this); // changes with every typed character: see TWrappedText
    lblTotals->setObjectName(u"lblTotals"_s);
    lblChecks = new QLabel(this);
    lblChecks->setObjectName(u"lblChecks"_s);
    lblChecks->setWordWrap(true);
    lblChecks->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* column = new QVBoxLayout(this);
    column->addWidget(gridOverview, 1);
    column->addWidget(lblTotals);
    column->addWidget(lblChecks);
}

void TfrmOverview::Refresh() {
    fRedraw->Refresh();
}

void TfrmOverview::showEvent(QShowEvent* event) {
    fRedraw->Showing();
    QWidget::showEvent(event);
}

// The rows are made once; a redraw changes only the cells of rows whose contents changed, so that a
// typed character sets and repaints one row, not the whole table.
void TfrmOverview::Redraw() {
    const Overview& overview = fMaker.Make(fKeypad, fFindings->Of(fKeypad));
    if (gridOverview->item(0, colKey) == nullptr)
        MakeRows();
    if (fShownRows.size() != overview.rows.size()) {
        OverviewRow nothingShown;
        nothingShown.key = -1;
        fShownRows.assign(overview.rows.size(), nothingShown);
    }
    std::vector<std::size_t> changed;
    for (std::size_t macro = 0; macro < overview.rows.size(); ++macro)
        if (overview.rows[macro] != fShownRows[macro])
            changed.push_back(macro);
    if (!changed.empty()) {
        // The cells of each changed macro, found by the key and level they carry: sorting may have
        // moved its row, and changing a cell of the sorted column moves it again, so all are found
        // before any is shown.
        std::vector<int> rowOf(overview.rows.size(), -1);
        for (int row = 0; row < gridOverview->rowCount(); ++row) {
            const QTableWidgetItem* keyCell = gridOverview->item(row, colKey);
            rowOf[static_cast<std::size_t>(keyCell->data(KeyRole).toInt() * LevelCount +
                                           keyCell->data(LevelRole).toInt())] = row;
        }
        std::vector<std::array<QTableWidgetItem*, ColumnCount>> cellsOf(overview.rows.size());
        for (const std::size_t macro : changed)
            for (int column = 0; column < ColumnCount; ++column)
                cellsOf[macro][static_cast<std::size_t>(column)] = gridOverview->item(rowOf[macro], column);
        for (const std::size_t macro : changed) {
            ShowRow(cellsOf[macro], overview.rows[macro]);
            fShownRows[macro] = overview.rows[macro];
        }
    }

    int rowsWithFindings = 0;
    for (const OverviewRow& entry : overview.rows)
        rowsWithFindings += entry.findings.empty() ? 0 : 1;

    const OverviewTotals& totals = overview.totals;
    lblTotals->SetText(
        u"Keys used: %1 of %2    Macros: %3 of %4    Bytes used: %5 of %6"_s.arg(totals.keysUsed)
            .arg(KeyCount)
            .arg(totals.macrosUsed)
            .arg(KeyCount * LevelCount)
            .arg(totals.bytesUsed)
            .arg(KeyCount * LevelCount * MacroCapacityBytes));
    QStringList checks;
    if (rowsWithFindings == 0 && totals.definitionFindings.empty())
        checks << u"Checks: nothing found."_s;
    else if (rowsWithFindings > 0)
        checks << (rowsWithFindings == 1 ? u"Checks: findings on 1 row"_s
                                         : u"Checks: findings on %1 rows"_s.arg(rowsWithFindings)) +
                      u"; point at a marked row to read them."_s;
    for (const std::string& finding : totals.definitionFindings)
        checks << QString::fromStdString(finding);
    lblChecks->setText(checks.join(u'\n'));
    emit Redrawn();
}

void TfrmOverview::MakeRows() {
    gridOverview->setSortingEnabled(false); // rows stay where they are while they are made
    for (int macro = 0; macro < KeyCount * LevelCount; ++macro)
        for (int column = 0; column < ColumnCount; ++column) {
            gridOverview->setItem(macro, column, new TOverviewCell(macro / LevelCount, macro % LevelCount));
        }
    gridOverview->setSortingEnabled(true); // sorted by the column the user chose
}

// Sets what differs only: an item that is given its present value again announces nothing, and an
// icon, which cannot be compared, is set only when the key type or the findings changed.
void TfrmOverview::ShowRow(const std::array<QTableWidgetItem*, ColumnCount>& cells,
                           const OverviewRow& entry) {
    const QVariant shown[ColumnCount] = {
        entry.key + 1,
        entry.level + 1,
        typeText(entry.type),
        QString::fromStdString(entry.name),
        entry.autoRepeat ? u"yes"_s : QString(),
        entry.bytes,
        QString::fromStdString(entry.codes),
    };
    QString tip;
    QString description; // the findings for a screen reader, which reads neither icon nor tool tip
    if (!entry.findings.empty()) {
        QStringList lines;
        QStringList plain;
        for (const std::string& finding : entry.findings) {
            plain << QString::fromStdString(finding);
            lines << plain.back().toHtmlEscaped();
        }
        tip = u"<p style='white-space:pre'>"_s + lines.join(u"<br>"_s) + u"</p>"_s;
        description = u"Findings: "_s + plain.join(u"; "_s);
    }
    QTableWidgetItem* typeCell = cells[colType];
    if (typeCell->icon().isNull() || typeCell->data(TypeRole) != QVariant(static_cast<int>(entry.type))) {
        typeCell->setData(TypeRole, static_cast<int>(entry.type));
        typeCell->setIcon(Pictures::LevelImage(entry.type));
    }
    QTableWidgetItem* keyCell = cells[colKey];
    if (keyCell->icon().isNull() == !entry.findings.empty())
        keyCell->setIcon(entry.findings.empty() ? QIcon()
                                                : style()->standardIcon(QStyle::SP_MessageBoxWarning));
    for (int column = 0; column < ColumnCount; ++column) {
        QTableWidgetItem* cell = cells[static_cast<std::size_t>(column)];
        cell->setToolTip(tip);
        cell->setData(Qt::AccessibleDescriptionRole, description);
        // Last: in the sorted column a changed value moves the row.
        cell->setData(Qt::DisplayRole, shown[column]);
    }
}

void TfrmOverview::RowActivated(int row) {
    const QTableWidgetItem* cell = gridOverview->item(row, colKey);
    if (cell != nullptr)
        emit KeySelected(cell->data(KeyRole).toInt(), cell->data(LevelRole).toInt());
}
