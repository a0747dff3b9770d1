#include "tests/support/GuiTest.h"
#include "tests/ui/main/EntryTestSupport.h"
#include "ui/main/MacroGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Key names on the on-screen keyboard.
const QString KeyA = u"SpeedButton79"_s;
const QString KeyH = u"SpeedButton82"_s;
const QString KeyI = u"SpeedButton69"_s;
const QString Key1 = u"SpeedButton31"_s;
const QString Key2 = u"SpeedButton32"_s;
const QString KeyX = u"SpeedButton100"_s;
const QString KeyOpenBracket = u"SpeedButton72"_s;
const QString KeyEnter = u"SpeedButton95"_s;
const QString DelayKey = u"SpeedButton105"_s;
const QString LShift = u"sbtnLShift"_s;
const QString RShift = u"sbtnRShift"_s;
const QString LCtrl = u"sbtnLCtrl"_s;
const QString RCtrl = u"sbtnRCtrl"_s;
const QString CapsLock = u"spdbtnCapsLock"_s;

bool latched(const TEntryFixture& f, const QString& name) {
    return f.control<QAbstractButton>(name)->isChecked();
}

QList<int> codesOf(const QString& text) {
    QList<int> codes;
    for (const QChar c : text)
        codes << c.unicode();
    return codes;
}

// A macro of count one-byte codes "A", "B", ... on key 1, level 1.
void fill(TEntryFixture& f, int count) {
    fillMacro(f.keypad(), 0, 0, count);
    f.window.window->CopyDataToScreen(f.keypad().NumOfElements());
}

} // namespace

class TestMacroEntry final : public QObject {
    Q_OBJECT
private slots:
    void onScreenKeysWithModifiers_data();
    void onScreenKeysWithModifiers();
    void typingOnThePcKeyboard_data();
    void typingOnThePcKeyboard();
    void charactersSentAsText_data();
    void charactersSentAsText();
    void modifierFlagsOutliveTheLookOfTheirButtons();
    void keysGoInAtTheCursor_data();
    void keysGoInAtTheCursor();
    void removingAroundTheCursor_data();
    void removingAroundTheCursor();
    void aDraggedBlockIsRemovedWhole();
    void aFullMacroRefusesAndChangesNothing_data();
    void aFullMacroRefusesAndChangesNothing();
};

void TestMacroEntry::onScreenKeysWithModifiers_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("bytesUsed");
    QTest::addColumn<bool>("capsLockLatched");

    QTest::newRow("H I") << QStringList{KeyH, KeyI} << QStringList{u"h"_s, u"i"_s} << 2 << false;
    QTest::newRow("Shift acts on one key")
        << QStringList{LShift, KeyH, KeyI} << QStringList{u"H"_s, u"i"_s} << 2 << false;
    QTest::newRow("right Shift") << QStringList{RShift, KeyA} << QStringList{u"A"_s} << 1 << false;
    QTest::newRow("Shift clicked twice is released")
        << QStringList{LShift, LShift, KeyA} << QStringList{u"a"_s} << 1 << false;
    QTest::newRow("Caps Lock stays") << QStringList{CapsLock, KeyA, Key1, KeyA}
                                     << QStringList{u"A"_s, u"!"_s, u"A"_s} << 3 << true;
    QTest::newRow("Caps Lock released")
        << QStringList{CapsLock, KeyA, CapsLock, KeyA} << QStringList{u"A"_s, u"a"_s} << 2 << false;
    QTest::newRow("Ctrl A") << QStringList{LCtrl, KeyA} << QStringList{u"^A  01h"_s} << 1 << false;
    QTest::newRow("Ctrl [") << QStringList{LCtrl, KeyOpenBracket} << QStringList{u"Esc"_s} << 1 << false;
    QTest::newRow("right Ctrl Enter") << QStringList{RCtrl, KeyEnter} << QStringList{u"LF"_s} << 1 << false;
    QTest::newRow("Ctrl 1 enters nothing and is used up")
        << QStringList{LCtrl, Key1, Key1} << QStringList{u"1"_s} << 1 << false;
    QTest::newRow("Shift wins over Ctrl")
        << QStringList{LShift, LCtrl, KeyA} << QStringList{u"A"_s} << 1 << false;
    QTest::newRow("Shift 2") << QStringList{LShift, Key2} << QStringList{u"@@"_s} << 2 << false;
    QTest::newRow("Caps Lock 2") << QStringList{CapsLock, Key2} << QStringList{u"@@"_s} << 2 << true;
}

