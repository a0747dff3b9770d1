#include "tests/support/GuiTest.h"
#include "tests/ui/overview/OverviewFixture.h"
#include "ui/overview/OverviewWindow.h"
#include "ui/overview/WrappedText.h"

#include <QAccessible>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

using Col = TfrmOverview::Column;

QTableWidget* openOverview(const TOverviewFixture& o) {
    o.run(u"OverviewMenuItem"_s);
    auto* grid = o.control<QTableWidget>(u"gridOverview"_s);
    if (!QTest::qWaitForWindowExposed(grid->window()))
        throw std::runtime_error("the overview did not show");
    return grid;
}

// The row showing key (1 to 24) and level (1 or 2), wherever sorting put it; -1 when there is none.
int rowOf(QTableWidget* grid, int key, int level) {
    for (int row = 0; row < grid->rowCount(); ++row)
        if (grid->item(row, Col::colKey)->data(Qt::DisplayRole).toInt() == key &&
            grid->item(row, Col::colLevel)->data(Qt::DisplayRole).toInt() == level)
            return row;
    return -1;
}

QString cellText(QTableWidget* grid, int key, int level, int column) {
    return grid->item(rowOf(grid, key, level), column)->data(Qt::DisplayRole).toString();
}

} // namespace

class TestOverview final : public QObject {
    Q_OBJECT
private slots:
    void isMadeOnFirstUseOnly();
    void listsEveryKeyAndLevelWithTotals();
    void followsEveryEdit();
    void activatingARowSelectsKeyAndLevel();
    void sortsByTheChosenColumn();
    void marksTheRowsTheChecksConcern();
    void viewButtonKeepsTheOtherButtonsWhereTheyWere();
    void longCodesAreCutAtTheCellsEdgeAsTheStyleCutsThem();
};

void TestOverview::isMadeOnFirstUseOnly() {
    const TOverviewFixture o;
    QVERIFY(o.f.window->findChild<TfrmOverview*>() == nullptr);
    QVERIFY(o.f.window->findChild<QMenu*>(u"ViewMenu"_s) == nullptr);
    QTest::keyClick(o.f.window.get(), Qt::Key_F5); // the shortcut works before the menu was ever opened
    auto* overview = o.f.window->findChild<TfrmOverview*>();
    QVERIFY(overview != nullptr);
    QTRY_VERIFY(overview->isVisible());
    overview->close();
    o.run(u"OverviewMenuItem"_s);
    QCOMPARE(o.f.window->findChildren<TfrmOverview*>().size(), 1);
    QVERIFY(!overview->isModal());
}

void TestOverview::listsEveryKeyAndLevelWithTotals() {
    const TOverviewFixture o;
    QTableWidget* grid = openOverview(o);
    QCOMPARE(grid->rowCount(), 48);
    for (int row = 0; row < grid->rowCount(); ++row) // key by key, level 1 first
        QCOMPARE(grid->item(row, Col::colKey)->text() + u'.' + grid->item(row, Col::colLevel)->text(),
                 u"%1.%2"_s.arg(row / 2 + 1).arg(row % 2 + 1));
    const struct {
        int key, level;
        QString type, name, repeat;
        int bytes;
        QString codes;
    } rows[] = {
        {1, 1, u""_s, u"Greeting"_s, u"yes"_s, 3, u"H \u00B7 i \u00B7 CR"_s},
        {1, 2, u""_s, u""_s, u""_s, 3, u"Dly 200"_s},
        {5, 1, u"shift"_s, u""_s, u""_s, 0, u""_s},
        {10, 2, u"toggle"_s, u""_s, u""_s, 0, u""_s},
        {24, 2, u""_s, u"Ends in Esc"_s, u""_s, 2, u"A \u00B7 Esc"_s},
        {12, 1, u""_s, u""_s, u""_s, 0, u""_s},
    };
    for (const auto& r : rows) {
        const QByteArray where = "key " + QByteArray::number(r.key) + " level " + QByteArray::number(r.level);
        QVERIFY2(rowOf(grid, r.key, r.level) >= 0, where);
        QCOMPARE(cellText(grid, r.key, r.level, Col::colType), r.type);
        QCOMPARE(cellText(grid, r.key, r.level, Col::colName), r.name);
        QCOMPARE(cellText(grid, r.key, r.level, Col::colRepeat), r.repeat);
        QCOMPARE(cellText(grid, r.key, r.level, Col::colBytes).toInt(), r.bytes);
        QCOMPARE(cellText(grid, r.key, r.level, Col::colCodes), r.codes);
        QCOMPARE(grid->item(rowOf(grid, r.key, r.level), Col::colType)->icon().isNull(), r.type.isEmpty());
    }
    QCOMPARE(o.control<TWrappedText>(u"lblTotals"_s)->Text(),
             u"Keys used: 4 of 24    Macros: 3 of 48    Bytes used: 8 of 4800"_s);
}

