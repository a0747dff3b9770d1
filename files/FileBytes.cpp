#include "files/FileBytes.h"

#include "files/FileError.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

std::string reasonText(int error) {
    return std::generic_category().message(error != 0 ? error : static_cast<int>(std::errc::io_error));
}

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

std::string ReadFileBytes(const fs::path& path) {
    const auto failReading = [&path](const std::string& reason) {
        throw FileError("Unable to read " + PathText(path) + ": " + reason);
    };
    std::error_code error;
    if (fs::is_directory(path, error))
        failReading(std::make_error_code(std::errc::is_a_directory).message());
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        failReading(reasonText(errno));
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        failReading(reasonText(errno));
    return bytes;
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    const fs::path target = writeTarget(path);
    std::error_code error;
    const bool replacing = fs::exists(target, error);
    if (replacing) {
        // Opening for appending writes nothing but asks the system for the right to write.
        errno = 0;
        std::ofstream probe(target, std::ios::binary | std::ios::app);
        if (!probe)
            failWriting(path, reasonText(errno));
    }

    TemporaryFile temporary(temporaryPathBeside(target));
    {
        errno = 0;
        std::ofstream out(temporary.path(), std::ios::binary | std::ios::trunc);
        if (!out)
            failWriting(path, reasonText(errno));
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out)
            failWriting(path, reasonText(errno));
    }
    if (replacing) {
        const fs::perms permissions = fs::status(target, error).permissions();
        if (!error)
            fs::permissions(temporary.path(), permissions, error);
    }
    fs::rename(temporary.path(), target, error);
    if (error)
        failWriting(path, error.message());
    temporary.commit();
}
