#include "files/DefinitionFile.h"

#include "files/CodeString.h"
#include "files/FileError.h"
#include "tests/support/KeypadBuilders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Values = std::vector<std::int32_t>;

class DefinitionFile : public TempFolderTest {
protected:
    std::filesystem::path file(const char* name = "pad.ckd") const { return folder / name; }

    TKeypadClass read(const std::string& text) {
        WriteBytes(file(), text);
        TKeypadClass keypad;
        EXPECT_EQ(ReadDefinitionFile(keypad, file()), DefinitionReadResult::Loaded);
        return keypad;
    }

    // The message of the FileError that reading text throws, and whether keypad stayed as it was.
    std::string readFailure(const std::string& text) {
        WriteBytes(file(), text);
        TKeypadClass keypad = FullDefinition();
        keypad.bViewInHex = true;
        const TKeypadClass before = keypad;
        try {
            ReadDefinitionFile(keypad, file());
        } catch (const FileError& error) {
            ExpectSameDefinition(keypad, before);
            EXPECT_EQ(keypad.Key(), before.Key());
            EXPECT_EQ(keypad.Level(), before.Level());
            return error.what();
        }
        ADD_FAILURE() << "no error reading\n" << text;
        return {};
    }
};

void ExpectReadDefaults(const TKeypadClass& keypad) {
    EXPECT_EQ(keypad.DownloadDelay(), 0);
    EXPECT_EQ(keypad.KeyRollOver(), 2);
    EXPECT_EQ(keypad.CharacterPacing(), 2);
    EXPECT_EQ(keypad.LEDBehavior(), ledLevel);
    EXPECT_EQ(keypad.BaudRate(), 3);
    EXPECT_EQ(keypad.WordFormat(), 8);
    EXPECT_EQ(keypad.CmdPrefix(), 64);
    EXPECT_EQ(keypad.OpMode(), 0);
    EXPECT_EQ(keypad.CdcSerialNo(), 1);
}

TEST_F(DefinitionFile, ReadsASingleKeySectionWithTheReadDefaults) {
    TKeypadClass keypad = FullDefinition();
    keypad.bViewInHex = true;
    WriteBytes(file(), "[KEY3]\r\nLEVEL_1_CODES=1e\r\n");
    ASSERT_EQ(ReadDefinitionFile(keypad, file()), DefinitionReadResult::Loaded);
    TKeypadClass expected;
    SetMacro(expected, 3, 0, {0x1E});
    expected.SetDownloadDelay(0);
    expected.SetLEDBehavior(ledLevel);
    ExpectSameDefinition(keypad, expected);
    EXPECT_EQ(keypad.Key(), 0);
    EXPECT_EQ(keypad.Level(), 0);
    EXPECT_TRUE(keypad.bViewInHex);

    ExpectReadDefaults(read(""));
    ExpectReadDefaults(read("; nothing but a comment\r\n"));
}

TEST_F(DefinitionFile, AMissingFileChangesNothing) {
    // A path below a file names nothing either, as one below a missing folder does.
    WriteBytes(file("plain.ckd"), "[KEY0]\r\nLEVEL_1_CODES=41\r\n");
    for (const auto& path :
         {file("absent.ckd"), file("plain.ckd") / "inner.ckd", folder / "gone" / "a.ckd"}) {
        TKeypadClass keypad = FullDefinition();
        EXPECT_EQ(ReadDefinitionFile(keypad, path), DefinitionReadResult::NoFile) << path;
        ExpectSameDefinition(keypad, FullDefinition());
    }
}