void TestOverview::followsEveryEdit() {
    const TOverviewFixture o;
    QTableWidget* grid = openOverview(o);
    // A raw byte typed into key 1, level 2, as the user enters one.
    o.f.window->SelectKeyAndLevel(0, 1);
    QTest::keyClicks(o.control<QLineEdit>(u"edManualInput"_s), u"65"_s);
    QTest::mouseClick(o.control<QToolButton>(u"spdbtnInsert"_s), Qt::LeftButton);
    QTRY_COMPARE(cellText(grid, 1, 2, Col::colBytes).toInt(), 4);
    QTRY_COMPARE(o.control<TWrappedText>(u"lblTotals"_s)->Text(),
                 u"Keys used: 4 of 24    Macros: 3 of 48    Bytes used: 9 of 4800"_s);
    // A name typed into the macro header, and the view switched to hex.
    QTest::keyClicks(o.control<QLineEdit>(u"EditName"_s), u"Wait"_s);
    QTRY_COMPARE(cellText(grid, 1, 2, Col::colName), u"Wait"_s);
    o.control<QAction>(u"menuitemViewKeysAsHex"_s)
        ->trigger(); // every macro's codes, not only the edited one's
    QTRY_COMPARE(cellText(grid, 24, 2, Col::colCodes), u"0x41 \u00B7 0x1B"_s);
    o.control<QAction>(u"menuitemViewKeysAsText"_s)->trigger();
    QTRY_COMPARE(cellText(grid, 24, 2, Col::colCodes), u"A \u00B7 Esc"_s);
    // New empties the whole definition.
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    QTest::mouseClick(o.control<QToolButton>(u"ToolBtnNew"_s), Qt::LeftButton);
    QTRY_COMPARE(o.control<TWrappedText>(u"lblTotals"_s)->Text(),
                 u"Keys used: 0 of 24    Macros: 0 of 48    Bytes used: 0 of 4800"_s);
    QCOMPARE(cellText(grid, 1, 1, Col::colName), QString());
}

void TestOverview::activatingARowSelectsKeyAndLevel() {
    const TOverviewFixture o;
    QTableWidget* grid = openOverview(o);
    QTableWidgetItem* name = grid->item(rowOf(grid, 24, 2), Col::colName);
    grid->scrollToItem(name);
    const QRect cell = grid->visualItemRect(name);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center()); // as the first click of two
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(o.f.keypad().Key(), 23);
    QCOMPARE(o.f.keypad().Level(), 1);
    QCOMPARE(o.control<QTabWidget>(u"TabControlLevel"_s)->currentIndex(), 1);
    QVERIFY(o.control<QToolButton>(u"SpeedButton140"_s)->isChecked());
    QCOMPARE(o.control<QLabel>(u"lblMacroHeader"_s)->text(), u"Macro for Key 24, Level 2"_s);

    grid->setCurrentCell(rowOf(grid, 5, 1), Col::colKey);
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(o.f.keypad().Key(), 4);
    QCOMPARE(o.f.keypad().Level(), 0);
    QCOMPARE(o.control<QTabWidget>(u"TabControlLevel"_s)->currentIndex(), 0);
}

void TestOverview::sortsByTheChosenColumn() {
    const TOverviewFixture o;
    QTableWidget* grid = openOverview(o);
    QHeaderView* header = grid->horizontalHeader();
    const QPoint bytesHeader(header->sectionViewportPosition(Col::colBytes) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, bytesHeader);
    if (header->sortIndicatorOrder() == Qt::AscendingOrder) // a second click turns the order round
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, bytesHeader);
    QCOMPARE(header->sortIndicatorSection(), int{Col::colBytes});
    QList<int> bytes;
    for (int row = 0; row < grid->rowCount(); ++row)
        bytes << grid->item(row, Col::colBytes)->data(Qt::DisplayRole).toInt();
    QCOMPARE(bytes.mid(0, 4), (QList<int>{3, 3, 2, 0}));
    // Rows of equal value stand key by key, level 1 first (the order turns round with the column's).
    QCOMPARE(grid->item(0, Col::colKey)->text() + grid->item(0, Col::colLevel)->text(), u"12"_s);
    QCOMPARE(grid->item(1, Col::colKey)->text() + grid->item(1, Col::colLevel)->text(), u"11"_s);
    // The order holds while the overview follows an edit.
    o.f.window->SelectKeyAndLevel(11, 0);
    QTest::keyClicks(o.control<QLineEdit>(u"edManualInput"_s), u"66"_s);
    QTest::mouseClick(o.control<QToolButton>(u"spdbtnInsert"_s), Qt::LeftButton);
    QTRY_COMPARE(grid->item(3, Col::colKey)->data(Qt::DisplayRole).toInt(), 12);
}

