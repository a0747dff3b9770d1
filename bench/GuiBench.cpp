// The main window's macro view on an offscreen application: redrawing it from the definition, one
// on-screen key click (AddData with the redraw it causes), driven through the real button, and one
// character typed into the grid of a full definition, with and without the overview and the preview
// open beside the window.
#include "bench/BenchWindow.h"
#include "bench/FullDefinition.h"
#include "ui/main/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

void CopyDataToScreen(benchmark::State& state) {
    BenchWindow bench;
    FillFullDefinition(bench.window->GetKeypad());
    bench.window->GetKeypad().SetKey(0);
    bench.window->GetKeypad().SetLevel(0);
    for (auto _ : state)
        bench.window->CopyDataToScreen(0);
}
BENCHMARK(CopyDataToScreen);

// The macro holds 100 bytes: it is emptied (untimed) whenever it fills up.
void AddDataWithRedraw(benchmark::State& state) {
    BenchWindow bench;
    auto* key = bench.window->findChild<QAbstractButton*>(u"SpeedButton31"_s); // "1"
    if (key == nullptr)
        throw std::runtime_error("no on-screen key SpeedButton31");
    TKeypadClass& keypad = bench.window->GetKeypad();
    for (auto _ : state) {
        if (keypad.CodeCount() >= MacroCapacityBytes) {
            state.PauseTiming();
            bench.clearMacro();
            state.ResumeTiming();
        }
        QTest::mouseClick(key, Qt::LeftButton);
        QCoreApplication::processEvents(); // the repaint the click scheduled
    }
}
BENCHMARK(AddDataWithRedraw);

// One character typed into the grid of a full definition, with everything it causes handled before the
// next: the redraw of the macro view, the step of the history and, with the View windows open, the
// redraw of the overview (every key of the definition, with the checker) and of the preview.
void TypedInsertion(benchmark::State& state, bool withViewWindows) {
    BenchWindow bench;
    QWidget& grid = bench.startTyping(withViewWindows);
    const TKeypadClass& keypad = bench.window->GetKeypad();
    for (auto _ : state) {
        if (keypad.CodeCount() >= MacroCapacityBytes) {
            state.PauseTiming();
            bench.clearMacro();
            state.ResumeTiming();
        }
        QTest::keyClick(&grid, Qt::Key_1);
        QCoreApplication::processEvents(); // the redraws and repaints the key caused
    }
}
BENCHMARK_CAPTURE(TypedInsertion, AloneInTheWindow, false);
BENCHMARK_CAPTURE(TypedInsertion, WithOverviewAndPreview, true);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
