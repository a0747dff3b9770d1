#include "tests/support/GuiTest.h"
#include "tests/ui/main/EntryTestSupport.h"
#include "ui/main/MacroGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString ExceedsMessage = u"Value exceeds 255 (decimal)."_s;
const QString DecimalMessage = u"Enter a decimal value from 0 to 255."_s;
const QString HexadecimalMessage = u"Enter a hexadecimal value from 0 to FF."_s;

// A macro of count one-byte codes "A", "B", ... on key 1, level 1.
void fill(TEntryFixture& f, int count) {
    fillMacro(f.keypad(), 0, 0, count);
    f.window.window->CopyDataToScreen(f.keypad().NumOfElements());
}

QLineEdit* manualField(const TEntryFixture& f) {
    return f.control<QLineEdit>(u"edManualInput"_s);
}

void chooseRadix(const TEntryFixture& f, bool hexadecimal) {
    QTest::mouseClick(f.control<QRadioButton>(hexadecimal ? u"rbHexadecimal"_s : u"rbDecimal"_s),
                      Qt::LeftButton);
}

} // namespace

class TestEntryCommands final : public QObject {
    Q_OBJECT
private slots:
    void delayKeyInsertsTheTrackBarsDelay_data();
    void delayKeyInsertsTheTrackBarsDelay();
    void ledCommandsGoInAtTheCursor_data();
    void ledCommandsGoInAtTheCursor();
    void manualEntry_data();
    void manualEntry();
    void pastedTextIsCheckedBeforeInsertion_data();
    void pastedTextIsCheckedBeforeInsertion();
    void manualEntryStartsDecimalAndEmptiesOnARadixChange();
    void eraseEmptiesTheMacro_data();
    void eraseEmptiesTheMacro();
};

void TestEntryCommands::delayKeyInsertsTheTrackBarsDelay_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("hint");
    QTest::newRow("at start") << 0 << 50 << u"Dly 200"_s << u"200ms"_s;
    QTest::newRow("lowest") << int(Qt::Key_Home) << 1 << u"Dly 4"_s << u"4ms"_s;
    QTest::newRow("highest") << int(Qt::Key_End) << 125 << u"Dly 500"_s << u"500ms"_s;
}

void TestEntryCommands::delayKeyInsertsTheTrackBarsDelay() {
    QFETCH(int, key);
    QFETCH(int, position);
    QFETCH(QString, shown);
    QFETCH(QString, hint);
    TEntryFixture f;
    fill(f, 3);
    showActive(*f.window.window);
    auto* trackBar = f.control<QSlider>(u"tbDelayValue"_s);
    QCOMPARE(trackBar->geometry(), QRect(541, 281, 77, 24));
    QCOMPARE(trackBar->minimum(), 1);
    QCOMPARE(trackBar->maximum(), 125);
    QCOMPARE(trackBar->tickInterval(), 16);
    QCOMPARE(f.control<QLabel>(u"Label3"_s)->text(), u"4ms"_s);
    QCOMPARE(f.control<QLabel>(u"Label4"_s)->text(), u"500ms"_s);
    const QRect frame = f.control<QFrame>(u"Bevel1"_s)->geometry();
    for (const QString& scaleLabel : {u"Label3"_s, u"Label4"_s}) { // the scale ends inside the frame
        const QRect label = f.control<QLabel>(scaleLabel)->geometry();
        QVERIFY2(label.left() > frame.left() && label.right() < frame.right(), qPrintable(scaleLabel));
    }

    if (key != 0)
        QTest::keyClick(trackBar, Qt::Key(key));
    QCOMPARE(trackBar->value(), position);
    QCOMPARE(trackBar->toolTip(), hint);
    QCOMPARE(f.keypad().NumOfElements(), 3); // moving the track bar inserts nothing
    QCOMPARE(f.window.window->windowTitle(), untitled(false));

    clickCell(f.grid(), 1);
    clickKeys(f, {u"SpeedButton105"_s});
    QCOMPARE(macroValues(f.keypad()), (QList<int>{'A', 0x1000 + position, 'B', 'C'}));
    QCOMPARE(cellTexts(f.grid(), 2), (QStringList{u"A"_s, shown}));
    QCOMPARE(f.control<QLabel>(u"lblBytesUsed"_s)->text(), u"94"_s);
    QCOMPARE(f.grid()->CursorIndex(), 2);
    QCOMPARE(QApplication::focusWidget(), f.grid());
}

void TestEntryCommands::ledCommandsGoInAtTheCursor_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("filled");
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("off") << u"urnLEDOn1"_s << 3 << QList<int>{'A', 0x4008, 'B', 'C'} << u"led off"_s;
    QTest::newRow("on") << u"urnLEDOn2"_s << 3 << QList<int>{'A', 0x4009, 'B', 'C'} << u"led on"_s;
    QTest::newRow("flash") << u"FlashLED1"_s << 3 << QList<int>{'A', 0x400A, 'B', 'C'} << u"led flash"_s;
    QTest::newRow("no room for two bytes") << u"FlashLED1"_s << 99 << QList<int>{} << u"B"_s;
}

