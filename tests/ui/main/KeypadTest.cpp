#include "resources/Pictures.h"
#include "tests/support/GuiTest.h"
#include "tests/support/MenuActions.h"
#include "tests/support/WindowFixture.h"
#include "ui/main/MacroGrid.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Untitled = u"Keywright24 - untitled.ckd"_s;

QImage pictureOf(const QIcon& icon) {
    return icon.pixmap(QSize(16, 16)).toImage();
}

// The window shown and active, so that focus and pop-up menus behave as on a desktop.
void showActive(TfrmMain& window) {
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        throw std::runtime_error("the main window did not become active");
}

bool checked(const TWindowFixture& f, const QString& item) {
    return f.control<QMenu>(u"popmenKeyType"_s)->findChild<QAction*>(item)->isChecked();
}

} // namespace

class TestKeypad final : public QObject {
    Q_OBJECT
private slots:
    void clickingAKeyShowsItsMacro();
    void levelTabsShowTheLevelAndColourThePanel();
    void firstChangeAddsOneMark();
    void keyTypeMenuSetsAndClearsTheType();
    void rightButtonSelectsTheKeyBeforeTheMenuOpens();
};

void TestKeypad::clickingAKeyShowsItsMacro() {
    TWindowFixture f;
    fillMacro(f.keypad(), 5, 0, 10);
    showActive(*f.window);

    QTest::mouseClick(f.control<QToolButton>(u"SpeedButton108"_s), Qt::LeftButton);
    QCOMPARE(f.keypad().Key(), 5);
    QCOMPARE(f.keypad().Level(), 0);
    QVERIFY(f.control<QAbstractButton>(u"SpeedButton108"_s)->isChecked());
    QVERIFY(!f.control<QAbstractButton>(u"SpeedButton21"_s)->isChecked());
    QCOMPARE(f.control<QLabel>(u"lblMacroHeader"_s)->text(), u"Macro for Key 6, Level 1"_s);
    QCOMPARE(f.control<QLabel>(u"lblBytesUsed"_s)->text(), u"90"_s);
    QCOMPARE(f.control<QProgressBar>(u"Gauge1"_s)->value(), 10);
    auto* grid = f.control<TMacroGrid>(u"Grid"_s);
    QCOMPARE(grid->CellText(9), u"J"_s);
    QCOMPARE(grid->currentRow(), 1); // just after the last code: cell 10
    QCOMPARE(grid->currentColumn(), 2);
    QTRY_COMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(f.window->windowTitle(), Untitled); // selecting changes nothing

    QTest::mouseClick(f.control<QToolButton>(u"SpeedButton21"_s), Qt::LeftButton);
    QCOMPARE(f.control<QLabel>(u"lblBytesUsed"_s)->text(), u"100"_s);
    QCOMPARE(grid->CursorIndex(), 0);
    QVERIFY(grid->CellText(9).trimmed().isEmpty());
}

void TestKeypad::levelTabsShowTheLevelAndColourThePanel() {
    TWindowFixture f;
    TKeypadClass& keypad = f.keypad();
    keypad.SetKey(2);
    keypad.SetLevel(1);
    std::int32_t position = 0;
    keypad.InsertKey(position, CodeValue::DelayBit + 0x32);
    keypad.SetLevel(0);
    showActive(*f.window);
    auto* grid = f.control<TMacroGrid>(u"Grid"_s);
    QTest::mouseClick(f.control<QToolButton>(u"SpeedButton23"_s), Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), grid);

    auto* tabBar = f.control<QTabWidget>(u"TabControlLevel"_s)->tabBar();
    QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(1).center());
    QCOMPARE(keypad.Level(), 1);
    QCOMPARE(keypad.Key(), 2);
    QCOMPARE(f.control<QLabel>(u"lblMacroHeader"_s)->text(), u"Macro for Key 3, Level 2"_s);
    QCOMPARE(f.control<QLabel>(u"lblBytesUsed"_s)->text(), u"97"_s); // a delay takes three bytes
    QCOMPARE(f.control<QProgressBar>(u"Gauge1"_s)->value(), 3);
    QCOMPARE(grid->CursorIndex(), 1);
    QCOMPARE(f.control<QWidget>(u"pnlKeypad"_s)->palette().color(QPalette::Window), QColor(128, 128, 128));
    QCOMPARE(QApplication::focusWidget(), grid); // the tabs do not take the focus

    QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(0).center());
    QCOMPARE(keypad.Level(), 0);
    QCOMPARE(f.control<QLabel>(u"lblMacroHeader"_s)->text(), u"Macro for Key 3, Level 1"_s);
    QCOMPARE(grid->CursorIndex(), 0);
    QCOMPARE(f.control<QWidget>(u"pnlKeypad"_s)->palette().color(QPalette::Window), QColor(166, 202, 240));
    QCOMPARE(f.window->windowTitle(), Untitled);
}

