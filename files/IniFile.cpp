#include "files/IniFile.h"

#include "files/FileBytes.h"
#include "files/FileError.h"
#include "model/TextEncoding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isQuote(char c) {
    return c == '"' || c == '\'';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool enclosedInQuotes(std::string_view text) {
    return text.size() >= 2 && isQuote(text.front()) && text.front() == text.back();
}

std::string_view unquoted(std::string_view value) {
    return enclosedInQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

// Whether any of the eight bytes of word is byte.
bool holdsByte(std::uint64_t word, char byte) {
    constexpr std::uint64_t ones = 0x0101010101010101u;
    const std::uint64_t x = word ^ (ones * static_cast<unsigned char>(byte));
    return ((x - ones) & ~x & (ones << 7)) != 0;
}

bool hasLineBreak(std::string_view text) {
    // Long values are searched by the library; names and short values eight bytes at a time, where
    // a search call per character sought would cost more than the search itself.
    if (text.size() >= 64)
        return text.find('\r') != std::string_view::npos || text.find('\n') != std::string_view::npos;
    if (text.size() < 8)
        return std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
    const auto breakIn = [&text](std::size_t at) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, 8);
        return holdsByte(word, '\r') || holdsByte(word, '\n');
    };
    for (std::size_t i = 0; i + 8 < text.size(); i += 8)
        if (breakIn(i))
            return true;
    // The last eight bytes, overlapping the word before where the size is no multiple of eight.
    return breakIn(text.size() - 8);
}

// Text on one line: line breaks become blanks. The result is text itself when it has none, else a view
// of storage.
std::string_view oneLine(std::string_view text, std::string& storage) {
    if (!hasLineBreak(text))
        return text;
    storage = text;
    std::replace_if(
        storage.begin(), storage.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return storage;
}

// The value as written so that reading gives back oneLine(value).
std::string encodedValue(std::string_view value) {
    const bool needsQuotes =
        !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || enclosedInQuotes(value));
    std::string encoded;
    encoded.reserve(value.size() + 2);
    if (needsQuotes)
        encoded += '"';
    encoded += value;
    if (needsQuotes)
        encoded += '"';
    return encoded;
}

std::optional<std::uint32_t> parseDigits(std::string_view digits, int base) {
    std::uint64_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || stop != end || error != std::errc{} ||
        value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

// The number of lines FromText makes of text: every LF, CR and CRLF ends one.
std::size_t lineCount(std::string_view text) {
    const auto count = [text](char c, bool (*counts)(std::string_view, std::size_t)) {
        std::size_t found = 0;
        for (std::size_t i = text.find(c); i != std::string_view::npos; i = text.find(c, i + 1))
            found += counts(text, i) ? 1 : 0;
        return found;
    };
    const std::size_t lines =
        count('\n', [](std::string_view, std::size_t) { return true; }) +
        count('\r', [](std::string_view t, std::size_t i) { return i + 1 == t.size() || t[i + 1] != '\n'; });
    const bool lastLineBroken = text.empty() || text.back() == '\r' || text.back() == '\n';
    return lastLineBroken ? lines : lines + 1;
}

// Where the line starting at start ends: its first CR or LF, or the end of text.
std::size_t lineEndFrom(std::string_view text, std::size_t start) {
    const std::size_t size = text.size();
    const auto* from = text.data() + start;
    const auto* lf = static_cast<const char*>(std::memchr(from, '\n', size - start));
    const std::size_t limit = lf == nullptr ? size - start : static_cast<std::size_t>(lf - from);
    const auto* cr = static_cast<const char*>(std::memchr(from, '\r', limit));
    return start + (cr == nullptr ? limit : static_cast<std::size_t>(cr - from));
}

} // namespace

struct IniFile::Line {
    enum class Kind : std::uint8_t { Other, Section, Key };
    // The line break: "\r\n", "\n", "\r", or none on a last line without one.
    enum class Ending : std::uint8_t { None, CrLf, Lf, Cr };

    // A line as read: its place in all, the file's text.
    Line(std::string_view all, std::size_t lineStart, std::size_t lineLength, Ending lineEnding)
        : ending(lineEnding)
        , start(lineStart)
        , length(lineLength) {
        classify(all.substr(start, length));
    }
    // A line written: text of its own.
    Line(std::string lineText, Ending lineEnding)
        : ending(lineEnding)
        , ownsText(true)
        , own(std::move(lineText)) {
        classify(own);
    }

