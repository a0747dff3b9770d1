#include "files/IniFile.h"

#include "files/FileError.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct LookupCase {
    const char* what;
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected; // nothing: the key is not found
};

TEST(IniText, ReadsLinesAsWindowsToolsDo) {
    const LookupCase cases[] = {
        {"CRLF lines", "[S]\r\nk=v\r\n", "S", "k", "v"},
        {"LF lines", "[S]\nk=v\n", "S", "k", "v"},
        {"lone CR lines", "[S]\rk=v\rj=w", "S", "j", "w"},
        {"last line without a break", "[S]\r\nk=v", "S", "k", "v"},
        {"byte-order mark before the first header", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "v"},
        {"blank lines", "\r\n\r\n[S]\r\n\r\n  \t\r\nk=v\r\n", "S", "k", "v"},
        {"header trimmed", "  [ \tS x\t ]  \r\nk=v\r\n", "S x", "k", "v"},
        {"header runs to the last ]", "[a]b]\r\nk=v\r\n", "a]b", "k", "v"},
        {"[ without ] is no header", "[S]\r\n[broken\r\nk=v\r\n", "S", "k", "v"},
        {"comment line", "[S]\r\n  ;k=v\r\n", "S", "k", std::nullopt},
        {"line without = is no key", "[S]\r\nk\r\n", "S", "k", std::nullopt},
        {"split at the first =", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        {"name and value trimmed", "[S]\r\n \tk \t=\t v w \t\r\n", "S", "k", "v w"},
        {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
        {"double quotes removed", "[S]\r\nk=\" v \"\r\n", "S", "k", " v "},
        {"single quotes removed", "[S]\r\nk='v'\r\n", "S", "k", "v"},
        {"only one pair removed", "[S]\r\nk=\"\"v\"\"\r\n", "S", "k", "\"v\""},
        {"unmatched quotes kept", "[S]\r\nk=\"v'\r\n", "S", "k", "\"v'"},
        {"a lone quote kept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
        {"names without regard to case", "[Global]\r\nKeyType=2\r\n", "GLOBAL", "keytype", "2"},
        {"first of duplicate sections", "[S]\r\nk=1\r\n[s]\r\nk=2\r\nj=3\r\n", "S", "j", std::nullopt},
        {"first of duplicate keys", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
        {"key before any header", "k=v\r\n[S]\r\n", "S", "k", std::nullopt},
        {"key of another section", "[S]\r\n[T]\r\nk=v\r\n", "S", "k", std::nullopt},
        {"Windows-1252 text", "[S]\r\nk=\xE9t\xE9 \x80\x81\r\n", "S", "k",
         "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\xC2\x81"},
        {"UTF-8 text", "[S]\r\nk=\xC3\xA9t\xC3\xA9\r\n", "S", "k", "\xC3\xA9t\xC3\xA9"},
    };
    for (const LookupCase& c : cases) {
        const IniFile ini = IniFile::FromText(c.text);
        EXPECT_EQ(ini.HasKey(c.section, c.key), c.expected.has_value()) << c.what;
        EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), c.expected.value_or("<default>")) << c.what;
    }
}

TEST(IniText, NamesMatchWithoutRegardToAsciiLetterCaseOnly) {
    const struct {
        const char* a;
        const char* b;
        bool match;
    } cases[] = {
        {"KeyType", "KEYTYPE", true},
        {"Level_1_Codes", "LEVEL_1_CODES", true},
        {"Level_1_Codes", "Level_1_Codes", true},
        {"Level_1_Codes", "Level_1_Codez", false}, // a difference after the first eight bytes
        {"Level_1_Codes", "Level_2_Codes", false},
        {"GLOBAL_PARAMETERS", "global_parameterS", true},
        {"GLOBAL_PARAMETERS", "GLOBAL_PARAMETER", false},
        {"key@", "KEY`", false},                 // differ in the case bit but are no letters
        {"KEY[1]", "key{1}", false},             // likewise
        {"na\xC3\xAFve", "NA\xC3\x8FVE", false}, // only ASCII letters have a case here
        {"", "", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NamesMatch(c.a, c.b), c.match) << c.a << " / " << c.b;
        EXPECT_EQ(NamesMatch(c.b, c.a), c.match) << c.b << " / " << c.a;
    }
}

TEST(IniText, CutsStringsAt2047Characters) {
    const std::string ascii(3000, 'x');
    std::string accented;
    for (int i = 0; i < 2100; ++i)
        accented += "\xC3\xA9";
    const IniFile ini = IniFile::FromText("[S]\r\na=" + ascii + "\r\nb=" + accented + "\r\n");
    EXPECT_EQ(ini.ReadString("S", "a"), ascii.substr(0, 2047));
    EXPECT_EQ(ini.ReadString("S", "b"), accented.substr(0, 2 * 2047));
}

TEST(IniText, ListsEverySectionInFileOrder) {
    const IniFile ini = IniFile::FromText("[KEY5]\r\n;[KEY6]\r\n[global]\r\n[Key5]\r\n[KEY0]\r\n");
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"KEY5", "global", "Key5", "KEY0"}));
    EXPECT_TRUE(ini.HasSection("GLOBAL"));
    EXPECT_FALSE(ini.HasSection("KEY6"));
}

