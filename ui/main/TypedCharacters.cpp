#include "ui/main/TypedCharacters.h"

#include "model/TextEncoding.h"

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

} // namespace

const std::array<std::uint8_t, 128> AsciiXlate = makeAsciiXlate();

std::optional<int> TypedCharacterValue(char32_t character) {
    if (character < AsciiXlate.size()) {
        const int keyCode = AsciiXlate[character];
        return keyCode == 0 ? std::nullopt : std::optional<int>(keyCode);
    }
    // Never the character's own code: from 4096 on it would be taken for a command.
    if (const std::optional<std::uint8_t> byte =
            Windows1252Byte(character, UndefinedWindows1252::NoCharacter))
        return *byte;
    return std::nullopt;
}

bool IsShortcut(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    const bool ctrl = held.testFlag(Qt::ControlModifier);
    const bool alt = held.testFlag(Qt::AltModifier);
    return held.testFlag(Qt::MetaModifier) || ctrl != alt;
}
