#include "files/MacroMatch.h"

#include "files/MacroPlayback.h"
#include "model/SelectionKeeper.h"
#include "model/TextEncoding.h"

#include <algorithm>
#include <cstdio>

namespace {

using Kind = BurstMatch::Kind;

std::string macroTitle(const ExpectedMacro& macro) {
    std::string title = KeyLevelName(macro.key, macro.level);
    if (!macro.name.empty())
        title += " \"" + macro.name + "\"";
    return title;
}

std::string titles(const std::vector<ExpectedMacro>& macros, const std::vector<std::size_t>& chosen) {
    std::string text;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (i > 0)
            text += i + 1 == chosen.size() ? " and " : ", ";
        text += macroTitle(macros[chosen[i]]);
    }
    return text;
}

const char* unitName(BurstUnits units, std::size_t count) {
    if (units == BurstUnits::Bytes)
        return count == 1 ? "byte" : "bytes";
    return count == 1 ? "character" : "characters";
}

// A received or expected unit as the window shows it: a byte in hexadecimal with its character when
// it is a printable one; a character as itself in quotes, or as the key that types it. An expected
// character above 127 is a byte no US key types; a typed one is the character the keyboard gave.
std::string describe(char32_t unit, BurstUnits units, bool expected) {
    if (units == BurstUnits::Bytes) {
        char text[16];
        std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(unit) & 0xFFu);
        std::string shown = text;
        if (unit >= 32 && unit < 127)
            shown += std::string(" \"") + static_cast<char>(unit) + "\"";
        return shown;
    }
    if (unit < 128 || (expected && unit < 256)) {
        PlaybackStep step;
        step.value = static_cast<int>(unit);
        const StepText shown = DescribeStep(step, 0);
        if (shown.isName)
            return shown.text;
        return "\"" + shown.text + "\"";
    }
    std::string text = "\"";
    AppendUtf8(text, unit);
    return text + "\"";
}

// The positions where a macro's parts begin and end: its start, every pause inside it, its end.
std::vector<std::size_t> partBounds(const ExpectedMacro& macro) {
    std::vector<std::size_t> bounds{0};
    for (const ExpectedMacro::Pause& pause : macro.pauses)
        if (pause.before > bounds.back() && pause.before < macro.characters.size())
            bounds.push_back(pause.before);
    bounds.push_back(macro.characters.size());
    return bounds;
}

// The first part of macro (between two pause bounds, not the whole macro) that burst equals.
bool findPart(const ExpectedMacro& macro, std::u32string_view burst, std::size_t& from, std::size_t& to) {
    const std::vector<std::size_t> bounds = partBounds(macro);
    const std::u32string_view whole = macro.characters;
    for (std::size_t i = 0; i < bounds.size(); ++i)
        for (std::size_t j = i + 1; j < bounds.size(); ++j) {
            if (i == 0 && j + 1 == bounds.size())
                continue;
            if (whole.substr(bounds[i], bounds[j] - bounds[i]) == burst) {
                from = bounds[i];
                to = bounds[j];
                return true;
            }
        }
    return false;
}

std::size_t commonStart(std::u32string_view a, std::u32string_view b) {
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

std::string differenceText(const ExpectedMacro& macro, std::u32string_view burst, std::size_t at,
                           BurstUnits units) {
    const std::u32string_view expected = macro.characters;
    const bool typed = units == BurstUnits::Characters;
    std::string text = "Differs from " + macroTitle(macro) + " at " + unitName(units, 1) + " " +
                       std::to_string(at + 1) + ": ";
    if (at < burst.size() && at < expected.size())
        text += (typed ? "typed " : "received ") + describe(burst[at], units, false) + ", expected " +
                describe(expected[at], units, true) + ".";
    else if (at < expected.size())
        text += (typed ? "the typing ends there" : "the burst ends there") + std::string(", expected ") +
                describe(expected[at], units, true) + ".";
    else
        text += (typed ? "typed " : "received ") + describe(burst[at], units, false) + " after its last " +
                unitName(units, 1) + ".";
    return text;
}

} // namespace

std::string KeyLevelName(int key, int level) {
    return "Key " + std::to_string(key + 1) + ", Level " + std::to_string(level + 1);
}