TEST_F(DefinitionFile, KeepsParametersInRange) {
    const struct {
        const char* line;
        int rollOver, pacing, prefix, serial;
    } cases[] = {
        {"Key_Roll_Over=0", 1, 2, 64, 1},        {"Key_Roll_Over=7", 2, 2, 64, 1},
        {"Key_Roll_Over=6", 6, 2, 64, 1},        {"Key_Roll_Over=-1", 2, 2, 64, 1},
        {"Key_Roll_Over=256", 1, 2, 64, 1},      {"Key_Roll_Over=x", 2, 2, 64, 1},
        {"CDC_Serial_No=10000", 2, 2, 64, 9999}, {"CDC_Serial_No=-5", 2, 2, 64, -5},
        {"Character_Pacing=300", 2, 44, 64, 1},  {"Command_Prefix=0x1b", 2, 2, 27, 1},
        {"Command_Prefix=$1B", 2, 2, 27, 1},     {"Command_Prefix=", 2, 2, 64, 1},
    };
    for (const auto& c : cases) {
        const TKeypadClass keypad = read(std::string("[GLOBAL_PARAMETERS]\r\n") + c.line + "\r\n");
        EXPECT_EQ(keypad.KeyRollOver(), c.rollOver) << c.line;
        EXPECT_EQ(keypad.CharacterPacing(), c.pacing) << c.line;
        EXPECT_EQ(keypad.CmdPrefix(), c.prefix) << c.line;
        EXPECT_EQ(keypad.CdcSerialNo(), c.serial) << c.line;
    }
}

TEST(CodeStringReading, ReadsEachKindOfCodeAndStopsAtMalformedText) {
    const struct {
        const char* codes;
        int prefix;
        Values expected;
    } cases[] = {
        {"1e40013240094040", 64, {0x1E, 0x1032, 0x4009, 0x4040}},
        {"40 01 32", 64, {0x1032}},
        {" 1e 4 0 0 9 ", 64, {0x1E, 0x4009}},
        {"400205", 64, {0x2005}},
        {"1e40", 64, {0x1E, 0x40}},
        {"4005", 64, {}},
        {"40051e", 64, {0x1E}},
        {"4018", 64, {0x4018}},
        {"4040", 64, {0x4040}},
        {"1b0132", 27, {0x1032}},
        {"40", 27, {0x40}},
        {"1E4009FF", 64, {0x1E, 0x4009, 0xFF}},
        {"1e4", 64, {0x1E}},
        {"1ezz1f", 64, {0x1E}},
        {"1e\t1f", 64, {0x1E}},
        {"1e4001", 64, {0x1E}},
        {"1e400132400", 64, {0x1E, 0x1032}},
        {"1e40zz", 64, {0x1E}},
        {"", 64, {}},
    };
    for (const auto& c : cases) {
        TKeypadClass keypad;
        keypad.SetCmdPrefix(static_cast<std::uint8_t>(c.prefix));
        keypad.SetKey(5);
        keypad.SetLevel(1);
        LoadCodeString(keypad, c.codes);
        EXPECT_EQ(MacroValues(keypad, 5, 1), c.expected) << c.codes;
    }
}

TEST(CodeStringReading, FillsTheMacroToCapacityAndDropsTheRest) {
    const auto repeated = [](const char* pair, int count) {
        std::string codes;
        for (int i = 0; i < count; ++i)
            codes += pair;
        return codes;
    };
    const struct {
        std::string codes;
        std::size_t values;
        int bytes;
    } cases[] = {
        {repeated("41", 101), 100, 100},
        {repeated("41", 99) + "400132" + "41", 100, 102}, // a command fits when one byte is left
        {repeated("41", 100) + "4009", 100, 100},
        {repeated(" 4 1", 300), 100, 100}, // far more values than fit, with blanks between digits
    };
    for (const auto& c : cases) {
        TKeypadClass keypad;
        LoadCodeString(keypad, c.codes);
        EXPECT_EQ(keypad.NumOfElements(), c.values) << c.codes;
        EXPECT_EQ(keypad.CodeCount(), c.bytes) << c.codes;
    }
}

TEST_F(DefinitionFile, ReadsSectionsInAnyOrderAndCase) {
    const TKeypadClass keypad = read("[key5]\r\nkeytype=2\r\nlevel_2_codes=41\r\nlevel_2_name=five\r\n"
                                     "l2_autorepeat=1\r\n[Global_Parameters]\r\ncommand_prefix=27\r\n"
                                     "[KEY0]\r\nLevel_1_Codes=1b0132\r\n");
    EXPECT_EQ(keypad.keys[5].KeyType, ktToggle);
    EXPECT_EQ(MacroValues(keypad, 5, 1), Values{0x41});
    EXPECT_EQ(keypad.keys[5].Macro[1].Name, "five");
    EXPECT_TRUE(keypad.keys[5].Macro[1].AutoRepeat);
    EXPECT_EQ(MacroValues(keypad, 0, 0), Values{0x1032});
}

