#pragma once

#include "model/KeyEntryState.h"
#include "model/TextEncoding.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <string>

// Which keys the keypad plays macros on and which switch its level.
enum TKeyType : std::uint8_t { ktNormal = 0, ktShift = 1, ktToggle = 2 };

// What the keypad's LED shows.
enum TLEDBehavior : std::uint8_t { ledNone = 0, ledLevel = 1, ledHostCtrl = 2, ledPower = 3 };

enum TStorageFormat : std::uint8_t { sfDefault = 0, sfSingleKey = 1 };

enum TModifierKeys : std::uint8_t { mkLShift, mkRShift, mkLCtrl, mkRCtrl, mkLAlt, mkRAlt };

// A set of TModifierKeys, element i in bit i.
using TSetModifierKeys = std::bitset<6>;

// Code value kinds. A macro slot holds a signed 32-bit code value; the first bit test that passes
// decides the kind, in this order.
namespace CodeValue {
inline constexpr std::int32_t Empty = -1;
inline constexpr std::int32_t DelayBit = 0x1000;   // prefix, 1, n  (n x DelayUnitMs)
inline constexpr std::int32_t BeepBit = 0x2000;    // prefix, 2, n
inline constexpr std::int32_t CommandBit = 0x4000; // prefix, n
inline constexpr std::int32_t LedOff = 0x4008;
inline constexpr std::int32_t LedOn = 0x4009;
inline constexpr std::int32_t LedFlash = 0x400A;
inline constexpr std::int32_t AtAt = 0x4040; // the "@@" code: prefix followed by 64
// A delay command n pauses for n times this many milliseconds.
inline constexpr int DelayUnitMs = 4;

inline constexpr bool isDelay(std::int32_t v) {
    return (v & DelayBit) != 0;
}
inline constexpr bool isBeep(std::int32_t v) {
    return !isDelay(v) && (v & BeepBit) != 0;
}
inline constexpr bool isTwoByteCommand(std::int32_t v) {
    return !isDelay(v) && !isBeep(v) && (v & CommandBit) != 0;
}
inline constexpr bool isCommand(std::int32_t v) {
    return (v & (DelayBit | BeepBit | CommandBit)) != 0;
}

// The bytes a code value occupies in the keypad's byte stream.
inline constexpr int byteWeight(std::int32_t v) {
    if ((v & (DelayBit | BeepBit)) != 0)
        return 3;
    return (v & CommandBit) != 0 ? 2 : 1;
}
} // namespace CodeValue

inline constexpr int MacroCapacityBytes = 100;
inline constexpr int MacroSlots = 256;
inline constexpr int KeyCount = 24;
inline constexpr int LevelCount = 2;

struct TMacroData {
    std::array<std::int32_t, MacroSlots> Values;
    TStorageFormat Format = sfDefault;
    bool AutoRepeat = false;
    std::string Name;

    bool operator==(const TMacroData&) const = default;
};

struct TKeyDataRec {
    std::array<TMacroData, LevelCount> Macro;
    TKeyType KeyType = ktNormal;

    bool operator==(const TKeyDataRec&) const = default;
};

// Makes key a normal key with two empty, unnamed macros without auto-repeat, as a new definition has.
void ClearKeyData(TKeyDataRec& key);
// Whether key is as ClearKeyData leaves it.
bool KeyIsClear(const TKeyDataRec& key);

// The keypad-wide parameters as one value, each the plain number the files carry; a new definition
// has the values given here.
struct TKeypadParameters {
    std::int32_t DownloadDelay = 10;
    std::uint8_t KeyRollOver = 2;
    std::uint8_t CharacterPacing = 2;
    TLEDBehavior LEDBehavior = ledNone;
    std::uint8_t BaudRate = 3;
    std::uint8_t WordFormat = 8;
    std::uint8_t CmdPrefix = 64;
    std::uint8_t OpMode = 0;
    std::int32_t CdcSerialNo = 1;

    bool operator==(const TKeypadParameters&) const = default;
};

struct LayoutTable;

// One complete keypad definition: 24 keys with two macros each, the keypad-wide parameters and a
// selection (one key, one level) that every per-macro operation works on.
class TKeypadClass final {
public:
    TKeypadClass();

    // Resets the definition in place; bViewInHex is kept.
    TKeypadClass& Initialize();

    // Where InsertKey reads the modifier flags and the PC keyboard state; null means none active.
    // The source must outlive its use here.
    void SetKeyEntryState(const IKeyEntryState* source) { fKeyEntryState = source; }
    const IKeyEntryState* KeyEntryState() const { return fKeyEntryState; }

    // The keyboard layout of the computer the keypad types on, a per-user choice kept out of the
    // definition; null means US. It matters only in the USB keyboard host mode, so TypingLayout() is
    // the chosen layout there and null in every other mode and for US.
    void SetComputerLayout(const LayoutTable* layout) { fComputerLayout = layout; }
    const LayoutTable* ComputerLayout() const { return fComputerLayout; }
    const LayoutTable* TypingLayout() const;

