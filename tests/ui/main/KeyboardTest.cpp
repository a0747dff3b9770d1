// The main window without a mouse: keys are pressed where the keyboard focus is, as on a desktop.
#include "files/DefinitionFile.h"
#include "tests/support/GridActions.h"
#include "tests/support/GuiTest.h"
#include "tests/support/WindowFixture.h"
#include "ui/main/MacroGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// A key pressed and released wherever the focus is.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr)
        throw std::runtime_error("nothing has the keyboard focus");
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
}

void press(const QKeySequence& keys) {
    press(keys[0].key(), keys[0].keyboardModifiers());
}

void type(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

QString focusName() {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr)
        return u"(none)"_s;
    // The level tabs' bar has no name of its own; it stands in for the tab control.
    if (qobject_cast<QTabBar*>(focus) != nullptr)
        return focus->parentWidget()->objectName();
    return focus->objectName();
}

QMenu* openedMenu(const TWindowFixture& f, const QString& name) {
    auto* menu = f.control<QMenu>(name);
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        throw std::runtime_error("the menu " + name.toStdString() + " did not open");
    return menu;
}

// Counts the mouse buttons pressed anywhere in the program.
class TMouseWatch final : public QObject {
public:
    TMouseWatch() { qApp->installEventFilter(this); }
    ~TMouseWatch() override { qApp->removeEventFilter(this); }
    int presses = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
            ++presses;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class TestKeyboard final : public QObject {
    Q_OBJECT
private slots:
    void tabFollowsTheScreen();
    void f6LeavesTheGridAndComesBack();
    void arrowsMoveThroughTheKeypad();
    void spaceOrEnterSelectsAKey_data();
    void spaceOrEnterSelectsAKey();
    void arrowsMoveThroughTheOnScreenKeyboard();
    void keyTypeMenuOpensFromTheKeyboard_data();
    void keyTypeMenuOpensFromTheKeyboard();
    void gridMenuOpensFromTheKeyboard();
    void ctrlPageKeysSwitchLevels();
    void commandsHaveShortcutKeys_data();
    void commandsHaveShortcutKeys();
    void helpKeys();
    void wholeMacroWithoutAMouse();
};

// The order of Tab: tool bar, keypad, level tabs, name, auto-repeat, grid; past the grid (F6, since Tab
// types there) the on-screen keyboard, the delay controls and the manual entry. Each group of buttons is
// one stop, entered at its selected or last-used button.
void TestKeyboard::tabFollowsTheScreen() {
    TWindowFixture f;
    showActive(*f.window);
    f.control<QToolButton>(u"SpeedButton113"_s)->click(); // key 7 selected
    f.control<QToolButton>(u"ToolBtnNew"_s)->setFocus(Qt::TabFocusReason);
    QStringList order{focusName()};
    for (int i = 0; i < 5; ++i) {
        press(Qt::Key_Tab);
        order << focusName();
    }
    QCOMPARE(order, (QStringList{u"ToolBtnNew"_s, u"SpeedButton113"_s, u"TabControlLevel"_s, u"EditName"_s,
                                 u"chkboxAutoRepeat"_s, u"Grid"_s}));

    press(Qt::Key_F6);
    order = QStringList{focusName()};
    for (int i = 0; i < 7; ++i) {
        press(Qt::Key_Tab);
        order << focusName();
    }
    QCOMPARE(order, (QStringList{u"spdBtnEsc"_s, u"SpeedButton105"_s, u"tbDelayValue"_s, u"edManualInput"_s,
                                 u"spdbtnInsert"_s, u"rbDecimal"_s, u"chkRecordPauses"_s, u"ToolBtnNew"_s}));
    press(Qt::Key_Backtab);
    QCOMPARE(focusName(), u"chkRecordPauses"_s);
    f.control<QWidget>(u"SpeedButton105"_s)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Backtab);
    QCOMPARE(focusName(), u"spdBtnEsc"_s); // the keyboard's last-used key
    press(Qt::Key_Backtab);
    QCOMPARE(focusName(), u"Grid"_s);
}