    // Name and value are parts of the line's text, kept as places.
    struct Part {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
    };

    Kind kind = Kind::Other;
    Ending ending = Ending::None;
    bool ownsText = false;
    std::size_t start = 0; // where the line lies in the file's text, unless it owns its text
    std::size_t length = 0;
    std::string own;
    Part name;  // Section: the section name; Key: the key name
    Part value; // Key: the value as read

    std::string_view endingText() const {
        static constexpr std::array<std::string_view, 4> texts{"", "\r\n", "\n", "\r"};
        return texts[static_cast<std::size_t>(ending)];
    }

private:
    void classify(std::string_view text) {
        const auto partOf = [text](std::string_view part) {
            return Part{static_cast<std::uint32_t>(part.data() - text.data()),
                        static_cast<std::uint32_t>(part.size())};
        };
        const std::string_view content = trimmed(text);
        if (content.empty() || content.front() == ';')
            return;
        if (content.front() == '[') {
            const std::size_t close = content.rfind(']');
            if (close != std::string_view::npos) {
                kind = Kind::Section;
                name = partOf(trimmed(content.substr(1, close - 1)));
                return;
            }
        }
        const std::size_t equals = content.find('=');
        if (equals == std::string_view::npos)
            return;
        kind = Kind::Key;
        name = partOf(trimmed(content.substr(0, equals)));
        value = partOf(unquoted(trimmed(content.substr(equals + 1))));
    }
};

IniFile::IniFile() = default;
IniFile::IniFile(const IniFile&) = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(const IniFile&) = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;
IniFile::~IniFile() = default;

bool NamesMatch(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    // Names mostly match in their own letter case: equal runs of eight bytes are passed whole.
    std::size_t i = 0;
    for (; i + 8 <= a.size(); i += 8) {
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if (x != y)
            break;
    }
    for (; i < a.size(); ++i) {
        if (a[i] == b[i])
            continue;
        // Two different bytes match only as the two cases of one ASCII letter: then they differ in
        // the case bit alone, and with it set they are a lower-case letter.
        const char lower = static_cast<char>(a[i] | 0x20);
        if (lower != static_cast<char>(b[i] | 0x20) || lower < 'a' || lower > 'z')
            return false;
    }
    return true;
}

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::optional<std::uint32_t> magnitude;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        magnitude = parseDigits(text.substr(2), 16);
    } else if (text.starts_with('$')) {
        magnitude = parseDigits(text.substr(1), 16);
    } else {
        magnitude = parseDigits(text, 10);
        // Decimal numbers must fit the signed range; hexadecimal ones are bit patterns.
        const std::uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
        if (magnitude && *magnitude > limit)
            return std::nullopt;
    }
    if (!magnitude)
        return std::nullopt;
    const std::uint32_t bits = negative ? 0u - *magnitude : *magnitude;
    return static_cast<std::int32_t>(bits);
}

IniFile IniFile::Load(const std::filesystem::path& path) {
    return Load(path, LookAtFile(path));
}

IniFile IniFile::Load(const std::filesystem::path& path, const FileLook& look) {
    if (look.type == std::filesystem::file_type::not_found)
        return {};
    std::string bytes = ReadFileBytes(path, MaxFileBytes, look);
    // Every line but a last one without a line break ends in a byte of its own, and that last one holds
    // at least one: a text has no more lines than bytes, and only a longer one needs counting.
    if (bytes.size() > MaxFileLines) {
        const std::size_t lines = lineCount(bytes);
        if (lines > MaxFileLines)
            throw FileError("Unable to read " + PathText(path) + ": Too many lines (" +
                            std::to_string(lines) + ", the limit is " + std::to_string(MaxFileLines) + ")");
    }
    return fromBytes(std::move(bytes));
}

IniFile IniFile::FromText(std::string_view bytes) {
    return fromBytes(std::string(bytes));
}