    // Selection
    std::uint8_t Key() const { return fKey; }
    void SetKey(std::uint8_t value);
    std::uint8_t Level() const { return fLevel; }
    void SetLevel(std::uint8_t value);

    // The selected macro and key, to read.
    const TMacroData& SelectedMacro() const { return keys[fKey].Macro[fLevel]; }
    const TKeyDataRec& SelectedKey() const { return keys[fKey]; }

    // The selected macro
    std::uint8_t NumOfElements() const;
    std::int32_t CodeCount() const;
    std::uint8_t PercentUsed() const;
    std::string MakeCodes() const { return MakeCodes(SelectedMacro()); }
    // The code string of any macro, written with this definition's command prefix.
    std::string MakeCodes(const TMacroData& macro) const;
    bool CanAutoRepeat() const { return SelectedMacro().AutoRepeat; }
    void SetCanAutoRepeat(bool value) { selectedMacro().AutoRepeat = value; }
    std::string GetMacroName() const { return SelectedMacro().Name; }
    bool SetMacroName(const std::string& value);

    // The selected key
    TKeyType Keytype() const { return keys[fKey].KeyType; }
    void SetKeytype(TKeyType value) { keys[fKey].KeyType = value; }

    // Editing the selected macro. position is in and out: a position past the end means append, and
    // afterwards it stands just after the inserted value. A false result means the macro has no room.
    bool InsertKey(std::int32_t& position, std::int32_t value);
    bool InsertByte(std::int32_t& position, std::int32_t value);
    // InsertByte for each value in turn, walking the macro once: false at the first value refused,
    // which, like every later one, is then left out.
    bool InsertBytes(std::int32_t& position, std::span<const std::int32_t> values);
    bool RemoveKey(std::uint8_t position);
    std::int32_t ReadLastKey() const;

    // The macro view's text for the code value at index of the selected macro (UTF-8).
    std::string GetDisplayValue(std::int32_t index) const;
    TSetModifierKeys GetModifierSet(std::uint8_t Index) const;

    // Keypad-wide parameters; setters store unchecked, the dialog and the file reader keep ranges.
    const TKeypadParameters& Parameters() const { return fParameters; }
    void SetParameters(const TKeypadParameters& value) { fParameters = value; }
    std::uint8_t KeyRollOver() const { return fParameters.KeyRollOver; }
    void SetKeyRollOver(std::uint8_t value) { fParameters.KeyRollOver = value; }
    TLEDBehavior LEDBehavior() const { return fParameters.LEDBehavior; }
    void SetLEDBehavior(TLEDBehavior value) { fParameters.LEDBehavior = value; }
    std::uint8_t CharacterPacing() const { return fParameters.CharacterPacing; }
    void SetCharacterPacing(std::uint8_t value) { fParameters.CharacterPacing = value; }
    std::int32_t DownloadDelay() const { return fParameters.DownloadDelay; }
    void SetDownloadDelay(std::int32_t value) { fParameters.DownloadDelay = value; }
    std::uint8_t OpMode() const { return fParameters.OpMode; }
    void SetOpMode(std::uint8_t value) { fParameters.OpMode = value; }
    std::uint8_t CmdPrefix() const { return fParameters.CmdPrefix; }
    void SetCmdPrefix(std::uint8_t value) { fParameters.CmdPrefix = value; }
    std::uint8_t BaudRate() const { return fParameters.BaudRate; }
    void SetBaudRate(std::uint8_t value) { fParameters.BaudRate = value; }
    std::uint8_t WordFormat() const { return fParameters.WordFormat; }
    void SetWordFormat(std::uint8_t value) { fParameters.WordFormat = value; }
    std::int32_t CdcSerialNo() const { return fParameters.CdcSerialNo; }
    void SetCdcSerialNo(std::int32_t value) { fParameters.CdcSerialNo = value; }

    // The encoding of the file the definition was read from or last written to, in which a new file of
    // it is written; Undecided for a new definition and one whose files held plain ASCII only.
    FileEncoding TextEncoding() const { return fTextEncoding; }
    void SetTextEncoding(FileEncoding value) { fTextEncoding = value; }

    // The definition itself. Other layers read these directly; the main window writes bViewInHex.
    std::array<TKeyDataRec, KeyCount> keys;
    std::uint8_t fKey = 0;
    std::uint8_t fLevel = 0;
    TKeypadParameters fParameters;
    bool bViewInHex = false;

private:
    const LayoutTable* fComputerLayout = nullptr;

    // The selected macro's number of code values and bytes, found in one walk.
    struct Extent {
        int elements = 0;
        std::int32_t bytes = 0;
    };
    Extent measure() const;

    TMacroData& selectedMacro() { return keys[fKey].Macro[fLevel]; }
    // Opens a gap at position (already lowered to the macro's end of elements values) and stores
    // value there.
    void insertAt(std::int32_t& position, int elements, std::int32_t value);

    const IKeyEntryState* fKeyEntryState = nullptr;
    FileEncoding fTextEncoding = FileEncoding::Undecided;
};
