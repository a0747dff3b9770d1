#include "ui/main/Clipboard.h"

#include "tests/support/GuiTest.h"
#include "tests/ui/main/EntryTestSupport.h"
#include "ui/main/KeypadButton.h"
#include "ui/main/MacroGrid.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Key1 = u"SpeedButton21"_s;
const QString Key2 = u"SpeedButton22"_s;
const QString Key3 = u"SpeedButton23"_s;

// Macro of key (0 to 23) and level as the values it holds.
QList<int> valuesOf(const TKeypadClass& keypad, int key, int level) {
    QList<int> values;
    for (const std::int32_t value :
         keypad.keys[static_cast<std::size_t>(key)].Macro[static_cast<std::size_t>(level)].Values)
        if (value != CodeValue::Empty)
            values << value;
    return values;
}

// Puts values into the selected macro at its end, as they are.
void put(TEntryFixture& f, std::initializer_list<int> values) {
    for (const int value : values) {
        std::int32_t position = 1000;
        f.keypad().InsertByte(position, value);
    }
    f.window.window->CopyDataToScreen(f.keypad().NumOfElements());
}

void select(TEntryFixture& f, int key, int level) {
    QTest::mouseClick(f.control<QAbstractButton>(QStringList{Key1, Key2, Key3}.at(key)), Qt::LeftButton);
    f.control<QTabWidget>(u"TabControlLevel"_s)->setCurrentIndex(level);
}

void ctrl(const TEntryFixture& f, Qt::Key key) {
    QTest::keyClick(f.grid(), key, Qt::ControlModifier);
}

QAction* gridItem(const TEntryFixture& f, const QString& name) {
    return f.control<QMenu>(u"popmenuClearMacro"_s)->findChild<QAction*>(name);
}

// Opens the grid menu over cell 0 and closes it again, leaving its items as they were shown.
QMenu* openGridMenu(const TEntryFixture& f) {
    TMacroGrid* grid = f.grid();
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, cellCentre(grid, 0));
    auto* menu = f.control<QMenu>(u"popmenuClearMacro"_s);
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        throw std::runtime_error("the grid menu did not open");
    return menu;
}

const int Delay200 = CodeValue::DelayBit + 50;

} // namespace

class TestClipboard final : public QObject {
    Q_OBJECT
private slots:
    void init() { QGuiApplication::clipboard()->clear(); }
    void copiedCodesPasteExactlyAcrossKeysAndLevels();
    void pastedTextInTheCodeFormGoesInAsValues();
    void otherTextIsPastedAsTyped_data();
    void otherTextIsPastedAsTyped();
    void aPasteThatDoesNotFitChangesNothing_data();
    void aPasteThatDoesNotFitChangesNothing();
    void damagedOwnDataIsNotPasted();
    void cutRemovesWhatDeleteRemoves();
    void macrosAreCopiedWithNameAndFlag();
    void keysAreCopiedPastedAndCleared();
    void draggedKeysSwapAndCopyWithCtrl();
    void menusAddTheirItemsAfterTheirOwnAndDisableWhatCannotAct();
};

void TestClipboard::copiedCodesPasteExactlyAcrossKeysAndLevels() {
    TEntryFixture f;
    showActive(*f.window.window);
    put(f, {'a', Delay200, CodeValue::LedFlash, CodeValue::AtAt, 0x1B, 'z'});
    TMacroGrid* grid = f.grid();
    clickCell(grid, 1);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    ctrl(f, Qt::Key_C);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"400132400a40401b"_s);

    select(f, 1, 1);
    ctrl(f, Qt::Key_V);
    ctrl(f, Qt::Key_V);
    const QList<int> block = {Delay200, CodeValue::LedFlash, CodeValue::AtAt, 0x1B};
    QCOMPARE(valuesOf(f.keypad(), 1, 1), block + block);
    QCOMPARE(grid->CursorIndex(), 8);
    QCOMPARE(f.window.window->EditHistoryIfMade()->count(), 2); // one step each
    f.window.window->UndoEdit();
    QCOMPARE(valuesOf(f.keypad(), 1, 1), block);

    // Into the middle of the first macro.
    select(f, 0, 0);
    clickCell(grid, 1);
    ctrl(f, Qt::Key_V);
    QCOMPARE(valuesOf(f.keypad(), 0, 0), QList<int>({'a'}) + block + block + QList<int>({'z'}));
}

// The definition file's own form, with blanks and a line break as a user may copy it from a file.
void TestClipboard::pastedTextInTheCodeFormGoesInAsValues() {
    TEntryFixture f;
    showActive(*f.window.window);
    QGuiApplication::clipboard()->setText(u"1e 400132\n40094040\n"_s);
    ctrl(f, Qt::Key_V);
    QCOMPARE(macroValues(f.keypad()), QList<int>({0x1E, 0x1032, 0x4009, 0x4040}));
}

