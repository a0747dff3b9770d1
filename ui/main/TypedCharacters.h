#pragma once

#include <array>
#include <cstdint>
#include <optional>

class QKeyEvent;

// The key code of the on-screen key that produces each character 0 to 127 typed on the PC keyboard;
// 0 means the character is ignored. Letters of either case map to their letter key, "*" and "+" to the
// numeric keypad's keys, every other character to the main keyboard key that carries it.
extern const std::array<std::uint8_t, 128> AsciiXlate;

// What a character typed on the PC keyboard enters into a macro through AddData: below 128 the key
// code from AsciiXlate, beyond ASCII its Windows-1252 byte, which key entry stores as it is. nullopt
// when the character is ignored.
std::optional<int> TypedCharacterValue(char32_t character);

// Whether a key event is a shortcut rather than typing: Ctrl, Alt or a system key held. Ctrl and Alt
// together are AltGr on some systems, which types characters.
bool IsShortcut(const QKeyEvent& event);