TEST_F(DefinitionFile, RefusesAKeySectionWithoutANumberAndKeepsTheDefinition) {
    const std::string start = "Cannot read pad.ckd: ";
    EXPECT_EQ(readFailure("[KEY1]\r\nLEVEL_1_CODES=41\r\n[KEY4x]\r\n"),
              start + "[KEY4x]: '4x' is not a valid integer value");
    EXPECT_EQ(readFailure("[GLOBAL_PARAMETERS]\r\n[AB]\r\n"),
              start + "[AB]: '' is not a valid integer value");
    EXPECT_EQ(readFailure("[KEY 5]\r\n"), start + "[KEY 5]: ' 5' is not a valid integer value");
    // A message box shows the name printable and short, whatever the file holds.
    EXPECT_EQ(
        readFailure(std::string("[KEY1\0\x1B[2J]\r\n", 13)),
        start +
            "[KEY1\xEF\xBF\xBD\xEF\xBF\xBD[2J]: '1\xEF\xBF\xBD\xEF\xBF\xBD[2J' is not a valid integer value");
    EXPECT_EQ(readFailure("[KEY" + std::string(100000, 'x') + "]\r\n"),
              start + "[KEY" + std::string(61, 'x') + "\xE2\x80\xA6]: '" + std::string(64, 'x') +
                  "\xE2\x80\xA6' is not a valid integer value");
}

// A file with neither the global section nor a KEY section is no definition: a text, a program or
// a document named .ckd by mistake is refused, so that no later save writes over it.
TEST_F(DefinitionFile, RefusesAFileThatIsNoDefinitionAndKeepsTheDefinition) {
    const std::string refusal =
        "pad.ckd is not a keypad definition: it has no [GLOBAL_PARAMETERS] or [KEY\xE2\x80\xA6] section";
    for (const std::string& text : {std::string("# Notes\n\nSome text.\n"), std::string("a=1\r\n"),
                                    std::string("[Settings]\r\nKEY3=1\r\n"),
                                    std::string("\x7F"
                                                "ELF\x02\x01",
                                                6),
                                    std::string(1000, '\0')})
        EXPECT_EQ(readFailure(text), refusal) << text;
    // Blank and comment-only files hold no sections either, but nothing a save could lose.
    for (const char* text : {"", "\r\n  ; a comment\r\n", "[global_parameters]\r\n", "[key7]\r\n"}) {
        WriteBytes(file(), text);
        TKeypadClass keypad;
        EXPECT_NO_THROW(ReadDefinitionFile(keypad, file())) << text;
    }
}

TEST_F(DefinitionFile, ReadsEachKeyOnceAndIgnoresKeysOutsideTheKeypad) {
    const TKeypadClass keypad = read("[KEY3]\r\nLEVEL_1_CODES=41\r\n"
                                     "[key3]\r\nLEVEL_1_CODES=42\r\n"
                                     "[KEY03]\r\nLEVEL_1_CODES=43\r\n"
                                     "[KEY24]\r\nLEVEL_1_CODES=44\r\nKeyType=1\r\n"
                                     "[KEY-1]\r\nLEVEL_1_CODES=45\r\n"
                                     "[KEY99999999999]\r\nLEVEL_1_CODES=46\r\n"
                                     "[GLOBAL_PARAMETERS]\r\n[global_parameters]\r\n");
    TKeypadClass expected;
    SetMacro(expected, 3, 0, {0x41});
    expected.SetDownloadDelay(0);
    expected.SetLEDBehavior(ledLevel);
    ExpectSameDefinition(keypad, expected);
}

TEST_F(DefinitionFile, WritesANewDefinitionInTheFileLayout) {
    TKeypadClass keypad;
    ToggleShiftSlots slots;
    WriteDefinitionFile(keypad, file(), slots);
    std::string expected =
        "[GLOBAL_PARAMETERS]\r\nMODEL_NUMBER=Keywright24\r\nDOWNLOAD_DELAY=10\r\n"
        "MACRO_LENGTH=200\r\nLEVEL1_LENGTH=100\r\nKey_Roll_Over=2\r\nCharacter_Pacing=2\r\n"
        "LED_Function=0\r\nBaud_Rate=3\r\nWord_Format=8\r\nCommand_Prefix=64\r\n"
        "Operating_Mode=0\r\nCDC_Serial_No=1\r\n";
    for (int key = 0; key < KeyCount; ++key)
        expected += "[KEY" + std::to_string(key) +
                    "]\r\nKeyType=0\r\nL1_AutoRepeat=0\r\nLevel_1_Codes=\r\nLevel_1_Name=\r\n"
                    "L2_AutoRepeat=0\r\nLevel_2_Codes=\r\nLevel_2_Name=\r\n";
    EXPECT_EQ(ReadBytes(file()), expected);
}

