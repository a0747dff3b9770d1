#include "files/DefinitionCheck.h"

#include "files/CodeString.h"
#include "files/DefinitionFile.h"
#include "files/DefinitionFormat.h"
#include "model/KeypadParameters.h"
#include "model/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <variant>

namespace {

using namespace DefinitionNames;

class Findings final {
public:
    void add(std::string_view section, std::string_view key, const std::string& message, int keyNumber = -1,
             int level = -1) {
        std::string line = "[" + std::string(section) + "]";
        if (!key.empty())
            line += " " + std::string(key);
        // One printable line per finding, whatever control characters the file holds.
        fFindings.push_back({ShownText(line + ": " + message, std::string::npos), keyNumber, level,
                             ShownText(message, std::string::npos)});
    }
    std::vector<DefinitionFinding> all() && { return std::move(fFindings); }

private:
    std::vector<DefinitionFinding> fFindings;
};

// "4005" as "40 05".
std::string spacedPairs(std::string_view text) {
    std::string spaced;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        if (i > 0)
            spaced += ' ';
        spaced += text.substr(i, 2);
    }
    return spaced;
}

// The integer written for key, or nothing when the key is absent or empty (both read as the default).
// A value that is not an integer is reported with what it reads as.
std::optional<std::int64_t> writtenInteger(const IniFile& ini, std::string_view section, std::string_view key,
                                           std::int64_t readAs, Findings& findings) {
    const std::string text = ini.ReadString(section, key);
    if (text.empty())
        return std::nullopt;
    const auto value = ParseIniInteger(text);
    if (!value)
        findings.add(section, key, "'" + text + "' is not an integer; read as " + std::to_string(readAs));
    return value;
}

// The values a parameter may take: a range, or exactly the values listed (in ascending order).
using ValidValues = std::variant<ParameterRange, std::vector<int>>;

bool isValid(const ValidValues& valid, std::int64_t value) {
    if (const auto* range = std::get_if<ParameterRange>(&valid))
        return range->contains(value);
    const auto& values = std::get<std::vector<int>>(valid);
    return std::find(values.begin(), values.end(), value) != values.end();
}

// "0 to 200", or "0, 32 or 48".
std::string validText(const ValidValues& valid) {
    if (const auto* range = std::get_if<ParameterRange>(&valid))
        return std::to_string(range->minimum) + " to " + std::to_string(range->maximum);
    const auto& values = std::get<std::vector<int>>(valid);
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i)
        text += (i == 0 ? "" : i + 1 == values.size() ? " or " : ", ") + std::to_string(values[i]);
    return text;
}

std::vector<int> wordFormatValues() {
    std::vector<int> values;
    for (const WordFormatEntry& format : WordFormats)
        values.push_back(format.value);
    std::sort(values.begin(), values.end());
    return values;
}

std::vector<int> operatingModeValues() {
    std::vector<int> values;
    for (const ::OperatingMode mode : OperatingModes)
        values.push_back(ValueOf(mode));
    std::sort(values.begin(), values.end());
    return values;
}

struct ParameterRule {
    std::string_view key;
    ValidValues valid;
    std::int64_t readAs;
};

void checkParameters(const IniFile& ini, const TKeypadClass& read, Findings& findings) {
    namespace Range = ParameterRanges;
    const ParameterRule rules[] = {
        {DownloadDelay, Range::DownloadDelay, read.DownloadDelay()},
        {KeyRollOver, Range::KeyRollOver, read.KeyRollOver()},
        {CharacterPacing, Range::CharacterPacing, read.CharacterPacing()},
        {LedFunction, Range::LedBehavior, read.LEDBehavior()},
        {BaudRate, Range::BaudRate, read.BaudRate()},
        {WordFormat, wordFormatValues(), read.WordFormat()},
        {CommandPrefix, Range::CommandPrefix, read.CmdPrefix()},
        {DefinitionNames::OperatingMode, operatingModeValues(), read.OpMode()},
        {CdcSerialNo, Range::CdcSerialNo, read.CdcSerialNo()},
    };
    for (const ParameterRule& rule : rules) {
        const auto value = writtenInteger(ini, GlobalSection, rule.key, rule.readAs, findings);
        if (value && !isValid(rule.valid, *value))
            findings.add(GlobalSection, rule.key,
                         std::to_string(*value) + " is outside " + validText(rule.valid) + "; read as " +
                             std::to_string(rule.readAs));
    }
}

// The codes text of one macro, written in section (KEYn) for key and level. scratch is any keypad: its
// first macro is where the codes are loaded to see what a macro keeps.
void checkCodeText(const std::string& section, int key, int level, const std::string& codes,
                   std::uint8_t prefix, TKeypadClass& scratch, Findings& findings) {
    const LevelKeys& keys = Levels[static_cast<std::size_t>(level)];
    const auto add = [&](const std::string& message) {
        findings.add(section, keys.codesWritten, message, key, level);
    };
    const CodeStringReading reading = ReadCodeString(codes, prefix);
    const std::string_view text = reading.text;

    for (const std::size_t offset : reading.unknownCommands)
        add("unknown command " + spacedPairs(text.substr(offset, 4)) + " is dropped");
    if (reading.end < text.size())
        add("malformed code text '" + std::string(text.substr(reading.end)) + "' is dropped");

    ClearKeyData(scratch.keys[0]);
    scratch.SetKey(0);
    scratch.SetLevel(0);
    scratch.SetCmdPrefix(prefix);
    LoadCodeString(scratch, text);
    const std::size_t kept = scratch.NumOfElements();
    if (kept < reading.codes.size()) {
        int bytes = 0;
        for (const auto& code : reading.codes)
            bytes += CodeValue::byteWeight(code.value);
        const std::size_t from = reading.codes[kept].offset;
        add(std::to_string(bytes) + " bytes do not fit the " + std::to_string(MacroCapacityBytes) +
            " of a macro; dropped: " + spacedPairs(text.substr(from, reading.end - from)));
    }
}