TEST(IniText, ReadsIntegersAndBooleans) {
    const struct {
        const char* value;
        std::int32_t expected;
    } cases[] = {
        {"12", 12},
        {"-5", -5},
        {"+7", 7},
        {"0x1F", 31},
        {"0X1f", 31},
        {"$ff", 255},
        {"$FFFFFFFF", -1},
        {"-0x10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 99},
        {"0x100000000", 99},
        {"", 99},
        {"abc", 99},
        {"12abc", 99},
        {"1 2", 99},
        {"0x", 99},
        {"$", 99},
        {"-", 99},
        {"--5", 99},
        {"1.5", 99},
        {"\"42\"", 42},
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::FromText(std::string("[S]\r\nk=") + c.value + "\r\n");
        EXPECT_EQ(ini.ReadInteger("S", "k", 99), c.expected) << c.value;
    }
    const IniFile ini = IniFile::FromText("[S]\r\nyes=2\r\nno=0\r\nbad=x\r\n");
    EXPECT_TRUE(ini.ReadBool("S", "yes", false));
    EXPECT_FALSE(ini.ReadBool("S", "no", true));
    EXPECT_TRUE(ini.ReadBool("S", "bad", true));
    EXPECT_FALSE(ini.ReadBool("S", "absent", false));
    EXPECT_EQ(ini.ReadInteger("absent", "k", 7), 7);
}

struct WriteCase {
    const char* what;
    std::string before;
    void (*write)(IniFile&);
    std::string after;
};

TEST(IniText, WritesInPlace) {
    const WriteCase cases[] = {
        {"a new file as the profile functions make it", "",
         [](IniFile& ini) {
             ini.WriteString("A", "x", "1");
             ini.WriteInteger("B", "y", -2);
             ini.WriteBool("A", "z", true);
         },
         "[A]\r\nx=1\r\nz=1\r\n[B]\r\ny=-2\r\n"},
        {"a value replaced where it stands, every other byte kept",
         "; note\n[s]\n  KEY = old ; x\n\nother=1\r\n",
         [](IniFile& ini) { ini.WriteString("S", "key", "new"); }, "; note\n[s]\nKEY=new\n\nother=1\r\n"},
        {"an unchanged value leaves its line alone", "[S]\r\n k = \"v\" \r\n",
         [](IniFile& ini) { ini.WriteString("S", "K", "v"); }, "[S]\r\n k = \"v\" \r\n"},
        {"a new key after the last key line of its section", "[S]\nk=1\n\n;end of S\n[T]\nt=1\n",
         [](IniFile& ini) { ini.WriteString("s", "new", "2"); },
         "[S]\nk=1\nnew=2\r\n\n;end of S\n[T]\nt=1\n"},
        {"a new key right after the header of a section without keys", "[S]\n\n[T]\n",
         [](IniFile& ini) { ini.WriteString("S", "k", "1"); }, "[S]\nk=1\r\n\n[T]\n"},
        {"a new section at the end, after a last line without a break", "[S]\nk=1",
         [](IniFile& ini) { ini.WriteString("T", "k", "2"); }, "[S]\nk=1\r\n[T]\r\nk=2\r\n"},
        {"the first of duplicate sections and keys", "[S]\r\nk=1\r\nk=2\r\n[S]\r\nk=3\r\n",
         [](IniFile& ini) { ini.WriteInteger("S", "k", 9); }, "[S]\r\nk=9\r\nk=2\r\n[S]\r\nk=3\r\n"},
        {"a byte-order mark kept", "\xEF\xBB\xBF[S]\r\nk=1\r\n",
         [](IniFile& ini) { ini.WriteInteger("S", "k", 2); }, "\xEF\xBB\xBF[S]\r\nk=2\r\n"},
        {"Windows-1252 text kept byte for byte", "[S]\r\nname=caf\xE9\r\n",
         [](IniFile& ini) { ini.WriteInteger("S", "k", 1); }, "[S]\r\nname=caf\xE9\r\nk=1\r\n"},
        {"later sections still found after lines were inserted before them", "[S]\nk=1\n[T]\nt=1\n",
         [](IniFile& ini) {
             ini.WriteString("S", "new", "2");
             ini.WriteString("T", "t", "3");
             ini.WriteString("U", "u", "4");
             ini.WriteString("T", "v", "5");
         },
         "[S]\nk=1\nnew=2\r\n[T]\nt=3\nv=5\r\n[U]\r\nu=4\r\n"},
        {"a key line that its new value turns into a section header is one", "[S]\r\n[x=1\r\n",
         [](IniFile& ini) {
             ini.WriteString("S", "[x", "]");
             ini.WriteString("x=", "k", "2");
         },
         "[S]\r\n[x=]\r\nk=2\r\n"},
        {"a value viewed in the file itself is written into a new section whole", "[S]\r\nk=v\r\n",
         [](IniFile& ini) {
             ini.WriteString("S", "k", "w");
             for (const char* section : {"T", "U", "V", "W", "X"})
                 ini.WriteString(section, "k", ini.ReadStringView("S", "k"));
         },
         "[S]\r\nk=w\r\n[T]\r\nk=w\r\n[U]\r\nk=w\r\n[V]\r\nk=w\r\n[W]\r\nk=w\r\n[X]\r\nk=w\r\n"},
        {"line breaks in names and values become blanks", "",
         [](IniFile& ini) { ini.WriteString("S\r\n[T]", "k\n2", "a\r\nb"); }, "[S  [T]]\r\nk 2=a  b\r\n"},
    };
    for (const WriteCase& c : cases) {
        IniFile ini = IniFile::FromText(c.before);
        c.write(ini);
        EXPECT_EQ(ini.Text(), c.after) << c.what;
    }
}

// A file keeps the encoding it was read in as long as it can hold every line; a new or plain ASCII
// file is Windows-1252 when every line fits it.
TEST(IniText, WritesInTheFilesOwnEncoding) {
    const std::string nihon = "\xE6\x97\xA5\xE6\x9C\xAC"; // two characters no code page byte holds
    const struct {
        const char* what;
        std::string before;
        std::string name; // written as [S] name=
        std::string after;
        FileEncoding written;
    } cases[] = {
        {"Windows-1252, every other byte kept, undefined bytes too",
         "[S]\r\nname=x\r\nother=caf\xE9 \x80\x81\r\n", "th\xC3\xA9",
         "[S]\r\nname=th\xE9\r\nother=caf\xE9 \x80\x81\r\n", FileEncoding::Windows1252},
        {"Windows-1252 given what it cannot hold becomes UTF-8 whole", "[S]\r\nname=x\r\nother=caf\xE9\r\n",
         nihon, "[S]\r\nname=" + nihon + "\r\nother=caf\xC3\xA9\r\n", FileEncoding::Utf8},
        {"UTF-8 stays UTF-8", "[S]\r\nother=caf\xC3\xA9\r\n", "\xC3\xA9",
         "[S]\r\nother=caf\xC3\xA9\r\nname=\xC3\xA9\r\n", FileEncoding::Utf8},
        {"UTF-8 by its byte-order mark", "\xEF\xBB\xBF[S]\r\n", "\xC3\xA9",
         "\xEF\xBB\xBF[S]\r\nname=\xC3\xA9\r\n", FileEncoding::Utf8},
        {"plain ASCII, a name Windows-1252 holds", "[S]\r\n", "Caf\xC3\xA9", "[S]\r\nname=Caf\xE9\r\n",
         FileEncoding::Windows1252},
        {"new, a name Windows-1252 holds", "", "Caf\xC3\xA9 \xE2\x82\xAC", "[S]\r\nname=Caf\xE9 \x80\r\n",
         FileEncoding::Windows1252},
        {"new, a name it cannot hold", "", nihon, "[S]\r\nname=" + nihon + "\r\n", FileEncoding::Utf8},
        {"new, plain ASCII", "", "Cafe", "[S]\r\nname=Cafe\r\n", FileEncoding::Undecided},
        // "\xC3\xA9" in Windows-1252 would read back as UTF-8, "\xC3\xA9" in one character.
        {"new, a name whose Windows-1252 bytes look like UTF-8", "", "\xC3\x83\xC2\xA9",
         "[S]\r\nname=\xC3\x83\xC2\xA9\r\n", FileEncoding::Utf8},
    };
    for (const auto& c : cases) {
        IniFile ini = IniFile::FromText(c.before);
        ini.WriteString("S", "name", c.name);
        EXPECT_EQ(ini.WrittenEncoding(), c.written) << c.what;
        EXPECT_EQ(ini.Text(), c.after) << c.what;
        // Whatever the bytes, the text reads back the same.
        EXPECT_EQ(IniFile::FromText(ini.Text()).ReadString("S", "name"), c.name) << c.what;
    }
}

TEST(IniText, APreferredEncodingOnlyDecidesAFileThatHasNone) {
    const struct {
        std::string before;
        FileEncoding preferred;
        std::string after;
    } cases[] = {
        {"", FileEncoding::Utf8, "[S]\r\nname=\xC3\xA9\r\n"},
        {"[T]\r\n", FileEncoding::Utf8, "[T]\r\n[S]\r\nname=\xC3\xA9\r\n"},
        {"", FileEncoding::Windows1252, "[S]\r\nname=\xE9\r\n"},
        {"[T]\r\nk=\xC3\xA0\r\n", FileEncoding::Windows1252, "[T]\r\nk=\xC3\xA0\r\n[S]\r\nname=\xC3\xA9\r\n"},
        {"[T]\r\nk=\xE0\r\n", FileEncoding::Utf8, "[T]\r\nk=\xE0\r\n[S]\r\nname=\xE9\r\n"},
    };
    for (const auto& c : cases) {
        IniFile ini = IniFile::FromText(c.before);
        ini.PreferEncoding(c.preferred);
        ini.WriteString("S", "name", "\xC3\xA9");
        EXPECT_EQ(ini.Text(), c.after) << c.before;
    }
}

TEST(IniText, QuotesValuesThatWouldNotReadBackUnchanged) {
    const std::string longValue(70, 'x');
    const struct {
        std::string value;
        std::string written;
    } cases[] = {
        {"plain", "plain"},
        {" lead", "\" lead\""},
        {"trail\t", "\"trail\t\""},
        {"'x'", "\"'x'\""},
        {"\"x\"", "\"\"x\"\""},
        {"\"x'", "\"x'"},
        {"\"", "\""},
        {"a \"b\" c", "a \"b\" c"},
        {"", ""},
        // A line break anywhere in short and long values: first, middle or last eight bytes, or after.
        {"a\nb", "a b"},
        {"ab\rcdefghijk", "ab cdefghijk"},
        {"0123456789\nabcdef", "0123456789 abcdef"},
        {"01234567\r9", "01234567 9"},
        {longValue + "\r\n" + longValue, longValue + "  " + longValue},
        {longValue + "\n", "\"" + longValue + " \""},
        {longValue, longValue},
    };
    for (const auto& c : cases) {
        IniFile ini;
        ini.WriteString("S", "k", c.value);
        EXPECT_EQ(ini.Text(), "[S]\r\nk=" + c.written + "\r\n") << c.value;
        std::string expected = c.value;
        std::replace_if(
            expected.begin(), expected.end(), [](char b) { return b == '\r' || b == '\n'; }, ' ');
        EXPECT_EQ(IniFile::FromText(ini.Text()).ReadString("S", "k"), expected) << c.value;
    }
}

using IniFileOnDisk = TempFolderTest;

TEST_F(IniFileOnDisk, LoadsAMissingFileAsEmptyAndRefusesWhatIsNoINIFile) {
    EXPECT_TRUE(IniFile::Load(folder / "absent.ini").SectionNames().empty());

    // Larger than any INI file: refused from its size, without being read.
    const auto huge = folder / "huge.ini";
    WriteBytes(huge, "[S]\r\nk=v\r\n");
    std::filesystem::resize_file(huge, IniFile::MaxFileBytes + 1);
    // A line break pair counts once, and so does a last line without a break.
    std::string atLimit = "[S]\r\nk=v\r\n";
    for (std::size_t line = 3; line < IniFile::MaxFileLines; ++line)
        atLimit += line % 2 == 0 ? "\r\n" : "\n";
    atLimit += "last\r";
    const auto manyLines = folder / "lines.ini";
    WriteBytes(manyLines, atLimit + "x");
    struct Case {
        std::filesystem::path path;
        std::string message;
    };
    std::vector<Case> cases = {
        {folder, "Is a directory"},
        {huge, "File too large (16777217 bytes, the limit is 16777216)"},
        {manyLines, "Too many lines (1048577, the limit is 1048576)"},
    };
#ifndef _WIN32
    const auto pipe = folder / "pipe.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    cases.push_back({pipe, "Not a regular file"}); // opening it would wait for a writer
#endif
    for (const auto& c : cases) {
        try {
            IniFile::Load(c.path);
            ADD_FAILURE() << c.path << " was read as an INI file";
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to read " + PathText(c.path) + ": " + c.message);
        }
    }
    // Up to the limit a file is read.
    std::filesystem::resize_file(huge, IniFile::MaxFileBytes);
    EXPECT_EQ(IniFile::Load(huge).ReadString("S", "k"), "v");
    WriteBytes(manyLines, atLimit);
    EXPECT_EQ(IniFile::Load(manyLines).ReadString("S", "k"), "v");
}

TEST_F(IniFileOnDisk, SavesAndLoadsTheSameText) {
    const auto path = folder / "a.ini";
    WriteBytes(path, "; kept\n[S]\nk=1\n");
    IniFile ini = IniFile::Load(path);
    ini.WriteInteger("S", "k", 2);
    ini.WriteString("T", "name", "\xC3\xA9");
    ini.Save(path);
    // A file of plain ASCII takes what Windows tools read: Windows-1252.
    EXPECT_EQ(ReadBytes(path), "; kept\n[S]\nk=2\n[T]\r\nname=\xE9\r\n");
    EXPECT_EQ(IniFile::Load(path).ReadString("T", "name"), "\xC3\xA9");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"a.ini"});
}