TEST_F(DefinitionFile, ReadsBackWhatItWrote) {
    TKeypadClass keypad = FullDefinition();
    ToggleShiftSlots slots;
    WriteDefinitionFile(keypad, file(), slots);
    EXPECT_EQ(keypad.Key(), 7);
    EXPECT_EQ(keypad.Level(), 1);

    TKeypadClass back;
    ASSERT_EQ(ReadDefinitionFile(back, file()), DefinitionReadResult::Loaded);
    TKeypadClass expected = FullDefinition();
    SetMacro(expected, 23, 1, {0x10FF, 0xE9}); // byte parts above 255 keep their low 8 bits
    ExpectSameDefinition(back, expected);
    EXPECT_EQ(back.Key(), 0);
    EXPECT_EQ(back.Level(), 0);

    // Writing what was read changes no byte.
    const std::string first = ReadBytes(file());
    WriteDefinitionFile(back, file(), slots);
    EXPECT_EQ(ReadBytes(file()), first);
}

TEST_F(DefinitionFile, RecordsTheFirstAndLastToggleAndShiftKeys) {
    TKeypadClass keypad;
    for (const int key : {2, 9, 5}) {
        keypad.SetKey(static_cast<std::uint8_t>(key));
        keypad.SetKeytype(ktToggle);
    }
    keypad.SetKey(4);
    keypad.SetKeytype(ktShift);
    ToggleShiftSlots slots;
    WriteDefinitionFile(keypad, file(), slots);
    EXPECT_EQ(slots.ToggleKey1, 2);
    EXPECT_EQ(slots.ToggleKey2, 9);
    EXPECT_EQ(slots.ShiftKey1, 4);
    EXPECT_EQ(slots.ShiftKey2, 128);
}

