#include "files/DefinitionFormat.h"

#include "files/CodeString.h"
#include "files/DefinitionFile.h"
#include "model/KeypadParameters.h"
#include "model/TextEncoding.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

// A section's key number: decimal digits with an optional sign. Nothing for any other text; a number
// too large for an int is returned as -1, which no key has either.
std::optional<int> parseKeyNumber(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int number = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), number).ec != std::errc{})
        return -1;
    return negative ? -number : number;
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether a comes before b without regard to ASCII letter case; names that match (NamesMatch) are
// equivalent.
bool lessIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char x = asciiLower(a[i]);
        const char y = asciiLower(b[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() < b.size();
}

// For each name, the index of the first name that matches it (its own index when none comes before).
std::vector<std::size_t> firstMatchingNames(const std::vector<std::string>& names) {
    std::vector<std::size_t> order(names.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // Stable, so that within each group of matching names the first in the file comes first.
    std::stable_sort(order.begin(), order.end(),
                     [&names](std::size_t a, std::size_t b) { return lessIgnoringCase(names[a], names[b]); });
    std::vector<std::size_t> first(names.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        first[order[i]] =
            i > 0 && NamesMatch(names[order[i - 1]], names[order[i]]) ? first[order[i - 1]] : order[i];
    return first;
}

std::uint8_t lowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace

std::string KeySectionName(int key) {
    return "KEY" + std::to_string(key);
}

std::string NotAValidIntegerMessage(std::string_view numberText) {
    // The name may be anything a file holds: a message box shows a short, printable form of it.
    return "'" + ShownText(numberText, 64) + "' is not a valid integer value";
}

std::vector<KeySection> PlanKeySections(const IniFile& ini) {
    const std::vector<std::string> names = ini.SectionNames();
    const std::vector<std::size_t> firstMatching = firstMatchingNames(names);
    std::vector<KeySection> sections;
    sections.reserve(names.size());
    std::array<std::string, KeyCount> sectionOfKey;
    bool globalSeen = false;
    for (std::size_t index = 0; index < names.size(); ++index) {
        const std::string& name = names[index];
        const bool isNew = firstMatching[index] == index;
        if (!globalSeen && NamesMatch(name, DefinitionNames::GlobalSection)) {
            globalSeen = true;
            continue;
        }
        KeySection section;
        section.name = name;
        section.numberText = name.size() > 3 ? name.substr(3) : std::string();
        const auto number = parseKeyNumber(section.numberText);
        if (!isNew) {
            section.use = KeySection::Use::RepeatedName;
            section.readInstead = names[firstMatching[index]];
        } else if (!number) {
            section.use = KeySection::Use::BadNumber;
        } else if (*number < 0 || *number >= KeyCount) {
            section.use = KeySection::Use::OutOfRange;
        } else {
            section.number = *number;
            std::string& first = sectionOfKey[static_cast<std::size_t>(*number)];
            if (first.empty()) {
                first = name;
            } else {
                section.use = KeySection::Use::RepeatedKey;
                section.readInstead = first;
            }
        }
        sections.push_back(std::move(section));
    }
    return sections;
}

void ReadKeySection(const IniFile& ini, const KeySection& section, TKeypadClass& keypad) {
    using namespace DefinitionNames;
    keypad.SetKey(static_cast<std::uint8_t>(section.number));
    keypad.SetKeytype(static_cast<TKeyType>(lowByte(ini.ReadInteger(section.name, KeyType, ktNormal))));
    for (std::uint8_t level = 0; level < LevelCount; ++level) {
        const LevelKeys& keys = Levels[level];
        keypad.SetLevel(level);
        keypad.SetCanAutoRepeat(ini.ReadBool(section.name, keys.autoRepeat, false));
        LoadCodeString(keypad, ini.ReadStringView(section.name, keys.codesRead));
        keypad.SetMacroName(ini.ReadString(section.name, keys.name));
    }
}

void ReadParameters(const IniFile& ini, TKeypadClass& keypad) {
    using namespace DefinitionNames;
    const auto read = [&ini](std::string_view key, std::int32_t defaultValue) {
        return ini.ReadInteger(GlobalSection, key, defaultValue);
    };
    keypad.SetDownloadDelay(read(DownloadDelay, 0));
    std::uint8_t rollOver = lowByte(read(KeyRollOver, 2));
    if (rollOver > ParameterRanges::KeyRollOver.maximum)
        rollOver = 2;
    if (rollOver < ParameterRanges::KeyRollOver.minimum)
        rollOver = static_cast<std::uint8_t>(ParameterRanges::KeyRollOver.minimum);
    keypad.SetKeyRollOver(rollOver);
    keypad.SetCharacterPacing(lowByte(read(CharacterPacing, 2)));
    keypad.SetLEDBehavior(static_cast<TLEDBehavior>(lowByte(read(LedFunction, ledLevel))));
    keypad.SetBaudRate(lowByte(read(BaudRate, 3)));
    keypad.SetWordFormat(lowByte(read(WordFormat, 8)));
    keypad.SetCmdPrefix(lowByte(read(CommandPrefix, 64)));
    keypad.SetOpMode(lowByte(read(DefinitionNames::OperatingMode, 0)));
    keypad.SetCdcSerialNo(std::min(read(CdcSerialNo, 1), ParameterRanges::CdcSerialNo.maximum));
}

void WriteParameters(IniFile& ini, const TKeypadClass& keypad) {
    using namespace DefinitionNames;
    const auto write = [&ini](std::string_view key, std::int32_t value) {
        ini.WriteInteger(GlobalSection, key, value);
    };
    ini.WriteString(GlobalSection, ModelNumber, ModelName);
    write(DownloadDelay, keypad.DownloadDelay());
    write(MacroLength, MacroLengthValue);
    write(Level1Length, Level1LengthValue);
    write(KeyRollOver, keypad.KeyRollOver());
    write(CharacterPacing, keypad.CharacterPacing());
    write(LedFunction, keypad.LEDBehavior());
    write(BaudRate, keypad.BaudRate());
    write(WordFormat, keypad.WordFormat());
    write(CommandPrefix, keypad.CmdPrefix());
    write(DefinitionNames::OperatingMode, keypad.OpMode());
    write(CdcSerialNo, keypad.CdcSerialNo());
}
