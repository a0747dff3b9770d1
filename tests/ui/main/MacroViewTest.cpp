#include "tests/support/GridActions.h"
#include "tests/support/GuiTest.h"
#include "tests/support/WindowFixture.h"
#include "ui/main/MacroGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Untitled = u"Keywright24 - untitled.ckd"_s;

QMenu* openGridMenu(const TWindowFixture& f, int cell) {
    auto* grid = f.control<TMacroGrid>(u"Grid"_s);
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, cellCentre(grid, cell));
    QTest::mouseRelease(grid->viewport(), Qt::RightButton, {}, cellCentre(grid, cell));
    auto* menu = f.control<QMenu>(u"popmenuClearMacro"_s);
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        throw std::runtime_error("the grid menu did not open");
    return menu;
}

QAction* item(QMenu* menu, const QString& name) {
    QAction* found = menu->findChild<QAction*>(name);
    if (found == nullptr)
        throw std::runtime_error("no menu item " + name.toStdString());
    return found;
}

void choose(QMenu* menu, const QString& name) {
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item(menu, name)).center());
}

} // namespace

class TestMacroView final : public QObject {
    Q_OBJECT
private slots:
    void nameAndAutoRepeatBelongToTheMacro();
    void redrawingAMacroMarksNoChange();
    void nameChangedWithoutKeysIsKept();
    void typedNamesStopAt25ButLongerNamesStayWhole();
    void gridMenuHasItsItemsInOrder();
    void viewSwitchesBetweenTextAndHex();
    void lastCellNeverBecomesTheCursor();
    void tabStaysInTheGrid();
    void draggedRangeKeepsTheCursorWhereItBegan();
};

void TestMacroView::nameAndAutoRepeatBelongToTheMacro() {
    TWindowFixture f;
    showActive(*f.window);
    auto* name = f.control<QLineEdit>(u"EditName"_s);
    auto* autoRepeat = f.control<QCheckBox>(u"chkboxAutoRepeat"_s);
    auto* grid = f.control<TMacroGrid>(u"Grid"_s);

    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClick(name, Qt::Key_Right); // every key release stores the name, changed or not
    QCOMPARE(f.window->windowTitle(), Untitled + u'*');
    QTest::keyClicks(name, u"P"_s);
    QCOMPARE(QString::fromStdString(f.keypad().GetMacroName()), u"P"_s);
    QTest::keyClicks(name, u"ad"_s);
    QCOMPARE(QString::fromStdString(f.keypad().GetMacroName()), u"Pad"_s);
    QTest::keyClick(name, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), grid);

    QTest::mouseClick(autoRepeat, Qt::LeftButton);
    QVERIFY(f.keypad().CanAutoRepeat());
    QTRY_COMPARE(QApplication::focusWidget(), grid);

    QTest::mouseClick(f.control<QToolButton>(u"SpeedButton22"_s), Qt::LeftButton);
    QCOMPARE(name->text(), QString());
    QVERIFY(!autoRepeat->isChecked());
    QTest::mouseClick(f.control<QToolButton>(u"SpeedButton21"_s), Qt::LeftButton);
    QCOMPARE(name->text(), u"Pad"_s);
    QVERIFY(autoRepeat->isChecked());

    QTest::mouseClick(autoRepeat, Qt::LeftButton);
    QVERIFY(!f.keypad().CanAutoRepeat());
    f.keypad().SetLevel(1);
    QVERIFY(f.keypad().GetMacroName().empty()); // level 2 of the key has a macro of its own
}

void TestMacroView::redrawingAMacroMarksNoChange() {
    TWindowFixture f;
    TKeypadClass& keypad = f.keypad();
    keypad.SetKey(4);
    keypad.SetLevel(1);
    keypad.SetMacroName("Level two");
    keypad.SetCanAutoRepeat(true);
    keypad.SetKey(0);
    keypad.SetLevel(0);
    showActive(*f.window);

    QTest::mouseClick(f.control<QToolButton>(u"SpeedButton107"_s), Qt::LeftButton);
    f.control<QTabWidget>(u"TabControlLevel"_s)->setCurrentIndex(1);
    QCOMPARE(f.control<QLineEdit>(u"EditName"_s)->text(), u"Level two"_s);
    QVERIFY(f.control<QCheckBox>(u"chkboxAutoRepeat"_s)->isChecked());
    QCOMPARE(f.window->windowTitle(), Untitled);
    QVERIFY(!f.control<QToolButton>(u"ToolBtnSave"_s)->isEnabled());
}

