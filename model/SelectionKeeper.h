#pragma once

#include "model/KeypadClass.h"

#include <cstdint>

// Puts the key and level selection of a keypad back as it was, however the scope is left.
class SelectionKeeper final {
public:
    explicit SelectionKeeper(TKeypadClass& keypad)
        : fKeypad(keypad)
        , fKey(keypad.Key())
        , fLevel(keypad.Level()) {}
    SelectionKeeper(const SelectionKeeper&) = delete;
    SelectionKeeper& operator=(const SelectionKeeper&) = delete;
    ~SelectionKeeper() {
        fKeypad.SetKey(fKey);
        fKeypad.SetLevel(fLevel);
    }

private:
    TKeypadClass& fKeypad;
    std::uint8_t fKey;
    std::uint8_t fLevel;
};
