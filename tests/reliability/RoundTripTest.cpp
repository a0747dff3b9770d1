// Random definitions written and read back give the same definition, and writing what was read changes
// no byte. The one value the file cannot carry, a data value equal to the command prefix before the
// end of its macro, is left out of the random ones and checked on its own.
#include "files/DefinitionFile.h"
#include "tests/support/KeypadBuilders.h"
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using Values = std::vector<std::int32_t>;

class RandomDefinitions final {
public:
    explicit RandomDefinitions(std::uint32_t seed)
        : random_(seed) {}

    TKeypadClass next() {
        TKeypadClass keypad;
        keypad.SetDownloadDelay(static_cast<std::int32_t>(random_()));
        keypad.SetKeyRollOver(static_cast<std::uint8_t>(between(1, 6)));
        keypad.SetCharacterPacing(byte());
        keypad.SetLEDBehavior(static_cast<TLEDBehavior>(chance(4) ? byte() : between(0, 3)));
        keypad.SetBaudRate(byte());
        keypad.SetWordFormat(byte());
        keypad.SetCmdPrefix(chance(2) ? std::uint8_t{64} : byte());
        keypad.SetOpMode(byte());
        keypad.SetCdcSerialNo(chance(4) ? between(std::numeric_limits<std::int32_t>::min(), -1)
                                        : between(0, 9999));
        for (std::uint8_t key = 0; key < KeyCount; ++key) {
            keypad.SetKey(key);
            keypad.SetKeytype(static_cast<TKeyType>(chance(8) ? byte() : between(0, 2)));
            for (std::uint8_t level = 0; level < LevelCount; ++level) {
                keypad.SetLevel(level);
                fillMacro(keypad);
                keypad.SetMacroName(name());
                keypad.SetCanAutoRepeat(chance(2));
            }
        }
        keypad.SetKey(static_cast<std::uint8_t>(between(0, KeyCount - 1)));
        keypad.SetLevel(static_cast<std::uint8_t>(between(0, 1)));
        return keypad;
    }

private:
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::uint8_t byte() { return static_cast<std::uint8_t>(between(0, 255)); }
    bool chance(int oneIn) { return between(1, oneIn) == 1; }

    // Every kind of code value the file carries, in random order, up to a random length or until the
    // macro is full (one in four is filled to its capacity).
    void fillMacro(TKeypadClass& keypad) {
        const int length = chance(4) ? 200 : between(0, 12);
        std::int32_t position = 0;
        for (int i = 0; i < length; ++i) {
            const int n = byte();
            std::int32_t value = n;
            switch (between(0, 7)) {
            case 0: value = CodeValue::DelayBit + n; break;
            case 1: value = CodeValue::BeepBit + n; break;
            case 2: value = CodeValue::AtAt; break;
            case 3: value = CodeValue::CommandBit + (n | 0x08); break;
            default: break;
            }
            if (!keypad.InsertByte(position, value))
                break;
        }
        // A data value equal to the prefix may stand only at the end.
        auto& values = keypad.keys[keypad.Key()].Macro[keypad.Level()].Values;
        for (int i = 0; i + 1 < keypad.NumOfElements(); ++i)
            if (values[static_cast<std::size_t>(i)] == keypad.CmdPrefix())
                values[static_cast<std::size_t>(i)] = (keypad.CmdPrefix() + 1) & 0xFF;
    }

    // Names up to the longest a value holds, with blanks, quotes, INI punctuation and characters
    // outside ASCII anywhere.
    std::string name() {
        static const std::vector<std::string> pieces = {"a",
                                                        "Z",
                                                        "7",
                                                        " ",
                                                        "\t",
                                                        "\"",
                                                        "'",
                                                        "=",
                                                        ";",
                                                        "[",
                                                        "]",
                                                        "$",
                                                        "\xC3\xA9",
                                                        "\xE2\x82\xAC",
                                                        "\xF0\x9F\x8E\xB9"};
        const int length = chance(20) ? static_cast<int>(IniFile::MaxValueCharacters) : between(0, 24);
        std::string text;
        for (int i = 0; i < length; ++i)
            text += pieces[static_cast<std::size_t>(between(0, static_cast<int>(pieces.size()) - 1))];
        return text;
    }

    std::mt19937 random_;
};

using RoundTrip = TempFolderTest;

TEST_F(RoundTrip, RandomDefinitionsReadBackTheSame) {
    const auto path = folder / "random.ckd";
    RandomDefinitions definitions(20240601);
    for (int round = 0; round < 300 && !HasFailure(); ++round) {
        SCOPED_TRACE("definition " + std::to_string(round));
        std::filesystem::remove(path);
        TKeypadClass keypad = definitions.next();
        const std::uint8_t key = keypad.Key();
        const std::uint8_t level = keypad.Level();
        ToggleShiftSlots slots;
        WriteDefinitionFile(keypad, path, slots);
        EXPECT_EQ(keypad.Key(), key);
        EXPECT_EQ(keypad.Level(), level);

        TKeypadClass back;
        ASSERT_EQ(ReadDefinitionFile(back, path), DefinitionReadResult::Loaded);
        ExpectSameDefinition(back, keypad);

        const std::string written = ReadBytes(path);
        WriteDefinitionFile(back, path, slots);
        EXPECT_EQ(ReadBytes(path), written);
    }
}

TEST_F(RoundTrip, SavingOverAnotherDefinitionReadsBackTheNewOne) {
    const auto path = folder / "random.ckd";
    RandomDefinitions definitions(7);
    ToggleShiftSlots slots;
    for (int round = 0; round < 100 && !HasFailure(); ++round) {
        SCOPED_TRACE("definition " + std::to_string(round));
        TKeypadClass keypad = definitions.next();
        WriteDefinitionFile(keypad, path, slots);
        TKeypadClass back;
        ASSERT_EQ(ReadDefinitionFile(back, path), DefinitionReadResult::Loaded);
        ExpectSameDefinition(back, keypad);
    }
}

TEST_F(RoundTrip, ADataValueEqualToThePrefixBeforeTheEndReadsAsACommand) {
    // The prefix is written bare, so the reader takes it with the groups after it as a command.
    const struct {
        Values written;
        Values read;
    } cases[] = {
        {{0x40, 0x01, 0x32, 'A'}, {0x1032, 'A'}}, // 40 01 32 41: a delay
        {{0x40, 0x09}, {0x4009}},                 // 40 09: LED on
        {{0x40, 0x40}, {0x4040}},                 // 40 40: the "@@" code
        {{'A', 0x40, 0x41, 'B'}, {'A', 'B'}},     // 40 41: no command, dropped
        {{0x40, 0x01}, {}},                       // 40 01: a delay cut short, dropped
        {{'A', 0x40}, {'A', 0x40}},               // at the end the prefix reads as itself
    };
    const auto path = folder / "prefix.ckd";
    for (const auto& c : cases) {
        TKeypadClass keypad;
        keypad.SetKey(5);
        std::int32_t position = 0;
        for (const std::int32_t value : c.written)
            keypad.InsertByte(position, value);
        ToggleShiftSlots slots;
        WriteDefinitionFile(keypad, path, slots);
        TKeypadClass back;
        ASSERT_EQ(ReadDefinitionFile(back, path), DefinitionReadResult::Loaded);
        EXPECT_EQ(MacroValues(back, 5, 0), c.read) << keypad.MakeCodes();
    }
}

} // namespace
