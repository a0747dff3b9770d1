#pragma once

#include "model/KeypadClass.h"

#include <cstdint>

// Puts the key and level selection of a keypad back as it was, however the scope is left.
class SelectionKeeper final {
public:
    explicit SelectionKeeper(TKeypadClass& keypad)
        : keypad_(keypad)
        , key_(keypad.Key())
        , level_(keypad.Level()) {}
    SelectionKeeper(const SelectionKeeper&) = delete;
    SelectionKeeper& operator=(const SelectionKeeper&) = delete;
    ~SelectionKeeper() {
        keypad_.SetKey(key_);
        keypad_.SetLevel(level_);
    }

private:
    TKeypadClass& keypad_;
    std::uint8_t key_;
    std::uint8_t level_;
};
