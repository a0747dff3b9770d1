#pragma once

#include "platform/KeyboardState.h"

#include <optional>

// The keyboard state as the window system reports it now; nullopt where it cannot be asked. One
// implementation per system, chosen by the build.
std::optional<KeyboardState::State> SystemKeyboardState();
