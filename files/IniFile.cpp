#include "files/IniFile.h"

#include "files/FileBytes.h"
#include "files/FileError.h"
#include "files/TextEncoding.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
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

// Text on one line: line breaks become blanks.
std::string oneLine(std::string_view text) {
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

// The value as written so that reading gives back oneLine(value).
std::string encodedValue(const std::string& value) {
    const bool needsQuotes =
        !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || enclosedInQuotes(value));
    return needsQuotes ? '"' + value + '"' : value;
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

// The number of lines FromText makes of text.
std::size_t lineCount(std::string_view text) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            ++lines;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        }
    }
    const bool lastLineBroken = text.empty() || text.back() == '\r' || text.back() == '\n';
    return lastLineBroken ? lines : lines + 1;
}

} // namespace

struct IniFile::Line {
    enum class Kind : std::uint8_t { Other, Section, Key };

    Kind kind = Kind::Other;
    std::string text;   // the line without its line break
    std::string ending; // its line break: "\r\n", "\n", "\r", or empty on a last line without one
    std::string name;   // Section: the section name; Key: the key name
    std::string value;  // Key: the value as read

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
                name = trimmed(content.substr(1, close - 1));
                return;
            }
        }
        const std::size_t equals = content.find('=');
        if (equals == std::string_view::npos)
            return;
        kind = Kind::Key;
        name = trimmed(content.substr(0, equals));
        value = unquoted(trimmed(content.substr(equals + 1)));
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
    const std::string text = IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lineEnd = std::min(text.find_first_of("\r\n", start), text.size());
        std::size_t next = lineEnd;
        if (next < text.size())
            next += text.compare(next, 2, newLineEnding) == 0 ? 2 : 1;
        ini.lines_.emplace_back(text.substr(start, lineEnd - start), text.substr(lineEnd, next - lineEnd));
        start = next;
    }
    return ini;
}

std::optional<std::size_t> IniFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Line::Kind::Section && NamesMatch(lines_[i].name, section))
            return i;
    return std::nullopt;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    std::size_t end = header + 1;
    while (end < lines_.size() && lines_[end].kind != Line::Kind::Section)
        ++end;
    return end;
}

std::optional<std::size_t> IniFile::findKey(std::string_view section, std::string_view key) const {
    const auto header = findSection(section);
    if (!header)
        return std::nullopt;
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i)
        if (lines_[i].kind == Line::Kind::Key && NamesMatch(lines_[i].name, key))
            return i;
    return std::nullopt;
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_)
        if (line.kind == Line::Kind::Section)
            names.push_back(line.name);
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
    const auto line = findKey(section, key);
    if (!line)
        return std::string(defaultValue);
    return std::string(Utf8Prefix(lines_[*line].value, MaxValueCharacters));
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
    const auto line = findKey(section, key);
    if (!line)
        return defaultValue;
    return ParseIniInteger(lines_[*line].value).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::insertLine(std::size_t index, std::string text) {
    // A last line without a line break gets one before anything follows it.
    if (index > 0 && lines_[index - 1].ending.empty())
        lines_[index - 1].ending = newLineEnding;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index),
                  Line(std::move(text), std::string(newLineEnding)));
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string sectionName(trimmed(oneLine(section)));
    const std::string keyName(trimmed(oneLine(key)));
    const std::string newValue = oneLine(value);
    const std::string keyLine = keyName + "=" + encodedValue(newValue);

    const auto header = findSection(sectionName);
    if (!header) {
        insertLine(lines_.size(), "[" + sectionName + "]");
        insertLine(lines_.size(), keyLine);
        return;
    }
    const std::size_t end = sectionEnd(*header);
    std::size_t lastKey = *header;
    for (std::size_t i = *header + 1; i < end; ++i) {
        Line& line = lines_[i];
        if (line.kind != Line::Kind::Key)
            continue;
        if (NamesMatch(line.name, keyName)) {
            // An unchanged value leaves the line exactly as it was.
            if (line.value != newValue)
                line = Line(line.name + "=" + encodedValue(newValue), line.ending);
            return;
        }
        lastKey = i;
    }
    insertLine(lastKey + 1, keyLine);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Text() const {
    std::string text(byteOrderMark_ ? byteOrderMark : std::string_view{});
    for (const Line& line : lines_) {
        text += line.text;
        text += line.ending;
    }
    return text;
}

void IniFile::Save(const std::filesystem::path& path) const {
    WriteFileAtomically(path, Text());
}