void TestMacroView::nameChangedWithoutKeysIsKept() {
    TWindowFixture f;
    showActive(*f.window);
    auto* name = f.control<QLineEdit>(u"EditName"_s);
    QApplication::clipboard()->setText(u"Pasted"_s);
    if (QApplication::clipboard()->text() != u"Pasted"_s)
        QSKIP("no clipboard on this platform");
    name->paste(); // as the field's context menu does

    QCOMPARE(QString::fromStdString(f.keypad().GetMacroName()), u"Pasted"_s);
    QCOMPARE(f.window->windowTitle(), Untitled + u'*');
    QTest::mouseClick(f.control<QToolButton>(u"SpeedButton22"_s), Qt::LeftButton);
    QTest::mouseClick(f.control<QToolButton>(u"SpeedButton21"_s), Qt::LeftButton);
    QCOMPARE(name->text(), u"Pasted"_s);
}

void TestMacroView::typedNamesStopAt25ButLongerNamesStayWhole() {
    TWindowFixture f;
    const std::string longName = "A name from a file, thirty-two.";
    f.keypad().SetKey(1);
    f.keypad().SetMacroName(longName);
    f.keypad().SetKey(0);
    showActive(*f.window);
    auto* name = f.control<QLineEdit>(u"EditName"_s);

    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClicks(name, QString(30, u'x'));
    QCOMPARE(f.keypad().GetMacroName(), std::string(25, 'x'));

    QTest::mouseClick(f.control<QToolButton>(u"SpeedButton22"_s), Qt::LeftButton);
    QCOMPARE(name->text(), QString::fromStdString(longName));
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, u"y"_s); // no room for more, and nothing is cut off
    QCOMPARE(QString::fromStdString(f.keypad().GetMacroName()), QString::fromStdString(longName));

    QTest::mouseClick(f.control<QToolButton>(u"SpeedButton21"_s), Qt::LeftButton);
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClicks(name, u"z"_s);
    QCOMPARE(name->text(), QString(25, u'x'));
}

void TestMacroView::gridMenuHasItsItemsInOrder() {
    TWindowFixture f;
    QStringList items;
    for (const QAction* action : f.control<QMenu>(u"popmenuClearMacro"_s)->actions())
        items << action->objectName() + u'=' + (action->isSeparator() ? u"-"_s : action->text());
    QCOMPARE(items, (QStringList{u"menuitemClearMacro=Erase all codes for this macro"_s, u"N1=-"_s,
                                 u"menuitemViewKeysAsText=View key codes as ASCII"_s,
                                 u"menuitemViewKeysAsHex=View key codes as Hex"_s, u"N2=-"_s,
                                 u"urnLEDOn1=Turn LED Off"_s, u"urnLEDOn2=Turn LED On"_s,
                                 u"FlashLED1=Flash LED"_s}));
}

