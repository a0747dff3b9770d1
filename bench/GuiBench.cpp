// The main window's macro view on an offscreen application: redrawing it from the definition, one
// on-screen key click (AddData with the redraw it causes), driven through the real button, and one
// character typed into the grid of a full definition, with and without the overview and the preview
// open beside the window.
#include "bench/FullDefinition.h"
#include "platform/FileDialog.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "ui/main/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

// A shown main window on its own empty documents folder, message boxes answered instead of shown.
class BenchWindow final {
public:
    BenchWindow() {
        if (!documents_.isValid())
            throw std::runtime_error("cannot make a temporary documents folder");
        Folders::setDocumentsForTests(documents_.path());
        MessageBox::setTestMode(true);
        FileDialog::setTestMode(true);
        window = std::make_unique<TfrmMain>(QStringList{});
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            throw std::runtime_error("the main window was not shown");
        QCoreApplication::processEvents();
    }
    ~BenchWindow() {
        window.reset();
        Folders::setDocumentsForTests(std::nullopt);
    }
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    void clearMacro() {
        TKeypadClass& keypad = window->GetKeypad();
        while (keypad.RemoveKey(0)) {
        }
        window->CopyDataToScreen(0);
        QCoreApplication::processEvents();
    }

private:
    QTemporaryDir documents_;

public:
    std::unique_ptr<TfrmMain> window;
};

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
    TKeypadClass& keypad = bench.window->GetKeypad();
    FillFullDefinition(keypad);
    keypad.SetKey(0);
    keypad.SetLevel(0);
    bench.clearMacro();
    if (withViewWindows)
        for (const QString& command : {u"OverviewMenuItem"_s, u"PreviewMenuItem"_s}) {
            bench.window->findChild<QAction*>(command)->trigger();
            QCoreApplication::processEvents();
        }
    auto* grid = bench.window->findChild<QWidget*>(u"Grid"_s);
    for (auto _ : state) {
        if (keypad.CodeCount() >= MacroCapacityBytes) {
            state.PauseTiming();
            bench.clearMacro();
            state.ResumeTiming();
        }
        QTest::keyClick(grid, Qt::Key_1);
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
