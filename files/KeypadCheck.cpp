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

// A byte as the window shows values: "64 (40h)".
std::string byteText(std::int32_t value) {
    return std::to_string(value) + " (" + hexValue(value, "%02X") + "h)";
}

DefinitionFinding macroFinding(int key, int level, const std::string& message) {
    return {codesKey(key, level) + message, key, level, message};
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
            findings.push_back(
                macroFinding(key, level,
                             "byte " + byteText(prefix) +
                                 " is the command prefix; the keypad reads it as the start of a "
                                 "command, together with the bytes after it"));
        }
        if (value > 0xFF && !wideReported) {
            wideReported = true;
            findings.push_back(macroFinding(
                key, level,
                "code value " + std::to_string(value) + " (" + hexValue(value, "%04X") +
                    "h) is larger than a byte; the keypad receives only " + byteText(value & 0xFF)));
        }
    }
}

void checkLevelKey(const TKeypadClass& keypad, int key, std::vector<DefinitionFinding>& findings) {
    const TKeyDataRec& record = keypad.keys[static_cast<std::size_t>(key)];
    if (record.KeyType == ktNormal)
        return;
    for (int level = 0; level < LevelCount; ++level)
        if (record.Macro[static_cast<std::size_t>(level)].Values[0] != CodeValue::Empty) {
            const std::string message = std::string("a ") + (record.KeyType == ktShift ? "shift" : "toggle") +
                                        " key plays no macro; its macro on level " +
                                        std::to_string(level + 1) + " is never typed";
            findings.push_back(
                {"[" + KeySectionName(key) + "] " + std::string(DefinitionNames::KeyType) + ": " + message,
                 key, level, message});
        }
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

const std::vector<DefinitionFinding>& KeypadFindings::Of(const TKeypadClass& keypad) {
    const bool anew = !fChecked || fChecked->parameters != keypad.Parameters() ||
                      fChecked->encoding != keypad.TextEncoding();
    if (anew) {
        IniFile ini;
        WriteDefinition(ini, keypad);
        fParameterFindings = FindParameterProblems(ini);
    }
    bool typesChanged = anew;
    bool changed = anew;
    for (int key = 0; key < KeyCount; ++key) {
        const auto k = static_cast<std::size_t>(key);
        const TKeyDataRec& record = keypad.keys[k];
        if (!anew && fChecked->keys[k] == record)
            continue;
        changed = true;
        typesChanged = typesChanged || fChecked->keys[k].KeyType != record.KeyType;
        fCodeFindings[k].clear();
        for (int level = 0; level < LevelCount; ++level)
            for (DefinitionFinding& finding :
                 FindCodeProblems(key, level, keypad.MakeCodes(record.Macro[static_cast<std::size_t>(level)]),
                                  keypad.CmdPrefix()))
                fCodeFindings[k].push_back(std::move(finding));
        fEditorFindings[k].clear();
        checkLevelKey(keypad, key, fEditorFindings[k]);
        for (int level = 0; level < LevelCount; ++level)
            checkMacro(keypad, key, level, fEditorFindings[k]);
    }
    if (typesChanged)
        fSlotKeyFindings = FindSlotKeyProblems(keypad);
    if (!changed)
        return fAll;

    fChecked = Checked{keypad.keys, keypad.Parameters(), keypad.TextEncoding()};
    fAll = fParameterFindings;
    for (const Findings& findings : fCodeFindings)
        fAll.insert(fAll.end(), findings.begin(), findings.end());
    fAll.insert(fAll.end(), fSlotKeyFindings.begin(), fSlotKeyFindings.end());
    for (const Findings& findings : fEditorFindings)
        fAll.insert(fAll.end(), findings.begin(), findings.end());
    return fAll;
}