void TestKeypad::firstChangeAddsOneMark() {
    TWindowFixture f;
    showActive(*f.window);
    auto* autoRepeat = f.control<QCheckBox>(u"chkboxAutoRepeat"_s);
    QTest::mouseClick(autoRepeat, Qt::LeftButton);
    QCOMPARE(f.window->windowTitle(), Untitled + u'*');
    QVERIFY(f.control<QToolButton>(u"ToolBtnSave"_s)->isEnabled());
    QVERIFY(f.window->HasChangesPending());

    QTest::mouseClick(autoRepeat, Qt::LeftButton);
    QTest::keyClicks(f.control<QLineEdit>(u"EditName"_s), u"Pad"_s);
    openKeyTypeMenu(f, u"SpeedButton22"_s);
    chooseMenuItem(f.control<QMenu>(u"popmenKeyType"_s), u"ShiftKeyMenuItem"_s);
    QCOMPARE(f.window->windowTitle(), Untitled + u'*');
}

void TestKeypad::keyTypeMenuSetsAndClearsTheType() {
    TWindowFixture f;
    TKeypadClass& keypad = f.keypad();
    fillMacro(keypad, 7, 0, 4);
    fillMacro(keypad, 7, 1, 2);
    keypad.SetKey(7);
    keypad.SetMacroName("Seven");
    keypad.SetCanAutoRepeat(true);
    const TKeyDataRec before = keypad.keys[7];
    showActive(*f.window);
    auto* button = f.control<QToolButton>(u"SpeedButton114"_s);

    chooseMenuItem(openKeyTypeMenu(f, u"SpeedButton114"_s), u"ShiftKeyMenuItem"_s);
    QCOMPARE(keypad.Keytype(), ktShift);
    QCOMPARE(pictureOf(button->icon()), pictureOf(Pictures::LevelImage(ktShift)));

    openKeyTypeMenu(f, u"SpeedButton114"_s);
    QVERIFY(checked(f, u"ShiftKeyMenuItem"_s));
    QVERIFY(!checked(f, u"ToggleKeyMenuItem"_s));
    chooseMenuItem(f.control<QMenu>(u"popmenKeyType"_s), u"ToggleKeyMenuItem"_s);
    QCOMPARE(keypad.Keytype(), ktToggle);
    QCOMPARE(pictureOf(button->icon()), pictureOf(Pictures::LevelImage(ktToggle)));
    QVERIFY(!checked(f, u"ShiftKeyMenuItem"_s));

    chooseMenuItem(openKeyTypeMenu(f, u"SpeedButton114"_s), u"ToggleKeyMenuItem"_s);
    QCOMPARE(keypad.Keytype(), ktNormal);
    QVERIFY(button->icon().isNull());

    // Another key may be a shift-level key at the same time; neither key's macros change.
    chooseMenuItem(openKeyTypeMenu(f, u"SpeedButton114"_s), u"ShiftKeyMenuItem"_s);
    chooseMenuItem(openKeyTypeMenu(f, u"SpeedButton22"_s), u"ShiftKeyMenuItem"_s);
    QCOMPARE(keypad.keys[1].KeyType, ktShift);
    QCOMPARE(keypad.keys[7].KeyType, ktShift);
    QVERIFY(!button->icon().isNull());
    for (int level = 0; level < LevelCount; ++level) {
        QVERIFY(keypad.keys[7].Macro[level].Values == before.Macro[level].Values);
        QCOMPARE(keypad.keys[7].Macro[level].Name, before.Macro[level].Name);
        QCOMPARE(keypad.keys[7].Macro[level].AutoRepeat, before.Macro[level].AutoRepeat);
    }
    QCOMPARE(f.window->windowTitle(), Untitled + u'*');
}

void TestKeypad::rightButtonSelectsTheKeyBeforeTheMenuOpens() {
    TWindowFixture f;
    TKeypadClass& keypad = f.keypad();
    fillMacro(keypad, 9, 0, 3);
    keypad.keys[9].KeyType = ktToggle;
    showActive(*f.window);
    auto* button = f.control<QToolButton>(u"SpeedButton119"_s);
    auto* menu = f.control<QMenu>(u"popmenKeyType"_s);

    QTest::mousePress(button, Qt::RightButton);
    QCOMPARE(keypad.Key(), 9);
    QVERIFY(button->isChecked());
    QCOMPARE(f.control<QLabel>(u"lblMacroHeader"_s)->text(), u"Macro for Key 10, Level 1"_s);
    QCOMPARE(f.control<TMacroGrid>(u"Grid"_s)->CursorIndex(), 3);
    QVERIFY(!menu->isVisible());

    QTest::mouseRelease(button, Qt::RightButton);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(checked(f, u"ToggleKeyMenuItem"_s));
    QVERIFY(!checked(f, u"ShiftKeyMenuItem"_s));
    QCOMPARE(menu->actions().at(0)->objectName(), u"ShiftKeyMenuItem"_s);
    QCOMPARE(pictureOf(menu->actions().at(0)->icon()), pictureOf(Pictures::LevelImage(ktShift)));
    QCOMPARE(pictureOf(menu->actions().at(1)->icon()), pictureOf(Pictures::LevelImage(ktToggle)));
    menu->close();
    QCOMPARE(f.window->windowTitle(), Untitled);
}

KW24_GUI_TEST(TestKeypad);

#include "KeypadTest.moc"
