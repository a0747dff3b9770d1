#pragma once

#include "model/KeypadClass.h"

#include <array>
#include <string>

// What one key's printed label shows.
struct KeyLabel {
    std::array<std::string, LevelCount> lines; // level 1 above, level 2 below (UTF-8)
    TKeyType type = ktNormal;
};

// The labels of all 24 keys: each level's macro name, or for an unnamed macro the first characters it
// types (or the first step's name, "Enter", when it starts with no plain character). The selection of
// keypad is kept.
std::array<KeyLabel, KeyCount> KeyLabels(TKeypadClass& keypad);
