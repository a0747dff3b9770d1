// Reads arbitrary bytes as a definition file. A text that cannot be read must leave the definition the
// user had; one that can must give a sound definition that, written back into the same text, reads
// back the same, and whose writing a second time changes no byte.
#include "files/DefinitionCheck.h"
#include "files/DefinitionFile.h"
#include "files/FileError.h"
#include "files/IniFile.h"
#include "fuzz/DefinitionChecks.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The definition the user had before opening the file: not the one a reading starts from.
TKeypadClass userDefinition() {
    TKeypadClass keypad;
    keypad.SetCmdPrefix(27);
    keypad.SetDownloadDelay(-3);
    keypad.SetKey(7);
    keypad.SetKeytype(ktToggle);
    keypad.SetLevel(1);
    std::int32_t position = 0;
    for (const std::int32_t value : {std::int32_t{'a'}, 0x1032, 0x4009, 27})
        keypad.InsertByte(position, value);
    keypad.SetMacroName("mine");
    keypad.SetCanAutoRepeat(true);
    return keypad;
}

void checkReadDefinition(TKeypadClass& keypad) {
    FUZZ_CHECK(keypad.Key() == 0 && keypad.Level() == 0);
    FUZZ_CHECK(keypad.KeyRollOver() >= 1 && keypad.KeyRollOver() <= 6);
    FUZZ_CHECK(keypad.CdcSerialNo() <= 9999);
    for (std::uint8_t key = 0; key < KeyCount; ++key)
        for (std::uint8_t level = 0; level < LevelCount; ++level) {
            const TMacroData& macro = keypad.keys[key].Macro[level];
            CheckMacro(macro);
            keypad.SetKey(key);
            keypad.SetLevel(level);
            FUZZ_CHECK(keypad.CodeCount() <= 102);
            // A data value equal to the prefix is read only where the code text ends.
            const std::vector<std::int32_t> codes = MacroCodes(macro);
            for (std::size_t i = 0; i + 1 < codes.size(); ++i)
                FUZZ_CHECK(codes[i] != keypad.CmdPrefix());
        }
    keypad.SetKey(0);
    keypad.SetLevel(0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const IniFile ini = IniFile::FromText(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<std::string> findings = CheckDefinition(ini);

    TKeypadClass keypad = userDefinition();
    try {
        ReadDefinition(keypad, ini);
    } catch (const FileError& error) {
        // The message reaches the user whole, whatever the section name holds.
        FUZZ_CHECK(std::string_view(error.what()).ends_with("' is not a valid integer value"));
        const TKeypadClass before = userDefinition();
        FUZZ_CHECK(SameDefinition(keypad, before));
        FUZZ_CHECK(keypad.Key() == before.Key() && keypad.Level() == before.Level());
        bool reported = false;
        for (const std::string& finding : findings)
            reported = reported || finding.ends_with("; the file cannot be read");
        FUZZ_CHECK(reported);
        return 0;
    }
    checkReadDefinition(keypad);

    IniFile written = ini;
    WriteDefinition(written, keypad);
    FUZZ_CHECK(keypad.Key() == 0 && keypad.Level() == 0);
    const std::string text = written.Text();

    TKeypadClass back = userDefinition();
    ReadDefinition(back, IniFile::FromText(text));
    FUZZ_CHECK(SameDefinition(back, keypad));

    IniFile again = IniFile::FromText(text);
    WriteDefinition(again, back);
    FUZZ_CHECK(again.Text() == text);
    return 0;
}
