#include "ui/main/TypedCharacters.h"

#include <QKeyEvent>
#include <utility>

namespace {

constexpr std::array<std::uint8_t, 128> makeAsciiXlate() {
    std::array<std::uint8_t, 128> table{};
    constexpr std::pair<char, std::uint8_t> characters[] = {
        {'\t', 15}, {'\r', 28}, {'\x1b', 1}, {' ', 57}, {'!', 2},  {'"', 40},  {'#', 4},  {'$', 5},
        {'%', 6},   {'&', 8},   {'\'', 40},  {'(', 10}, {')', 11}, {'*', 55},  {'+', 78}, {',', 51},
        {'-', 12},  {'.', 52},  {'/', 53},   {'0', 11}, {'1', 2},  {'2', 3},   {'3', 4},  {'4', 5},
        {'5', 6},   {'6', 7},   {'7', 8},    {'8', 9},  {'9', 10}, {':', 39},  {';', 39}, {'<', 51},
        {'=', 13},  {'>', 52},  {'?', 53},   {'@', 3},  {'[', 26}, {'\\', 43}, {']', 27}, {'^', 7},
        {'_', 12},  {'`', 41},  {'{', 26},   {'|', 43}, {'}', 27}, {'~', 41}};
    for (const auto& [character, keyCode] : characters)
        table[static_cast<std::size_t>(character)] = keyCode;
    // The letter keys' codes, A to Z.
    constexpr std::uint8_t letterKeys[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                             49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
    for (std::size_t letter = 0; letter < 26; ++letter) {
        table['A' + letter] = letterKeys[letter];
        table['a' + letter] = letterKeys[letter];
    }
    return table;
}

// The characters of the bytes 0x80 to 0x9F; 0 where the code page has none.
constexpr char32_t Windows1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                          0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

const std::array<std::uint8_t, 128> AsciiXlate = makeAsciiXlate();

std::optional<std::uint8_t> Windows1252Byte(char32_t character) {
    if (character >= 0xA0 && character <= 0xFF)
        return static_cast<std::uint8_t>(character);
    for (std::size_t index = 0; index < std::size(Windows1252High); ++index)
        if (Windows1252High[index] != 0 && Windows1252High[index] == character)
            return static_cast<std::uint8_t>(0x80 + index);
    return std::nullopt;
}

std::optional<int> TypedCharacterValue(char32_t character) {
    if (character < AsciiXlate.size()) {
        const int keyCode = AsciiXlate[character];
        return keyCode == 0 ? std::nullopt : std::optional<int>(keyCode);
    }
    // Never the character's own code: from 4096 on it would be taken for a command.
    if (const std::optional<std::uint8_t> byte = Windows1252Byte(character))
        return *byte;
    return std::nullopt;
}

bool IsShortcut(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    const bool ctrl = held.testFlag(Qt::ControlModifier);
    const bool alt = held.testFlag(Qt::AltModifier);
    return held.testFlag(Qt::MetaModifier) || ctrl != alt;
}
