#pragma once

#include <optional>

class QKeyEvent;

// The PC keyboard's Shift and Caps Lock as key entry reads them at the moment a key is entered. The
// system is asked where it can be; elsewhere the state seen with the last key event stands in.
class KeyboardState final {
public:
    struct State {
        bool shiftHeld = false;
        // Caps Lock toggled on while its own key is not held down.
        bool capsLockOn = false;
    };

    static State current();

    // Remembers what a key event shows of Shift and Caps Lock, for systems that cannot be asked.
    static void noteKeyEvent(const QKeyEvent& event);

    // Test hook: current() answers state instead of the keyboard's; nullopt gives the keyboard back.
    static void setForTests(std::optional<State> state);
};
