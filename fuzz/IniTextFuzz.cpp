// Reads arbitrary bytes as INI text, writes some values into it and reads the text written: every
// lookup must give what was written or what was there before, and reading must keep every byte.
#include "files/IniFile.h"
#include "fuzz/FuzzCheck.h"
#include "model/TextEncoding.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t maxProbes = 24;
constexpr std::size_t maxWrites = 8;

// The names the program writes; keys the file has come from its own lines.
constexpr std::string_view writtenSections[] = {"GLOBAL_PARAMETERS", "KEY3", "Com Port Configuration"};
constexpr std::string_view writtenKeys[] = {"KeyType", "Level_1_Codes", "LEVEL_1_CODES", "Level_1_Name",
                                            "ComPort"};

std::string asUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The key names the text seems to hold, found more loosely than the reader does: a name that is not a
// key only adds a lookup that finds nothing.
std::vector<std::string> keyNamesIn(std::string_view text) {
    std::vector<std::string> names(std::begin(writtenKeys), std::end(writtenKeys));
    std::size_t start = 0;
    while (start < text.size() && names.size() < maxProbes) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string_view line = text.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos)
            names.emplace_back(trimmed(line.substr(0, equals)));
        start = end + 1;
    }
    return names;
}

struct Lookup {
    std::string section;
    std::string key;
    bool found;
    std::string value;
};

std::vector<Lookup> lookups(const IniFile& ini, const std::vector<std::string>& sections,
                            const std::vector<std::string>& keys) {
    std::vector<Lookup> results;
    for (const std::string& section : sections)
        for (const std::string& key : keys)
            results.push_back({section, key, ini.HasKey(section, key), ini.ReadString(section, key)});
    return results;
}

struct ByteSource {
    std::string_view bytes;
    std::size_t next = 0;
    // The input's bytes from its end backwards, so that the text and the writes vary together.
    std::uint8_t byte() {
        if (bytes.empty())
            return 0;
        const auto value = static_cast<std::uint8_t>(bytes[bytes.size() - 1 - next % bytes.size()]);
        ++next;
        return value;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniFile ini = IniFile::FromText(bytes);
    const std::string text = ini.Text();
    FUZZ_CHECK(text == bytes); // unchanged, a file keeps its bytes in either encoding

    std::vector<std::string> sections = ini.SectionNames();
    if (sections.size() > maxProbes)
        sections.resize(maxProbes);
    sections.insert(sections.end(), std::begin(writtenSections), std::end(writtenSections));
    const std::vector<std::string> keys = keyNamesIn(text);
    std::vector<Lookup> expected = lookups(ini, sections, keys);

    ByteSource source{bytes};
    const std::size_t writes = size % (maxWrites + 1);
    for (std::size_t i = 0; i < writes; ++i) {
        const std::string& section = sections[source.byte() % sections.size()];
        const std::string_view key = writtenKeys[source.byte() % std::size(writtenKeys)];
        const std::size_t from = source.byte() * 17u % (size + 1);
        const std::string value = asUtf8(bytes.substr(from, source.byte() % 48));
        ini.WriteString(section, key, value);

        std::string stored = value;
        std::replace_if(
            stored.begin(), stored.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        stored = std::string(Utf8Prefix(stored, IniFile::MaxValueCharacters));
        FUZZ_CHECK(ini.ReadString(section, key) == stored);
        for (Lookup& lookup : expected)
            if (NamesMatch(lookup.section, section) && NamesMatch(lookup.key, key))
                lookup = {lookup.section, lookup.key, true, stored};
        for (const Lookup& lookup : expected) {
            FUZZ_CHECK(ini.HasKey(lookup.section, lookup.key) == lookup.found);
            FUZZ_CHECK(ini.ReadString(lookup.section, lookup.key) == lookup.value);
        }
    }

    // The text written reads back as the same file.
    const std::string written = ini.Text();
    const IniFile again = IniFile::FromText(written);
    FUZZ_CHECK(again.Text() == written);
    FUZZ_CHECK(again.SectionNames() == ini.SectionNames());
    for (const Lookup& lookup : expected) {
        FUZZ_CHECK(again.HasKey(lookup.section, lookup.key) == lookup.found);
        FUZZ_CHECK(again.ReadString(lookup.section, lookup.key) == lookup.value);
    }
    return 0;
}