void TestClipboard::otherTextIsPastedAsTyped_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("values");

    QList<int> hello;
    for (const QChar c : u"Hello, World!"_s)
        hello << c.unicode();
    QTest::newRow("a sentence") << u"Hello, World!"_s << hello;
    QTest::newRow("upper-case hex is text, not codes") << u"BEEF"_s << QList<int>({'B', 'E', 'E', 'F'});
    QTest::newRow("line breaks are Enter") << u"a\r\nb\nc"_s << QList<int>({'a', 13, 'b', 13, 'c'});
    QTest::newRow("@ as typed with Shift") << u"a@"_s << QList<int>({'a', CodeValue::AtAt});
    QTest::newRow("characters typing ignores") << u"x\x01y"_s << QList<int>({'x', 'y'});
    QTest::newRow("beyond ASCII: the code page's byte") << u"é€"_s << QList<int>({0xE9, 0x80});
}

void TestClipboard::otherTextIsPastedAsTyped() {
    QFETCH(QString, text);
    QFETCH(QList<int>, values);
    TEntryFixture f;
    showActive(*f.window.window);
    clickKeys(f, {u"sbtnLCtrl"_s}); // a latched flag does not act on pasted text, nor is it used up
    QGuiApplication::clipboard()->setText(text);
    ctrl(f, Qt::Key_V);
    QCOMPARE(macroValues(f.keypad()), values);
    QCOMPARE(f.window.window->GetModifiers(), ModifierFlag::LCtrl);
    f.window.window->UndoEdit();
    QCOMPARE(f.keypad().NumOfElements(), 0);
}

void TestClipboard::aPasteThatDoesNotFitChangesNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("own codes") << u"own"_s;
    QTest::newRow("code form") << u"codes"_s;
    QTest::newRow("typed text") << u"text"_s;
}

void TestClipboard::aPasteThatDoesNotFitChangesNothing() {
    QFETCH(QString, kind);
    TEntryFixture f;
    showActive(*f.window.window);
    fillMacro(f.keypad(), 0, 0, 97); // room for three bytes
    f.window.window->CopyDataToScreen(2);
    const QString before = definitionText(f.keypad());
    const std::vector<std::int32_t> values = {'x', Delay200}; // four bytes
    if (kind == u"own"_s)
        QGuiApplication::clipboard()->setMimeData(Clipboard::CodesData(values, 64));
    else if (kind == u"codes"_s)
        QGuiApplication::clipboard()->setText(u"7840011e"_s);
    else
        QGuiApplication::clipboard()->setText(u"wxyz"_s);
    ctrl(f, Qt::Key_V);
    QCOMPARE(shownMessages(), QStringList({u"Macro Full!"_s}));
    QCOMPARE(definitionText(f.keypad()), before);
    QCOMPARE(f.window.window->EditHistoryIfMade(), nullptr);
    QCOMPARE(f.window.window->windowTitle(), untitled(false));
}

// Our own type that does not read back cleanly is passed over for the text beside it.
void TestClipboard::damagedOwnDataIsNotPasted() {
    TEntryFixture f;
    showActive(*f.window.window);
    for (const QByteArray& damaged :
         {QByteArray("97 -1 98"), QByteArray("97 x"),
          QByteArray(
              "4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 "
              "4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196 4196")}) {
        auto* data = new QMimeData;
        data->setData(QString::fromLatin1(Clipboard::CodesType), damaged);
        data->setText(u"ok"_s);
        QGuiApplication::clipboard()->setMimeData(data);
        ctrl(f, Qt::Key_V);
    }
    QCOMPARE(macroValues(f.keypad()), QList<int>({'o', 'k', 'o', 'k', 'o', 'k'}));

    auto* macro = new QMimeData;
    macro->setData(QString::fromLatin1(Clipboard::MacroType), "codes=97\nautorepeat=2\nformat=0\nname=x\n");
    QGuiApplication::clipboard()->setMimeData(macro);
    QVERIFY(!Clipboard::Macro(*QGuiApplication::clipboard()->mimeData()));
}

