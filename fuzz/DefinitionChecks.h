#pragma once

// Invariants of the keypad definition that every fuzz target checks.
#include "fuzz/FuzzCheck.h"
#include "model/KeypadClass.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The code values of a macro, up to its closing -1.
inline std::vector<std::int32_t> MacroCodes(const TMacroData& macro) {
    std::vector<std::int32_t> values;
    for (const std::int32_t value : macro.Values) {
        if (value == CodeValue::Empty)
            break;
        values.push_back(value);
    }
    return values;
}

// A macro is a run of code values without gaps, closed by -1, of at most 100 values.
inline void CheckMacro(const TMacroData& macro) {
    std::size_t end = 0;
    while (end < macro.Values.size() && macro.Values[end] != CodeValue::Empty) {
        FUZZ_CHECK(macro.Values[end] >= 0);
        ++end;
    }
    FUZZ_CHECK(end <= 100);
    for (std::size_t i = end; i < macro.Values.size(); ++i)
        FUZZ_CHECK(macro.Values[i] == CodeValue::Empty);
}

// Whether two definitions hold the same key types, macros, names, auto-repeat flags and parameters:
// everything a definition file carries.
inline bool SameDefinition(const TKeypadClass& a, const TKeypadClass& b) {
    return a.keys == b.keys && a.Parameters() == b.Parameters();
}
