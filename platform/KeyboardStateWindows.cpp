// The keyboard state on Windows, from the calling thread's key state.
#include "platform/SystemKeyboardState.h"

#include <windows.h>

std::optional<KeyboardState::State> SystemKeyboardState() {
    // The high bit means the key is held; Caps Lock's state is exactly 1 when it is toggled on and
    // its key is up.
    const bool shiftHeld = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool capsLockOn = GetKeyState(VK_CAPITAL) == 1;
    return KeyboardState::State{shiftHeld, capsLockOn};
}
