#include "platform/KeyboardState.h"

#include "platform/SystemKeyboardState.h"

#include <QKeyEvent>

namespace {

std::optional<KeyboardState::State> stateForTests;
KeyboardState::State lastSeen;

// A letter typed shows Caps Lock: Caps Lock turns its case over once and Shift once more.
std::optional<bool> capsLockShownBy(const QString& text, bool shiftHeld) {
    if (text.size() != 1)
        return std::nullopt;
    const QChar c = text.front();
    if (!c.isLetter() || c.toUpper() == c.toLower())
        return std::nullopt;
    return c.isUpper() != shiftHeld;
}

} // namespace

KeyboardState::State KeyboardState::current() {
    if (stateForTests)
        return *stateForTests;
    if (const std::optional<State> system = SystemKeyboardState())
        return *system;
    return lastSeen;
}

void KeyboardState::noteKeyEvent(const QKeyEvent& event) {
    const bool pressed = event.type() == QEvent::KeyPress;
    // A modifier key's own event may show the state from before it, so its press and release decide.
    lastSeen.shiftHeld =
        event.key() == Qt::Key_Shift ? pressed : event.modifiers().testFlag(Qt::ShiftModifier);
    if (!pressed)
        return;
    if (event.key() == Qt::Key_CapsLock && !event.isAutoRepeat())
        lastSeen.capsLockOn = !lastSeen.capsLockOn;
    if (const std::optional<bool> capsLock = capsLockShownBy(event.text(), lastSeen.shiftHeld))
        lastSeen.capsLockOn = *capsLock;
}

void KeyboardState::setForTests(std::optional<State> state) {
    stateForTests = state;
}
