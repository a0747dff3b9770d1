#include "companions/keytester/KeyTesterWindow.h"
#include "model/KeypadParameters.h"
#include "platform/UserSettings.h"
#include "tests/companions/TesterFixture.h"
#include "tests/support/GuiTest.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

enum BurstColumn { colTyped, colDefinition };
enum EventColumn { colSince, colEvent, colKey, colScanCode, colModifiers, colText };

// A definition whose Key 3, Level 2 types "Hi" and Enter.
QString saveHiDefinition(const TTesterFixture& f) {
    TKeypadClass keypad;
    TTesterFixture::setMacro(keypad, 2, 1, {'H', 'i', 13}, "Hello");
    TTesterFixture::setMacro(keypad, 0, 0, {'x'});
    return f.saveDefinition(keypad);
}

// Shift held, key pressed and released, Shift released, as a keyboard types a capital.
void typeShifted(QWidget& window, Qt::Key key, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, &window, key, text, Qt::ShiftModifier);
}

void showActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class TestKeyTester final : public QObject {
    Q_OBJECT
private slots:
    void namesTheMacroForTypedText() {
        TTesterFixture f;
        TKeyTesterWindow window;
        showActive(window);
        TTesterFixture::compareWith(&window, saveHiDefinition(f));

        typeShifted(window, Qt::Key_H, u"H"_s);
        QTest::keyClicks(&window, u"i"_s);
        QTest::keyClick(&window, Qt::Key_Return);

        QTRY_COMPARE(TTesterFixture::cellText(&window, u"gridBursts"_s, 0, colDefinition),
                     u"Matches Key 3, Level 2 \"Hello\"."_s);
        QCOMPARE(TTesterFixture::cellText(&window, u"gridBursts"_s, 0, colTyped), u"Hi[Enter]"_s);
        const auto* events = TTesterFixture::control<QTableWidget>(&window, u"gridEvents"_s);
        // Shift, H, i and Enter, each pressed and released.
        QCOMPARE(events->rowCount(), 8);
        QCOMPARE(events->item(0, colKey)->text(), u"Shift"_s);
        QCOMPARE(events->item(0, colSince)->text(), u"\u2014"_s);
        QCOMPARE(events->item(1, colEvent)->text(), u"press"_s);
        QCOMPARE(events->item(1, colKey)->text(), u"H"_s);
        QCOMPARE(events->item(1, colModifiers)->text(), u"Shift"_s);
        QCOMPARE(events->item(1, colText)->text(), u"H"_s);
        QCOMPARE(events->item(2, colEvent)->text(), u"release"_s);
        QVERIFY(events->item(2, colSince)->text().startsWith(u'+'));
        QCOMPARE(events->item(6, colKey)->text(), u"Return"_s);
        QCOMPARE(events->item(6, colText)->text(), u"[Enter]"_s);
    }

    void keysThatMoveTheFocusElsewhereAreRecordedAsTyped() {
        TTesterFixture f;
        TKeyTesterWindow window;
        showActive(window);
        TTesterFixture::compareWith(&window, saveHiDefinition(f));

        typeShifted(window, Qt::Key_H, u"H"_s);
        QTest::keyClick(&window, Qt::Key_Tab);

        QTRY_COMPARE(TTesterFixture::cellText(&window, u"gridBursts"_s, 0, colDefinition),
                     u"Differs from Key 3, Level 2 \"Hello\" at character 2: typed Tab, expected \"i\"."_s);
        QVERIFY(window.hasFocus());
    }

    void expectsTheTextAsTheComputersLayoutTypesIt() {
        TTesterFixture f;
        WriteComputerLayout(MakeUserFolder(), u"German"_s);
        TKeypadClass keypad;
        keypad.SetOpMode(ValueOf(OperatingMode::UsbKeyboard));
        // The US keys z and y, which a German computer reads as y and z.
        TTesterFixture::setMacro(keypad, 4, 0, {'z', 'y'}, "Swapped");
        TKeyTesterWindow window;
        showActive(window);
        TTesterFixture::compareWith(&window, f.saveDefinition(keypad));
        QVERIFY(TTesterFixture::control<QLabel>(&window, u"lblDefinition"_s)
                    ->text()
                    .endsWith(u"Expects the text as a German computer types it."_s));

        QTest::keyClicks(&window, u"yz"_s);

        QTRY_COMPARE(TTesterFixture::cellText(&window, u"gridBursts"_s, 0, colDefinition),
                     u"Matches Key 5, Level 1 \"Swapped\"."_s);
    }

    void aFileItCannotReadKeepsTheDefinitionLoaded_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("no definition") << QByteArray("just some text\n");
        QTest::newRow("missing") << QByteArray();
    }
    void aFileItCannotReadKeepsTheDefinitionLoaded() {
        QFETCH(QByteArray, content);
        TTesterFixture f;
        TKeyTesterWindow window;
        showActive(window);
        TTesterFixture::compareWith(&window, saveHiDefinition(f));
        const QString bad = f.folder.filePath(u"bad.ckd"_s);
        if (!content.isEmpty()) {
            QFile file(bad);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }

        TTesterFixture::compareWith(&window, bad);

        QCOMPARE(MessageBox::shown().size(), std::size_t{1});
        QCOMPARE(MessageBox::shown().front().title, window.windowTitle());
        QVERIFY(MessageBox::shown().front().text.contains(u"bad.ckd"_s));
        QVERIFY(TTesterFixture::control<QLabel>(&window, u"lblDefinition"_s)
                    ->text()
                    .startsWith(u"Comparing with pad.ckd"_s));
        QTest::keyClicks(&window, u"x"_s);
        QTRY_COMPARE(TTesterFixture::cellText(&window, u"gridBursts"_s, 0, colDefinition),
                     u"Matches Key 1, Level 1."_s);
    }

    void saysPlainlyWhenItDoesNotHaveTheFocus() {
        TKeyTesterWindow window;
        showActive(window);
        auto* focus = TTesterFixture::control<QLabel>(&window, u"lblFocus"_s);
        QCOMPARE(focus->text(), u"Listening: press the keypad's keys."_s);
        QVERIFY(TTesterFixture::control<QLabel>(&window, u"lblHint"_s)
                    ->text()
                    .startsWith(u"This window must have the focus while the keypad types"_s));

        QWidget other;
        showActive(other);

        QTRY_COMPARE(focus->text(), u"Not listening: this window does not have the focus. Click into it."_s);
    }
};
KW24_GUI_TEST(TestKeyTester);

#include "KeyTesterTest.moc"
