#include "ui/main/ProgramStart.h"

int main(int argc, char** argv) {
    return RunKeywright24(argc, argv);
}
