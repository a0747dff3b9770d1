// The main window's tests run with the program's own application object, so errors that escape a
// handler reach the same top-level report as in the program.
#include "tests/ui/main/TestSuites.h"
#include "ui/main/Application.h"

int main(int argc, char** argv) {
    TKeywright24Application application(argc, argv);
    int failed = 0;
    for (auto* suite : {&RunProgramStartTests, &RunKeypadTests, &RunMacroViewTests, &RunPicturesTests})
        failed += suite(argc, argv);
    return failed == 0 ? 0 : 1;
}
