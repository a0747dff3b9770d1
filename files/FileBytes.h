#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

// What one status call finds at a path (symbolic links followed), so that a reader can take every
// decision about a file before opening it without asking the system again.
struct FileLook {
    // not_found when nothing is there; none when the status call failed for another reason.
    std::filesystem::file_type type = std::filesystem::file_type::none;
    std::uintmax_t size = 0; // the size of a regular file, else 0
    std::error_code error;   // the status call's error, set for not_found and none
};
FileLook LookAtFile(const std::filesystem::path& path);

// The whole content of a file of at most maxBytes. Throws FileError ("Unable to read <path>: <reason>")
// when it cannot be read, a missing file included; a larger file and anything but a regular file (a
// folder, a device, a pipe) are refused without being opened.
std::string ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);
// The same with the look at path already taken by the caller.
std::string ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes, const FileLook& look);

// Replaces the file at path with bytes, durably: writes them to a temporary file in the same folder,
// flushes that file's data to the disk, renames it over path and flushes the folder, so that neither a
// failure at any point nor a power cut leaves the file empty or half written: it is the previous file
// or the new one, whole, and no temporary file is left behind. A file that exists but may not be
// written is refused, also where renaming over it would be allowed. A symbolic link is followed, and
// the file keeps its permissions. Throws FileError ("Unable to write to <path>: <reason>"); when only
// the folder's flush failed, the new file is in place but may not survive a power cut.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The steps of WriteFileAtomically that change the file system, each reporting the system's error.
// The real steps are the default; tests put their own in place with ScopedFileSteps to make a step
// fail as a full disk, a folder turned read-only or a refused rename would, or to record their order.
class FileSteps {
public:
    FileSteps() = default;
    FileSteps(const FileSteps&) = delete;
    FileSteps& operator=(const FileSteps&) = delete;
    virtual ~FileSteps() = default;

    // Creates the file at path and writes bytes to it.
    virtual std::error_code WriteNewFile(const std::filesystem::path& path, std::string_view bytes);
    // Flushes the data of the file at path from the system's caches to the disk (fsync; on Windows
    // FlushFileBuffers).
    virtual std::error_code FlushFile(const std::filesystem::path& path);
    // Renames from to to, replacing a file there (on Windows written through to the disk).
    virtual std::error_code Rename(const std::filesystem::path& from, const std::filesystem::path& to);
    // Flushes the folder's entries to the disk, so that a rename in it survives a power cut (fsync on
    // the folder; nothing on Windows, where the rename was written through).
    virtual std::error_code FlushFolder(const std::filesystem::path& folder);
};

// Makes WriteFileAtomically use steps while it lives.
class ScopedFileSteps final {
public:
    explicit ScopedFileSteps(FileSteps& steps);
    ScopedFileSteps(const ScopedFileSteps&) = delete;
    ScopedFileSteps& operator=(const ScopedFileSteps&) = delete;
    ~ScopedFileSteps();

private:
    FileSteps* previous_;
};
