#include "bench/FullDefinition.h"
#include "files/CodeString.h"
#include "files/DefinitionFile.h"

#include <benchmark/benchmark.h>

namespace {

void InsertKeyIntoEmptyMacro(benchmark::State& state) {
    TKeypadClass keypad;
    for (auto _ : state) {
        keypad.keys[0].Macro[0].Values.fill(CodeValue::Empty);
        std::int32_t position = 0;
        for (int i = 0; i < 100; ++i)
            keypad.InsertKey(position, 30); // key "a", at the front: the worst case moves every value
        benchmark::DoNotOptimize(keypad.keys[0].Macro[0].Values.data());
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(InsertKeyIntoEmptyMacro);

void RemoveKeyFromFullMacro(benchmark::State& state) {
    TKeypadClass full;
    FillFullDefinition(full);
    TKeypadClass keypad = full;
    for (auto _ : state) {
        keypad.keys[0].Macro[0] = full.keys[0].Macro[0];
        while (keypad.RemoveKey(0)) {
        }
        benchmark::DoNotOptimize(keypad.keys[0].Macro[0].Values.data());
    }
    state.SetItemsProcessed(state.iterations() * 97);
}
BENCHMARK(RemoveKeyFromFullMacro);

void CodeCountOfFullMacro(benchmark::State& state) {
    TKeypadClass keypad;
    FillFullDefinition(keypad);
    for (auto _ : state)
        benchmark::DoNotOptimize(keypad.CodeCount());
}
BENCHMARK(CodeCountOfFullMacro);

void MakeCodesOfFullMacro(benchmark::State& state) {
    TKeypadClass keypad;
    FillFullDefinition(keypad);
    for (auto _ : state)
        benchmark::DoNotOptimize(keypad.MakeCodes());
}
BENCHMARK(MakeCodesOfFullMacro);

void LoadCodeStringOfFullMacro(benchmark::State& state) {
    TKeypadClass keypad;
    FillFullDefinition(keypad);
    const std::string codes = keypad.MakeCodes();
    for (auto _ : state) {
        keypad.keys[0].Macro[0].Values.fill(CodeValue::Empty);
        LoadCodeString(keypad, codes);
        benchmark::DoNotOptimize(keypad.keys[0].Macro[0].Values.data());
    }
}
BENCHMARK(LoadCodeStringOfFullMacro);

} // namespace