void TestKeyboard::f6LeavesTheGridAndComesBack() {
    TWindowFixture f;
    showActive(*f.window);
    QCOMPARE(focusName(), u"Grid"_s);
    press(Qt::Key_Tab); // typed into the macro
    QCOMPARE(focusName(), u"Grid"_s);
    QCOMPARE(f.keypad().NumOfElements(), 1);
    press(Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(focusName(), u"chkboxAutoRepeat"_s);
    press(Qt::Key_F6);
    QCOMPARE(focusName(), u"Grid"_s);
    press(Qt::Key_F6);
    QCOMPARE(focusName(), u"spdBtnEsc"_s);
    press(Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(focusName(), u"Grid"_s);
    QCOMPARE(f.keypad().NumOfElements(), 1);
}

void TestKeyboard::arrowsMoveThroughTheKeypad() {
    TWindowFixture f;
    showActive(*f.window);
    f.control<QWidget>(u"SpeedButton21"_s)->setFocus(Qt::TabFocusReason); // key 1, top left
    struct Step {
        int key;
        const char16_t* focus;
    };
    const Step steps[] = {{Qt::Key_Up, u"SpeedButton21"},     {Qt::Key_Left, u"SpeedButton21"},
                          {Qt::Key_Right, u"SpeedButton22"},  {Qt::Key_Down, u"SpeedButton108"},
                          {Qt::Key_Down, u"SpeedButton119"},  {Qt::Key_Right, u"SpeedButton121"},
                          {Qt::Key_Right, u"SpeedButton123"}, {Qt::Key_Right, u"SpeedButton123"},
                          {Qt::Key_Down, u"SpeedButton127"},  {Qt::Key_Down, u"SpeedButton135"},
                          {Qt::Key_Down, u"SpeedButton140"},  {Qt::Key_Down, u"SpeedButton140"},
                          {Qt::Key_Left, u"SpeedButton139"}};
    for (const Step& step : steps) {
        press(step.key);
        QCOMPARE(focusName(), QString::fromUtf16(step.focus));
    }
    // Moving selects nothing.
    QCOMPARE(f.keypad().Key(), 0);
}

void TestKeyboard::spaceOrEnterSelectsAKey_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Enter") << int(Qt::Key_Return);
}

void TestKeyboard::spaceOrEnterSelectsAKey() {
    QFETCH(int, key);
    TWindowFixture f;
    fillMacro(f.keypad(), 5, 0, 3);
    showActive(*f.window);
    f.control<QWidget>(u"SpeedButton21"_s)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    press(key);
    QCOMPARE(f.keypad().Key(), 5);
    QVERIFY(f.control<QToolButton>(u"SpeedButton108"_s)->isChecked());
    QCOMPARE(f.control<TMacroGrid>(u"Grid"_s)->CursorIndex(), 3);
    QCOMPARE(focusName(), u"Grid"_s); // as after a click, typing goes into the macro
}

void TestKeyboard::arrowsMoveThroughTheOnScreenKeyboard() {
    TWindowFixture f;
    showActive(*f.window);
    press(Qt::Key_F6);
    QCOMPARE(focusName(), u"spdBtnEsc"_s);
    // Along the rows where the keys are in line, to the nearest key below where they are not.
    const std::pair<int, const char16_t*> steps[] = {
        {Qt::Key_Down, u"SpeedButton30"},  {Qt::Key_Down, u"SpeedButton58"},
        {Qt::Key_Right, u"SpeedButton97"}, {Qt::Key_Down, u"SpeedButton79"},
        {Qt::Key_Down, u"SpeedButton99"},  {Qt::Key_Down, u"sbtnLCtrl"},
        {Qt::Key_Right, u"SpeedButton93"}, {Qt::Key_Up, u"SpeedButton101"},
        {Qt::Key_Down, u"SpeedButton93"},  {Qt::Key_Left, u"sbtnLCtrl"},
        {Qt::Key_Up, u"sbtnLShift"},       {Qt::Key_Up, u"spdbtnCapsLock"}};
    for (const auto& [key, focus] : steps) {
        press(key);
        QCOMPARE(focusName(), QString::fromUtf16(focus));
    }
    // Space latches a modifier and leaves the focus on it; a key then goes into the macro.
    press(Qt::Key_Space);
    QVERIFY(f.control<QToolButton>(u"spdbtnCapsLock"_s)->isChecked());
    QCOMPARE(focusName(), u"spdbtnCapsLock"_s);
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    QCOMPARE(QString::fromStdString(f.keypad().GetDisplayValue(0)), u"A"_s);
    QCOMPARE(focusName(), u"Grid"_s);
}

void TestKeyboard::keyTypeMenuOpensFromTheKeyboard_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    QTest::newRow("Menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier);
}

// The menu opens for the focused key, which it selects first, as the right mouse button does.
void TestKeyboard::keyTypeMenuOpensFromTheKeyboard() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TWindowFixture f;
    showActive(*f.window);
    f.control<QWidget>(u"SpeedButton21"_s)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Right);
    press(key, Qt::KeyboardModifiers(modifiers));
    QMenu* menu = openedMenu(f, u"popmenKeyType"_s);
    QCOMPARE(f.keypad().Key(), 1);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(!menu->isVisible());
    QCOMPARE(f.keypad().Keytype(), ktToggle);
    QVERIFY(f.window->HasChangesPending());

    // Cancelled, the menu gives the focus back to its key: a Space then types nothing into a macro.
    press(key, Qt::KeyboardModifiers(modifiers));
    menu = openedMenu(f, u"popmenKeyType"_s);
    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), f.control<QWidget>(u"SpeedButton22"_s));
    press(Qt::Key_Space);
    QCOMPARE(f.keypad().NumOfElements(), 0);
}

