// Types three full macros (300 characters) into the grid of a full definition, each character with
// everything it causes handled before the next, for counting instructions rather than timing them:
//   valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*typeAMacro*' typed_characters
// (with --with-view-windows after the program's name for the overview and the preview open), then
// divide the total callgrind_annotate gives by 300. Unlike a timed benchmark, the count is the same
// from run to run and on a busy machine, so two builds can be compared by it.
#include "bench/BenchWindow.h"
#include "model/KeypadClass.h"

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

constexpr int Macros = 3;

// Fills the emptied selected macro with 100 typed characters. Kept out of line so that a profiler can
// count it alone.
[[gnu::noinline]] void typeAMacro(QWidget& grid) {
    for (int i = 0; i < MacroCapacityBytes; ++i) {
        QTest::keyClick(&grid, Qt::Key_1);
        QCoreApplication::processEvents();
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const bool withViewWindows = argc > 1 && std::strcmp(argv[1], "--with-view-windows") == 0;
    try {
        BenchWindow bench;
        QWidget& grid = bench.startTyping(withViewWindows);
        for (int macro = 0; macro < Macros; ++macro) {
            typeAMacro(grid);
            bench.clearMacro();
        }
        std::printf("%d characters typed\n", Macros * MacroCapacityBytes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "typed_characters: %s\n", error.what());
        return 1;
    }
    return 0;
}