void TestEntryCommands::ledCommandsGoInAtTheCursor() {
    QFETCH(QString, item);
    QFETCH(int, filled);
    QFETCH(QList<int>, stored);
    QFETCH(QString, shown);
    TEntryFixture f;
    fill(f, filled);
    showActive(*f.window.window);

    clickCell(f.grid(), 1);
    chooseGridMenuItem(f, 5, item);
    QCOMPARE(f.grid()->CellText(1), shown);
    if (stored.isEmpty()) {
        QCOMPARE(shownMessages(), QStringList{u"Macro Full!"_s});
        QCOMPARE(f.keypad().NumOfElements(), filled);
        QCOMPARE(f.window.window->windowTitle(), untitled(false));
        return;
    }
    QCOMPARE(macroValues(f.keypad()), stored);
    QCOMPARE(f.control<QLabel>(u"lblBytesUsed"_s)->text(), u"95"_s);
    QCOMPARE(f.grid()->CursorIndex(), 2);
    QCOMPARE(f.window.window->windowTitle(), untitled(true));
}

void TestEntryCommands::manualEntry_data() {
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("byButton");
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("fieldAfter");

    QTest::newRow("decimal 255") << false << u"255"_s << u"255"_s << false << QList<int>{255} << QString()
                                 << QString();
    QTest::newRow("decimal 0") << false << u"0"_s << u"0"_s << false << QList<int>{0} << QString()
                               << QString();
    QTest::newRow("decimal 64 is a raw byte")
        << false << u"64"_s << u"64"_s << false << QList<int>{64} << QString() << QString();
    QTest::newRow("decimal 256") << false << u"256"_s << u"256"_s << false << QList<int>{} << ExceedsMessage
                                 << u"256"_s;
    QTest::newRow("decimal filter") << false << u"1a-2 3.4"_s << u"123"_s << false << QList<int>{123}
                                    << QString() << QString();
    QTest::newRow("decimal by the button")
        << false << u"77"_s << u"77"_s << true << QList<int>{77} << QString() << QString();
    QTest::newRow("decimal 300 by the button")
        << false << u"300"_s << u"300"_s << true << QList<int>{} << ExceedsMessage << u"300"_s;
    QTest::newRow("hexadecimal ff") << true << u"ff"_s << u"FF"_s << false << QList<int>{255} << QString()
                                    << QString();
    QTest::newRow("hexadecimal filter")
        << true << u"g1z"_s << u"1"_s << false << QList<int>{1} << QString() << QString();
    QTest::newRow("hexadecimal A") << true << u"A"_s << u"A"_s << false << QList<int>{10} << QString()
                                   << QString();
    QTest::newRow("hexadecimal by the button")
        << true << u"7e"_s << u"7E"_s << true << QList<int>{126} << QString() << QString();
}

