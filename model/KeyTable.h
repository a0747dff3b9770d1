#pragma once

#include <array>
#include <cstdint>

// One row of the key table: what a PC keyboard key types unshifted (index 0) and shifted (index 1),
// as decimal text ("-1" when it types nothing), and its names.
struct TRecXlate {
    std::array<const char*, 2> AT_Codes;
    std::array<const char*, 2> Display;
};

inline constexpr int KeyCodeCount = 111;

// The tag of the on-screen delay button: no key code, it inserts a delay command.
inline constexpr int DelayKeyCode = 111;
static_assert(DelayKeyCode >= KeyCodeCount);

// Indexed by key code 0 to 110: 1 to 83 are scan code set 1 make codes, the rest our own numbers.
extern const std::array<TRecXlate, KeyCodeCount> KeyTable;

// The character a key code types (shifted or not), -1 when none. keyCode must be 0 to 110.
int KeyTableCharacter(int keyCode, bool shifted);

// Turns a key code (none of the command bits set) into a code value under the modifier flags and the
// PC keyboard state; -1 when the key gives nothing in that state.
std::int32_t TranslateKeyCode(std::int32_t keyCode, int modifiers, bool pcShiftHeld, bool pcCapsLockOn);
