#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

// An exclusive lock on a file, held by this process until the lock is destroyed. The system releases
// it when the process ends in any way, also when it is killed, so a lock never outlives its holder.
// Locks are per lock object: a second lock on the same file fails also within one process.
class FileLock final {
public:
    // Opens the file at path, creating it when missing, and locks it without waiting. Nothing when
    // another lock holds it. Throws FileError ("Unable to write to <path>: <reason>") when the file
    // cannot be opened.
    static std::optional<FileLock> TryLock(const std::filesystem::path& path);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    const std::filesystem::path& Path() const { return fPath; }
    // Removes the lock file, then releases the lock. Whoever opened the file before it went and takes
    // the lock now holds a lock on nothing: remove what the lock guards first, and after taking a lock
    // check that it is still there.
    void RemoveAndRelease();

private:
    FileLock(std::filesystem::path path, std::intptr_t handle)
        : fPath(std::move(path))
        , fHandle(handle) {}
    void release();

    std::filesystem::path fPath;
    std::intptr_t fHandle = -1; // a file descriptor, or a Windows handle; -1 when released
};