void TestEntryCommands::manualEntry() {
    QFETCH(bool, hexadecimal);
    QFETCH(QString, typed);
    QFETCH(QString, field);
    QFETCH(bool, byButton);
    QFETCH(QList<int>, stored);
    QFETCH(QString, message);
    QFETCH(QString, fieldAfter);
    TEntryFixture f;
    showActive(*f.window.window);
    QLineEdit* input = manualField(f);

    chooseRadix(f, hexadecimal);
    QTest::mouseClick(input, Qt::LeftButton);
    QTest::keyClicks(input, typed);
    QCOMPARE(input->text(), field);
    if (byButton)
        QTest::mouseClick(f.control<QToolButton>(u"spdbtnInsert"_s), Qt::LeftButton);
    else
        QTest::keyClick(input, Qt::Key_Return);

    QCOMPARE(macroValues(f.keypad()), stored);
    QCOMPARE(shownMessages(), message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(input->text(), fieldAfter);
    QCOMPARE(f.window.window->windowTitle(), untitled(!stored.isEmpty()));
    // Enter keeps the focus in the field; the button hands it to the grid once the value went in.
    const bool toGrid = byButton && message.isEmpty();
    QCOMPARE(QApplication::focusWidget(), toGrid ? static_cast<QWidget*>(f.grid()) : input);
}

void TestEntryCommands::pastedTextIsCheckedBeforeInsertion_data() {
    QTest::addColumn<bool>("hexadecimal");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<QString>("message");

    QTest::newRow("decimal number") << false << u"42"_s << QList<int>{42} << QString();
    QTest::newRow("decimal with a letter") << false << u"12a"_s << QList<int>{} << DecimalMessage;
    QTest::newRow("decimal with a sign") << false << u"-1"_s << QList<int>{} << DecimalMessage;
    QTest::newRow("decimal with a blank") << false << u" 7"_s << QList<int>{} << DecimalMessage;
    QTest::newRow("decimal too big") << false << u"999"_s << QList<int>{} << ExceedsMessage;
    QTest::newRow("hexadecimal small letters") << true << u"ff"_s << QList<int>{255} << QString();
    QTest::newRow("hexadecimal prefix") << true << u"0x"_s << QList<int>{} << HexadecimalMessage;
}

void TestEntryCommands::pastedTextIsCheckedBeforeInsertion() {
    QFETCH(bool, hexadecimal);
    QFETCH(QString, pasted);
    QFETCH(QList<int>, stored);
    QFETCH(QString, message);
    TEntryFixture f;
    showActive(*f.window.window);
    QApplication::clipboard()->setText(pasted);
    if (QApplication::clipboard()->text() != pasted)
        QSKIP("no clipboard on this platform");
    QLineEdit* input = manualField(f);

    chooseRadix(f, hexadecimal);
    input->paste(); // as the field's context menu does
    QTest::keyClick(input, Qt::Key_Return);
    QCOMPARE(macroValues(f.keypad()), stored);
    QCOMPARE(shownMessages(), message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(input->text(), message.isEmpty() ? QString() : pasted); // left for correction
}

void TestEntryCommands::manualEntryStartsDecimalAndEmptiesOnARadixChange() {
    TEntryFixture f;
    fill(f, 100);
    showActive(*f.window.window);
    QLineEdit* input = manualField(f);
    QCOMPARE(f.control<QGroupBox>(u"GroupBox1"_s)->geometry(), QRect(415, 317, 89, 133));
    QCOMPARE(input->geometry(), QRect(12, 52, 37, 21));
    QCOMPARE(f.control<QLabel>(u"lblEnterData"_s)->text(), u"Enter data"_s);
    QCOMPARE(f.control<QLabel>(u"lblManually"_s)->text(), u"manually:"_s);
    QVERIFY(!f.control<QToolButton>(u"spdbtnInsert"_s)->icon().isNull());
    QVERIFY(f.control<QRadioButton>(u"rbDecimal"_s)->isChecked());
    QCOMPARE(input->maxLength(), 3);

    // An empty field inserts nothing, by Enter or by the button.
    QTest::mouseClick(input, Qt::LeftButton);
    QTest::keyClick(input, Qt::Key_Return);
    QTest::mouseClick(f.control<QToolButton>(u"spdbtnInsert"_s), Qt::LeftButton);
    QCOMPARE(shownMessages(), QStringList{});

    QTest::keyClicks(input, u"12"_s);
    chooseRadix(f, true);
    QVERIFY(!f.control<QRadioButton>(u"rbDecimal"_s)->isChecked());
    QCOMPARE(input->text(), QString());
    QCOMPARE(input->maxLength(), 2);
    QTest::mouseClick(input, Qt::LeftButton);
    QTest::keyClicks(input, u"abc"_s);
    QCOMPARE(input->text(), u"AB"_s);
    chooseRadix(f, false);
    QCOMPARE(input->text(), QString());
    QCOMPARE(input->maxLength(), 3);

    // A full macro refuses the byte, and the field is emptied all the same.
    QTest::mouseClick(input, Qt::LeftButton);
    QTest::keyClicks(input, u"65"_s);
    QTest::keyClick(input, Qt::Key_Return);
    QCOMPARE(shownMessages(), QStringList{u"Macro Full!"_s});
    QCOMPARE(input->text(), QString());
    QCOMPARE(f.keypad().NumOfElements(), 100);
    QCOMPARE(f.window.window->windowTitle(), untitled(false));
}

void TestEntryCommands::eraseEmptiesTheMacro_data() {
    QTest::addColumn<int>("codes");
    QTest::addColumn<bool>("blockSelected");
    QTest::newRow("20 codes") << 20 << false;
    QTest::newRow("20 codes with a block selected") << 20 << true;
    QTest::newRow("an empty macro is left unmarked") << 0 << false;
}

void TestEntryCommands::eraseEmptiesTheMacro() {
    QFETCH(int, codes);
    QFETCH(bool, blockSelected);
    TEntryFixture f;
    fill(f, codes);
    fillMacro(f.keypad(), 0, 1, 4); // the other level keeps its macro
    showActive(*f.window.window);
    TMacroGrid* grid = f.grid();
    clickCell(grid, 9);
    if (blockSelected) {
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, 9));
        QTest::mouseMove(grid->viewport(), cellCentre(grid, 19));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, 19));
    }

    chooseGridMenuItem(f, 9, u"menuitemClearMacro"_s);
    QCOMPARE(f.keypad().NumOfElements(), 0);
    QCOMPARE(grid->CursorIndex(), codes > 0 ? 0 : 9);
    QCOMPARE(grid->CellText(0), u" "_s);
    QCOMPARE(f.control<QLabel>(u"lblBytesUsed"_s)->text(), u"100"_s);
    QCOMPARE(f.window.window->windowTitle(), untitled(codes > 0));
    f.keypad().SetLevel(1);
    QCOMPARE(f.keypad().NumOfElements(), 4);
}

KW24_GUI_TEST(TestEntryCommands);

#include "EntryCommandsTest.moc"
