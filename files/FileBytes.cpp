#include "files/FileBytes.h"

#include "files/FileError.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <random>
#include <system_error>
#include <utility>

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

[[noreturn]] void failWriting(const fs::path& path, const std::string& reason) {
    throw FileError("Unable to write to " + PathText(path) + ": " + reason);
}

// The file a write to path really changes: the target of a symbolic link, else path itself.
fs::path writeTarget(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path target = fs::weakly_canonical(path, error);
    return error ? path : target;
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

std::string ReadFileBytes(const fs::path& path, std::uintmax_t maxBytes) {
    const auto failReading = [&path](const std::string& reason) {
        throw FileError("Unable to read " + PathText(path) + ": " + reason);
    };
    const auto failTooLarge = [&](const std::string& size) {
        failReading("File too large (" + size + " bytes, the limit is " + std::to_string(maxBytes) + ")");
    };
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::directory)
        failReading(std::make_error_code(std::errc::is_a_directory).message());
    // Opening a pipe would wait for a writer, and a device may never end.
    if (!error && status.type() != fs::file_type::regular)
        failReading("Not a regular file");
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > maxBytes)
        failTooLarge(std::to_string(size));

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        failReading(reasonText(errno));
    std::string bytes;
    if (!error)
        bytes.reserve(static_cast<std::size_t>(size));
    // The file may have grown since its size was taken: never hold more than the limit and one chunk.
    std::array<char, 65536> chunk;
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0) {
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > maxBytes)
            failTooLarge("more than " + std::to_string(maxBytes));
    }
    if (in.bad())
        failReading(reasonText(errno));
    return bytes;
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    const fs::path target = writeTarget(path);
    std::error_code error;
    const fs::file_status existing = fs::status(target, error);
    const bool replacing = fs::exists(existing);
    if (replacing) {
        // Opening for appending writes nothing but asks the system for the right to write.
        errno = 0;
        std::ofstream probe(target, std::ios::binary | std::ios::app);
        if (!probe)
            failWriting(path, reasonText(errno));
    }

    TemporaryFile temporary(temporaryPathBeside(target));
    if (const std::error_code written = steps->WriteNewFile(temporary.path(), bytes))
        failWriting(path, written.message());
    if (replacing)
        fs::permissions(temporary.path(), existing.permissions(), error);
    if (const std::error_code renamed = steps->Rename(temporary.path(), target))
        failWriting(path, renamed.message());
    temporary.commit();
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

std::error_code FileSteps::Rename(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    return error;
}

ScopedFileSteps::ScopedFileSteps(FileSteps& replacement)
    : previous_(steps) {
    steps = &replacement;
}

ScopedFileSteps::~ScopedFileSteps() {
    steps = previous_;
}
