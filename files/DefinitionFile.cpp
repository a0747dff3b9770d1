#include "files/DefinitionFile.h"

#include "files/CodeString.h"
#include "files/DefinitionFormat.h"
#include "files/FileBytes.h"
#include "files/FileError.h"
#include "files/IniFile.h"
#include "model/TextEncoding.h"

#include <algorithm>
#include <array>
#include <string>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// The section each key is written to: the one the reader takes it from, so that a file naming a key
// in its own way (say "KEY03" or "key3") reads back what was written.
std::array<std::string, KeyCount> keySectionNames(const IniFile& ini) {
    std::array<std::string, KeyCount> names;
    for (int key = 0; key < KeyCount; ++key)
        names[static_cast<std::size_t>(key)] = KeySectionName(key);
    for (const KeySection& section : PlanKeySections(ini))
        if (section.use == KeySection::Use::Read)
            names[static_cast<std::size_t>(section.number)] = section.name;
    return names;
}

void writeKeySections(IniFile& ini, const TKeypadClass& keypad) {
    using namespace DefinitionNames;
    const auto sectionNames = keySectionNames(ini);
    for (std::size_t key = 0; key < KeyCount; ++key) {
        const std::string& section = sectionNames[key];
        const TKeyDataRec& record = keypad.keys[key];
        ini.WriteInteger(section, KeyType, record.KeyType);
        for (std::size_t level = 0; level < LevelCount; ++level) {
            const LevelKeys& keys = Levels[level];
            const TMacroData& macro = record.Macro[level];
            ini.WriteBool(section, keys.autoRepeat, macro.AutoRepeat);
            ini.WriteString(section, keys.codesWritten, keypad.MakeCodes(macro));
            ini.WriteString(section, keys.name, macro.Name);
        }
    }
}

} // namespace

ToggleShiftSlots FindToggleShiftKeys(const TKeypadClass& keypad) {
    ToggleShiftSlots slots{NoSlotKey, NoSlotKey, NoSlotKey, NoSlotKey};
    const auto record = [](int& first, int& second, int key) {
        (first == NoSlotKey ? first : second) = key;
    };
    for (int key = 0; key < KeyCount; ++key) {
        const TKeyType type = keypad.keys[static_cast<std::size_t>(key)].KeyType;
        if (type == ktToggle)
            record(slots.ToggleKey1, slots.ToggleKey2, key);
        else if (type == ktShift)
            record(slots.ShiftKey1, slots.ShiftKey2, key);
    }
    return slots;
}

// The definition file's own limit comes first, so that its message is the one the user sees.
static_assert(MaxDefinitionFileBytes <= IniFile::MaxFileBytes);

namespace {

// LoadDefinitionIni with the look at path already taken: one status call serves every check.
IniFile lookedAtDefinitionIni(const fs::path& path, const FileLook& look) {
    if (look.type == fs::file_type::regular && look.size > MaxDefinitionFileBytes)
        throw FileError(PathText(path) + " is not a definition file (" + std::to_string(look.size) +
                        " bytes).");
    return IniFile::Load(path, look);
}

} // namespace

IniFile LoadDefinitionIni(const fs::path& path) {
    return lookedAtDefinitionIni(path, LookAtFile(path));
}

namespace {

// Nothing but blank lines and comment lines.
bool holdsNothing(std::string_view text) {
    constexpr std::string_view Blanks = " \t\r";
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::size_t first = text.find_first_not_of(Blanks, start);
        if (first < end && text[first] != ';')
            return false;
        start = end + 1;
    }
    return true;
}

// Whether a section could belong to a definition: the global one, or a name that begins with KEY.
bool isDefinitionSection(std::string_view name) {
    return NamesMatch(name, DefinitionNames::GlobalSection) ||
           (name.size() >= 3 && NamesMatch(name.substr(0, 3), "KEY"));
}

} // namespace

bool IsDefinitionText(const IniFile& ini) {
    const std::vector<std::string> names = ini.SectionNames();
    if (names.empty())
        return holdsNothing(ini.Text());
    return std::any_of(names.begin(), names.end(),
                       [](const std::string& name) { return isDefinitionSection(name); });
}

void RequireDefinitionText(const IniFile& ini, const fs::path& path) {
    if (!IsDefinitionText(ini))
        throw FileError(PathText(path.filename()) +
                        " is not a keypad definition: it has no [GLOBAL_PARAMETERS] or [KEY\u2026] section");
}

void ReadDefinition(TKeypadClass& keypad, const IniFile& ini) {
    // Read into a fresh definition so that a file that cannot be read leaves the caller's as it was; it
    // takes over what Initialize does not reset (the view mode, the key entry state and the computer's
    // layout).
    TKeypadClass scratch;
    scratch.bViewInHex = keypad.bViewInHex;
    scratch.SetKeyEntryState(keypad.KeyEntryState());
    scratch.SetComputerLayout(keypad.ComputerLayout());
    ReadParameters(ini, scratch);
    for (const KeySection& section : PlanKeySections(ini)) {
        if (section.use == KeySection::Use::BadNumber)
            throw FileError("[" + ShownText(section.name, 64) +
                            "]: " + NotAValidIntegerMessage(section.numberText));
        if (section.use == KeySection::Use::Read)
            ReadKeySection(ini, section, scratch);
    }
    scratch.SetKey(0);
    scratch.SetLevel(0);
    scratch.SetTextEncoding(ini.Encoding());
    keypad = std::move(scratch);
}

DefinitionReadResult ReadDefinitionFile(TKeypadClass& keypad, const fs::path& path) {
    const FileLook look = LookAtFile(path);
    if (look.type == fs::file_type::not_found)
        return DefinitionReadResult::NoFile;
    const IniFile ini = lookedAtDefinitionIni(path, look);
    RequireDefinitionText(ini, path);
    const std::string name = PathText(path.filename());
    try {
        ReadDefinition(keypad, ini);
    } catch (const FileError& error) {
        throw FileError("Cannot read " + name + ": " + error.what());
    }
    return DefinitionReadResult::Loaded;
}

void WriteDefinition(IniFile& ini, const TKeypadClass& keypad) {
    ini.PreferEncoding(keypad.TextEncoding());
    WriteParameters(ini, keypad);
    writeKeySections(ini, keypad);
}

DefinitionWriteResult WriteDefinitionFile(TKeypadClass& keypad, const fs::path& path,
                                          ToggleShiftSlots& slots) {
    FileEncoding before = FileEncoding::Undecided;
    FileEncoding written = FileEncoding::Undecided;
    try {
        IniFile ini = LoadDefinitionIni(path);
        WriteDefinition(ini, keypad);
        before = ini.Encoding();
        written = ini.Save(path);
    } catch (const FileError& error) {
        // The message stays the plain one the window shows; the reason travels beside it.
        throw FileError("Unable to write to " + PathText(path),
                        error.Reason().empty() ? error.what() : error.Reason());
    }
    slots = FindToggleShiftKeys(keypad);
    if (written != FileEncoding::Undecided)
        keypad.SetTextEncoding(written);
    return before == FileEncoding::Windows1252 && written == FileEncoding::Utf8
               ? DefinitionWriteResult::SwitchedToUtf8
               : DefinitionWriteResult::Written;
}
