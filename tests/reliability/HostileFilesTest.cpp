// Files that are no definition, or a mangled one: each loads by the tolerant reading rules or is refused
// with a clear message, and a refusal leaves the definition the user had. What bounds time and memory is
// the size check before reading, the bound on the number of lines, and readers that take each line a
// fixed number of times.
#include "files/DefinitionFile.h"
#include "files/FileError.h"
#include "files/IniFile.h"
#include "tests/support/KeypadBuilders.h"
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Values = std::vector<std::int32_t>;

// A definition as reading may leave it: every macro a closed run of at most 100 values and 102 bytes,
// the parameters in the ranges reading keeps, key 0 and level 0 selected.
void ExpectSound(TKeypadClass keypad) {
    EXPECT_EQ(keypad.Key(), 0);
    EXPECT_EQ(keypad.Level(), 0);
    EXPECT_GE(keypad.KeyRollOver(), 1);
    EXPECT_LE(keypad.KeyRollOver(), 6);
    EXPECT_LE(keypad.CdcSerialNo(), 9999);
    for (std::uint8_t key = 0; key < KeyCount; ++key)
        for (std::uint8_t level = 0; level < LevelCount; ++level) {
            keypad.SetKey(key);
            keypad.SetLevel(level);
            const auto& values = keypad.keys[key].Macro[level].Values;
            const std::size_t count = keypad.NumOfElements();
            EXPECT_LE(count, 100u);
            EXPECT_LE(keypad.CodeCount(), 102);
            for (std::size_t i = count; i < values.size(); ++i)
                ASSERT_EQ(values[i], CodeValue::Empty) << "key " << int{key} << " level " << int{level};
        }
}

class HostileFile : public TempFolderTest {
protected:
    fs::path file() const { return folder / "hostile.ckd"; }

    // Reads the file over the user's definition: either it loads soundly, or it is refused with
    // FileError and the user's definition stays. Returns the message of a refusal, else nothing.
    std::string read(TKeypadClass& keypad) const {
        keypad = FullDefinition();
        try {
            EXPECT_EQ(ReadDefinitionFile(keypad, file()), DefinitionReadResult::Loaded);
        } catch (const FileError& error) {
            ExpectSameDefinition(keypad, FullDefinition());
            EXPECT_EQ(keypad.Key(), 7);
            EXPECT_EQ(keypad.Level(), 1);
            return error.what();
        }
        ExpectSound(keypad);
        return {};
    }

    TKeypadClass load(const std::string& bytes) const {
        WriteBytes(file(), bytes);
        TKeypadClass keypad;
        const std::string refusal = read(keypad);
        EXPECT_EQ(refusal, "");
        return keypad;
    }
};

TEST_F(HostileFile, BinaryGarbageLoadsTolerantlyOrIsRefused) {
    std::mt19937 random(8);
    for (const std::size_t size : {1u, 16u, 1000u, 65536u, 1u << 20}) {
        for (int round = 0; round < 4; ++round) {
            std::string bytes(size, '\0');
            // Sometimes with the characters that make lines, headers and values more frequent.
            const bool structured = round % 2 == 1;
            for (char& byte : bytes) {
                const auto value = random();
                byte = structured && value % 4 == 0 ? "[]=\n\r;K"[value / 4 % 7] : static_cast<char>(value);
            }
            WriteBytes(file(), bytes);
            TKeypadClass keypad;
            const std::string refusal = read(keypad);
            EXPECT_TRUE(refusal.empty() || refusal.ends_with("is not a valid integer value") ||
                        refusal.ends_with("is not a keypad definition: it has no [GLOBAL_PARAMETERS] or "
                                          "[KEY\xE2\x80\xA6] section"))
                << refusal;
        }
    }
}

TEST_F(HostileFile, NulBytesAreTextLikeAnyOther) {
    using namespace std::string_literals;
    const TKeypadClass keypad =
        load("[KEY1]\0junk\r\nLEVEL_1_CODES=41\0 42\r\nLevel_1_Name=a\0b\r\nKey\0Type=1\r\n"s);
    EXPECT_EQ(MacroValues(keypad, 1, 0), Values{0x41}); // code text stops at the first NUL
    EXPECT_EQ(keypad.keys[1].Macro[0].Name, "a\0b"s);
    EXPECT_EQ(keypad.keys[1].KeyType, ktNormal);

    // A file of nothing but NUL bytes holds no section: it is no definition.
    WriteBytes(file(), std::string(1 << 20, '\0'));
    TKeypadClass zeros;
    EXPECT_TRUE(read(zeros).ends_with("is not a keypad definition: it has no [GLOBAL_PARAMETERS] or "
                                      "[KEY\xE2\x80\xA6] section"));
}