void checkCodes(const IniFile& ini, const KeySection& section, int level, std::uint8_t prefix,
                TKeypadClass& scratch, Findings& findings) {
    checkCodeText(section.name, section.number, level,
                  ini.ReadString(section.name, Levels[static_cast<std::size_t>(level)].codesRead), prefix,
                  scratch, findings);
}

void checkKeySection(const IniFile& ini, const KeySection& section, std::uint8_t prefix,
                     TKeypadClass& scratch, Findings& findings) {
    const std::string& name = section.name;
    const auto keyType = writtenInteger(ini, name, KeyType, ktNormal, findings);
    if (keyType && (*keyType < ktNormal || *keyType > ktToggle))
        findings.add(name, KeyType,
                     std::to_string(*keyType) + " is outside 0 to 2; read as " +
                         std::to_string(*keyType & 0xFF),
                     section.number);
    for (int level = 0; level < LevelCount; ++level) {
        writtenInteger(ini, name, Levels[static_cast<std::size_t>(level)].autoRepeat, 0, findings);
        checkCodes(ini, section, level, prefix, scratch, findings);
    }
}

// Of three or more keys of one kind, the image names only the lowest and the highest.
void checkSlotKeys(const TKeypadClass& read, const std::array<std::string, KeyCount>& sectionOfKey,
                   Findings& findings) {
    const ToggleShiftSlots slots = FindToggleShiftKeys(read);
    const struct {
        TKeyType type;
        const char* kind;
        int first, last;
    } kinds[] = {{ktToggle, "toggle", slots.ToggleKey1, slots.ToggleKey2},
                 {ktShift, "shift", slots.ShiftKey1, slots.ShiftKey2}};
    for (const auto& kind : kinds)
        for (int key = kind.first + 1; key < kind.last && key < KeyCount; ++key)
            if (read.keys[static_cast<std::size_t>(key)].KeyType == kind.type)
                findings.add(sectionOfKey[static_cast<std::size_t>(key)], KeyType,
                             std::string("more than two ") + kind.kind + " keys: key " +
                                 std::to_string(key + 1) + " does not reach the image, only keys " +
                                 std::to_string(kind.first + 1) + " and " + std::to_string(kind.last + 1) +
                                 " do",
                             key);
}

} // namespace

std::string WindowFindingText(const DefinitionFinding& finding) {
    if (finding.key < 0 || finding.key >= KeyCount || finding.message.empty())
        return finding.text;
    std::string place = "Key " + std::to_string(finding.key + 1);
    if (finding.level >= 0)
        place += ", Level " + std::to_string(finding.level + 1);
    return place + ": " + finding.message;
}

std::vector<std::string> CheckDefinition(const IniFile& ini) {
    std::vector<std::string> lines;
    for (DefinitionFinding& finding : FindDefinitionProblems(ini))
        lines.push_back(std::move(finding.text));
    return lines;
}

std::vector<DefinitionFinding> FindParameterProblems(const IniFile& ini) {
    Findings findings;
    TKeypadClass read;
    ReadParameters(ini, read);
    checkParameters(ini, read, findings);
    return std::move(findings).all();
}

std::vector<DefinitionFinding> FindCodeProblems(int key, int level, const std::string& codes,
                                                std::uint8_t prefix) {
    Findings findings;
    TKeypadClass scratch;
    checkCodeText(KeySectionName(key), key, level, codes, prefix, scratch, findings);
    return std::move(findings).all();
}

std::vector<DefinitionFinding> FindSlotKeyProblems(const TKeypadClass& keypad) {
    std::array<std::string, KeyCount> sectionOfKey;
    for (int key = 0; key < KeyCount; ++key)
        sectionOfKey[static_cast<std::size_t>(key)] = KeySectionName(key);
    Findings findings;
    checkSlotKeys(keypad, sectionOfKey, findings);
    return std::move(findings).all();
}

std::vector<DefinitionFinding> FindDefinitionProblems(const IniFile& ini) {
    Findings findings;
    TKeypadClass read;
    ReadParameters(ini, read);
    checkParameters(ini, read, findings);

    std::array<std::string, KeyCount> sectionOfKey;
    TKeypadClass scratch; // made once: a keypad is 48 macros of 256 values
    for (const KeySection& section : PlanKeySections(ini)) {
        switch (section.use) {
        case KeySection::Use::BadNumber:
            findings.add(section.name, {},
                         NotAValidIntegerMessage(section.numberText) + "; the file cannot be read");
            break;
        case KeySection::Use::RepeatedName:
            findings.add(section.name, {}, "repeats section [" + section.readInstead + "]; ignored");
            break;
        case KeySection::Use::RepeatedKey:
            findings.add(section.name, {},
                         "key " + std::to_string(section.number + 1) + " is already read from section [" +
                             section.readInstead + "]; ignored");
            break;
        case KeySection::Use::OutOfRange:
            findings.add(section.name, {},
                         "'" + section.numberText + "' is not a key number 0 to 23; ignored");
            break;
        case KeySection::Use::Read:
            sectionOfKey[static_cast<std::size_t>(section.number)] = section.name;
            ReadKeySection(ini, section, read);
            checkKeySection(ini, section, read.CmdPrefix(), scratch, findings);
            break;
        }
    }
    checkSlotKeys(read, sectionOfKey, findings);
    return std::move(findings).all();
}
