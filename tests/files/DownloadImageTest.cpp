#include "files/DownloadImage.h"

#include "files/CodeString.h"
#include "files/DefinitionFile.h"
#include "files/FileError.h"
#include "files/IniFile.h"
#include "model/KeyboardLayout.h"
#include "model/KeypadParameters.h"
#include "tests/support/KeypadBuilders.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<int>;

const ToggleShiftSlots noSlots{128, 128, 128, 128};

// The bytes of an image, checking that every line is a quotation mark, two upper-case hex digits, a
// quotation mark and CRLF.
Bytes ImageBytes(const std::string& image) {
    Bytes bytes;
    EXPECT_EQ(image.size() % 6, 0u) << "a line of the wrong length";
    for (std::size_t i = 0; i + 6 <= image.size(); i += 6) {
        const std::string line = image.substr(i, 6);
        const bool wellFormed = line[0] == '"' && std::isxdigit(static_cast<unsigned char>(line[1])) &&
                                std::isxdigit(static_cast<unsigned char>(line[2])) &&
                                line.substr(3) == "\"\r\n" &&
                                line.find_first_of("abcdef") == std::string::npos;
        EXPECT_TRUE(wellFormed) << "line " << i / 6 << ": " << line;
        bytes.push_back(HexPairToByte(line.substr(1, 2)));
    }
    return bytes;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(from),
            bytes.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

Bytes Repeated(int byte, int count) {
    return Bytes(static_cast<std::size_t>(count), byte);
}

Bytes Joined(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(DownloadImage, WritesOneByteALine) {
    std::string image;
    for (const int byte : {10, 200, 0, 255})
        WriteImageByte(image, byte);
    EXPECT_EQ(image, "\"0A\"\r\n\"C8\"\r\n\"00\"\r\n\"FF\"\r\n");
}

TEST(DownloadImage, TurnsHexPairsIntoBytes) {
    const struct {
        const char* text;
        int byte;
    } cases[] = {{"1e", 30}, {"1E", 30}, {"ff00", 255}, {"09", 9},
                 {"g0", -1}, {"0 ", -1}, {"1", -1},     {"", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(HexPairToByte(c.text), c.byte) << c.text;
}

TEST(DownloadImage, OfAnEmptyDefinitionHas220Lines) {
    TKeypadClass keypad;
    const Bytes bytes = ImageBytes(DownloadImageText(keypad, noSlots));
    ASSERT_EQ(bytes.size(), 220u);
    EXPECT_EQ(Slice(bytes, 0, 28), Joined({{0x40, 0x01, 0x19, 0xC8, 0x64, 0x80, 0x80, 0x80, 0x80, 0x02, 0xFF,
                                            0x01, 0x00, 0x03, 0x08, 0x40, 0x00, 0x00, 0x00},
                                           Repeated(0, 7),
                                           {0x00, 0x01}}));
    for (int key = 0; key < KeyCount; ++key)
        EXPECT_EQ(Slice(bytes, 28 + 8 * static_cast<std::size_t>(key), 8),
                  (Bytes{0x40, 2, key, 0, 0, key, 0, 0}))
            << "key " << key;
}

TEST(DownloadImage, RecordsEachLevelOfAKey) {
    TKeypadClass keypad;
    SetMacro(keypad, 3, 0, {0x1E});
    keypad.SetCanAutoRepeat(true);
    const Bytes bytes = ImageBytes(DownloadImageText(keypad, noSlots));
    EXPECT_EQ(Slice(bytes, 28 + 3 * 8, 10),
              (Bytes{0x40, 0x02, 0x03, 0x00, 0x03, 0x03, 0x02, 0x1E, 0x00, 0x00}));

    SetMacro(keypad, 0, 0, {'a', 0x1032, 0x4040, 0x4009, 0x2005});
    SetMacro(keypad, 0, 1, {'b'});
    keypad.SetCmdPrefix(27);
    const Bytes commands = ImageBytes(DownloadImageText(keypad, noSlots));
    EXPECT_EQ(commands[0], 27);
    EXPECT_EQ(Slice(commands, 28, 21),
              (Bytes{27, 2, 0, 1, 1, 0, 12, 'a', 27, 1, 0x32, 27, 0x40, 27, 0x09, 27, 2, 5, 0, 2, 'b'}));
}

TEST(DownloadImage, EndsAFullLevelBlockWithoutAClosingZero) {
    const struct {
        int dataBytes;
        bool delay;
        Bytes head;
        std::size_t blockSize;
        int last;
    } cases[] = {
        {99, false, {100, 'x'}, 101, 0},    // 99 bytes, then a closing 0
        {100, false, {100, 'x'}, 101, 'x'}, // 100 bytes and no closing 0
        {99, true, {102, 'x'}, 103, 0x32},  // a delay in the last free byte: 102 bytes
        {1, false, {2, 'x'}, 3, 0},
    };
    for (const auto& c : cases) {
        TKeypadClass keypad;
        keypad.SetKey(0);
        std::int32_t position = 0;
        for (int i = 0; i < c.dataBytes; ++i)
            keypad.InsertByte(position, 'x');
        if (c.delay) {
            ASSERT_TRUE(keypad.InsertByte(position, 0x1032));
        }
        const Bytes bytes = ImageBytes(DownloadImageText(keypad, noSlots));
        const std::size_t block = 28 + 6;
        EXPECT_EQ(Slice(bytes, block, 2), c.head) << c.dataBytes;
        EXPECT_EQ(bytes[block + c.blockSize - 1], c.last) << c.dataBytes;
        EXPECT_EQ(bytes[block + c.blockSize], 0) << "the empty level-1 block follows, " << c.dataBytes;
        EXPECT_EQ(bytes[block + c.blockSize + 1], 0x40) << "key 1's record follows, " << c.dataBytes;
    }
}

TEST(DownloadImage, SendsTheParameters) {
    const struct {
        const char* what;
        void (*set)(TKeypadClass&);
        std::size_t offset;
        Bytes expected;
    } cases[] = {
        {"serial 1234", [](TKeypadClass& k) { k.SetCdcSerialNo(1234); }, 26, {0x12, 0x34}},
        {"serial 1", [](TKeypadClass& k) { k.SetCdcSerialNo(1); }, 26, {0x00, 0x01}},
        {"serial 9999", [](TKeypadClass& k) { k.SetCdcSerialNo(9999); }, 26, {0x99, 0x99}},
        {"serial 0", [](TKeypadClass& k) { k.SetCdcSerialNo(0); }, 26, {0x00, 0x00}},
        {"negative serial", [](TKeypadClass& k) { k.SetCdcSerialNo(-5); }, 26, {0x00, 0x00}},
        {"serial above 9999", [](TKeypadClass& k) { k.SetCdcSerialNo(12345); }, 26, {0x99, 0x99}},
        {"pacing 5", [](TKeypadClass& k) { k.SetCharacterPacing(5); }, 11, {2}},
        {"pacing 200", [](TKeypadClass& k) { k.SetCharacterPacing(200); }, 11, {100}},
        {"LED level", [](TKeypadClass& k) { k.SetLEDBehavior(ledLevel); }, 12, {1}},
        {"LED host", [](TKeypadClass& k) { k.SetLEDBehavior(ledHostCtrl); }, 12, {2}},
        {"LED power", [](TKeypadClass& k) { k.SetLEDBehavior(ledPower); }, 12, {3}},
        {"LED 7", [](TKeypadClass& k) { k.SetLEDBehavior(static_cast<TLEDBehavior>(7)); }, 12, {0}},
        {"rollover, baud rate, word format",
         [](TKeypadClass& k) {
             k.SetKeyRollOver(6);
             k.SetBaudRate(8);
             k.SetWordFormat(6);
         },
         9,
         {6, 255, 1, 0, 8, 6}},
        {"operating mode", [](TKeypadClass& k) { k.SetOpMode(48); }, 18, {48}},
    };
    for (const auto& c : cases) {
        TKeypadClass keypad;
        c.set(keypad);
        const Bytes bytes = ImageBytes(DownloadImageText(keypad, noSlots));
        EXPECT_EQ(Slice(bytes, c.offset, c.expected.size()), c.expected) << c.what;
    }
}

TEST(DownloadImage, NamesTheToggleAndShiftKeysInSlotOrder) {
    TKeypadClass keypad;
    for (const int key : {7, 3}) {
        keypad.SetKey(static_cast<std::uint8_t>(key));
        keypad.SetKeytype(ktToggle);
    }
    keypad.SetKey(11);
    keypad.SetKeytype(ktShift);
    keypad.SetLevel(1);
    const Bytes bytes = ImageBytes(DownloadImageText(keypad, FindToggleShiftKeys(keypad)));
    EXPECT_EQ(Slice(bytes, 5, 4), (Bytes{3, 7, 11, 128}));
    EXPECT_EQ(keypad.Key(), 11);
    EXPECT_EQ(keypad.Level(), 1);
}

class DownloadImageFile : public TempFolderTest {
protected:
    std::filesystem::path image() const { return folder / "pad.hex"; }
    std::filesystem::path loaderIni() const { return folder / "Uplinker.ini"; }
};

TEST_F(DownloadImageFile, WritesTheImageAndTheDownloadDelayForTheLoader) {
    const struct {
        const char* what;
        std::string before;
        std::string after; // empty: unchanged
    } cases[] = {
        {"port set", "[Com Port Configuration]\r\nComPort=4\r\nComType=U\r\n",
         "[Com Port Configuration]\r\nComPort=4\r\nComType=U\r\nDownloadDelay=25\r\n"},
        {"delay replaced in place", "[com port configuration]\nDownloadDelay=3\nComPort=0\n",
         "[com port configuration]\nDownloadDelay=25\nComPort=0\n"},
        {"port -1", "[Com Port Configuration]\r\nComPort=-1\r\n", ""},
        {"no port", "[Com Port Configuration]\r\nComType=U\r\n", ""},
        {"port not a number", "[Com Port Configuration]\r\nComPort=COM4\r\n", ""},
        {"port in another section", "[Other]\r\nComPort=4\r\n", ""},
    };
    TKeypadClass keypad;
    keypad.SetDownloadDelay(25);
    for (const auto& c : cases) {
        WriteBytes(loaderIni(), c.before);
        WriteDownloadImage(keypad, image(), noSlots, loaderIni());
        EXPECT_EQ(ReadBytes(loaderIni()), c.after.empty() ? c.before : c.after) << c.what;
    }
    EXPECT_EQ(ReadBytes(image()), DownloadImageText(keypad, noSlots));

    std::filesystem::remove(loaderIni());
    WriteDownloadImage(keypad, image(), noSlots, loaderIni());
    EXPECT_FALSE(std::filesystem::exists(loaderIni())) << "the loader INI was created";
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"pad.hex"});
}

TEST_F(DownloadImageFile, AnImageThatCannotBeWrittenLeavesTheLoaderIniAlone) {
    WriteBytes(loaderIni(), "[Com Port Configuration]\r\nComPort=4\r\n");
    const auto blocked = folder / "blocked.hex";
    std::filesystem::create_directory(blocked);
    TKeypadClass keypad;
    try {
        WriteDownloadImage(keypad, blocked, noSlots, loaderIni());
        FAIL() << "wrote an image over a folder";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + PathText(blocked) + ": Is a directory");
    }
    EXPECT_EQ(ReadBytes(loaderIni()), "[Com Port Configuration]\r\nComPort=4\r\n");
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"Uplinker.ini", "blocked.hex"}));
}

