#pragma once

#include "files/FileLock.h"
#include "files/IniFile.h"
#include "model/KeypadClass.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A recovery copy keeps the unsaved changes of a definition while a program works on them, so that
// they are not lost when it ends without saving or asking (a crash, a killed process, a power cut).
// It is a definition file written by the definition writer, whose "GLOBAL_PARAMETERS" section starts
// with two more keys (which the definition reader passes over):
//   RecoveryDocument  the document the changes belong to, as UTF-8 text: a full path, or the bare name
//                     of a document never saved; empty when the path holds a line break, which the file
//                     cannot
//   RecoveryTime      when the copy was written, in UTC: 2026-12-10T14:44:02Z
struct RecoveryInfo {
    std::string document;
    std::chrono::sys_seconds time{};
    bool operator==(const RecoveryInfo&) const = default;
};

// The text of a recovery copy of keypad (its selection is kept).
std::string RecoveryText(const TKeypadClass& keypad, const RecoveryInfo& info);

// Reads a recovery copy's text into keypad as ReadDefinition does. Throws FileError when the text is
// no recovery copy (no recovery document and valid time) or its definition cannot
// be read; keypad then stays as it was.
RecoveryInfo ReadRecovery(TKeypadClass& keypad, const IniFile& ini);

// This program's own recovery copy, in a folder shared with other running programs. Its file is named
// after the document and instance (a text naming this process uniquely, such as its process number and
// a random part), and locked (FileLock) while the copy exists, so that another program never takes it
// for one left behind. Removed when destroyed.
class RecoveryCopy final {
public:
    RecoveryCopy(std::filesystem::path folder, std::string instance);
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;
    ~RecoveryCopy();

    // Writes the copy of keypad durably (WriteFileAtomically), creating the folder when missing. A copy
    // for another document replaces the previous one. Throws FileError; the previous copy then stays.
    void Write(const TKeypadClass& keypad, const RecoveryInfo& info);
    // Removes the copy and its lock; nothing when there is none.
    void Remove() noexcept;
    // The copy's file; empty while there is none.
    const std::filesystem::path& Path() const { return fPath; }

private:
    std::filesystem::path fFolder;
    std::string fInstance;
    std::filesystem::path fPath;
    std::optional<FileLock> fLock;
};

// A recovery copy that a program left behind when it ended without removing it, claimed by this one:
// its lock is held, so no other program offers it at the same time.
struct LeftRecovery {
    std::filesystem::path path;
    RecoveryInfo info;
    IniFile text;
    FileLock lock;

    // Reads the copy's definition into keypad (ReadRecovery).
    void RestoreInto(TKeypadClass& keypad) const;
    // Removes the copy and its lock.
    void Discard();
};

// The newest recovery copy in folder whose program has ended, claimed; nothing when there is none (a
// missing folder costs one status call). A copy that cannot be read is of no use and is removed, and
// so are lock files left without a copy. The other copies stay for a later start.
std::optional<LeftRecovery> ClaimLeftRecovery(const std::filesystem::path& folder);
