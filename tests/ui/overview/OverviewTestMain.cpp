// The overview, preview and key labels tests, with the program's own application object so that
// errors escaping a handler reach the same top-level report as in the program.
#include "tests/ui/overview/OverviewSuites.h"
#include "ui/main/Application.h"

int main(int argc, char** argv) {
    TKeywright24Application application(argc, argv);
    int failed = 0;
    for (auto* suite : {&RunOverviewTests, &RunPreviewTests, &RunKeyLabelsTests})
        failed += suite(argc, argv);
    return failed == 0 ? 0 : 1;
}
