#include "files/IniFile.h"

#include "files/FileBytes.h"
#include "files/FileError.h"
#include "files/TextEncoding.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view newLineEnding = "\r\n";

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

// Text on one line: line breaks become blanks. The result is text itself when it has none, else a view
// of storage.
std::string_view oneLine(std::string_view text, std::string& storage) {
    if (text.find('\r') == std::string_view::npos && text.find('\n') == std::string_view::npos)
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

    Kind kind = Kind::Other;
    std::string text;   // the line without its line break
    std::string ending; // its line break: "\r\n", "\n", "\r", or empty on a last line without one

    Line(std::string lineText, std::string lineEnding)
        : text(std::move(lineText))
        , ending(std::move(lineEnding)) {
        const std::string_view content = trimmed(text);
        if (content.empty() || content.front() == ';')
            return;
        if (content.front() == '[') {
            const std::size_t close = content.rfind(']');
            if (close != std::string_view::npos) {
                kind = Kind::Section;
                name_ = partOfText(trimmed(content.substr(1, close - 1)));
                return;
            }
        }
        const std::size_t equals = content.find('=');
        if (equals == std::string_view::npos)
            return;
        kind = Kind::Key;
        name_ = partOfText(trimmed(content.substr(0, equals)));
        value_ = partOfText(unquoted(trimmed(content.substr(equals + 1))));
    }

    // Section: the section name; Key: the key name
    std::string_view name() const { return std::string_view(text).substr(name_.start, name_.length); }
    // Key: the value as read
    std::string_view value() const { return std::string_view(text).substr(value_.start, value_.length); }

private:
    // Name and value are parts of text, kept as places so that a line holds one string of its own.
    struct Part {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
    };
    Part name_;
    Part value_;

    Part partOfText(std::string_view part) const {
        return {static_cast<std::uint32_t>(part.data() - text.data()),
                static_cast<std::uint32_t>(part.size())};
    }
};

IniFile::IniFile() = default;
IniFile::IniFile(const IniFile&) = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(const IniFile&) = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;
IniFile::~IniFile() = default;

bool NamesMatch(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&lower](char x, char y) { return lower(x) == lower(y); });
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
    std::error_code error;
    if (std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found)
        return {};
    const std::string bytes = ReadFileBytes(path, MaxFileBytes);
    const std::size_t lines = lineCount(bytes);
    if (lines > MaxFileLines)
        throw FileError("Unable to read " + PathText(path) + ": Too many lines (" + std::to_string(lines) +
                        ", the limit is " + std::to_string(MaxFileLines) + ")");
    return FromText(bytes);
}

IniFile IniFile::FromText(std::string_view bytes) {
    IniFile ini;
    if (bytes.starts_with(byteOrderMark)) {
        ini.byteOrderMark_ = true;
        bytes.remove_prefix(byteOrderMark.size());
    }
    std::string converted;
    if (!IsValidUtf8(bytes)) {
        converted = Windows1252ToUtf8(bytes);
        bytes = converted;
    }
    const std::string_view text = bytes;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lineEnd = lineEndFrom(text, start);
        std::size_t next = lineEnd;
        if (next < text.size())
            next += text.substr(next, 2) == newLineEnding ? 2 : 1;
        const Line& line = ini.lines_.emplace_back(std::string(text.substr(start, lineEnd - start)),
                                                   std::string(text.substr(lineEnd, next - lineEnd)));
        if (line.kind == Line::Kind::Section)
            ini.sectionHeaders_.push_back(ini.lines_.size() - 1);
        start = next;
    }
    return ini;
}

std::optional<std::size_t> IniFile::findSection(std::string_view section) const {
    // Readers ask for one section several times in a row.
    if (lastFound_ && NamesMatch(lastFound_->section, section))
        return lastFound_->header;
    for (const std::size_t header : sectionHeaders_)
        if (NamesMatch(lines_[header].name(), section)) {
            lastFound_ = FoundSection{std::string(section), header};
            return header;
        }
    return std::nullopt;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    const auto next = std::upper_bound(sectionHeaders_.begin(), sectionHeaders_.end(), header);
    return next == sectionHeaders_.end() ? lines_.size() : *next;
}

std::optional<std::size_t> IniFile::findKey(std::string_view section, std::string_view key) const {
    const auto header = findSection(section);
    if (!header)
        return std::nullopt;
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i)
        if (lines_[i].kind == Line::Kind::Key && NamesMatch(lines_[i].name(), key))
            return i;
    return std::nullopt;
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(sectionHeaders_.size());
    for (const std::size_t header : sectionHeaders_)
        names.emplace_back(lines_[header].name());
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
    return Utf8Prefix(lines_[*line].value(), MaxValueCharacters);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
    const auto line = findKey(section, key);
    if (!line)
        return defaultValue;
    return ParseIniInteger(lines_[*line].value()).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::insertLine(std::size_t index, std::string text) {
    // A last line without a line break gets one before anything follows it.
    if (index > 0 && lines_[index - 1].ending.empty())
        lines_[index - 1].ending = newLineEnding;
    const auto line = lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index),
                                    Line(std::move(text), std::string(newLineEnding)));
    lastFound_.reset();
    const auto later = std::lower_bound(sectionHeaders_.begin(), sectionHeaders_.end(), index);
    for (auto header = later; header != sectionHeaders_.end(); ++header)
        ++*header;
    if (line->kind == Line::Kind::Section)
        sectionHeaders_.insert(later, index);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string storage;
    const std::string sectionName(trimmed(oneLine(section, storage)));
    const std::string keyName(trimmed(oneLine(key, storage)));
    const std::string_view newValue = oneLine(value, storage);
    const auto keyLine = [&] {
        return keyName + "=" + encodedValue(newValue);
    };

    const auto header = findSection(sectionName);
    if (!header) {
        insertLine(lines_.size(), "[" + sectionName + "]");
        insertLine(lines_.size(), keyLine());
        return;
    }
    const std::size_t end = sectionEnd(*header);
    std::size_t lastKey = *header;
    for (std::size_t i = *header + 1; i < end; ++i) {
        Line& line = lines_[i];
        if (line.kind != Line::Kind::Key)
            continue;
        if (NamesMatch(line.name(), keyName)) {
            // An unchanged value leaves the line exactly as it was.
            if (line.value() != newValue) {
                line = Line(std::string(line.name()) + "=" + encodedValue(newValue), line.ending);
                // A key named "[x" given a value with "]" reads back as a section header.
                if (line.kind == Line::Kind::Section) {
                    lastFound_.reset();
                    sectionHeaders_.insert(
                        std::upper_bound(sectionHeaders_.begin(), sectionHeaders_.end(), i), i);
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

std::string IniFile::Text() const {
    std::size_t size = byteOrderMark.size();
    for (const Line& line : lines_)
        size += line.text.size() + line.ending.size();
    std::string text;
    text.reserve(size);
    text = byteOrderMark_ ? byteOrderMark : std::string_view{};
    for (const Line& line : lines_) {
        text += line.text;
        text += line.ending;
    }
    return text;
}

void IniFile::Save(const std::filesystem::path& path) const {
    WriteFileAtomically(path, Text());
}