void TestMacroEntry::onScreenKeysWithModifiers() {
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, shown);
    QFETCH(int, bytesUsed);
    QFETCH(bool, capsLockLatched);
    TEntryFixture f;
    showActive(*f.window.window);

    clickKeys(f, clicks);
    QCOMPARE(cellTexts(f.grid(), static_cast<int>(shown.size()) + 1), shown + QStringList{u" "_s});
    QCOMPARE(f.grid()->CursorIndex(), shown.size());
    QCOMPARE(f.control<QLabel>(u"lblBytesUsed"_s)->text(), QString::number(100 - bytesUsed));
    QCOMPARE(f.window.window->windowTitle(), untitled(true));
    for (const QString& modifier : {LShift, RShift, LCtrl, RCtrl})
        QVERIFY2(!latched(f, modifier), qPrintable(modifier));
    QCOMPARE(latched(f, CapsLock), capsLockLatched);
    QCOMPARE(f.window.window->GetModifiers(), capsLockLatched ? 0x20 : 0);
}

void TestMacroEntry::typingOnThePcKeyboard_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("pcCapsLock");
    QTest::addColumn<QList<int>>("stored");

    const QString hello = u"Hello, World!"_s;
    QTest::newRow("text") << hello << 0 << false << codesOf(hello);
    QTest::newRow("* and + with Shift") << u"*+"_s << 0 << false << QList<int>{42, 43};
    QTest::newRow("* and + on the keypad")
        << u"*+"_s << int(Qt::KeypadModifier) << false << QList<int>{42, 43};
    QTest::newRow("PC Caps Lock shifts digits") << u"1"_s << 0 << true << QList<int>{33};
    QTest::newRow("Shift 2") << u"@"_s << 0 << false << QList<int>{0x4040};
    QTest::newRow("Tab, Enter, Esc, space") << u"\t\r\x1b "_s << 0 << false << QList<int>{9, 13, 27, 32};
    QTest::newRow("Ctrl shortcuts") << u"a1"_s << int(Qt::ControlModifier) << false << QList<int>{};
    QTest::newRow("Alt shortcuts") << u"a1"_s << int(Qt::AltModifier) << false << QList<int>{};
}

void TestMacroEntry::typingOnThePcKeyboard() {
    QFETCH(QString, typed);
    QFETCH(int, modifiers);
    QFETCH(bool, pcCapsLock);
    QFETCH(QList<int>, stored);
    TEntryFixture f;
    showActive(*f.window.window);
    f.pc.setCapsLock(pcCapsLock);

    typeText(f, typed, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(macroValues(f.keypad()), stored);
    QCOMPARE(f.grid()->CursorIndex(), stored.size());
    QCOMPARE(f.window.window->windowTitle(), untitled(!stored.isEmpty()));
    QCOMPARE(f.window.window->GetModifiers(), 0); // releasing Shift clears the flag it set
    QCOMPARE(QApplication::focusWidget(), f.grid());
}

void TestMacroEntry::charactersSentAsText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<QString>("shown");

    QTest::newRow("e acute") << u"é"_s << QList<int>{233} << u"é"_s;
    QTest::newRow("euro sign") << u"€"_s << QList<int>{128} << u"€"_s;
    QTest::newRow("y diaeresis") << u"ÿ"_s << QList<int>{255} << u"ÿ"_s;
    QTest::newRow("capital Y diaeresis") << u"Ÿ"_s << QList<int>{0x9F} << u"Ÿ"_s;
    QTest::newRow("no-break space") << u"\u00A0"_s << QList<int>{0xA0} << u"\u00A0"_s;
    QTest::newRow("two at once") << u"ñ¿"_s << QList<int>{0xF1, 0xBF} << u"ñ"_s;
    QTest::newRow("a macron has no byte") << u"ā"_s << QList<int>{} << u" "_s;
    QTest::newRow("a C1 control has no character") << u"\u0081"_s << QList<int>{} << u" "_s;
    QTest::newRow("an emoji has no byte") << u"😀"_s << QList<int>{} << u" "_s;
    QTest::newRow("control characters are ignored") << u"\x01\x1f\x7f"_s << QList<int>{} << u" "_s;
}