void TestOverview::marksTheRowsTheChecksConcern() {
    const TOverviewFixture o;
    QTableWidget* grid = openOverview(o);
    QTableWidgetItem* trap = grid->item(rowOf(grid, 24, 2), Col::colKey);
    QVERIFY(!trap->icon().isNull());
    QVERIFY2(trap->toolTip().contains(u"Key 24, Level 2: byte 27 (1Bh) is the command prefix"_s),
             qPrintable(trap->toolTip()));
    QCOMPARE(grid->item(rowOf(grid, 24, 2), Col::colCodes)->toolTip(), trap->toolTip());
    // A screen reader, which reads neither the icon nor the tool tip, gets the findings as the cell's
    // accessible description.
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    QVERIFY(table != nullptr && table->tableInterface() != nullptr);
    QAccessibleInterface* cell = table->tableInterface()->cellAt(trap->row(), Col::colKey);
    QVERIFY(cell != nullptr);
    QVERIFY2(cell->text(QAccessible::Description).startsWith(u"Findings: Key 24, Level 2: byte 27 (1Bh)"_s),
             qPrintable(cell->text(QAccessible::Description)));
    QCOMPARE(table->tableInterface()->cellAt(rowOf(grid, 1, 1), Col::colKey)->text(QAccessible::Description),
             QString());
    for (const auto& [key, level] : {std::pair{1, 1}, {1, 2}, {24, 1}, {5, 1}})
        QVERIFY(grid->item(rowOf(grid, key, level), Col::colKey)->icon().isNull());
    QCOMPARE(o.control<QLabel>(u"lblChecks"_s)->text(),
             u"Checks: findings on 1 row; point at a marked row to read them."_s);

    // The definition checker's own findings come in too: a third toggle key does not reach the image.
    for (const int key : {15, 20}) {
        o.f.keypad().SetKey(static_cast<std::uint8_t>(key));
        o.f.keypad().SetKeytype(ktToggle);
    }
    o.f.window->ChangesPending(true);
    QTRY_VERIFY(!grid->item(rowOf(grid, 16, 1), Col::colKey)->icon().isNull());
    QVERIFY(grid->item(rowOf(grid, 16, 1), Col::colKey)->toolTip().contains(u"more than two toggle keys"_s));
    QVERIFY(!grid->item(rowOf(grid, 16, 2), Col::colKey)->icon().isNull());
}

void TestOverview::viewButtonKeepsTheOtherButtonsWhereTheyWere() {
    const TOverviewFixture o;
    auto* view = o.control<QToolButton>(u"ToolBtnView"_s);
    QVERIFY(view->isVisible());
    QVERIFY(!view->icon().isNull());
    const QRect bar = o.control<QWidget>(u"ToolBar1"_s)->rect();
    QVERIFY(bar.contains(view->geometry()));
    for (auto* button : o.control<QWidget>(u"ToolBar1"_s)->findChildren<QToolButton*>())
        if (button != view)
            QVERIFY2(!button->geometry().intersects(view->geometry()), qPrintable(button->objectName()));
    QTest::mouseClick(view, Qt::LeftButton);
    auto* menu = o.control<QMenu>(u"ViewMenu"_s);
    QTRY_VERIFY(menu->isVisible());
    QStringList items;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            items << action->text() + u' ' + action->shortcut().toString();
    QCOMPARE(items, (QStringList{u"Overview F5"_s, u"Preview F7"_s, u"Print Key Labels F8"_s,
                                 u"Key Label Size... Shift+F8"_s, u"Computer's Keyboard Layout... "_s}));
    menu->close();
    QTRY_VERIFY(!menu->isVisible());
    QTest::keyClick(o.f.window.get(), Qt::Key_V, Qt::AltModifier); // as Alt with a letter opens the others
    QTRY_VERIFY(menu->isVisible());
    menu->close();
}

// The codes column hands the style only the start of a long macro's codes; what shows must be what
// the style shows when it cuts the whole text itself.
void TestOverview::longCodesAreCutAtTheCellsEdgeAsTheStyleCutsThem() {
    const TOverviewFixture o("[KEY7]\r\nLevel_2_Codes=" + QByteArray("7a").repeated(100) + "\r\n");
    QTableWidget* grid = openOverview(o);
    QTableWidgetItem* codes = grid->item(rowOf(grid, 8, 2), Col::colCodes);
    grid->scrollToItem(codes);
    const QRect cell = grid->visualItemRect(codes);
    QVERIFY(grid->fontMetrics().horizontalAdvance(codes->text()) > 3 * cell.width());
    const QImage cut = grid->viewport()->grab(cell).toImage();
    grid->setItemDelegateForColumn(Col::colCodes, nullptr); // the style's own drawing of the whole text
    QCOMPARE(grid->viewport()->grab(cell).toImage(), cut);
}

KW24_GUI_TEST(TestOverview);

#include "OverviewTest.moc"
