#include "files/DefinitionFormat.h"

#include "files/DefinitionFile.h"
#include "files/TextEncoding.h"

#include <algorithm>
#include <charconv>
#include <map>
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

std::string asciiLowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
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
    std::vector<KeySection> sections;
    std::map<std::string, std::string> namesSeen; // by the name in lower case
    std::array<std::string, KeyCount> sectionOfKey;
    bool globalSeen = false;
    for (const std::string& name : ini.SectionNames()) {
        const auto [earlier, isNew] = namesSeen.emplace(asciiLowerCase(name), name);
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
            section.readInstead = earlier->second;
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
    if (rollOver > 6)
        rollOver = 2;
    if (rollOver == 0)
        rollOver = 1;
    keypad.SetKeyRollOver(rollOver);
    keypad.SetCharacterPacing(lowByte(read(CharacterPacing, 2)));
    keypad.SetLEDBehavior(static_cast<TLEDBehavior>(lowByte(read(LedFunction, ledLevel))));
    keypad.SetBaudRate(lowByte(read(BaudRate, 3)));
    keypad.SetWordFormat(lowByte(read(WordFormat, 8)));
    keypad.SetCmdPrefix(lowByte(read(CommandPrefix, 64)));
    keypad.SetOpMode(lowByte(read(OperatingMode, 0)));
    keypad.SetCdcSerialNo(std::min(read(CdcSerialNo, 1), 9999));
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
    write(OperatingMode, keypad.OpMode());
    write(CdcSerialNo, keypad.CdcSerialNo());
}
