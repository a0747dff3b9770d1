#include "platform/KeyboardState.h"

#include "platform/SystemKeyboardState.h"
#include "tests/support/GuiTest.h"
#include "tests/ui/main/EntryTestSupport.h"

#include <QKeyEvent>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

void note(QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    const QKeyEvent event(type, key, modifiers, text);
    KeyboardState::noteKeyEvent(event);
}

} // namespace

class TestKeyboardState final : public QObject {
    Q_OBJECT
private slots:
    void keyEventsStandInWhereTheSystemCannotBeAsked();
};

// On a platform without a keyboard query (the offscreen one, Wayland), a capital typed without Shift is
// what shows that Caps Lock is on; key entry would otherwise store the small letter.
void TestKeyboardState::keyEventsStandInWhereTheSystemCannotBeAsked() {
    if (SystemKeyboardState())
        QSKIP("this platform reports the keyboard itself");
    KeyboardState::setForTests(std::nullopt);
    const auto state = [] {
        const KeyboardState::State now = KeyboardState::current();
        return std::pair{now.shiftHeld, now.capsLockOn};
    };

    note(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, u"a"_s);
    QCOMPARE(state(), std::pair(false, false));
    note(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    QCOMPARE(state(), std::pair(true, false));
    note(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, u"A"_s);
    QCOMPARE(state(), std::pair(true, false));
    note(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    QCOMPARE(state(), std::pair(false, false));

    note(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier);
    QCOMPARE(state(), std::pair(false, true));
    note(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, u"1"_s); // a digit shows nothing of Caps Lock
    QCOMPARE(state(), std::pair(false, true));
    note(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, u"a"_s); // Caps Lock went off unseen
    QCOMPARE(state(), std::pair(false, false));
    note(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, u"É"_s);
    QCOMPARE(state(), std::pair(false, true));
    note(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, u"a"_s); // Shift with Caps Lock types small
    QCOMPARE(state(), std::pair(true, true));
    note(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, u"a"_s);
    QCOMPARE(state(), std::pair(false, true));
}

KW24_GUI_TEST(TestKeyboardState);

#include "KeyboardStateTest.moc"
