#include "tests/support/GuiTest.h"
#include "tests/ui/main/EntryTestSupport.h"
#include "ui/dialogs/Params.h"
#include "ui/main/MacroGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Key1 = u"SpeedButton21"_s;
const QString Key2 = u"SpeedButton22"_s;
const QString Key6 = u"SpeedButton108"_s;
const QString KeyA = u"SpeedButton79"_s;
const QString DelayKey = u"SpeedButton105"_s;

// "ABCDE" on key 1, level 1 and "xy" on key 2, level 2; key 1, level 1 shown with the cursor at the end.
void fillTwoKeys(TEntryFixture& f) {
    fillMacro(f.keypad(), 0, 0, 5);
    f.keypad().SetKey(1);
    f.keypad().SetLevel(1);
    for (const int value : {'x', 'y'}) {
        std::int32_t position = 100;
        f.keypad().InsertByte(position, value);
    }
    f.keypad().SetKey(0);
    f.keypad().SetLevel(0);
    f.window.window->CopyDataToScreen(f.keypad().NumOfElements());
}

QUndoStack* history(const TEntryFixture& f) {
    return f.window.window->EditHistoryIfMade();
}

void pressCtrl(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers more = {}) {
    QTest::keyClick(widget, key, Qt::ControlModifier | more);
}

QString title(const TEntryFixture& f) {
    return f.window.window->windowTitle();
}

bool saveEnabled(const TEntryFixture& f) {
    return f.control<QToolButton>(u"ToolBtnSave"_s)->isEnabled();
}

} // namespace

class TestEditHistory final : public QObject {
    Q_OBJECT
private slots:
    void startupMakesNoHistoryAndNoEditItems();
    void everyKindOfEditIsUndoneAndRedone();
    void undoAndRedoShowTheChangedKeyLevelAndCursor();
    void theUnsavedMarkFollowsTheSavedState();
    void typingMergesIntoOneStep();
    void aNameTypedWhileItsFieldHasTheFocusIsOneStep();
    void shortcutsActInTheGridOnly();
    void deleteAndBackspaceRemoveExactlyTheSelectedCells_data();
    void deleteAndBackspaceRemoveExactlyTheSelectedCells();
};

void TestEditHistory::startupMakesNoHistoryAndNoEditItems() {
    TEntryFixture f;
    QCOMPARE(history(f), nullptr);
    QCOMPARE(f.control<QMenu>(u"popmenuClearMacro"_s)->actions().size(), 8);
    QCOMPARE(f.control<QMenu>(u"popmenKeyType"_s)->actions().size(), 2);
}

