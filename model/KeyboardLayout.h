#pragma once

#include "model/KeyboardLayoutData.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The keypad types a stored character by sending the key that makes it on a US keyboard. A computer
// set to another layout reads that key its own way. These functions translate between the characters
// a user means on their layout and the US characters the macro stores.

// The layout of that name, or null when there is none. "US" is the first.
const LayoutTable* FindLayout(std::string_view name);
const LayoutTable& UsLayout();

// What typing one character on a layout stores.
struct LayoutTyping {
    enum class Result {
        Stored,     // codes holds the US characters to store
        AltGrOnly,  // the layout makes it only with AltGr, which the keypad cannot send
        Impossible, // no key of the layout makes it
    };
    Result result = Result::Impossible;
    // One US character; for a dead key's mark the dead key's US character and then a space, which
    // makes the bare mark on the computer.
    std::vector<std::int32_t> codes;
};
LayoutTyping TypeOnLayout(const LayoutTable& layout, char32_t character);

// The character a computer with the layout makes for a stored US character: the character of the key
// and Shift state that make the US character. A dead key's mark for a dead key. Characters no character
// key makes on a US keyboard (controls, beyond ASCII) come back unchanged; 0 when that key makes
// nothing on the layout.
char32_t LayoutCharacter(const LayoutTable& layout, std::int32_t usCharacter);

// Whether the key that makes the stored US character is a dead key on the layout.
bool IsDeadKeyCharacter(const LayoutTable& layout, std::int32_t usCharacter);

// Why a character cannot be stored, in words for the user.
std::string RefusalText(const LayoutTable& layout, char32_t character, LayoutTyping::Result result);
