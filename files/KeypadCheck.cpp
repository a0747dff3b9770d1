#include "files/KeypadCheck.h"

#include "files/DefinitionFile.h"
#include "files/DefinitionFormat.h"

#include <cstdio>

namespace {

std::string hexValue(std::int32_t value, const char* format) {
    char text[16];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(value));
    return text;
}

std::string codesKey(int key, int level) {
    return "[" + KeySectionName(key) + "] " +
           std::string(DefinitionNames::Levels[static_cast<std::size_t>(level)].codesWritten) + ": ";
}

void checkMacro(const TKeypadClass& keypad, int key, int level, std::vector<DefinitionFinding>& findings) {
    const TMacroData& macro =
        keypad.keys[static_cast<std::size_t>(key)].Macro[static_cast<std::size_t>(level)];
    const std::uint8_t prefix = keypad.CmdPrefix();
    bool prefixReported = false;
    bool wideReported = false;
    for (const std::int32_t value : macro.Values) {
        if (value == CodeValue::Empty)
            break;
        if (CodeValue::isCommand(value))
            continue;
        if ((value & 0xFF) == prefix && !prefixReported) {
            prefixReported = true;
            findings.push_back({codesKey(key, level) + "data value " + hexValue(prefix, "%02X") +
                                    " is the command prefix; the keypad reads it as the start of a "
                                    "command, together with the bytes after it",
                                key, level});
        }
        if (value > 0xFF && !wideReported) {
            wideReported = true;
            findings.push_back({codesKey(key, level) + "code value " + hexValue(value, "%04X") +
                                    " is larger than a byte; the keypad receives only " +
                                    hexValue(value & 0xFF, "%02X"),
                                key, level});
        }
    }
}

void checkLevelKey(const TKeypadClass& keypad, int key, std::vector<DefinitionFinding>& findings) {
    const TKeyDataRec& record = keypad.keys[static_cast<std::size_t>(key)];
    if (record.KeyType == ktNormal)
        return;
    for (int level = 0; level < LevelCount; ++level)
        if (record.Macro[static_cast<std::size_t>(level)].Values[0] != CodeValue::Empty)
            findings.push_back({"[" + KeySectionName(key) + "] " + std::string(DefinitionNames::KeyType) +
                                    ": a " + (record.KeyType == ktShift ? "shift" : "toggle") +
                                    " key plays no macro; its macro on level " + std::to_string(level + 1) +
                                    " is never typed",
                                key, level});
}

} // namespace

std::vector<DefinitionFinding> CheckKeypad(const TKeypadClass& keypad) {
    IniFile ini;
    WriteDefinition(ini, keypad);
    std::vector<DefinitionFinding> findings = FindDefinitionProblems(ini);
    for (int key = 0; key < KeyCount; ++key) {
        checkLevelKey(keypad, key, findings);
        for (int level = 0; level < LevelCount; ++level)
            checkMacro(keypad, key, level, findings);
    }
    return findings;
}
