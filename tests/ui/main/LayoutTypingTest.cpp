#include "model/KeypadParameters.h"
#include "platform/UserSettings.h"
#include "tests/support/GuiTest.h"
#include "tests/ui/main/EntryTestSupport.h"
#include "ui/main/MacroGrid.h"
#include "ui/main/OnScreenKey.h"
#include "ui/overview/WrappedText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QList<int> codesOf(const char* usText) {
    QList<int> values;
    for (const char* c = usText; *c != 0; ++c)
        values << static_cast<unsigned char>(*c);
    return values;
}

// The window started again after the settings file chose the computer's layout; USB keyboard mode.
void startWithLayout(TEntryFixture& f, const QString& layout) {
    WriteComputerLayout(f.window.userPath(), layout);
    f.window.window = std::make_unique<TfrmMain>(QStringList{});
    f.keypad().SetOpMode(ValueOf(OperatingMode::UsbKeyboard));
    showActive(*f.window.window);
    f.grid()->setFocus();
}

void typeEach(TEntryFixture& f, const QString& text) {
    for (const QChar c : text)
        typeCharacters(f.grid(), QString(c));
}

// A key press at a given time, as the window system stamps it.
void typeAt(TEntryFixture& f, const QString& text, quint64 timestamp) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    press.setTimestamp(timestamp);
    QApplication::sendEvent(f.grid(), &press);
}

} // namespace

class TestLayoutTyping final : public QObject {
    Q_OBJECT
private slots:
    void germanTypingStoresTheUsKeysAndShowsTheGermanCharacters();
    void refusedCharactersAreLeftOutAndNamed();
    void pastedTextGoesInAsTypedOnTheLayout();
    void serialHostModesIgnoreTheLayout();
    void onScreenLegendsFollowTheLayout();
    void pausesAreRecordedAsDelaysWhenAskedFor();
};

void TestLayoutTyping::germanTypingStoresTheUsKeysAndShowsTheGermanCharacters() {
    TEntryFixture f;
    startWithLayout(f, u"German"_s);
    typeEach(f, u"Z\u00FCrich 2024"_s);
    QCOMPARE(macroValues(f.keypad()), codesOf("Y[rich 2024"));
    QCOMPARE(cellTexts(f.grid(), 11), (QStringList{u"Z"_s, u"\u00FC"_s, u"r"_s, u"i"_s, u"c"_s, u"h"_s,
                                                   u"Space"_s, u"2"_s, u"0"_s, u"2"_s, u"4"_s}));
    f.control<QAction>(u"PreviewMenuItem"_s)->trigger();
    QCOMPARE(f.control<QLabel>(u"lblTypedHeading"_s)->text(), u"Types on a German computer"_s);
    QCOMPARE(f.control<TWrappedText>(u"lblPreviewTyped"_s)->Text(), u"Z\u00FCrich 2024"_s);
    // The steps, bytes and times stay the same in a serial host mode; what the step rows show does not.
    auto* steps = f.control<QTableWidget>(u"gridSteps"_s);
    QCOMPARE(steps->item(0, 1)->text(), u"Z"_s);
    f.keypad().SetOpMode(ValueOf(OperatingMode::CdcVirtualCom));
    emit f.window.window->GetDocument().Changed();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(steps->item(0, 1)->text(), u"Y"_s);
    QCOMPARE(steps->item(1, 1)->text(), u"["_s);
    f.keypad().SetOpMode(ValueOf(OperatingMode::UsbKeyboard));
    emit f.window.window->GetDocument().Changed();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(steps->item(0, 1)->text(), u"Z"_s);
    // A dead key's mark is the dead key and a space; the preview shows the mark alone.
    f.window.window->UndoEdit();
    QCOMPARE(f.keypad().NumOfElements(), 0);
    typeEach(f, u"^a"_s);
    QCOMPARE(macroValues(f.keypad()), codesOf("` a"));
    QCoreApplication::sendPostedEvents(); // the preview redraws once the typing is handled
    QCOMPARE(f.control<TWrappedText>(u"lblPreviewTyped"_s)->Text(), u"^a"_s);
}

