// Writes the full definition the benchmarks use to the file named on the command line.
#include "bench/FullDefinition.h"
#include "files/DefinitionFile.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_full_definition FILE.ckd\n");
        return 2;
    }
    TKeypadClass keypad;
    FillFullDefinition(keypad);
    ToggleShiftSlots slots;
    WriteDefinitionFile(keypad, argv[1], slots);
    return 0;
}