void TestKeyboard::gridMenuOpensFromTheKeyboard() {
    TWindowFixture f;
    showActive(*f.window);
    type(u"A"_s);
    press(Qt::Key_Menu);
    QMenu* menu = openedMenu(f, u"popmenuClearMacro"_s);
    // Erase, then the two views past the separator.
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(!menu->isVisible());
    QVERIFY(f.keypad().bViewInHex);
    QCOMPARE(f.control<TMacroGrid>(u"Grid"_s)->CellText(0), u"0x41"_s);

    press(Qt::Key_F10, Qt::ShiftModifier);
    menu = openedMenu(f, u"popmenuClearMacro"_s);
    QVERIFY(menu->findChild<QAction*>(u"menuitemViewKeysAsHex"_s)->isChecked());
    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu->isVisible());
    QCOMPARE(f.keypad().NumOfElements(), 1); // neither key went into the macro
}

void TestKeyboard::ctrlPageKeysSwitchLevels() {
    TWindowFixture f;
    showActive(*f.window);
    auto* tabs = f.control<QTabWidget>(u"TabControlLevel"_s);
    for (QWidget* focus : {f.control<QWidget>(u"Grid"_s), f.control<QWidget>(u"EditName"_s)}) {
        focus->setFocus();
        press(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(f.keypad().Level(), 1);
        press(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(f.keypad().Level(), 1);
        press(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(f.keypad().Level(), 0);
        QCOMPARE(QApplication::focusWidget(), focus);
    }
    QCOMPARE(f.keypad().NumOfElements(), 0);
}

void TestKeyboard::commandsHaveShortcutKeys_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QKeySequence>("keys");
    const auto platform = [](QKeySequence::StandardKey command) {
        return QKeySequence::keyBindings(command).value(0, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    };
    QTest::newRow("New") << u"ToolBtnNew"_s << platform(QKeySequence::New);
    QTest::newRow("Alt+N") << u"ToolBtnNew"_s << QKeySequence(Qt::ALT | Qt::Key_N);
    QTest::newRow("Open") << u"ToolBtnOpen"_s << platform(QKeySequence::Open);
    QTest::newRow("Alt+O") << u"ToolBtnOpen"_s << QKeySequence(Qt::ALT | Qt::Key_O);
    QTest::newRow("Save") << u"ToolBtnSave"_s << platform(QKeySequence::Save);
    QTest::newRow("Alt+S") << u"ToolBtnSave"_s << QKeySequence(Qt::ALT | Qt::Key_S);
    QTest::newRow("Save As") << u"ToolBtnSaveAs"_s << platform(QKeySequence::SaveAs);
    QTest::newRow("Alt+A") << u"ToolBtnSaveAs"_s << QKeySequence(Qt::ALT | Qt::Key_A);
    QTest::newRow("Alt+R") << u"ToolBtnParameters"_s << QKeySequence(Qt::ALT | Qt::Key_R);
    QTest::newRow("Alt+L") << u"ToolButtonKeyLabels"_s << QKeySequence(Qt::ALT | Qt::Key_L);
    QTest::newRow("Alt+P") << u"btnWirepick"_s << QKeySequence(Qt::ALT | Qt::Key_P);
    QTest::newRow("Alt+D") << u"ToolBtnDownload"_s << QKeySequence(Qt::ALT | Qt::Key_D);
    QTest::newRow("Alt+T") << u"ToolButtonTest"_s << QKeySequence(Qt::ALT | Qt::Key_T);
}

// Each command's keys act from the grid without typing anything into the macro; Save's keys act only
// while Save is enabled, as its button does.
void TestKeyboard::commandsHaveShortcutKeys() {
    QFETCH(QString, button);
    QFETCH(QKeySequence, keys);
    TWindowFixture f;
    f.window->CreateParametersDialog();
    showActive(*f.window);
    auto* command = f.control<QToolButton>(button);
    QSignalSpy clicks(command, &QToolButton::clicked);
    // Properties shows its dialog modally: close it again once it is up.
    QTimer::singleShot(0, qApp, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            dialog->close();
    });
    if (button == u"ToolBtnSave"_s) {
        press(keys);
        QCOMPARE(clicks.size(), 0);
        f.window->ChangesPending(true);
    }
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    press(keys);
    QTRY_COMPARE(clicks.size(), 1);
    QCOMPARE(f.keypad().NumOfElements(), 0);
}

void TestKeyboard::helpKeys() {
    TWindowFixture f;
    showActive(*f.window);
    press(QKeySequence::keyBindings(QKeySequence::HelpContents).value(0, QKeySequence(Qt::Key_F1)));
    QCOMPARE(MessageBox::shown().size(), std::size_t{1}); // no manual in the test's program folder
    QVERIFY(MessageBox::shown().front().text.contains(u"Keywright24.pdf"_s));

    // The Help button's menu runs until it is closed: look at it and close it from inside.
    auto* menu = f.control<QMenu>(u"HelpMenu"_s);
    bool opened = false;
    QTimer::singleShot(0, menu, [menu, &opened] {
        opened = menu->isVisible();
        QTest::keyClick(menu, Qt::Key_Escape);
    });
    press(Qt::Key_H, Qt::AltModifier);
    QVERIFY(opened);
    QVERIFY(!menu->isVisible());
}

// A macro typed, given a delay, a name and auto-repeat, and saved, by keys alone.
void TestKeyboard::wholeMacroWithoutAMouse() {
    TWindowFixture f;
    const TMouseWatch mouse;
    showActive(*f.window);
    f.control<QWidget>(u"ToolBtnNew"_s)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Tab); // keypad
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    press(Qt::Key_Space); // key 6 selected, the grid has the focus
    press(Qt::Key_PageDown, Qt::ControlModifier);
    type(u"Hi"_s);
    press(Qt::Key_F6);
    press(Qt::Key_Tab); // the delay button
    press(Qt::Key_Space);
    QCOMPARE(focusName(), u"Grid"_s);
    press(Qt::Key_F6, Qt::ShiftModifier);
    press(Qt::Key_Space); // auto-repeat on
    press(Qt::Key_F6, Qt::ShiftModifier);
    press(Qt::Key_Backtab);
    QCOMPARE(focusName(), u"EditName"_s);
    type(u"Greeting"_s);
    press(Qt::Key_Return);
    QCOMPARE(focusName(), u"Grid"_s);

    const QString path = f.userPath(u"Macro_Files/greeting.ckd"_s);
    FileDialog::setNextFileName(path);
    press(QKeySequence::keyBindings(QKeySequence::Save).value(0));
    QCOMPARE(f.window->windowTitle(), u"Keywright24 - greeting.ckd"_s);
    QCOMPARE(mouse.presses, 0);

    TKeypadClass saved;
    QCOMPARE(ReadDefinitionFile(saved, toFilesystemPath(path)), DefinitionReadResult::Loaded);
    saved.SetKey(5);
    saved.SetLevel(1);
    QStringList codes;
    for (int i = 0; i < saved.NumOfElements(); ++i)
        codes << QString::fromStdString(saved.GetDisplayValue(i));
    QCOMPARE(codes, (QStringList{u"H"_s, u"i"_s, u"Dly 200"_s}));
    QCOMPARE(saved.GetMacroName(), std::string("Greeting"));
    QVERIFY(saved.CanAutoRepeat());
}

KW24_GUI_TEST(TestKeyboard);

#include "KeyboardTest.moc"
