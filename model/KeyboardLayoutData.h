#pragma once

#include <array>
#include <cstdint>

// The keyboard layouts' tables, generated when building. For each key code of a US keyboard's
// character keys: what the key types on the layout at the levels plain, Shift, AltGr, AltGr+Shift.
// 0 = nothing; a value with LayoutDeadKey set is a dead key, whose mark is in the low bits.
inline constexpr int LayoutKeyCount = 58; // key codes 0 to 57 hold every character key
inline constexpr std::uint32_t LayoutDeadKey = 0x80000000u;

struct LayoutKey {
    std::array<std::uint32_t, 4> levels;
};
using LayoutKeys = std::array<LayoutKey, LayoutKeyCount>;

struct LayoutTable {
    const char* name;
    const LayoutKeys& keys;
};

inline constexpr int LayoutTableCount = 24;
extern const std::array<LayoutTable, LayoutTableCount> LayoutTables;
