// The floor of making a download image: read one file and write its bytes to another durably, as a
// temporary file flushed to the disk and renamed over the target, and the folder flushed.
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {
bool flushAndClose(int descriptor) {
    const bool flushed = descriptor >= 0 && ::fsync(descriptor) == 0;
    if (descriptor >= 0)
        ::close(descriptor);
    return flushed;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: copy_file SOURCE TARGET\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::filesystem::path target = std::filesystem::absolute(argv[2]);
    const std::filesystem::path temporary = target.string() + ".tmp";
    const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0 || ::write(out, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
        !flushAndClose(out))
        return 1;
    std::filesystem::rename(temporary, target);
    if (!flushAndClose(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)))
        return 1;
    return in.bad() ? 1 : 0;
}