void TestLayoutTyping::refusedCharactersAreLeftOutAndNamed() {
    TEntryFixture f;
    startWithLayout(f, u"German"_s);
    typeEach(f, u"a@<b"_s);
    QCOMPARE(macroValues(f.keypad()), codesOf("ab"));
    QCOMPARE(shownMessages(),
             (QStringList{
                 u"\"@\" is not stored: on the German layout it needs AltGr, which the keypad cannot send."_s,
                 u"\"<\" is not stored: no key of the German layout makes it."_s}));
}

void TestLayoutTyping::pastedTextGoesInAsTypedOnTheLayout() {
    TEntryFixture f;
    startWithLayout(f, u"French"_s);
    QGuiApplication::clipboard()->setText(u"a1\u20ACq\n"_s);
    QTest::keyClick(f.grid(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(macroValues(f.keypad()), codesOf("q!a\r"));
    QCOMPARE(shownMessages(), (QStringList{u"\"\u20AC\" is not stored: on the French layout it needs AltGr, "
                                           u"which the keypad cannot send."_s}));
}

void TestLayoutTyping::serialHostModesIgnoreTheLayout() {
    TEntryFixture f;
    startWithLayout(f, u"German"_s);
    f.keypad().SetOpMode(ValueOf(OperatingMode::CdcVirtualCom));
    typeEach(f, u"zy"_s);
    QCOMPARE(macroValues(f.keypad()), codesOf("zy"));
    QCOMPARE(cellTexts(f.grid(), 2), (QStringList{u"z"_s, u"y"_s}));
}

void TestLayoutTyping::onScreenLegendsFollowTheLayout() {
    TEntryFixture f;
    startWithLayout(f, u"German"_s);
    const auto legend = [&f](const QString& key) {
        return f.control<TOnScreenKey>(key)->Legend();
    };
    const QString usZ = legend(u"SpeedButton99"_s);
    const QString usOne = legend(u"SpeedButton31"_s);
    emit f.window.window->GetDocument().Changed();        // as after a change of the host mode
    QCOMPARE(legend(u"SpeedButton99"_s), u"Y"_s);         // the US z key
    QCOMPARE(legend(u"SpeedButton61"_s), u"Z"_s);         // the US y key
    QCOMPARE(legend(u"SpeedButton72"_s), u"\u00DC"_s);    // the US [ key
    QCOMPARE(legend(u"SpeedButton30"_s), u"\u00B0\n^"_s); // a dead key shows its mark
    QCOMPARE(legend(u"SpeedButton31"_s), u"!\n1"_s);
    f.keypad().SetOpMode(ValueOf(OperatingMode::CdcVirtualCom));
    emit f.window.window->GetDocument().Changed();
    QCOMPARE(legend(u"SpeedButton99"_s), usZ);
    QCOMPARE(legend(u"SpeedButton31"_s), usOne);
}

void TestLayoutTyping::pausesAreRecordedAsDelaysWhenAskedFor() {
    TEntryFixture f;
    showActive(*f.window.window);
    f.grid()->setFocus();
    auto* record = f.control<QCheckBox>(u"chkRecordPauses"_s);
    QVERIFY(!record->isChecked());
    typeAt(f, u"x"_s, 1000);
    typeAt(f, u"y"_s, 3000); // off: no pause recorded
    record->setChecked(true);
    QVERIFY(ReadRecordPauses(f.window.userPath()));
    typeAt(f, u"a"_s, 10000);
    typeAt(f, u"b"_s, 11500);
    typeAt(f, u"c"_s, 11600); // ordinary typing speed
    QCOMPARE(macroValues(f.keypad()),
             (QList<int>{'x', 'y', 'a', CodeValue::DelayBit + 255, CodeValue::DelayBit + 120, 'b', 'c'}));
    // The pause does not fit: "Macro Full!", and the character after it is not stored either.
    for (int i = f.keypad().CodeCount(); i < 96; ++i)
        typeAt(f, u"d"_s, 11600);
    const QList<int> before = macroValues(f.keypad());
    typeAt(f, u"e"_s, 13600);
    QCOMPARE(macroValues(f.keypad()), before);
    QCOMPARE(shownMessages().last(), u"Macro Full!"_s);
}

KW24_GUI_TEST(TestLayoutTyping);

#include "LayoutTypingTest.moc"
