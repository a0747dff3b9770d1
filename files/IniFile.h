#pragma once

#include "model/TextEncoding.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FileLook;

// INI text as the definition file, the loader's INI file and the settings file share it. Lookups ignore
// ASCII letter case; writing keeps every line it does not change. All text given and taken is UTF-8.
//
// Reading: lines end in CRLF, LF or CR; a UTF-8 byte-order mark is skipped (and kept on writing); a file
// that is not valid UTF-8 is read as Windows-1252. A section header is the text between "[" and the last
// "]", a line starting with ";" is a comment, a value line splits at its first "=". Names and values are
// trimmed of blanks and tabs, and a value loses one enclosing pair of matching quotes. The first of
// duplicate sections, and of duplicate keys in a section, is the one read and written.
//
// Writing: a key's value is replaced where it stands, a new key follows the last key of its section, a
// new section goes at the end; new lines end in CRLF. Line breaks in names and values become blanks, and
// a value that would not read back unchanged is written inside double quotes.
//
// Encoding: the file is written in the encoding it was read in, every line not changed byte for byte.
// A file read as Windows-1252 stays so while every line can be held by it; a line that cannot makes the
// whole file UTF-8, so that nothing is ever replaced. A new file, or one of plain ASCII, is written in
// Windows-1252 when every line fits (what Windows tools read), else in UTF-8.
class IniFile final {
public:
    // Strings read are cut to this many characters.
    static constexpr std::size_t MaxValueCharacters = 2047;
    // Larger files are refused: every INI file this program reads is a few kilobytes and a few hundred
    // lines. Each line read takes memory and time of its own, so the number of lines is bounded too.
    static constexpr std::uintmax_t MaxFileBytes = 16 * 1024 * 1024;
    static constexpr std::size_t MaxFileLines = 1024 * 1024;

    IniFile();
    IniFile(const IniFile&);
    IniFile(IniFile&&) noexcept;
    IniFile& operator=(const IniFile&);
    IniFile& operator=(IniFile&&) noexcept;
    ~IniFile();

    // Reads the file; a missing file gives an empty one. Throws FileError when it exists but cannot
    // be read, or has more than MaxFileBytes or MaxFileLines.
    static IniFile Load(const std::filesystem::path& path);
    // The same with the look at path (LookAtFile) already taken by the caller.
    static IniFile Load(const std::filesystem::path& path, const FileLook& look);
    static IniFile FromText(std::string_view bytes);

    std::vector<std::string> SectionNames() const; // every section, in file order
    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;
    // ReadString without the copy: valid until the file is next changed or destroyed.
    std::string_view ReadStringView(std::string_view section, std::string_view key,
                                    std::string_view defaultValue = {}) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The encoding the file was read in (Undecided for plain ASCII and for no file), or as preferred.
    FileEncoding Encoding() const { return fEncoding; }
    // The encoding for a file that has none yet (Undecided): a new file, or one of plain ASCII. A file
    // read in an encoding keeps it.
    void PreferEncoding(FileEncoding encoding);
    // The encoding Text() writes the file in: Undecided when it is plain ASCII.
    FileEncoding WrittenEncoding() const;

    // The file's bytes as they would be written.
    std::string Text() const;
    // Writes the whole text to a temporary file beside path and renames it over path, and gives the
    // encoding written (as WrittenEncoding). Throws FileError naming the file and the system's reason;
    // the previous file then stays whole.
    FileEncoding Save(const std::filesystem::path& path) const;

private:
    struct Line;
    // The text read, in UTF-8 (converted when it was read as Windows-1252). Lines read and not changed
    // since are places in it rather than strings of their own.
    std::string fText;
    std::vector<Line> fLines; // defined in IniFile.cpp
    // The index of every section header line, in file order: lookups walk these, not every line.
    std::vector<std::size_t> fSectionHeaders;
    // The last section found and its header line; forgotten whenever lines are inserted.
    struct FoundSection {
        std::string section;
        std::size_t header;
    };
    mutable std::optional<FoundSection> fLastFound;
    bool fByteOrderMark = false;
    FileEncoding fEncoding = FileEncoding::Undecided;

    static IniFile fromBytes(std::string bytes);
    // Whether the text may be written in Windows-1252: read so, or undecided with lines beyond ASCII.
    bool mayWriteWindows1252() const;
    // Appends the lines in Windows-1252; false when a line does not fit or the bytes would read back as
    // UTF-8.
    bool appendWindows1252Text(std::string& text) const;
    // The file's bytes, and the encoding they are in.
    std::string text(FileEncoding& written) const;
    std::string_view textOf(const Line& line) const;
    std::string_view nameOf(const Line& line) const;  // Section: the section name; Key: the key name
    std::string_view valueOf(const Line& line) const; // Key: the value as read
    std::optional<std::size_t> findSection(std::string_view section) const;
    std::size_t sectionEnd(std::size_t header) const; // index of the line after the section's last line
    std::optional<std::size_t> findKey(std::string_view section, std::string_view key) const;
    void insertLine(std::size_t index, std::string text);
};

// An INI integer: decimal with an optional sign, or hexadecimal after "0x", "0X" or "$" (up to 32 bits,
// taken as a signed pattern). Nothing when the text is empty or not such a number.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

// Whether two names are equal without regard to ASCII letter case.
bool NamesMatch(std::string_view a, std::string_view b);
