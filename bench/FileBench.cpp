// File work beside its floor: what reading or writing the same bytes costs without any parsing.
#include "bench/FullDefinition.h"
#include "files/DefinitionFile.h"
#include "files/DownloadImage.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAndRename(const fs::path& path, const std::string& bytes) {
    const fs::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    fs::rename(temporary, path);
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
        writeAndRename(target, bytes);
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
        writeAndRename(target, bytes);
}
BENCHMARK(WriteImageFloor);

} // namespace
