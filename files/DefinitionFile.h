#pragma once

#include "files/IniFile.h"
#include "model/KeypadClass.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

// The keys the download image names as toggle-level and shift-level keys: a key number, or 128 for
// none. Filled by WriteDefinitionFile, read by WriteDownloadImage; all 0 until the first writing.
struct ToggleShiftSlots {
    int ToggleKey1 = 0;
    int ToggleKey2 = 0;
    int ShiftKey1 = 0;
    int ShiftKey2 = 0;
};

inline constexpr int NoSlotKey = 128;

enum class DefinitionReadResult { NoFile, Loaded };
// Written: in the file's own encoding. SwitchedToUtf8: the file was Windows-1252 (or the definition
// was read from such a file), but a name holds a character Windows-1252 cannot hold, so the file is
// UTF-8 now as a whole.
enum class DefinitionWriteResult { Written, SwitchedToUtf8 };

// No definition comes near this size; a larger file is refused without being read.
inline constexpr std::uintmax_t MaxDefinitionFileBytes = 16 * 1024 * 1024;

// The definition file at path as INI text; a missing file gives an empty one. Throws FileError when the
// file cannot be read, and without reading it when it is larger than MaxDefinitionFileBytes
// ("<path> is not a definition file (<N> bytes).").
IniFile LoadDefinitionIni(const std::filesystem::path& path);

// Loads the definition file into keypad (reset in place; key 0 and level 0 selected afterwards).
// A missing file changes nothing and gives NoFile. A file that cannot be read throws FileError with
// the message for the user, and keypad stays exactly as it was: "<name> is not a keypad definition:
// …" for a file that is no definition (IsDefinitionText), "Cannot read <name>: <reason>" for one
// whose reading stopped. The window refresh is the caller's.
DefinitionReadResult ReadDefinitionFile(TKeypadClass& keypad, const std::filesystem::path& path);

// Whether the text can be a definition: it holds the global section or a section whose name begins
// with KEY, or nothing but blank and comment lines. Any other file (a text, a program) is refused, so that a
// later save cannot write a definition over it.
bool IsDefinitionText(const IniFile& ini);
// Throws FileError ("<name> is not a keypad definition: …") when the text read from path is none.
void RequireDefinitionText(const IniFile& ini, const std::filesystem::path& path);

// Reading and writing as ReadDefinitionFile and WriteDefinitionFile do, on INI text in memory. A text
// that cannot be read throws FileError and leaves keypad as it was. Reading takes the text's encoding
// into keypad; writing gives a text without one (new, or plain ASCII) the encoding of keypad.
void ReadDefinition(TKeypadClass& keypad, const IniFile& ini);
void WriteDefinition(IniFile& ini, const TKeypadClass& keypad);

// Writes keypad into the file, updating an existing file in place in its own encoding, and fills slots.
// A new file takes the encoding of keypad, which then becomes the one written. The selection of keypad
// is kept. Throws FileError ("Unable to write to <path>") when it cannot write; the previous file then
// stays whole. Title and unsaved-changes state are the caller's.
DefinitionWriteResult WriteDefinitionFile(TKeypadClass& keypad, const std::filesystem::path& path,
                                          ToggleShiftSlots& slots);

// The toggle and shift keys of keypad as the writer records them: in each pair the lowest-numbered key
// of that type and the highest-numbered further one, 128 where there is none.
ToggleShiftSlots FindToggleShiftKeys(const TKeypadClass& keypad);