IniFile IniFile::fromBytes(std::string bytes) {
    IniFile ini;
    std::size_t start = 0;
    if (bytes.starts_with(byteOrderMark)) {
        ini.fByteOrderMark = true;
        start = byteOrderMark.size();
    }
    // The text is kept whole, and its lines refer to it.
    const std::string_view afterMark = std::string_view(bytes).substr(start);
    if (IsValidUtf8(afterMark)) {
        ini.fEncoding =
            ini.fByteOrderMark || !IsAscii(afterMark) ? FileEncoding::Utf8 : FileEncoding::Undecided;
        ini.fText = std::move(bytes);
    } else {
        ini.fEncoding = FileEncoding::Windows1252;
        ini.fText = Windows1252ToUtf8(afterMark);
        start = 0;
    }
    const std::string_view text = ini.fText;
    while (start < text.size()) {
        const std::size_t lineEnd = lineEndFrom(text, start);
        Line::Ending ending = Line::Ending::None;
        std::size_t next = lineEnd;
        if (lineEnd < text.size()) {
            if (text[lineEnd] == '\n') {
                ending = Line::Ending::Lf;
                next += 1;
            } else if (lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n') {
                ending = Line::Ending::CrLf;
                next += 2;
            } else {
                ending = Line::Ending::Cr;
                next += 1;
            }
        }
        const Line& line = ini.fLines.emplace_back(text, start, lineEnd - start, ending);
        if (line.kind == Line::Kind::Section)
            ini.fSectionHeaders.push_back(ini.fLines.size() - 1);
        start = next;
    }
    return ini;
}

std::string_view IniFile::textOf(const Line& line) const {
    return line.ownsText ? std::string_view(line.own)
                         : std::string_view(fText.data() + line.start, line.length);
}

std::string_view IniFile::nameOf(const Line& line) const {
    return textOf(line).substr(line.name.start, line.name.length);
}

std::string_view IniFile::valueOf(const Line& line) const {
    return textOf(line).substr(line.value.start, line.value.length);
}

std::optional<std::size_t> IniFile::findSection(std::string_view section) const {
    // Readers ask for one section several times in a row.
    if (fLastFound && NamesMatch(fLastFound->section, section))
        return fLastFound->header;
    for (const std::size_t header : fSectionHeaders) {
        const Line& line = fLines[header];
        if (line.name.length == section.size() && NamesMatch(nameOf(line), section)) {
            fLastFound = FoundSection{std::string(section), header};
            return header;
        }
    }
    return std::nullopt;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    const auto next = std::upper_bound(fSectionHeaders.begin(), fSectionHeaders.end(), header);
    return next == fSectionHeaders.end() ? fLines.size() : *next;
}

std::optional<std::size_t> IniFile::findKey(std::string_view section, std::string_view key) const {
    const auto header = findSection(section);
    if (!header)
        return std::nullopt;
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const Line& line = fLines[i];
        if (line.kind == Line::Kind::Key && line.name.length == key.size() && NamesMatch(nameOf(line), key))
            return i;
    }
    return std::nullopt;
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(fSectionHeaders.size());
    for (const std::size_t header : fSectionHeaders)
        names.emplace_back(nameOf(fLines[header]));
    return names;
}

bool IniFile::HasSection(std::string_view section) const {
    return findSection(section).has_value();
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return findKey(section, key).has_value();
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    return std::string(ReadStringView(section, key, defaultValue));
}