TEST_F(IniFileOnDisk, SavesThroughASymbolicLinkIntoItsTargetWithTheTargetsPermissions) {
    namespace fs = std::filesystem;
    const auto target = folder / "real.ini";
    const auto link = folder / "link.ini";
    WriteBytes(target, "[S]\r\nk=1\r\n");
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need a privilege on Windows";
#endif
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target.filename(), link);
    IniFile ini = IniFile::Load(link);
    ini.WriteInteger("S", "k", 2);
    ini.Save(link);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "[S]\r\nk=2\r\n");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"link.ini", "real.ini"}));
}

TEST_F(IniFileOnDisk, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
    // A folder standing where the file should go cannot be replaced by a file.
    const auto path = folder / "blocked.ini";
    std::filesystem::create_directory(path);
    WriteBytes(path / "inside", "old");
    IniFile ini;
    ini.WriteInteger("S", "k", 1);
    try {
        ini.Save(path);
        FAIL() << "saved over a folder";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + PathText(path) + ": Is a directory");
    }
    EXPECT_EQ(ReadBytes(path / "inside"), "old");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"blocked.ini"});
}

TEST_F(IniFileOnDisk, ASaveIntoAReadOnlyFolderLeavesTheOldFileWhole) {
    const auto path = folder / "a.ini";
    WriteBytes(path, "[S]\r\nk=1\r\n");
    IniFile ini = IniFile::Load(path);
    ini.WriteInteger("S", "k", 2);
    if (!MakeReadOnly(folder))
        GTEST_SKIP() << "this user may write into read-only folders";
    EXPECT_THROW(ini.Save(path), FileError);
    EXPECT_EQ(ReadBytes(path), "[S]\r\nk=1\r\n");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"a.ini"});
}

TEST_F(IniFileOnDisk, ASaveOverAReadOnlyFileLeavesItWhole) {
    const auto path = folder / "a.ini";
    WriteBytes(path, "[S]\r\nk=1\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    if (std::ofstream(path, std::ios::app).good())
        GTEST_SKIP() << "this user may write read-only files";
    IniFile ini;
    ini.WriteInteger("S", "k", 2);
    EXPECT_THROW(ini.Save(path), FileError);
    EXPECT_EQ(ReadBytes(path), "[S]\r\nk=1\r\n");
}

} // namespace
