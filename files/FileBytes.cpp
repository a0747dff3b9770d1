#include "files/FileBytes.h"

#include "files/FileError.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <random>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include "files/WindowsApi.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::error_code systemError(int error) {
    return {error != 0 ? error : static_cast<int>(std::errc::io_error), std::generic_category()};
}

std::string reasonText(int error) {
    return systemError(error).message();
}

FileSteps realSteps;
FileSteps* steps = &realSteps;

// The file a write to path really changes (the target of a symbolic link, else path itself) and its
// status. For anything but a link the status of path itself is the one wanted, so one call serves.
std::pair<fs::path, fs::file_status> writeTarget(const fs::path& path) {
    std::error_code error;
    const fs::file_status own = fs::symlink_status(path, error);
    if (!fs::is_symlink(own))
        return {path, own};
    fs::path target = fs::weakly_canonical(path, error);
    if (error)
        target = path;
    fs::file_status status = fs::status(target, error);
    return {std::move(target), status};
}

fs::path temporaryPathBeside(const fs::path& path) {
    static std::mt19937_64 generator{std::random_device{}()};
    static constexpr char digits[] = "0123456789abcdef";
    for (;;) {
        std::string suffix;
        for (std::uint64_t bits = generator(), i = 0; i < 12; ++i, bits >>= 4)
            suffix += digits[bits & 0xF];
        fs::path name = ".";
        name += path.filename();
        name += "." + suffix + ".tmp";
        fs::path candidate = path;
        candidate.replace_filename(name);
        std::error_code error;
        if (!fs::exists(candidate, error))
            return candidate;
    }
}

// Removes the temporary file unless it was renamed into place.
class TemporaryFile final {
public:
    explicit TemporaryFile(fs::path path)
        : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!committed_) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }
    const fs::path& path() const { return path_; }
    void commit() { committed_ = true; }

private:
    fs::path path_;
    bool committed_ = false;
};

} // namespace

FileLook LookAtFile(const fs::path& path) {
    FileLook look;
#ifndef _WIN32
    // One stat call gives the type and the size that std::filesystem would ask for separately.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        const int error = errno;
        look.error = systemError(error);
        // As std::filesystem::status reports them.
        if (error == ENOENT || error == ENOTDIR)
            look.type = fs::file_type::not_found;
        return look;
    }
    const mode_t mode = status.st_mode;
    look.type = S_ISREG(mode)    ? fs::file_type::regular
                : S_ISDIR(mode)  ? fs::file_type::directory
                : S_ISCHR(mode)  ? fs::file_type::character
                : S_ISBLK(mode)  ? fs::file_type::block
                : S_ISFIFO(mode) ? fs::file_type::fifo
                : S_ISSOCK(mode) ? fs::file_type::socket
                                 : fs::file_type::unknown;
    if (look.type == fs::file_type::regular)
        look.size = static_cast<std::uintmax_t>(status.st_size);
#else
    look.type = fs::status(path, look.error).type();
    if (!look.error && look.type == fs::file_type::regular) {
        std::error_code error;
        const std::uintmax_t size = fs::file_size(path, error);
        look.size = error ? 0 : size;
    }
#endif
    return look;
}

std::string ReadFileBytes(const fs::path& path, std::uintmax_t maxBytes) {
    return ReadFileBytes(path, maxBytes, LookAtFile(path));
}