TEST_F(DefinitionFile, UpdatesAnExistingFileInPlace) {
    WriteBytes(file(), "; made by hand\r\n[global_parameters]\r\nCUSTOM=keep me\r\nDOWNLOAD_DELAY=3\r\n"
                       "[KEY03]\r\nLEVEL_1_CODES=41\r\nNote=mine\r\n[KEY99]\r\nx=1\r\n");
    TKeypadClass keypad;
    SetMacro(keypad, 3, 0, {0x42});
    ToggleShiftSlots slots;
    WriteDefinitionFile(keypad, file(), slots);
    const std::string text = ReadBytes(file());
    EXPECT_EQ(text.rfind("; made by hand\r\n[global_parameters]\r\nCUSTOM=keep me\r\nDOWNLOAD_DELAY=10\r\n"
                         "MODEL_NUMBER=Keywright24\r\n",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("[KEY03]\r\nLEVEL_1_CODES=42\r\nNote=mine\r\nKeyType=0\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("[KEY99]\r\nx=1\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("[KEY3]"), std::string::npos) << text;

    TKeypadClass back;
    ReadDefinitionFile(back, file());
    EXPECT_EQ(MacroValues(back, 3, 0), Values{0x42});
}

// A Windows-1252 file edited in one key keeps every other line byte for byte and its names in
// Windows-1252; a name that code page cannot hold makes the file UTF-8 as a whole, and the writer says
// so at that save only.
TEST_F(DefinitionFile, KeepsTheEncodingOfItsFile) {
    TKeypadClass keypad;
    SetMacro(keypad, 0, 0, {0x41});
    keypad.SetMacroName("Caf\xC3\xA9");
    ToggleShiftSlots slots;
    EXPECT_EQ(WriteDefinitionFile(keypad, file(), slots), DefinitionWriteResult::Written);
    const std::string written = ReadBytes(file());
    ASSERT_NE(written.find(
                  "[KEY0]\r\nKeyType=0\r\nL1_AutoRepeat=0\r\nLevel_1_Codes=41\r\nLevel_1_Name=Caf\xE9\r\n"),
              std::string::npos);

    TKeypadClass back;
    ASSERT_EQ(ReadDefinitionFile(back, file()), DefinitionReadResult::Loaded);
    EXPECT_EQ(back.TextEncoding(), FileEncoding::Windows1252);
    EXPECT_EQ(back.GetMacroName(), "Caf\xC3\xA9");
    back.SetKey(5);
    back.SetLevel(1);
    back.SetMacroName("d\xC3\xA9j\xC3\xA0");
    EXPECT_EQ(WriteDefinitionFile(back, file(), slots), DefinitionWriteResult::Written);
    std::string expected = written;
    const std::string before = "Level_2_Name=\r\n[KEY6]";
    expected.replace(expected.find(before), before.size(), "Level_2_Name=d\xE9j\xE0\r\n[KEY6]");
    EXPECT_EQ(ReadBytes(file()), expected);

    back.SetMacroName("\xE6\x97\xA5\xE6\x9C\xAC");
    EXPECT_EQ(WriteDefinitionFile(back, file(), slots), DefinitionWriteResult::SwitchedToUtf8);
    const std::string utf8 = ReadBytes(file());
    EXPECT_NE(utf8.find("Level_1_Name=Caf\xC3\xA9\r\n"), std::string::npos);
    EXPECT_NE(utf8.find("Level_2_Name=\xE6\x97\xA5\xE6\x9C\xAC\r\n[KEY6]"), std::string::npos);
    EXPECT_EQ(back.TextEncoding(), FileEncoding::Utf8);
    EXPECT_EQ(WriteDefinitionFile(back, file(), slots), DefinitionWriteResult::Written);
    EXPECT_EQ(ReadBytes(file()), utf8);
}

// A new file: in the encoding of the file the definition came from, else Windows-1252 when every name
// fits it.
TEST_F(DefinitionFile, WritesANewFileInTheEncodingOfItsDefinition) {
    const struct {
        const char* name;
        FileEncoding definition;
        const char* written;
        FileEncoding after;
    } cases[] = {
        {"Caf\xC3\xA9", FileEncoding::Undecided, "Caf\xE9", FileEncoding::Windows1252},
        {"\xE6\x97\xA5\xE6\x9C\xAC", FileEncoding::Undecided, "\xE6\x97\xA5\xE6\x9C\xAC", FileEncoding::Utf8},
        {"Caf\xC3\xA9", FileEncoding::Utf8, "Caf\xC3\xA9", FileEncoding::Utf8},
        {"Caf\xC3\xA9", FileEncoding::Windows1252, "Caf\xE9", FileEncoding::Windows1252},
        {"Cafe", FileEncoding::Undecided, "Cafe", FileEncoding::Undecided},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(file());
        TKeypadClass keypad;
        keypad.SetMacroName(c.name);
        keypad.SetTextEncoding(c.definition);
        ToggleShiftSlots slots;
        EXPECT_EQ(WriteDefinitionFile(keypad, file(), slots), DefinitionWriteResult::Written) << c.name;
        EXPECT_NE(ReadBytes(file()).find(std::string("Level_1_Name=") + c.written + "\r\n"),
                  std::string::npos)
            << c.name;
        EXPECT_EQ(keypad.TextEncoding(), c.after) << c.name;
    }
}

TEST_F(DefinitionFile, AFailedSaveKeepsTheOldFileTheSelectionAndTheSlots) {
    const auto path = file();
    WriteBytes(path, "[KEY0]\r\nLEVEL_1_CODES=41\r\n");
    TKeypadClass keypad = FullDefinition();
    ToggleShiftSlots slots;
    const auto expectRefused = [&](const std::filesystem::path& target) {
        try {
            WriteDefinitionFile(keypad, target, slots);
            ADD_FAILURE() << "wrote " << target;
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + PathText(target));
        }
        EXPECT_EQ(keypad.Key(), 7);
        EXPECT_EQ(keypad.Level(), 1);
        EXPECT_EQ(slots.ToggleKey1, 0);
    };
    expectRefused(folder); // a folder cannot be replaced by a file
    if (!MakeReadOnly(folder))
        GTEST_SKIP() << "this user may write into read-only folders";
    expectRefused(path);
    EXPECT_EQ(ReadBytes(path), "[KEY0]\r\nLEVEL_1_CODES=41\r\n");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"pad.ckd"});
}

} // namespace
