#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// INI text as the definition file, the loader's INI file and the settings file share it. Lookups ignore
// ASCII letter case; writing keeps every line it does not change. All text is UTF-8.
class IniFile final {
public:
    // Reads the file; a missing file gives an empty one. Throws FileError when it exists but cannot
    // be read.
    static IniFile Load(const std::filesystem::path& path);
    static IniFile FromText(std::string_view bytes);

    std::vector<std::string> SectionNames() const; // every section, in file order
    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue = {}) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The file's bytes as they would be written.
    std::string Text() const;
    // Writes the whole text to a temporary file beside path and renames it over path. Throws
    // FileError naming the file and the system's reason; the previous file then stays whole.
    void Save(const std::filesystem::path& path) const;

private:
    struct Line;
    std::vector<Line> lines_; // defined in IniFile.cpp
};