std::string_view IniFile::ReadStringView(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) const {
    const auto line = findKey(section, key);
    if (!line)
        return defaultValue;
    return Utf8Prefix(valueOf(fLines[*line]), MaxValueCharacters);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
    const auto line = findKey(section, key);
    if (!line)
        return defaultValue;
    return ParseIniInteger(valueOf(fLines[*line])).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::insertLine(std::size_t index, std::string text) {
    // A last line without a line break gets one before anything follows it.
    if (index > 0 && fLines[index - 1].ending == Line::Ending::None)
        fLines[index - 1].ending = Line::Ending::CrLf;
    const auto line = fLines.insert(fLines.begin() + static_cast<std::ptrdiff_t>(index),
                                    Line(std::move(text), Line::Ending::CrLf));
    fLastFound.reset();
    const auto later = std::lower_bound(fSectionHeaders.begin(), fSectionHeaders.end(), index);
    for (auto header = later; header != fSectionHeaders.end(); ++header)
        ++*header;
    if (line->kind == Line::Kind::Section)
        fSectionHeaders.insert(later, index);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    // The names and the value may be views of this file's own lines: every new line is made before
    // any line changes.
    std::string sectionStorage;
    std::string keyStorage;
    std::string valueStorage;
    const std::string_view sectionName = trimmed(oneLine(section, sectionStorage));
    const std::string_view keyName = trimmed(oneLine(key, keyStorage));
    const std::string_view newValue = oneLine(value, valueStorage);
    const auto keyLine = [&] {
        std::string line;
        line.reserve(keyName.size() + 1 + newValue.size() + 2);
        line += keyName;
        line += '=';
        line += encodedValue(newValue);
        return line;
    };

    const auto header = findSection(sectionName);
    if (!header) {
        std::string headerLine = "[" + std::string(sectionName) + "]";
        std::string valueLine = keyLine();
        insertLine(fLines.size(), std::move(headerLine));
        insertLine(fLines.size(), std::move(valueLine));
        return;
    }
    const std::size_t end = sectionEnd(*header);
    std::size_t lastKey = *header;
    for (std::size_t i = *header + 1; i < end; ++i) {
        Line& line = fLines[i];
        if (line.kind != Line::Kind::Key)
            continue;
        if (line.name.length == keyName.size() && NamesMatch(nameOf(line), keyName)) {
            // An unchanged value leaves the line exactly as it was.
            if (valueOf(line) != newValue) {
                line = Line(std::string(nameOf(line)) + "=" + encodedValue(newValue), line.ending);
                // A key named "[x" given a value with "]" reads back as a section header.
                if (line.kind == Line::Kind::Section) {
                    fLastFound.reset();
                    fSectionHeaders.insert(
                        std::upper_bound(fSectionHeaders.begin(), fSectionHeaders.end(), i), i);
                }
            }
            return;
        }
        lastKey = i;
    }
    insertLine(lastKey + 1, keyLine());
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

bool IniFile::mayWriteWindows1252() const {
    if (fEncoding == FileEncoding::Windows1252)
        return true;
    if (fEncoding == FileEncoding::Utf8)
        return false;
    // Lines read from an undecided file are ASCII: only the lines written since can go beyond it.
    return std::any_of(fLines.begin(), fLines.end(),
                       [](const Line& line) { return line.ownsText && !IsAscii(line.own); });
}

bool IniFile::appendWindows1252Text(std::string& text) const {
    const std::size_t start = text.size();
    for (const Line& line : fLines) {
        if (!AppendWindows1252(text, textOf(line)))
            return false;
        text += line.endingText();
    }
    // Bytes that happen to be valid UTF-8 (as "\xC3\xA9" is, where it stands for two characters)
    // would read back as other text.
    return !IsValidUtf8(std::string_view(text).substr(start));
}

FileEncoding IniFile::WrittenEncoding() const {
    FileEncoding written = FileEncoding::Undecided;
    text(written);
    return written;
}

void IniFile::PreferEncoding(FileEncoding encoding) {
    if (fEncoding == FileEncoding::Undecided)
        fEncoding = encoding;
}

std::string IniFile::text(FileEncoding& written) const {
    std::size_t size = byteOrderMark.size();
    for (const Line& line : fLines)
        size += textOf(line).size() + line.endingText().size();
    std::string text;
    text.reserve(size);
    text = fByteOrderMark ? byteOrderMark : std::string_view{};
    const std::size_t afterMark = text.size();
    if (mayWriteWindows1252()) {
        written = FileEncoding::Windows1252;
        if (appendWindows1252Text(text))
            return text;
        text.resize(afterMark);
    }
    if (fEncoding == FileEncoding::Utf8 || written == FileEncoding::Windows1252)
        written = FileEncoding::Utf8;
    for (const Line& line : fLines) {
        text += textOf(line);
        text += line.endingText();
    }
    return text;
}

std::string IniFile::Text() const {
    FileEncoding written = FileEncoding::Undecided;
    return text(written);
}

FileEncoding IniFile::Save(const std::filesystem::path& path) const {
    FileEncoding written = FileEncoding::Undecided;
    WriteFileAtomically(path, text(written));
    return written;
}
