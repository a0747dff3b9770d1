#pragma once

#include "model/KeypadClass.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a code string reads as: its code values in order, and what the reading leaves out.
struct CodeStringReading {
    struct Code {
        std::int32_t value;
        std::size_t offset; // where its first pair starts in text
    };
    std::string text; // the code string without its blanks
    std::vector<Code> codes;
    std::vector<std::size_t> unknownCommands; // offsets of prefix pairs whose command byte gives nothing
    std::size_t end = 0;                      // where reading stopped: text.size() when all of it was read
};

// Reads a code string under the command prefix. Blanks are ignored and hex digits may be of either case.
// Reading stops at the first pair that is not two hex digits, at an odd last digit and at a command cut
// short, keeping the codes before it; a prefix that ends the text is a data value.
CodeStringReading ReadCodeString(std::string_view codes, std::uint8_t prefix);

// Parses a code string into the selected (empty) macro of keypad, from position 0.
void LoadCodeString(TKeypadClass& keypad, std::string_view codes);

// The byte of the first two hex digits of text (either letter case); -1 when they are not hex digits.
int HexPairToByte(std::string_view text);