// Each edit, done, undone and redone: the whole definition is exactly as before, then as after.
void TestEditHistory::everyKindOfEditIsUndoneAndRedone() {
    using Edit = std::function<void(TEntryFixture&)>;
    const std::vector<std::pair<QString, Edit>> edits = {
        {u"on-screen key"_s,
         [](TEntryFixture& f) {
             clickKeys(f, {KeyA});
         }},
        {u"typing"_s,
         [](TEntryFixture& f) {
             typeText(f, u"Hi!"_s);
         }},
        {u"delay"_s,
         [](TEntryFixture& f) {
             clickKeys(f, {DelayKey});
         }},
        {u"LED command"_s,
         [](TEntryFixture& f) {
             chooseGridMenuItem(f, 2, u"urnLEDOn2"_s);
         }},
        {u"manual byte"_s,
         [](TEntryFixture& f) {
             QTest::keyClicks(f.control<QLineEdit>(u"edManualInput"_s), u"200"_s);
             QTest::keyClick(f.control<QLineEdit>(u"edManualInput"_s), Qt::Key_Return);
         }},
        {u"Backspace"_s,
         [](TEntryFixture& f) {
             QTest::keyClick(f.grid(), Qt::Key_Backspace);
         }},
        {u"Delete"_s,
         [](TEntryFixture& f) {
             clickCell(f.grid(), 1);
             QTest::keyClick(f.grid(), Qt::Key_Delete);
         }},
        {u"double click"_s,
         [](TEntryFixture& f) {
             clickCell(f.grid(), 2);
             QTest::mouseDClick(f.grid()->viewport(), Qt::LeftButton, {}, cellCentre(f.grid(), 2));
         }},
        {u"erase"_s,
         [](TEntryFixture& f) {
             chooseGridMenuItem(f, 0, u"menuitemClearMacro"_s);
         }},
        {u"key type"_s,
         [](TEntryFixture& f) {
             chooseMenuItem(openKeyTypeMenu(f.window, Key6), u"ToggleKeyMenuItem"_s);
         }},
        {u"name"_s,
         [](TEntryFixture& f) {
             auto* name = f.control<QLineEdit>(u"EditName"_s);
             name->setFocus();
             QTest::keyClicks(name, u"Pad"_s);
         }},
        {u"auto-repeat"_s,
         [](TEntryFixture& f) {
             QTest::mouseClick(f.control<QCheckBox>(u"chkboxAutoRepeat"_s), Qt::LeftButton);
         }},
        {u"properties"_s,
         [](TEntryFixture& f) {
             f.window.window->CreateParametersDialog();
             auto* dialog = f.window.window->findChild<TfrmParameters*>();
             dialog->show();
             dialog->findChild<QSpinBox*>(u"spinRollover"_s)->setValue(5);
             QTest::mouseClick(dialog->findChild<QPushButton*>(u"btnApply"_s), Qt::LeftButton);
             dialog->hide();
         }},
        {u"paste"_s,
         [](TEntryFixture& f) {
             QGuiApplication::clipboard()->setText(u"ok"_s);
             pressCtrl(f.grid(), Qt::Key_V);
         }},
        {u"key drag"_s,
         [](TEntryFixture& f) {
             dragKey(f, Key1, Key2);
         }},
        {u"key drag with Ctrl"_s,
         [](TEntryFixture& f) {
             dragKey(f, Key2, Key1, Qt::ControlModifier);
         }},
        {u"clear key"_s,
         [](TEntryFixture& f) {
             chooseMenuItem(openKeyTypeMenu(f.window, Key2), u"ClearKeyMenuItem"_s);
         }},
    };
    for (const auto& [name, edit] : edits) {
        TEntryFixture f;
        fillTwoKeys(f);
        showActive(*f.window.window);
        f.grid()->setFocus();
        const QString before = definitionText(f.keypad());
        edit(f);
        const QString after = definitionText(f.keypad());
        QVERIFY2(after != before, qPrintable(name + u": changed nothing"_s));
        QVERIFY2(history(f) != nullptr && history(f)->count() == 1, qPrintable(name + u": not one step"_s));
        f.window.window->UndoEdit();
        QVERIFY2(definitionText(f.keypad()) == before, qPrintable(name + u": undo"_s));
        f.window.window->RedoEdit();
        QVERIFY2(definitionText(f.keypad()) == after, qPrintable(name + u": redo"_s));
        QVERIFY2(title(f) == untitled(true), qPrintable(name + u": mark"_s));
    }
}

void TestEditHistory::undoAndRedoShowTheChangedKeyLevelAndCursor() {
    TEntryFixture f;
    fillTwoKeys(f);
    showActive(*f.window.window);
    TMacroGrid* grid = f.grid();
    // Key 2, level 2: insert at cell 1 of "xy".
    QTest::mouseClick(f.control<QAbstractButton>(Key2), Qt::LeftButton);
    f.control<QTabWidget>(u"TabControlLevel"_s)->setCurrentIndex(1);
    clickCell(grid, 1);
    clickKeys(f, {KeyA});
    QCOMPARE(macroValues(f.keypad()), QList<int>({'x', 'a', 'y'}));

    // Elsewhere again: key 1, level 1.
    QTest::mouseClick(f.control<QAbstractButton>(Key1), Qt::LeftButton);
    f.control<QTabWidget>(u"TabControlLevel"_s)->setCurrentIndex(0);

    const auto shows = [&f, grid](int key, int level, int cursor) {
        return f.keypad().Key() == key && f.keypad().Level() == level &&
               f.control<QTabWidget>(u"TabControlLevel"_s)->currentIndex() == level &&
               f.control<QAbstractButton>(key == 0 ? Key1 : Key2)->isChecked() &&
               grid->CursorIndex() == cursor &&
               f.control<QLabel>(u"lblMacroHeader"_s)->text() ==
                   u"Macro for Key %1, Level %2"_s.arg(key + 1).arg(level + 1);
    };
    f.window.window->UndoEdit();
    QVERIFY(shows(1, 1, 1));
    QCOMPARE(cellTexts(grid, 3), QStringList({u"x"_s, u"y"_s, u" "_s}));
    QTest::mouseClick(f.control<QAbstractButton>(Key1), Qt::LeftButton);
    f.window.window->RedoEdit();
    QVERIFY(shows(1, 1, 2));
    QCOMPARE(cellTexts(grid, 3), QStringList({u"x"_s, u"a"_s, u"y"_s}));
    // The panel colour follows the level shown.
    QCOMPARE(f.control<QWidget>(u"pnlKeypad"_s)->palette().color(QPalette::Window), QColor(128, 128, 128));
}