void TestClipboard::cutRemovesWhatDeleteRemoves() {
    TEntryFixture f;
    showActive(*f.window.window);
    fillMacro(f.keypad(), 0, 0, 12);
    f.window.window->CopyDataToScreen(12);
    TMacroGrid* grid = f.grid();
    clickCell(grid, 10);
    QTest::keyClick(grid, Qt::Key_Up, Qt::ShiftModifier); // cells 2 and 10
    chooseGridMenuItem(f, 0, u"menuitemCut"_s);
    QCOMPARE(macroValues(f.keypad()), QList<int>({'A', 'B', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'L'}));
    QCOMPARE(grid->CursorIndex(), 2);
    QVERIFY(Clipboard::Codes(*QGuiApplication::clipboard()->mimeData()) ==
            std::vector<std::int32_t>({'C', 'K'}));
    f.window.window->UndoEdit();
    QCOMPARE(f.keypad().NumOfElements(), 12);
}

void TestClipboard::macrosAreCopiedWithNameAndFlag() {
    TEntryFixture f;
    showActive(*f.window.window);
    put(f, {'q', Delay200});
    f.keypad().SetMacroName("Quick");
    f.keypad().SetCanAutoRepeat(true);
    chooseGridMenuItem(f, 0, u"menuitemCopyMacro"_s);

    select(f, 2, 1);
    put(f, {'o'});
    chooseGridMenuItem(f, 0, u"menuitemPasteMacro"_s);
    QCOMPARE(macroValues(f.keypad()), QList<int>({'q', Delay200}));
    QCOMPARE(f.control<QLineEdit>(u"EditName"_s)->text(), u"Quick"_s);
    QVERIFY(f.control<QCheckBox>(u"chkboxAutoRepeat"_s)->isChecked());
    QCOMPARE(f.grid()->CursorIndex(), 2);
    f.window.window->UndoEdit();
    QCOMPARE(macroValues(f.keypad()), QList<int>({'o'}));
    QCOMPARE(f.keypad().GetMacroName(), "");

    // A copied macro's codes paste as codes too, and its text is the code form.
    QCOMPARE(QGuiApplication::clipboard()->text(), u"71400132"_s);
}

void TestClipboard::keysAreCopiedPastedAndCleared() {
    TEntryFixture f;
    showActive(*f.window.window);
    put(f, {'a'});
    f.keypad().SetLevel(1);
    put(f, {'b', 'c'});
    f.keypad().SetMacroName("Second");
    f.keypad().SetKeytype(ktToggle);
    f.keypad().SetLevel(0);
    chooseMenuItem(openKeyTypeMenu(f.window, Key1), u"CopyKeyMenuItem"_s);
    const QString key1 = definitionText(f.keypad()).section(u'\n', 0, 6);

    chooseMenuItem(openKeyTypeMenu(f.window, Key3), u"PasteKeyMenuItem"_s);
    QCOMPARE(f.keypad().Key(), 2);
    QCOMPARE(definitionText(f.keypad()).section(u'\n', 14, 20), key1);
    QVERIFY(!f.control<QToolButton>(Key3)->icon().isNull()); // the T of a toggle-level key

    chooseMenuItem(openKeyTypeMenu(f.window, Key1), u"ClearKeyMenuItem"_s);
    QCOMPARE(valuesOf(f.keypad(), 0, 0), QList<int>());
    QCOMPARE(valuesOf(f.keypad(), 0, 1), QList<int>());
    QCOMPARE(f.keypad().keys[0].KeyType, ktNormal);
    QVERIFY(f.control<QToolButton>(Key1)->icon().isNull());
    f.window.window->UndoEdit();
    QCOMPARE(definitionText(f.keypad()).section(u'\n', 0, 6), key1);
    QVERIFY(!f.control<QToolButton>(Key1)->icon().isNull());
    QCOMPARE(f.keypad().Key(), 0);
}