std::string ReadFileBytes(const fs::path& path, std::uintmax_t maxBytes, const FileLook& look) {
    const auto failReading = [&path](const std::string& reason) {
        throw FileError("Unable to read " + PathText(path) + ": " + reason);
    };
    const auto failTooLarge = [&](const std::string& size) {
        failReading("File too large (" + size + " bytes, the limit is " + std::to_string(maxBytes) + ")");
    };
    const bool regular = look.type == fs::file_type::regular;
    if (look.type == fs::file_type::directory)
        failReading(std::make_error_code(std::errc::is_a_directory).message());
    // Opening a pipe would wait for a writer, and a device may never end.
    if (!look.error && !regular)
        failReading("Not a regular file");
    if (regular && look.size > maxBytes)
        failTooLarge(std::to_string(look.size));

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        failReading(reasonText(errno));
    // Read straight into the result: first room for the whole file and one byte more, so that one read
    // normally meets its end. The file may have grown since its size was taken: never hold more than
    // the limit and one chunk.
    constexpr std::size_t chunk = 65536;
    std::string bytes;
    std::size_t filled = 0;
    std::size_t room = regular ? static_cast<std::size_t>(look.size) + 1 : chunk;
    for (;;) {
        bytes.resize(filled + room);
        in.read(bytes.data() + filled, static_cast<std::streamsize>(room));
        filled += static_cast<std::size_t>(in.gcount());
        if (filled > maxBytes)
            failTooLarge("more than " + std::to_string(maxBytes));
        if (!in)
            break;
        room = chunk;
    }
    if (in.bad())
        failReading(reasonText(errno));
    bytes.resize(filled);
    return bytes;
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    const auto [target, existing] = writeTarget(path);
    std::error_code error;
    // Windows refuses a folder with "Permission denied"; say what it is, as on other systems.
    if (fs::is_directory(target))
        ThrowUnableToWrite(path, std::make_error_code(std::errc::is_a_directory).message());
    const bool replacing = fs::exists(existing);
    if (replacing) {
        // Opening for appending writes nothing but asks the system for the right to write.
        errno = 0;
        std::ofstream probe(target, std::ios::binary | std::ios::app);
        if (!probe)
            ThrowUnableToWrite(path, reasonText(errno));
    }

    TemporaryFile temporary(temporaryPathBeside(target));
    if (const std::error_code written = steps->WriteNewFile(temporary.path(), bytes))
        ThrowUnableToWrite(path, written.message());
    if (replacing)
        fs::permissions(temporary.path(), existing.permissions(), error);
    // The data must be on the disk before the name points at it: a rename that reaches the disk first
    // would, after a power cut, leave an empty or zero-filled file where the previous one stood.
    if (const std::error_code flushed = steps->FlushFile(temporary.path()))
        ThrowUnableToWrite(path, flushed.message());
    if (const std::error_code renamed = steps->Rename(temporary.path(), target))
        ThrowUnableToWrite(path, renamed.message());
    temporary.commit();
    const fs::path folder = target.parent_path();
    if (const std::error_code flushed = steps->FlushFolder(folder.empty() ? fs::path(".") : folder))
        ThrowUnableToWrite(path, flushed.message());
}

std::error_code FileSteps::WriteNewFile(const fs::path& path, std::string_view bytes) {
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return systemError(errno);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? std::error_code() : systemError(errno);
}

#ifdef _WIN32

namespace {
std::error_code lastWindowsError() {
    return {static_cast<int>(::GetLastError()), std::system_category()};
}
} // namespace

std::error_code FileSteps::FlushFile(const fs::path& path) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastWindowsError();
    const std::error_code error = ::FlushFileBuffers(file) ? std::error_code() : lastWindowsError();
    ::CloseHandle(file);
    return error;
}

std::error_code FileSteps::Rename(const fs::path& from, const fs::path& to) {
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return lastWindowsError();
}

std::error_code FileSteps::FlushFolder(const fs::path&) {
    return {};
}

#else

namespace {

// Some file systems (certain network and FUSE ones) cannot flush at all and say so; there is nothing
// more a program can do there, so such a flush is not a failed write.
bool flushUnsupported(int error) {
    return error == EINVAL || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS;
}

std::error_code flushOpened(int descriptor) {
    int result;
#ifdef __APPLE__
    // fsync leaves the data in the drive's own cache there; F_FULLFSYNC asks the drive too.
    result = ::fcntl(descriptor, F_FULLFSYNC);
    if (result != 0)
#endif
        do
            result = ::fsync(descriptor);
        while (result != 0 && errno == EINTR);
    const int error = result != 0 ? errno : 0;
    ::close(descriptor);
    return error == 0 || flushUnsupported(error) ? std::error_code() : systemError(error);
}

} // namespace

std::error_code FileSteps::FlushFile(const fs::path& path) {
    // fsync flushes the file, not just what went through one descriptor, so a new one serves.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return systemError(errno);
    return flushOpened(descriptor);
}

std::error_code FileSteps::Rename(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    return error;
}

std::error_code FileSteps::FlushFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        // A folder one may write in but not read (write and search rights only) cannot be opened to be
        // flushed; the rename in it has been made all the same.
        return error == EACCES || flushUnsupported(error) ? std::error_code() : systemError(error);
    }
    return flushOpened(descriptor);
}

#endif

ScopedFileSteps::ScopedFileSteps(FileSteps& replacement)
    : previous_(steps) {
    steps = &replacement;
}

ScopedFileSteps::~ScopedFileSteps() {
    steps = previous_;
}