void TestEditHistory::theUnsavedMarkFollowsTheSavedState() {
    TEntryFixture f;
    showActive(*f.window.window);
    TfrmMain* window = f.window.window.get();
    typeText(f, u"a"_s);
    clickKeys(f, {DelayKey});
    QCOMPARE(title(f), untitled(true));
    QVERIFY(saveEnabled(f));
    window->UndoEdit();
    window->UndoEdit();
    QCOMPARE(title(f), untitled(false));
    QVERIFY(!saveEnabled(f));
    window->RedoEdit();
    QCOMPARE(title(f), untitled(true));
    QVERIFY(saveEnabled(f));

    // Saved after the first step: that state is the clean one now, before and after it are not.
    FileDialog::setNextFileName(f.window.userPath(u"Macro_Files/pad.ckd"_s));
    QTest::mouseClick(f.control<QToolButton>(u"ToolBtnSave"_s), Qt::LeftButton);
    QCOMPARE(title(f), u"Keywright24 - pad.ckd"_s);
    window->RedoEdit();
    QCOMPARE(title(f), u"Keywright24 - pad.ckd*"_s);
    window->UndoEdit();
    QCOMPARE(title(f), u"Keywright24 - pad.ckd"_s);
    QVERIFY(!saveEnabled(f));
    window->UndoEdit();
    QCOMPARE(title(f), u"Keywright24 - pad.ckd*"_s);
    QVERIFY(saveEnabled(f));

    // New starts an empty history.
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    QTest::mouseClick(f.control<QToolButton>(u"ToolBtnNew"_s), Qt::LeftButton);
    QVERIFY(!history(f)->canUndo());
    QVERIFY(!history(f)->canRedo());
    QCOMPARE(title(f), untitled(false));
}

void TestEditHistory::typingMergesIntoOneStep() {
    TEntryFixture f;
    fillTwoKeys(f);
    showActive(*f.window.window);
    typeText(f, u"Hello"_s);
    QCOMPARE(history(f)->count(), 1);
    clickCell(f.grid(), 1); // typing elsewhere is a step of its own
    typeText(f, u"ab"_s);
    clickKeys(f, {KeyA}); // and so is an on-screen key
    typeText(f, u"c"_s);
    QCOMPARE(history(f)->count(), 4);

    f.window.window->UndoEdit();
    f.window.window->UndoEdit();
    f.window.window->UndoEdit();
    QCOMPARE(macroValues(f.keypad()), QList<int>({'A', 'B', 'C', 'D', 'E', 'H', 'e', 'l', 'l', 'o'}));
    QCOMPARE(f.grid()->CursorIndex(), 1);
    f.window.window->UndoEdit();
    QCOMPARE(macroValues(f.keypad()), QList<int>({'A', 'B', 'C', 'D', 'E'}));
    QCOMPARE(f.grid()->CursorIndex(), 5);
}

void TestEditHistory::aNameTypedWhileItsFieldHasTheFocusIsOneStep() {
    TEntryFixture f;
    showActive(*f.window.window);
    auto* name = f.control<QLineEdit>(u"EditName"_s);
    name->setFocus();
    QTest::keyClicks(name, u"Pad"_s);
    QTest::keyClick(name, Qt::Key_Return); // to the grid
    name->setFocus();
    QTest::keyClicks(name, u"s"_s);
    QCOMPARE(history(f)->count(), 2);
    QCOMPARE(f.keypad().GetMacroName(), "Pads");
    f.window.window->UndoEdit();
    QCOMPARE(f.keypad().GetMacroName(), "Pad");
    QCOMPARE(name->text(), u"Pad"_s);
    f.window.window->UndoEdit();
    QCOMPARE(f.keypad().GetMacroName(), "");
    QCOMPARE(title(f), untitled(false));

    // Typed and taken back while the field keeps the focus: no step at all.
    f.window.window->RedoEdit();
    f.window.window->RedoEdit();
    f.grid()->setFocus();
    name->setFocus();
    QTest::keyClicks(name, u"!"_s);
    QCOMPARE(history(f)->count(), 3);
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(f.keypad().GetMacroName(), "Pads");
    QCOMPARE(history(f)->count(), 2);
}