// Characters as an input method hands them over. Beyond ASCII never the character's own code: from
// 4096 on it would be stored as a command.
void TestMacroEntry::charactersSentAsText() {
    QFETCH(QString, typed);
    QFETCH(QList<int>, stored);
    QFETCH(QString, shown);
    TEntryFixture f;
    showActive(*f.window.window);

    typeCharacters(f.grid(), typed);
    QCOMPARE(macroValues(f.keypad()), stored);
    QCOMPARE(f.grid()->CellText(0), shown);
    QCOMPARE(f.window.window->windowTitle(), untitled(!stored.isEmpty()));
}

void TestMacroEntry::modifierFlagsOutliveTheLookOfTheirButtons() {
    TEntryFixture f;
    showActive(*f.window.window);
    TMacroGrid* grid = f.grid();

    // Releasing the PC Shift key clears the flags of latched buttons, which keep their look.
    clickKeys(f, {RShift});
    QTest::keyPress(grid, Qt::Key_Shift);
    QCOMPARE(f.window.window->GetModifiers(), 0x03);
    QTest::keyRelease(grid, Qt::Key_Shift);
    QVERIFY(latched(f, RShift));
    clickKeys(f, {KeyA});
    QCOMPARE(grid->CellText(0), u"a"_s);

    // Moving the cursor shows Shift and Ctrl released but keeps their flags; Caps Lock keeps its look.
    clickKeys(f, {LCtrl, CapsLock});
    clickCell(grid, 0);
    QVERIFY(!latched(f, LCtrl));
    QVERIFY(latched(f, CapsLock));
    QCOMPARE(f.window.window->GetModifiers(), 0x24);

    // A click on a modifier leaves the focus where it is; any other key gives it to the grid.
    auto* name = f.control<QLineEdit>(u"EditName"_s);
    name->setFocus();
    clickKeys(f, {LShift});
    QCOMPARE(QApplication::focusWidget(), name);
    clickKeys(f, {KeyX});
    QCOMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(grid->CellText(0), u"X"_s); // Caps Lock and Shift: the shifted character
}

void TestMacroEntry::keysGoInAtTheCursor_data() {
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("cursorAfter");
    QTest::newRow("in the middle") << 2 << u"ABxCDE"_s << 3;
    QTest::newRow("at the end") << 5 << u"ABCDEx"_s << 6;
    QTest::newRow("past the end") << 40 << u"ABCDEx"_s << 6;
    QTest::newRow("first") << 0 << u"xABCDE"_s << 1;
}

void TestMacroEntry::keysGoInAtTheCursor() {
    QFETCH(int, cursor);
    QFETCH(QString, stored);
    QFETCH(int, cursorAfter);
    TEntryFixture f;
    fill(f, 5);
    showActive(*f.window.window);

    clickCell(f.grid(), cursor);
    clickKeys(f, {KeyX});
    QCOMPARE(macroValues(f.keypad()), codesOf(stored));
    QCOMPARE(f.grid()->CursorIndex(), cursorAfter);

    // Typing goes in at the cursor just the same, Tab included.
    clickCell(f.grid(), cursor);
    typeText(f, u"\t"_s);
    const int tabAt = std::min(cursor, 6);
    QCOMPARE(f.grid()->CellText(tabAt), u"Tab"_s);
    QCOMPARE(f.grid()->CursorIndex(), tabAt + 1);
}

void TestMacroEntry::removingAroundTheCursor_data() {
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("cursorAfter");
    QTest::addColumn<bool>("marked");

    QTest::newRow("Backspace removes the code before the cursor")
        << 3 << u"Backspace"_s << u"ABDE"_s << 2 << true;
    QTest::newRow("Backspace in the first cell does nothing")
        << 0 << u"Backspace"_s << u"ABCDE"_s << 0 << false;
    QTest::newRow("Backspace past the end removes nothing") << 9 << u"Backspace"_s << u"ABCDE"_s << 8 << true;
    QTest::newRow("Delete removes the code under the cursor") << 3 << u"Delete"_s << u"ABCE"_s << 3 << true;
    QTest::newRow("Delete past the end removes nothing") << 7 << u"Delete"_s << u"ABCDE"_s << 7 << true;
    QTest::newRow("a double click removes the clicked code")
        << 2 << u"DoubleClick"_s << u"ABDE"_s << 2 << true;
}

