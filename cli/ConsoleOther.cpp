#include "cli/Console.h"

// Elsewhere the arguments are bytes (UTF-8 on every current system) and output is written unchanged.
void PrepareConsole() {}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return {argv, argv + argc};
}