TEST_F(DownloadImageFile, ALoaderIniThatCannotBeWrittenIsReportedAfterTheImage) {
    WriteBytes(loaderIni(), "[Com Port Configuration]\r\nComPort=4\r\n");
    WriteBytes(image(), "old");
    if (!MakeReadOnly(folder))
        GTEST_SKIP() << "this user may write into read-only folders";
    std::filesystem::permissions(folder, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    std::filesystem::permissions(loaderIni(), std::filesystem::perms::owner_read);
    TKeypadClass keypad;
    try {
        WriteDownloadImage(keypad, image(), noSlots, loaderIni());
        FAIL() << "wrote a read-only loader INI";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + PathText(loaderIni()));
    }
    EXPECT_EQ(ReadBytes(image()), DownloadImageText(keypad, noSlots));
    EXPECT_EQ(ReadBytes(loaderIni()), "[Com Port Configuration]\r\nComPort=4\r\n");
}

// The last three characters become "hex", whatever they are. Multi-byte characters at the end are
// dropped whole, so the result stays valid UTF-8.
TEST(DownloadImage, TakesItsPathFromTheDefinitionPath) {
    const struct {
        const char* definition;
        const char* image;
    } cases[] = {
        {"/a/pad.ckd", "/a/pad.hex"},
        {"pad.keys", "pad.khex"},
        {"/a/pad.keys", "/a/pad.khex"},
        {"/a/keypad", "/a/keyhex"},
        {"/my pads/pad one.ckd", "/my pads/pad one.hex"},
        {"ab", "hex"},
        {"/a/p\xC3\xA4"
         "d.c\xC3\xA4"
         "d",
         "/a/p\xC3\xA4"
         "d.hex"},
        {"/a/pad.\xC3\xA4\xE2\x82\xAC\xC3\xBC", "/a/pad.hex"},
        {"/a/pad.\xF0\x9F\x98\x80kd", "/a/pad.hex"}, // a character beyond the basic plane
        {"/a/\xC3\xA4"
         "bc",
         "/a/hex"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ImagePathFor(PathFromText(c.definition)), PathFromText(c.image)) << c.definition;
}

} // namespace

// The computer's layout changes how macros show, never what the files hold.
TEST(DownloadImage, FileAndImageAreTheSameWhateverTheComputersLayout) {
    auto written = [](const LayoutTable* layout) {
        TKeypadClass keypad;
        keypad.SetOpMode(ValueOf(OperatingMode::UsbKeyboard));
        keypad.SetComputerLayout(layout);
        std::int32_t position = 0;
        for (const char c : std::string("Y[rich 2024`;@"))
            keypad.InsertByte(position, static_cast<unsigned char>(c));
        IniFile ini;
        WriteDefinition(ini, keypad);
        return std::pair(ini.Text(), DownloadImageText(keypad, FindToggleShiftKeys(keypad)));
    };
    const auto us = written(nullptr);
    for (const char* name : {"US", "German", "French", "Swiss German"})
        EXPECT_EQ(written(FindLayout(name)), us) << name;
}
