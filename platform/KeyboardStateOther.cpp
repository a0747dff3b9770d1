// Systems whose keyboard state is not asked: key entry uses the state seen with the last key event.
#include "platform/SystemKeyboardState.h"

std::optional<KeyboardState::State> SystemKeyboardState() {
    return std::nullopt;
}
