#include "files/MacroPlayback.h"

#include "files/CodeString.h"
#include "files/DownloadImage.h"
#include "model/KeyboardLayout.h"

#include <algorithm>
#include <cstdio>

namespace {

using Kind = PlaybackStep::Kind;

std::string hexByte(int byte) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(byte) & 0xFFu);
    return text;
}

std::string hexText(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes)
        text += hexByte(byte);
    return text;
}

PlaybackStep stepOf(std::int32_t value) {
    PlaybackStep step;
    if (CodeValue::isDelay(value)) {
        step.kind = Kind::Delay;
        step.value = value - CodeValue::DelayBit;
        step.byteCount = 3;
    } else if (CodeValue::isBeep(value)) {
        step.kind = Kind::Beep;
        step.value = value - CodeValue::BeepBit;
        step.byteCount = 3;
    } else if (value == CodeValue::AtAt) {
        step.kind = Kind::Character; // the keypad types '@' for it
        step.value = '@';
        step.byteCount = 2;
    } else if (CodeValue::isTwoByteCommand(value)) {
        step.value = value & 0xFF;
        step.kind = value == CodeValue::LedOff     ? Kind::LedOff
                    : value == CodeValue::LedOn    ? Kind::LedOn
                    : value == CodeValue::LedFlash ? Kind::LedFlash
                                                   : Kind::Command;
        step.byteCount = 2;
    } else {
        step.value = value & 0xFF;
    }
    return step;
}

// The US-layout key for a control character, or nothing for a printable one.
std::string controlKeyName(int byte) {
    switch (byte) {
    case 8: return "Backspace";
    case 9: return "Tab";
    case 13: return "Enter";
    case 27: return "Esc";
    case 127: return "Delete";
    default: break;
    }
    if (byte < 32) {
        static constexpr char controlLetters[] = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_";
        return std::string("Ctrl+") + controlLetters[byte];
    }
    return {};
}

} // namespace

MacroPlayback PlayBytes(std::vector<std::uint8_t> bytes, std::uint8_t prefix, int pacingMs) {
    MacroPlayback playback;
    playback.pacingMs = pacingMs;
    // The keypad reads its bytes by the same rules as a definition file's code string.
    const CodeStringReading reading = ReadCodeString(hexText(bytes), prefix);
    for (const CodeStringReading::Code& code : reading.codes) {
        PlaybackStep step = stepOf(code.value);
        step.firstByte = code.offset / 2;
        playback.steps.push_back(step);
    }
    for (const std::size_t offset : reading.unknownCommands) {
        PlaybackStep step;
        step.kind = Kind::Unknown;
        step.firstByte = offset / 2;
        step.byteCount = 2;
        step.value = bytes[step.firstByte + 1];
        playback.steps.push_back(step);
    }
    if (reading.end / 2 < bytes.size()) {
        PlaybackStep step;
        step.kind = Kind::Incomplete;
        step.firstByte = reading.end / 2;
        step.byteCount = bytes.size() - step.firstByte;
        playback.steps.push_back(step);
    }
    std::sort(playback.steps.begin(), playback.steps.end(),
              [](const PlaybackStep& a, const PlaybackStep& b) { return a.firstByte < b.firstByte; });

    int time = 0;
    for (PlaybackStep& step : playback.steps) {
        step.startMs = time;
        if (step.kind == Kind::Character)
            step.durationMs = pacingMs;
        else if (step.kind == Kind::Delay)
            step.durationMs = step.value * CodeValue::DelayUnitMs;
        time += step.durationMs;
    }
    playback.totalMs = time;
    playback.bytes = std::move(bytes);
    return playback;
}

MacroPlayback PlaySelectedMacro(const TKeypadClass& keypad) {
    return PlayBytes(MacroBytes(keypad), keypad.CmdPrefix(), PacingMilliseconds(keypad));
}

StepText DescribeStep(const PlaybackStep& step, std::uint8_t prefix, const LayoutTable* layout) {
    switch (step.kind) {
    case Kind::Character:
        if (std::string name = controlKeyName(step.value); !name.empty())
            return {std::move(name), true};
        if (step.value == ' ')
            return {" ", false};
        if (step.value > 127)
            return {"byte " + hexByte(step.value) + " (no US key)", true};
        if (layout != nullptr) {
            const char32_t c = LayoutCharacter(*layout, step.value);
            if (c == 0)
                return {"no character on the " + std::string(layout->name) + " layout", true};
            std::string text;
            AppendUtf8(text, c);
            return {text, false};
        }
        return {std::string(1, static_cast<char>(step.value)), false};
    case Kind::Delay: return {"pause " + std::to_string(step.value * CodeValue::DelayUnitMs) + " ms", true};
    case Kind::Beep: return {"beep " + std::to_string(step.value), true};
    case Kind::LedOff: return {"LED off", true};
    case Kind::LedOn: return {"LED on", true};
    case Kind::LedFlash: return {"LED flash", true};
    case Kind::Command: return {"command " + hexByte(prefix) + " " + hexByte(step.value), true};
    case Kind::Unknown: return {"unknown command " + hexByte(prefix) + " " + hexByte(step.value), true};
    case Kind::Incomplete: return {"unfinished command", true};
    }
    return {};
}

std::string PlayingTimeText(int milliseconds) {
    const int hundredths = (std::max(milliseconds, 0) + 5) / 10;
    char text[48];
    std::snprintf(text, sizeof text, "plays in %d.%02d s", hundredths / 100, hundredths % 100);
    return text;
}
