#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// What the values of the keypad-wide parameters mean and which of them are valid: one home for the
// properties dialog, the external programs, the file checker and the command-line tool. TKeypadClass
// stores every parameter as the plain number the files carry, valid or not.

// How the keypad meets the host (Operating_Mode).
enum class OperatingMode : std::uint8_t {
    CdcVirtualCom = 0,      // the default: a CDC virtual COM port
    VentrixVirtualCom = 32, // the maker's own virtual COM port
    UsbKeyboard = 48,       // a PC keyboard (USB HID): no port at all
};
inline constexpr std::array<OperatingMode, 3> OperatingModes{
    OperatingMode::CdcVirtualCom, OperatingMode::VentrixVirtualCom, OperatingMode::UsbKeyboard};

inline constexpr std::uint8_t ValueOf(OperatingMode mode) {
    return static_cast<std::uint8_t>(mode);
}

// The bits of Word_Format.
namespace WordFormatBit {
inline constexpr std::uint8_t Parity = 0x02;        // a parity bit
inline constexpr std::uint8_t OddParity = 0x04;     // odd rather than even parity
inline constexpr std::uint8_t EightDataBits = 0x08; // eight data bits, no parity
} // namespace WordFormatBit

// The word formats in the order the properties dialog lists them: data bits, parity, stop bits, and the
// value each stores.
struct WordFormatEntry {
    std::string_view label;
    std::uint8_t value;
};
inline constexpr std::array<WordFormatEntry, 4> WordFormats{{
    {"8,N,1", WordFormatBit::EightDataBits},
    {"7,N,1", 0},
    {"7,E,1", WordFormatBit::Parity},
    {"7,O,1", WordFormatBit::Parity | WordFormatBit::OddParity},
}};

// The entry of WordFormats that a stored value reads as: every byte reads as one of them, by its bits.
inline constexpr std::size_t WordFormatIndex(std::uint8_t value) {
    if ((value & WordFormatBit::EightDataBits) != 0)
        return 0;
    if ((value & WordFormatBit::Parity) == 0)
        return 1;
    return (value & WordFormatBit::OddParity) != 0 ? 3 : 2;
}

// The baud rates, the parameter value being the index into the list.
inline constexpr std::array<std::string_view, 9> BaudRateLabels{"1200",  "2400",  "4800",   "9600",  "19.2k",
                                                                "38.4k", "57.6k", "115.2k", "31.25k"};
// The value stored when no baud rate is chosen.
inline constexpr std::uint8_t NoBaudRate = 255;

// The valid values of the numeric parameters, both ends included.
struct ParameterRange {
    int minimum;
    int maximum;

    constexpr bool contains(std::int64_t value) const { return value >= minimum && value <= maximum; }
};
namespace ParameterRanges {
inline constexpr ParameterRange DownloadDelay{0, 200}; // ms
inline constexpr ParameterRange KeyRollOver{1, 6};
inline constexpr ParameterRange CharacterPacing{0, 200}; // ms
inline constexpr ParameterRange LedBehavior{0, 3};
inline constexpr ParameterRange BaudRate{0, static_cast<int>(BaudRateLabels.size()) - 1};
inline constexpr ParameterRange CommandPrefix{0, 255};
inline constexpr ParameterRange CdcSerialNo{0, 9999};
} // namespace ParameterRanges
