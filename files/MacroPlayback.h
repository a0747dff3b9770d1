#pragma once

#include "model/KeypadClass.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the keypad does when it plays one macro: the macro's bytes as the download image carries them,
// read the way the keypad reads them (a command prefix opens a command), each step with its time.
// Characters take the keypad's character pacing each; a delay n takes n x 4 ms; beeps, LED and other
// commands take no time of their own.
struct PlaybackStep {
    enum class Kind {
        Character, // a byte typed on the PC; value is the byte
        Delay,     // value is n, the pause n x 4 ms
        Beep,      // value is the beep's parameter
        LedOff,
        LedOn,
        LedFlash,
        Command,    // another known command; value is its command byte
        Unknown,    // a command byte the keypad has no command for; value is that byte
        Incomplete, // a command cut short by the macro's end
    };
    Kind kind = Kind::Character;
    int value = 0;
    std::size_t firstByte = 0; // index of its first byte in the macro's bytes
    std::size_t byteCount = 1;
    int startMs = 0;
    int durationMs = 0;

    bool operator==(const PlaybackStep&) const = default;
};

struct MacroPlayback {
    std::vector<std::uint8_t> bytes; // exactly the macro bytes of the download image
    std::vector<PlaybackStep> steps;
    int pacingMs = 0;
    int totalMs = 0;
};

// Reads bytes as the keypad does under prefix, with pacingMs between characters.
MacroPlayback PlayBytes(std::vector<std::uint8_t> bytes, std::uint8_t prefix, int pacingMs);

// The selected macro of keypad as the keypad plays it, with the pacing the image gives it.
MacroPlayback PlaySelectedMacro(const TKeypadClass& keypad);

// What a step shows: a character as itself (UTF-8), a key a US-layout PC keyboard types it with as
// its name ("Enter", "Tab", "Esc", "Backspace", "Delete", "Ctrl+C"), other steps as a short mark
// ("pause 200 ms", "beep 10", "LED on", "command 40 05"). isName tells whether it is not a plain
// character.
struct StepText {
    std::string text;
    bool isName = false;
};
// With a layout, characters show as a computer with that layout makes them.
StepText DescribeStep(const PlaybackStep& step, std::uint8_t prefix, const LayoutTable* layout = nullptr);

// "plays in 1.24 s"
std::string PlayingTimeText(int milliseconds);
