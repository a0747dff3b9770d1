// Reads code strings and writes macros as code strings. The first input byte is the command prefix and
// the second chooses the mode: read the rest as code text, or build a macro from it value by value.
// Either way the macro must stay sound, and its code string must read back as the same macro, except
// from a data value equal to the prefix that is not the last value: that one reads as a command.
#include "files/CodeString.h"
#include "files/DefinitionFile.h"
#include "fuzz/DefinitionChecks.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool isLowerHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// A macro of code values that have a two-digit form, built from pairs of bytes (a kind and a value)
// as the editor builds one.
void buildMacro(TKeypadClass& keypad, std::string_view script) {
    std::int32_t position = 0;
    for (std::size_t i = 0; i + 1 < script.size(); i += 2) {
        const std::int32_t n = static_cast<std::uint8_t>(script[i + 1]);
        std::int32_t value = n;
        switch (static_cast<std::uint8_t>(script[i]) % 6) {
        case 0: value = CodeValue::DelayBit + n; break;
        case 1: value = CodeValue::BeepBit + n; break;
        case 2: value = CodeValue::AtAt; break;
        case 3: value = CodeValue::CommandBit + (n | 0x08); break;
        case 4: value = keypad.CmdPrefix(); break;
        default: break;
        }
        // The editor inserts commands through InsertKey, which keeps a macro within its capacity; only
        // reading takes a macro over it, and then with its last value.
        if (keypad.CodeCount() + CodeValue::byteWeight(value) > MacroCapacityBytes ||
            !keypad.InsertByte(position, value))
            break;
        // Positions other than the end keep the order of the script interesting.
        position = std::min<std::int32_t>(position, n % 128);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::uint8_t prefix = data[0];
    const bool build = (data[1] & 1) != 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);

    TKeypadClass keypad;
    keypad.SetCmdPrefix(prefix);
    keypad.SetKey(data[1] % KeyCount);
    keypad.SetLevel((data[1] >> 5) & 1);
    const TMacroData& macro = keypad.SelectedMacro();
    if (build) {
        buildMacro(keypad, rest);
    } else {
        LoadCodeString(keypad, rest);
        // The macro is the code values read, up to the first that did not fit.
        std::vector<std::int32_t> read;
        for (const CodeStringReading::Code& code : ReadCodeString(rest, prefix).codes)
            read.push_back(code.value);
        const std::vector<std::int32_t> codes = MacroCodes(macro);
        FUZZ_CHECK(codes.size() <= read.size() && std::equal(codes.begin(), codes.end(), read.begin()));
    }
    CheckMacro(macro);
    FUZZ_CHECK(keypad.CodeCount() <= 102);

    const std::string text = keypad.MakeCodes();
    FUZZ_CHECK(text.size() == 2 * static_cast<std::size_t>(keypad.CodeCount()));
    FUZZ_CHECK(std::all_of(text.begin(), text.end(), isLowerHex));

    TKeypadClass back;
    back.SetCmdPrefix(prefix);
    LoadCodeString(back, text);
    const std::vector<std::int32_t> written = MacroCodes(macro);
    const std::vector<std::int32_t> read = MacroCodes(back.keys[0].Macro[0]);
    std::size_t same = written.size();
    for (std::size_t i = 0; i + 1 < written.size(); ++i)
        if (written[i] == prefix) {
            same = i;
            break;
        }
    FUZZ_CHECK(read.size() >= same && std::equal(written.begin(), written.begin() + same, read.begin()));
    // Reading never leaves a data value equal to the prefix before the end.
    FUZZ_CHECK(build || same == written.size());
    if (same == written.size())
        FUZZ_CHECK(read == written);
    return 0;
}