std::vector<ExpectedMacro> ExpectedMacros(TKeypadClass& keypad) {
    std::vector<ExpectedMacro> macros;
    const SelectionKeeper keeper(keypad);
    for (int key = 0; key < KeyCount; ++key)
        for (int level = 0; level < LevelCount; ++level) {
            keypad.SetKey(static_cast<std::uint8_t>(key));
            keypad.SetLevel(static_cast<std::uint8_t>(level));
            ExpectedMacro macro;
            macro.key = key;
            macro.level = level;
            macro.name = keypad.GetMacroName();
            for (const PlaybackStep& step : PlaySelectedMacro(keypad).steps) {
                if (step.kind == PlaybackStep::Kind::Character) {
                    macro.characters += static_cast<char32_t>(step.value);
                } else if (step.kind == PlaybackStep::Kind::Delay) {
                    const int milliseconds = step.value * CodeValue::DelayUnitMs;
                    if (!macro.pauses.empty() && macro.pauses.back().before == macro.characters.size())
                        macro.pauses.back().milliseconds += milliseconds;
                    else
                        macro.pauses.push_back({macro.characters.size(), milliseconds});
                }
            }
            if (!macro.characters.empty())
                macros.push_back(std::move(macro));
        }
    return macros;
}

std::vector<ExpectedMacro> TypedOnLayout(std::vector<ExpectedMacro> macros, const LayoutTable& layout) {
    for (ExpectedMacro& macro : macros) {
        const std::u32string& us = macro.characters;
        std::u32string typed;
        // typedBefore[i]: the characters typed before us[i], where the pauses fall now.
        std::vector<std::size_t> typedBefore(us.size() + 1, 0);
        for (std::size_t i = 0; i < us.size(); ++i) {
            typedBefore[i] = typed.size();
            const auto value = static_cast<std::int32_t>(us[i]);
            if (const char32_t c = LayoutCharacter(layout, value); c != 0)
                typed += c;
            if (IsDeadKeyCharacter(layout, value) && i + 1 < us.size() && us[i + 1] == U' ') {
                typedBefore[++i] = typed.size();
            }
        }
        typedBefore[us.size()] = typed.size();
        for (ExpectedMacro::Pause& pause : macro.pauses)
            pause.before = typedBefore[std::min(pause.before, us.size())];
        macro.characters = std::move(typed);
    }
    std::erase_if(macros, [](const ExpectedMacro& macro) { return macro.characters.empty(); });
    return macros;
}

BurstMatch MatchBurst(const std::vector<ExpectedMacro>& macros, std::u32string_view burst, BurstUnits units) {
    BurstMatch match;
    if (macros.empty()) {
        match.text = units == BurstUnits::Bytes ? "The definition has no macro that sends anything."
                                                : "The definition has no macro that types anything.";
        return match;
    }

    for (std::size_t i = 0; i < macros.size(); ++i)
        if (macros[i].characters == burst)
            match.macros.push_back(i);
    if (!match.macros.empty()) {
        match.kind = Kind::Matches;
        match.to = burst.size();
        match.text = "Matches " + titles(macros, match.macros) + ".";
        return match;
    }

    for (std::size_t i = 0; i < macros.size(); ++i) {
        std::size_t from = 0;
        std::size_t to = 0;
        if (!findPart(macros[i], burst, from, to))
            continue;
        if (match.macros.empty()) {
            match.from = from;
            match.to = to;
        }
        match.macros.push_back(i);
    }
    if (!match.macros.empty()) {
        match.kind = Kind::MatchesPart;
        const ExpectedMacro& first = macros[match.macros.front()];
        const std::size_t count = match.to - match.from;
        std::string where = count == 1
                                ? std::string(unitName(units, 1)) + " " + std::to_string(match.from + 1)
                                : std::string(unitName(units, 2)) + " " + std::to_string(match.from + 1) +
                                      " to " + std::to_string(match.to);
        match.text = "Matches part of " + titles(macros, match.macros) + ": " + where + " of " +
                     std::to_string(first.characters.size()) + ", between its pauses.";
        return match;
    }

    std::size_t nearest = 0;
    std::size_t agreed = 0;
    std::size_t lengthGap = 0;
    for (std::size_t i = 0; i < macros.size(); ++i) {
        const std::u32string& characters = macros[i].characters;
        const std::size_t common = commonStart(characters, burst);
        const std::size_t gap = characters.size() > burst.size() ? characters.size() - burst.size()
                                                                 : burst.size() - characters.size();
        if (i == 0 || common > agreed || (common == agreed && gap < lengthGap)) {
            nearest = i;
            agreed = common;
            lengthGap = gap;
        }
    }
    match.kind = Kind::Differs;
    match.macros = {nearest};
    match.from = agreed;
    match.to = agreed;
    match.text = differenceText(macros[nearest], burst, agreed, units);
    return match;
}
