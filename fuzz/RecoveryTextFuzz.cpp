// Reads arbitrary bytes as a recovery copy. A text that is no recovery copy must leave the definition
// the user had; one that is must give a sound definition that, written as a recovery copy again, reads
// back the same with the same document and time, and whose writing a second time changes no byte.
#include "files/FileError.h"
#include "files/IniFile.h"
#include "files/RecoveryFile.h"
#include "fuzz/DefinitionChecks.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// The definition the user had before the copy was read: not the one a reading starts from.
TKeypadClass userDefinition() {
    TKeypadClass keypad;
    keypad.SetCmdPrefix(27);
    keypad.SetKey(7);
    keypad.SetLevel(1);
    std::int32_t position = 0;
    keypad.InsertByte(position, 'a');
    keypad.SetMacroName("mine");
    return keypad;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const IniFile ini = IniFile::FromText(std::string_view(reinterpret_cast<const char*>(data), size));
    TKeypadClass keypad = userDefinition();
    RecoveryInfo info;
    try {
        info = ReadRecovery(keypad, ini);
    } catch (const FileError&) {
        const TKeypadClass before = userDefinition();
        FUZZ_CHECK(SameDefinition(keypad, before));
        FUZZ_CHECK(keypad.Key() == before.Key() && keypad.Level() == before.Level());
        return 0;
    }
    FUZZ_CHECK(keypad.Key() == 0 && keypad.Level() == 0);
    for (const auto& key : keypad.keys)
        for (const TMacroData& macro : key.Macro)
            CheckMacro(macro);

    const std::string text = RecoveryText(keypad, info);
    TKeypadClass back = userDefinition();
    const RecoveryInfo backInfo = ReadRecovery(back, IniFile::FromText(text));
    FUZZ_CHECK(SameDefinition(back, keypad));
    // A document the file cannot hold is recorded as none; any other comes back as it was.
    FUZZ_CHECK(backInfo == info || (backInfo.document.empty() && backInfo.time == info.time));
    FUZZ_CHECK(RecoveryText(back, backInfo) == text);
    return 0;
}
