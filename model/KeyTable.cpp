#include "model/KeyTable.h"

#include "model/KeyEntryState.h"
#include "model/KeypadClass.h"

constexpr std::array<TRecXlate, KeyCodeCount> KeyTable = {{
    {{"00", "00"}, {"", ""}},                 // 0
    {{"27", "27"}, {"Esc", "Esc"}},           // 1
    {{"49", "33"}, {"1", "!"}},               // 2
    {{"50", "64"}, {"2", "@"}},               // 3
    {{"51", "35"}, {"3", "#"}},               // 4
    {{"52", "36"}, {"4", "$"}},               // 5
    {{"53", "37"}, {"5", "%"}},               // 6
    {{"54", "94"}, {"6", "^"}},               // 7
    {{"55", "38"}, {"7", "&"}},               // 8
    {{"56", "42"}, {"8", "*"}},               // 9
    {{"57", "40"}, {"9", "("}},               // 10
    {{"48", "41"}, {"0", ")"}},               // 11
    {{"45", "95"}, {"-", "_"}},               // 12
    {{"61", "43"}, {"=", "+"}},               // 13
    {{"8", "8"}, {"BSpace", "BSpace"}},       // 14
    {{"9", "9"}, {"Tab", "Tab"}},             // 15
    {{"113", "81"}, {"q", "Q"}},              // 16
    {{"119", "87"}, {"w", "W"}},              // 17
    {{"101", "69"}, {"e", "E"}},              // 18
    {{"114", "82"}, {"r", "R"}},              // 19
    {{"116", "84"}, {"t", "T"}},              // 20
    {{"121", "89"}, {"y", "Y"}},              // 21
    {{"117", "85"}, {"u", "U"}},              // 22
    {{"105", "73"}, {"i", "I"}},              // 23
    {{"111", "79"}, {"o", "O"}},              // 24
    {{"112", "80"}, {"p", "P"}},              // 25
    {{"91", "123"}, {"[", "{"}},              // 26
    {{"93", "125"}, {"]", "}"}},              // 27
    {{"13", "13"}, {"Enter", "Enter"}},       // 28
    {{"-1", "-1"}, {"LCtrlD", "LCtrlD"}},     // 29
    {{"97", "65"}, {"a", "A"}},               // 30
    {{"115", "83"}, {"s", "S"}},              // 31
    {{"100", "68"}, {"d", "D"}},              // 32
    {{"102", "70"}, {"f", "F"}},              // 33
    {{"103", "71"}, {"g", "G"}},              // 34
    {{"104", "72"}, {"h", "H"}},              // 35
    {{"106", "74"}, {"j", "J"}},              // 36
    {{"107", "75"}, {"k", "K"}},              // 37
    {{"108", "76"}, {"l", "L"}},              // 38
    {{"59", "58"}, {";", ":"}},               // 39
    {{"39", "34"}, {"'", "\""}},              // 40
    {{"96", "126"}, {"`", "~"}},              // 41
    {{"-1", "-1"}, {"LShiftD", "LShiftD"}},   // 42
    {{"92", "124"}, {"\\", "|"}},             // 43
    {{"122", "90"}, {"z", "Z"}},              // 44
    {{"120", "88"}, {"x", "X"}},              // 45
    {{"99", "67"}, {"c", "C"}},               // 46
    {{"118", "86"}, {"v", "V"}},              // 47
    {{"98", "66"}, {"b", "B"}},               // 48
    {{"110", "78"}, {"n", "N"}},              // 49
    {{"109", "77"}, {"m", "M"}},              // 50
    {{"44", "60"}, {",", "<"}},               // 51
    {{"46", "62"}, {".", ">"}},               // 52
    {{"47", "63"}, {"/", "?"}},               // 53
    {{"-1", "-1"}, {"RShiftD", "RShiftD"}},   // 54
    {{"42", "42"}, {"* (kp)", "* (kp)"}},     // 55
    {{"-1", "-1"}, {"LAltD", "LAltD"}},       // 56
    {{"32", "32"}, {"Space", "Space"}},       // 57
    {{"-1", "-1"}, {"CapsLck", "CapsLck"}},   // 58
    {{"-1", "-1"}, {"F1", "F1"}},             // 59
    {{"-1", "-1"}, {"F2", "F2"}},             // 60
    {{"-1", "-1"}, {"F3", "F3"}},             // 61
    {{"-1", "-1"}, {"F4", "F4"}},             // 62
    {{"-1", "-1"}, {"F5", "F5"}},             // 63
    {{"-1", "-1"}, {"F6", "F6"}},             // 64
    {{"-1", "-1"}, {"F7", "F7"}},             // 65
    {{"-1", "-1"}, {"F8", "F8"}},             // 66
    {{"-1", "-1"}, {"F9", "F9"}},             // 67
    {{"-1", "-1"}, {"F10", "F10"}},           // 68
    {{"-1", "-1"}, {"NumLck", "NumLck"}},     // 69
    {{"-1", "-1"}, {"ScrlLck", "ScrlLck"}},   // 70
    {{"55", "55"}, {"7 (kp)", "7 (kp)"}},     // 71
    {{"56", "56"}, {"8 (kp)", "8 (kp)"}},     // 72
    {{"57", "57"}, {"9 (kp)", "9 (kp)"}},     // 73
    {{"45", "45"}, {"- (kp)", "- (kp)"}},     // 74
    {{"52", "52"}, {"4 (kp)", "4 (kp)"}},     // 75
    {{"53", "53"}, {"5 (kp)", "5 (kp)"}},     // 76
    {{"54", "54"}, {"6 (kp)", "6 (kp)"}},     // 77
    {{"43", "43"}, {"+ (kp)", "+ (kp)"}},     // 78
    {{"49", "49"}, {"1 (kp)", "1 (kp)"}},     // 79
    {{"50", "50"}, {"2 (kp)", "2 (kp)"}},     // 80
    {{"51", "51"}, {"3 (kp)", "3 (kp)"}},     // 81
    {{"48", "48"}, {"0 (kp)", "0 (kp)"}},     // 82
    {{"46", "46"}, {". (kp)", ". (kp)"}},     // 83
    {{"-1", "-1"}, {"F11", "F11"}},           // 84
    {{"-1", "-1"}, {"F12", "F12"}},           // 85
    {{"13", "13"}, {"Entr(kp)", "Entr(kp)"}}, // 86
    {{"-1", "-1"}, {"RCtrlD", "RCtrlD"}},     // 87
    {{"47", "47"}, {"/ (kp)", "/ (kp)"}},     // 88
    {{"-1", "-1"}, {"PrintScr", "Shft-Prs"}}, // 89
    {{"-1", "-1"}, {"RAltD", "RAltD"}},       // 90
    {{"-1", "-1"}, {"Home", "Home"}},         // 91
    {{"-1", "-1"}, {"Up", "Up"}},             // 92
    {{"-1", "-1"}, {"PgUp", "PgUp"}},         // 93
    {{"-1", "-1"}, {"Left", "Left"}},         // 94
    {{"-1", "-1"}, {"Right", "Right"}},       // 95
    {{"-1", "-1"}, {"End", "End"}},           // 96
    {{"-1", "-1"}, {"Down", "Down"}},         // 97
    {{"-1", "-1"}, {"PgDn", "PgDn"}},         // 98
    {{"-1", "-1"}, {"Ins", "Ins"}},           // 99
    {{"127", "127"}, {"Del", "Del"}},         // 100
    {{"-1", "-1"}, {"LWin", "LWin"}},         // 101
    {{"-1", "-1"}, {"RWin", "RWin"}},         // 102
    {{"-1", "-1"}, {"App", "App"}},           // 103
    {{"-1", "-1"}, {"Pause", "Pause"}},       // 104
    {{"-1", "-1"}, {"LCtrlU", "LCtrlU"}},     // 105
    {{"-1", "-1"}, {"LShiftU", "LShiftU"}},   // 106
    {{"-1", "-1"}, {"RShiftU", "RShiftU"}},   // 107
    {{"-1", "-1"}, {"LAltU", "LAltU"}},       // 108
    {{"-1", "-1"}, {"RCtrlU", "RCtrlU"}},     // 109
    {{"-1", "-1"}, {"RAltU", "RAltU"}},       // 110
}};

