#include "files/FileLock.h"

#include "files/FileError.h"

#include <cerrno>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include "files/WindowsApi.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

#ifdef _WIN32

std::optional<FileLock> FileLock::TryLock(const fs::path& path) {
    // Others may open and delete the file; only the lock is exclusive.
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        ThrowUnableToWrite(
            path, std::error_code(static_cast<int>(::GetLastError()), std::system_category()).message());
    OVERLAPPED whole{};
    if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        ::CloseHandle(file);
        return std::nullopt;
    }
    return FileLock(path, reinterpret_cast<std::intptr_t>(file));
}

void FileLock::release() {
    if (fHandle != -1)
        ::CloseHandle(reinterpret_cast<HANDLE>(fHandle)); // closing the handle ends its lock
    fHandle = -1;
}

#else

std::optional<FileLock> FileLock::TryLock(const fs::path& path) {
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0)
        ThrowUnableToWrite(path, std::error_code(errno, std::generic_category()).message());
    // flock rather than fcntl locks: those belong to the process, so a second lock taken by the same
    // process would succeed, and closing any descriptor of the file would end them.
    int result;
    do
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(descriptor);
        return std::nullopt;
    }
    return FileLock(path, descriptor);
}

void FileLock::release() {
    if (fHandle != -1)
        ::close(static_cast<int>(fHandle)); // closing the last descriptor ends its lock
    fHandle = -1;
}

#endif

FileLock::FileLock(FileLock&& other) noexcept
    : fPath(std::move(other.fPath))
    , fHandle(std::exchange(other.fHandle, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        fPath = std::move(other.fPath);
        fHandle = std::exchange(other.fHandle, -1);
    }
    return *this;
}

FileLock::~FileLock() {
    release();
}

void FileLock::RemoveAndRelease() {
    std::error_code ignored;
    fs::remove(fPath, ignored);
    release();
}