TEST_F(HostileFile, AMegabyteLineIsCutToWhatAValueHolds) {
    const std::string megabyte(1 << 20, 'x');
    const TKeypadClass keypad =
        load("[KEY2]\r\nLevel_1_Name=" + megabyte + "\r\nLEVEL_1_CODES=" + std::string(1 << 20, '4') +
             "\r\n" + megabyte + "\r\nKeyType=2");
    EXPECT_EQ(keypad.keys[2].Macro[0].Name, std::string(IniFile::MaxValueCharacters, 'x'));
    EXPECT_EQ(MacroValues(keypad, 2, 0), Values(100, 0x44));
    EXPECT_EQ(keypad.keys[2].KeyType, ktToggle);

    ExpectSameDefinition(load("[KEY0]\r\n" + megabyte), load("[KEY0]"));
}

TEST_F(HostileFile, AHundredThousandSectionsAreEachTakenOnce) {
    // Keys 0 to 49999 twice, the second time with other codes. The sections of the keypad's keys have
    // every key the writer writes, so that saving over the file changes their values in place.
    std::string text;
    for (int n = 0; n < 100000; ++n) {
        text += "[KEY" + std::to_string(n % 50000) + "]\r\nLEVEL_1_CODES=" + std::to_string(41 + n / 50000) +
                "\r\n";
        if (n < KeyCount)
            text += "KeyType=0\r\nL1_AutoRepeat=0\r\nLevel_1_Name=\r\nL2_AutoRepeat=0\r\nLevel_2_Codes=\r\n"
                    "Level_2_Name=\r\n";
    }
    const TKeypadClass keypad = load(text);
    for (int key = 0; key < KeyCount; ++key)
        EXPECT_EQ(MacroValues(keypad, key, 0), Values{0x41}) << "key " << key;

    // Saving over it keeps every section it does not own, and reads back the same.
    TKeypadClass saved = keypad;
    ToggleShiftSlots slots;
    WriteDefinitionFile(saved, file(), slots);
    EXPECT_EQ(IniFile::Load(file()).SectionNames().size(), 100001u); // and the global section
    ExpectSameDefinition(load(ReadBytes(file())), keypad);
}

TEST_F(HostileFile, AFileOfHundredsOfMegabytesIsRefusedUnread) {
    WriteBytes(file(), "[KEY0]\r\nLEVEL_1_CODES=41\r\n");
    // Sparse: large to the reader, light on the disk.
    const std::uintmax_t size = std::uintmax_t{300} << 20;
    fs::resize_file(file(), size);
    TKeypadClass keypad;
    EXPECT_EQ(read(keypad), PathText(file()) + " is not a definition file (314572800 bytes).");

    // Saving over it would have to read it first: refused, and the file stays.
    ToggleShiftSlots slots;
    try {
        WriteDefinitionFile(keypad, file(), slots);
        ADD_FAILURE() << "saved over a file of " << size << " bytes";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + PathText(file()));
    }
    EXPECT_EQ(fs::file_size(file()), size);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"hostile.ckd"});
}

TEST_F(HostileFile, MillionsOfLinesAreRefused) {
    // Each line read costs memory and time of its own; no definition has more than a few hundred.
    const struct {
        const char* what;
        std::string line;
    } cases[] = {{"empty lines", "\n"}, {"empty keys", "=\r\n"}, {"sections", "[KEY1]\r"}};
    for (const auto& c : cases) {
        std::string text;
        for (int i = 0; i < 2000000; ++i)
            text += c.line;
        WriteBytes(file(), text);
        TKeypadClass keypad;
        EXPECT_EQ(read(keypad),
                  "Unable to read " + PathText(file()) + ": Too many lines (2000000, the limit is 1048576)")
            << c.what;
    }
}

TEST_F(HostileFile, TheSizeLimitLiesAt16MiB) {
    WriteBytes(file(), "[KEY0]\r\nLEVEL_1_CODES=41\r\n");
    fs::resize_file(file(), MaxDefinitionFileBytes + 1);
    TKeypadClass keypad;
    EXPECT_EQ(read(keypad), PathText(file()) + " is not a definition file (16777217 bytes).");

    fs::resize_file(file(), MaxDefinitionFileBytes);
    EXPECT_EQ(read(keypad), "");
    EXPECT_EQ(MacroValues(keypad, 0, 0), Values{0x41});
}

} // namespace
