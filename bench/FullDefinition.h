#pragma once

#include "model/KeypadClass.h"

#include <filesystem>
#include <string>

// The largest definition there is: 48 macros of 100 bytes, each with a 25-character name, a mix of
// characters, delays and LED commands.
void FillFullDefinition(TKeypadClass& keypad);

// A scratch folder removed at the end of the run.
class BenchFolder final {
public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    const std::filesystem::path& path() const { return fPath; }

private:
    std::filesystem::path fPath;
};