namespace {

constexpr int parseDecimal(const char* text) {
    bool negative = *text == '-';
    if (negative)
        ++text;
    int value = 0;
    for (; *text != '\0'; ++text)
        value = value * 10 + (*text - '0');
    return negative ? -value : value;
}

// The characters of the table as numbers, worked out once at compile time.
constexpr auto characters = [] {
    std::array<std::array<int, 2>, KeyCodeCount> result{};
    for (int k = 0; k < KeyCodeCount; ++k)
        for (int shifted = 0; shifted < 2; ++shifted)
            result[k][shifted] = parseDecimal(KeyTable[k].AT_Codes[shifted]);
    return result;
}();

// Ctrl with a key: letters give 1 to 26, and a few keys have codes of their own.
constexpr std::int32_t controlCharacter(int c) {
    switch (c) {
    case 13: return 10; // Enter
    case 45: return 31; // -
    case 50: return 0;  // 2
    case 54: return 30; // 6
    case 91: return 27; // [
    case 92: return 28; // backslash
    case 93: return 29; // ]
    default: return c - 96;
    }
}

} // namespace

int KeyTableCharacter(int keyCode, bool shifted) {
    return characters[keyCode][shifted ? 1 : 0];
}

std::int32_t TranslateKeyCode(std::int32_t keyCode, int modifiers, bool pcShiftHeld, bool pcCapsLockOn) {
    using namespace ModifierFlag;
    const bool onScreenShift = (modifiers & AnyShift) != 0;
    const bool onScreenCtrl = (modifiers & AnyCtrl) != 0;

    if (keyCode == 3 && onScreenShift)
        return CodeValue::AtAt;

    // A character typed on the PC keyboard outside the table already is the character the user
    // typed, Shift included; no modifier changes it.
    if (keyCode >= KeyCodeCount)
        return keyCode;
    if (keyCode < 0)
        return -1;

    if (onScreenShift || pcCapsLockOn || pcShiftHeld) {
        if (const int c = KeyTableCharacter(keyCode, true); c >= 0)
            return c;
    }
    if ((modifiers & (LShift | RShift | AnyCtrl)) == 0) {
        if (const int c = KeyTableCharacter(keyCode, false); c >= 0)
            return c;
    }
    if (onScreenCtrl) {
        if (const std::int32_t c = controlCharacter(KeyTableCharacter(keyCode, false)); c >= 0)
            return c;
    }
    return -1;
}
