// The floor of making a download image: read one file and write its bytes to another, as a temporary
// file renamed over the target.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: copy_file SOURCE TARGET\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::filesystem::path target = argv[2];
    const std::filesystem::path temporary = target.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            return 1;
    }
    std::filesystem::rename(temporary, target);
    return in.bad() ? 1 : 0;
}