void TestClipboard::draggedKeysSwapAndCopyWithCtrl() {
    TEntryFixture f;
    showActive(*f.window.window);
    put(f, {'a'});
    f.keypad().SetKeytype(ktShift);
    select(f, 1, 0);
    put(f, {'b'});
    const QString text = definitionText(f.keypad());
    const QString key1 = text.section(u'\n', 0, 6);
    const QString key2 = text.section(u'\n', 7, 13);

    dragKey(f, Key1, Key2);
    QCOMPARE(definitionText(f.keypad()).section(u'\n', 0, 13), key2 + u'\n' + key1);
    QCOMPARE(f.keypad().Key(), 1); // the target, showing what arrived there
    QCOMPARE(macroValues(f.keypad()), QList<int>({'a'}));
    QVERIFY(!f.control<QToolButton>(Key2)->icon().isNull());
    QVERIFY(f.control<QToolButton>(Key1)->icon().isNull());

    dragKey(f, Key2, Key3, Qt::ControlModifier);
    QCOMPARE(definitionText(f.keypad()).section(u'\n', 14, 20), key1);
    QCOMPARE(definitionText(f.keypad()).section(u'\n', 7, 13), key1);

    f.window.window->UndoEdit();
    f.window.window->UndoEdit();
    QCOMPARE(definitionText(f.keypad()), text);

    // A drag that ends where it began is a click: it selects the key and changes nothing.
    dragKey(f, Key3, Key3);
    QCOMPARE(f.keypad().Key(), 2);
    QCOMPARE(definitionText(f.keypad()), text);

    // While a key is dragged, the key under the pointer shows that the drop lands there, and only it.
    auto* source = f.control<TKeypadButton>(Key1);
    auto* target = f.control<TKeypadButton>(Key2);
    const QPoint start = source->rect().center();
    const QPoint over = target->mapTo(source->parentWidget(), target->rect().center()) - source->pos();
    QTest::mousePress(source, Qt::LeftButton, {}, start);
    QTest::mouseMove(source, (start + over) / 2);
    QTest::mouseMove(source, over);
    QVERIFY(target->IsDropTarget());
    QVERIFY(!source->IsDropTarget());
    QTest::mouseMove(source, start);
    QVERIFY(!target->IsDropTarget());
    QTest::mouseRelease(source, Qt::LeftButton, {}, start);
    QVERIFY(!target->IsDropTarget() && !source->IsDropTarget());
}

void TestClipboard::menusAddTheirItemsAfterTheirOwnAndDisableWhatCannotAct() {
    TEntryFixture f;
    showActive(*f.window.window);
    QMenu* menu = openGridMenu(f);
    QStringList names;
    for (const QAction* action : menu->actions())
        names << action->objectName();
    QCOMPARE(names, QStringList({u"menuitemClearMacro"_s, u"N1"_s, u"menuitemViewKeysAsText"_s,
                                 u"menuitemViewKeysAsHex"_s, u"N2"_s, u"urnLEDOn1"_s, u"urnLEDOn2"_s,
                                 u"FlashLED1"_s, u"N3"_s, u"menuitemUndo"_s, u"menuitemRedo"_s, u"N4"_s,
                                 u"menuitemCut"_s, u"menuitemCopy"_s, u"menuitemPaste"_s, u"N5"_s,
                                 u"menuitemCopyMacro"_s, u"menuitemPasteMacro"_s}));
    QCOMPARE(gridItem(f, u"menuitemUndo"_s)->shortcut(), QKeySequence(QKeySequence::Undo));
    for (const QString& item : {u"menuitemUndo"_s, u"menuitemRedo"_s, u"menuitemCut"_s, u"menuitemCopy"_s,
                                u"menuitemPaste"_s, u"menuitemPasteMacro"_s})
        QVERIFY2(!gridItem(f, item)->isEnabled(), qPrintable(item));
    menu->close();

    clickKeys(f, {u"SpeedButton79"_s});
    clickCell(f.grid(), 0);
    ctrl(f, Qt::Key_C);
    menu = openGridMenu(f);
    for (const QString& item : {u"menuitemUndo"_s, u"menuitemCut"_s, u"menuitemCopy"_s, u"menuitemPaste"_s})
        QVERIFY2(gridItem(f, item)->isEnabled(), qPrintable(item));
    QVERIFY(!gridItem(f, u"menuitemRedo"_s)->isEnabled());
    QVERIFY(!gridItem(f, u"menuitemPasteMacro"_s)->isEnabled());
    menu->close();

    QMenu* keyMenu = openKeyTypeMenu(f.window, Key1);
    QCOMPARE(keyMenu->actions().size(), 6);
    QCOMPARE(keyMenu->actions().at(0)->objectName(), u"ShiftKeyMenuItem"_s);
    QCOMPARE(keyMenu->actions().at(1)->objectName(), u"ToggleKeyMenuItem"_s);
    QVERIFY(keyMenu->actions().at(2)->isSeparator());
    QVERIFY(!keyMenu->findChild<QAction*>(u"PasteKeyMenuItem"_s)->isEnabled());
    QVERIFY(keyMenu->findChild<QAction*>(u"ClearKeyMenuItem"_s)->isEnabled());
    keyMenu->close();
    keyMenu = openKeyTypeMenu(f.window, Key3);
    QVERIFY(!keyMenu->findChild<QAction*>(u"ClearKeyMenuItem"_s)->isEnabled()); // an empty key
    keyMenu->close();
    keyMenu = openKeyTypeMenu(f.window, Key1);
    chooseMenuItem(keyMenu, u"CopyKeyMenuItem"_s);
    QVERIFY(openKeyTypeMenu(f.window, Key2)->findChild<QAction*>(u"PasteKeyMenuItem"_s)->isEnabled());
}

KW24_GUI_TEST(TestClipboard);

#include "ClipboardTest.moc"