// The grid takes the edit shortcuts; the name field keeps its own text shortcuts.
void TestEditHistory::shortcutsActInTheGridOnly() {
    TEntryFixture f;
    fillTwoKeys(f);
    showActive(*f.window.window);
    TMacroGrid* grid = f.grid();
    typeText(f, u"z"_s);
    pressCtrl(grid, Qt::Key_Z);
    QCOMPARE(macroValues(f.keypad()).size(), 5);
    pressCtrl(grid, Qt::Key_Z, Qt::ShiftModifier);
    QCOMPARE(macroValues(f.keypad()).size(), 6);
    pressCtrl(grid, Qt::Key_Z);
    pressCtrl(grid, Qt::Key_Y);
    QCOMPARE(macroValues(f.keypad()).last(), int('z'));

    // Ctrl+A, Ctrl+C: the whole macro on the clipboard; Ctrl+X then removes it all.
    pressCtrl(grid, Qt::Key_A);
    pressCtrl(grid, Qt::Key_C);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"41424344457a"_s);
    pressCtrl(grid, Qt::Key_X);
    QCOMPARE(f.keypad().NumOfElements(), 0);

    auto* name = f.control<QLineEdit>(u"EditName"_s);
    name->setFocus();
    pressCtrl(name, Qt::Key_V);
    QCOMPARE(name->text(), u"41424344457a"_s);
    QCOMPARE(f.keypad().NumOfElements(), 0); // nothing went into the macro
    pressCtrl(name, Qt::Key_Z);              // the field's own undo: its text, not the macro
    QCOMPARE(name->text(), QString());
    QCOMPARE(f.keypad().NumOfElements(), 0);
}

// Selected cells go exactly, whichever way the block was selected; the cursor goes to its top-left.
void TestEditHistory::deleteAndBackspaceRemoveExactlyTheSelectedCells_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("cursor");

    const QList<int> right2 = {Qt::Key_Right, Qt::Key_Right};
    const QList<int> left2 = {Qt::Key_Left, Qt::Key_Left};
    QTest::newRow("Shift+Right from cell 2, Delete")
        << 2 << right2 << Qt::Key_Delete << u"ABFGHIJKLMNOP"_s << 2;
    QTest::newRow("Shift+Right from cell 2, Backspace")
        << 2 << right2 << Qt::Key_Backspace << u"ABFGHIJKLMNOP"_s << 2;
    QTest::newRow("Shift+Left from cell 4, Delete")
        << 4 << left2 << Qt::Key_Delete << u"ABFGHIJKLMNOP"_s << 2;
    QTest::newRow("Shift+Left from cell 2 to 0, Backspace")
        << 2 << left2 << Qt::Key_Backspace << u"DEFGHIJKLMNOP"_s << 0;
    QTest::newRow("Shift+Up from cell 11, Delete")
        << 11 << QList<int>{Qt::Key_Up} << Qt::Key_Delete << u"ABCEFGHIJKMNOP"_s << 3;
}

void TestEditHistory::deleteAndBackspaceRemoveExactlyTheSelectedCells() {
    QFETCH(int, from);
    QFETCH(QList<int>, moves);
    QFETCH(Qt::Key, key);
    QFETCH(QString, left);
    QFETCH(int, cursor);
    TEntryFixture f;
    fillMacro(f.keypad(), 0, 0, 16);
    f.window.window->CopyDataToScreen(16);
    showActive(*f.window.window);
    TMacroGrid* grid = f.grid();
    clickCell(grid, from);
    for (const int move : moves)
        QTest::keyClick(grid, Qt::Key(move), Qt::ShiftModifier);
    QTest::keyClick(grid, key);
    QList<int> expected;
    for (const QChar c : left)
        expected << c.unicode();
    QCOMPARE(macroValues(f.keypad()), expected);
    QCOMPARE(grid->CursorIndex(), cursor);
    f.window.window->UndoEdit();
    QCOMPARE(f.keypad().NumOfElements(), 16);
}

KW24_GUI_TEST(TestEditHistory);

#include "EditHistoryTest.moc"