void TestMacroEntry::removingAroundTheCursor() {
    QFETCH(int, cursor);
    QFETCH(QString, action);
    QFETCH(QString, left);
    QFETCH(int, cursorAfter);
    QFETCH(bool, marked);
    TEntryFixture f;
    fill(f, 5);
    showActive(*f.window.window);
    TMacroGrid* grid = f.grid();

    clickCell(grid, cursor);
    if (action == u"DoubleClick"_s)
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, cursor));
    else
        QTest::keyClick(grid, action == u"Delete"_s ? Qt::Key_Delete : Qt::Key_Backspace);
    QCOMPARE(macroValues(f.keypad()), codesOf(left));
    QCOMPARE(grid->CursorIndex(), cursorAfter);
    QCOMPARE(cellTexts(grid, 6), QString(left).leftJustified(6, u' ').split(QString(), Qt::SkipEmptyParts));
    QCOMPARE(f.window.window->windowTitle(), untitled(marked));
}

void TestMacroEntry::aDraggedBlockIsRemovedWhole() {
    TEntryFixture f;
    fill(f, 16);
    showActive(*f.window.window);
    TMacroGrid* grid = f.grid();
    QWidget* viewport = grid->viewport();

    QTest::mousePress(viewport, Qt::LeftButton, {}, cellCentre(grid, 1));
    QTest::mouseMove(viewport, cellCentre(grid, 11));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellCentre(grid, 11));
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(macroValues(f.keypad()), codesOf(u"AEFGHIMNOP"_s));
    QCOMPARE(grid->CursorIndex(), 1);
    QCOMPARE(grid->selectedRanges().size(), 1);
    QCOMPARE(grid->selectedRanges().front().rowCount() * grid->selectedRanges().front().columnCount(), 1);

    QTest::keyClick(grid, Qt::Key_Delete); // now a single code again
    QCOMPARE(macroValues(f.keypad()), codesOf(u"AFGHIMNOP"_s));
}

void TestMacroEntry::aFullMacroRefusesAndChangesNothing_data() {
    QTest::addColumn<int>("filled");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");

    QTest::newRow("100 bytes, a key") << 100 << KeyA << QString() << true;
    QTest::newRow("100 bytes, a typed character") << 100 << QString() << u"a"_s << true;
    QTest::newRow("98 bytes, a delay") << 98 << DelayKey << QString() << true;
    QTest::newRow("98 bytes, Shift 2") << 98 << Key2 << QString() << false;
    QTest::newRow("99 bytes, Shift 2") << 99 << Key2 << QString() << true;
    QTest::newRow("99 bytes, a key") << 99 << KeyA << QString() << false;
}

void TestMacroEntry::aFullMacroRefusesAndChangesNothing() {
    QFETCH(int, filled);
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    TEntryFixture f;
    fill(f, filled);
    showActive(*f.window.window);
    TMacroGrid* grid = f.grid();
    const QList<int> before = macroValues(f.keypad());

    clickCell(grid, 3);
    clickKeys(f, {LShift});
    if (key.isEmpty())
        typeCharacters(grid, typed);
    else
        clickKeys(f, {key});
    QCOMPARE(shownMessages(), refused ? QStringList{u"Macro Full!"_s} : QStringList{});
    QCOMPARE(macroValues(f.keypad()).size(), before.size() + (refused ? 0 : 1));
    QCOMPARE(grid->CursorIndex(), refused ? 3 : 4);
    QCOMPARE(f.window.window->windowTitle(), untitled(!refused));
    // A refused key leaves the latched Shift latched and its flag set.
    QCOMPARE(latched(f, LShift), refused);
    QCOMPARE(f.window.window->GetModifiers(), refused ? 1 : 0);
    QCOMPARE(QApplication::focusWidget(), grid);
}

KW24_GUI_TEST(TestMacroEntry);

#include "MacroEntryTest.moc"
