#pragma once

#include "model/KeyboardLayout.h"
#include "model/KeypadClass.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Telling which macro of a definition the keypad just played, from what the host received: the bytes
// that came in on the serial line, or the text typed when the keypad is a PC keyboard.

// One macro as the host sees it: the characters the keypad sends or types when it plays the macro
// (its image bytes read as the keypad reads them; pauses, beeps and LED commands act on the keypad and
// send nothing), and where its pauses fall.
struct ExpectedMacro {
    int key = 0;   // 0 to 23
    int level = 0; // 0 or 1
    std::string name;
    std::u32string characters; // a byte as the code point of its value
    struct Pause {
        std::size_t before = 0; // characters sent before the pause
        int milliseconds = 0;
    };
    std::vector<Pause> pauses;
};

// Every macro of keypad that sends at least one character, key by key, level 1 before level 2. The
// selection of keypad is kept.
std::vector<ExpectedMacro> ExpectedMacros(TKeypadClass& keypad);

// The macros as a computer set to layout reads the keys the keypad presses: each character as the
// character the same key makes on the layout, a dead key with the blank after it as the bare mark. A
// key that makes nothing on the layout types nothing; pauses stay between the same characters.
std::vector<ExpectedMacro> TypedOnLayout(std::vector<ExpectedMacro> macros, const LayoutTable& layout);

// "Key 2, Level 1" for key 1, level 0: the window's names.
std::string KeyLevelName(int key, int level);

// What a burst was compared in: bytes from a serial line, shown in hexadecimal, or typed characters,
// shown as themselves or as the key that types them.
enum class BurstUnits { Bytes, Characters };

struct BurstMatch {
    enum class Kind {
        Matches,     // the burst is a whole macro
        MatchesPart, // the burst is a part of a macro between its pauses
        Differs,     // no macro: text says where it first differs from the nearest one
        NoMacros,    // the definition sends nothing at all
    };
    Kind kind = Kind::NoMacros;
    // The macros matched, or the nearest one; indexes into the list compared with.
    std::vector<std::size_t> macros;
    // Matches and MatchesPart: where the burst lies in the macro; Differs: the first position (from 0)
    // that differs.
    std::size_t from = 0;
    std::size_t to = 0;
    std::string text; // one sentence for the window
};

// Compares one burst with every macro. A burst equal to several macros names them all. A burst that
// matches none is compared with the macro it agrees with longest from the start (of equal ones, the
// one nearest in length, then the first).
BurstMatch MatchBurst(const std::vector<ExpectedMacro>& macros, std::u32string_view burst, BurstUnits units);
