// The document commands' and external programs' tests, with the program's own application object so
// that errors escaping a handler reach the same top-level report as in the program.
#include "tests/ui/main/DocumentsSuites.h"
#include "ui/main/Application.h"

int main(int argc, char** argv) {
    TKeywright24Application application(argc, argv);
    int failed = 0;
    for (auto* suite : {&RunDocumentCommandsTests, &RunExternalProgramsTests})
        failed += suite(argc, argv);
    return failed == 0 ? 0 : 1;
}
