// File work beside its floor: what reading or writing the same bytes costs without any parsing (writing
// durably, as every save does).
#include "bench/FullDefinition.h"
#include "files/DefinitionFile.h"
#include "files/DownloadImage.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void flushAndClose(int descriptor) {
    if (descriptor < 0 || ::fsync(descriptor) != 0)
        throw std::runtime_error("cannot flush");
    ::close(descriptor);
}

// What any durable save of the bytes costs: written to a temporary file, flushed to the disk, renamed
// over path, and the folder flushed.
void writeFlushAndRename(const fs::path& path, const std::string& bytes) {
    const fs::path temporary = path.string() + ".tmp";
    const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0 || ::write(out, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("cannot write");
    flushAndClose(out);
    fs::rename(temporary, path);
    flushAndClose(::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

struct SavedDefinition {
    BenchFolder folder;
    TKeypadClass keypad;
    ToggleShiftSlots slots;
    fs::path definition = folder.path() / "full.ckd";
    fs::path image = folder.path() / "full.hex";
    SavedDefinition() {
        FillFullDefinition(keypad);
        WriteDefinitionFile(keypad, definition, slots);
    }
};

void ReadDefinition(benchmark::State& state) {
    SavedDefinition saved;
    TKeypadClass keypad;
    for (auto _ : state)
        ReadDefinitionFile(keypad, saved.definition);
}
BENCHMARK(ReadDefinition);

void ReadDefinitionFloor(benchmark::State& state) {
    SavedDefinition saved;
    for (auto _ : state) {
        const std::string bytes = readAll(saved.definition);
        std::vector<std::string_view> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
            lines.emplace_back(bytes.data() + start, end - start);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(ReadDefinitionFloor);

void WriteDefinitionNewFile(benchmark::State& state) {
    SavedDefinition saved;
    const fs::path fresh = saved.folder.path() / "fresh.ckd";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(fresh);
        state.ResumeTiming();
        WriteDefinitionFile(saved.keypad, fresh, saved.slots);
    }
}
BENCHMARK(WriteDefinitionNewFile);

void WriteDefinitionInPlace(benchmark::State& state) {
    SavedDefinition saved;
    for (auto _ : state)
        WriteDefinitionFile(saved.keypad, saved.definition, saved.slots);
}
BENCHMARK(WriteDefinitionInPlace);

void WriteDefinitionFloor(benchmark::State& state) {
    SavedDefinition saved;
    const std::string bytes = readAll(saved.definition);
    const fs::path target = saved.folder.path() / "floor.ckd";
    for (auto _ : state)
        writeFlushAndRename(target, bytes);
}
BENCHMARK(WriteDefinitionFloor);

void WriteImage(benchmark::State& state) {
    SavedDefinition saved;
    for (auto _ : state)
        WriteDownloadImage(saved.keypad, saved.image, saved.slots, {});
}
BENCHMARK(WriteImage);

void WriteImageFloor(benchmark::State& state) {
    SavedDefinition saved;
    WriteDownloadImage(saved.keypad, saved.image, saved.slots, {});
    const std::string bytes = readAll(saved.image);
    const fs::path target = saved.folder.path() / "floor.hex";
    for (auto _ : state)
        writeFlushAndRename(target, bytes);
}
BENCHMARK(WriteImageFloor);

} // namespace