void TestMacroView::viewSwitchesBetweenTextAndHex() {
    TWindowFixture f;
    TKeypadClass& keypad = f.keypad();
    std::int32_t position = 0;
    keypad.InsertByte(position, 'A');
    keypad.InsertKey(position, CodeValue::DelayBit + 0x32);
    keypad.InsertByte(position, 'B');
    showActive(*f.window);
    auto* grid = f.control<TMacroGrid>(u"Grid"_s);
    clickCell(grid, 1);

    QMenu* menu = openGridMenu(f, 5);
    QCOMPARE(grid->CursorIndex(), 1); // the right button does not move the cursor
    QVERIFY(item(menu, u"menuitemViewKeysAsText"_s)->isChecked());
    QVERIFY(!item(menu, u"menuitemViewKeysAsHex"_s)->isChecked());
    choose(menu, u"menuitemViewKeysAsHex"_s);
    QVERIFY(keypad.bViewInHex);
    QCOMPARE(grid->CellText(0), u"0x41"_s);
    QCOMPARE(grid->CellText(1), u"0x1032"_s);
    QCOMPARE(grid->CursorIndex(), 3);

    clickCell(grid, 0);
    menu = openGridMenu(f, 0);
    QVERIFY(!item(menu, u"menuitemViewKeysAsText"_s)->isChecked());
    QVERIFY(item(menu, u"menuitemViewKeysAsHex"_s)->isChecked());
    choose(menu, u"menuitemViewKeysAsText"_s);
    QVERIFY(!keypad.bViewInHex);
    QCOMPARE(grid->CellText(0), u"A"_s);
    QCOMPARE(grid->CellText(1), QString::fromStdString(keypad.GetDisplayValue(1)));
    QVERIFY(grid->CellText(1) != u"0x1032"_s);
    QCOMPARE(grid->CursorIndex(), 3);
    QCOMPARE(f.window->windowTitle(), Untitled);
    QVERIFY(!f.control<QToolButton>(u"ToolBtnSave"_s)->isEnabled());
}

void TestMacroView::lastCellNeverBecomesTheCursor() {
    TWindowFixture f;
    showActive(*f.window);
    auto* grid = f.control<TMacroGrid>(u"Grid"_s);

    clickCell(grid, 110); // empty cells past the macro can be the cursor
    QCOMPARE(grid->CursorIndex(), 110);
    clickCell(grid, 111);
    QCOMPARE(grid->CursorIndex(), 110);
    QTest::keyClick(grid, Qt::Key_Right);
    QCOMPARE(grid->CursorIndex(), 110);
    QTest::keyClick(grid, Qt::Key_End);
    QCOMPARE(grid->CursorIndex(), 110);

    clickCell(grid, 103);
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(grid->CursorIndex(), 103);
    QTest::keyClick(grid, Qt::Key_PageDown);
    QCOMPARE(grid->CursorIndex(), 103);
    QTest::keyClick(grid, Qt::Key_Left);
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(grid->CursorIndex(), 110);
}

// Tab types a Tab into the macro at the cursor, as its on-screen key does (see the macro entry
// tests), and never moves the focus out of the grid.
void TestMacroView::tabStaysInTheGrid() {
    TWindowFixture f;
    showActive(*f.window);
    auto* grid = f.control<TMacroGrid>(u"Grid"_s);
    QTRY_COMPARE(QApplication::focusWidget(), grid);

    QTest::keyClick(grid, Qt::Key_Tab);
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(grid->CursorIndex(), 2);
    QCOMPARE(QApplication::focusWidget(), grid);
}

void TestMacroView::draggedRangeKeepsTheCursorWhereItBegan() {
    TWindowFixture f;
    showActive(*f.window);
    auto* grid = f.control<TMacroGrid>(u"Grid"_s);
    QWidget* viewport = grid->viewport();

    QTest::mousePress(viewport, Qt::LeftButton, {}, cellCentre(grid, 9));
    QTest::mouseMove(viewport, cellCentre(grid, 19));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellCentre(grid, 19));
    QCOMPARE(grid->CursorIndex(), 9);
    const QList<QTableWidgetSelectionRange> ranges = grid->selectedRanges();
    QCOMPARE(ranges.size(), 1);
    QCOMPARE(ranges.front().topRow(), 1);
    QCOMPARE(ranges.front().leftColumn(), 1);
    QCOMPARE(ranges.front().bottomRow(), 2);
    QCOMPARE(ranges.front().rightColumn(), 3);

    clickCell(grid, 20);
    QCOMPARE(grid->CursorIndex(), 20);
    QCOMPARE(grid->selectedRanges().size(), 1);
    QCOMPARE(grid->selectedRanges().front().rowCount() * grid->selectedRanges().front().columnCount(), 1);
}

KW24_GUI_TEST(TestMacroView);

#include "MacroViewTest.moc"
