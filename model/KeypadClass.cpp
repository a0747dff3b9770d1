#include "model/KeypadClass.h"

#include <algorithm>

TKeypadClass::TKeypadClass() {
    Initialize();
}

void ClearKeyData(TKeyDataRec& key) {
    key.KeyType = ktNormal;
    for (TMacroData& macro : key.Macro) {
        macro.Values.fill(CodeValue::Empty);
        macro.Format = sfDefault;
        macro.AutoRepeat = false;
        macro.Name.clear();
    }
}

bool KeyIsClear(const TKeyDataRec& key) {
    static const TKeyDataRec clear = [] {
        TKeyDataRec record;
        ClearKeyData(record);
        return record;
    }();
    return key == clear;
}

TKeypadClass& TKeypadClass::Initialize() {
    for (TKeyDataRec& key : keys)
        ClearKeyData(key);
    fKey = 0;
    fLevel = 0;
    SetParameters({});
    fTextEncoding = FileEncoding::Undecided;
    return *this;
}

void TKeypadClass::SetKey(std::uint8_t value) {
    if (value < KeyCount)
        fKey = value;
}

void TKeypadClass::SetLevel(std::uint8_t value) {
    if (value < LevelCount)
        fLevel = value;
}

TKeypadClass::Extent TKeypadClass::measure() const {
    Extent extent;
    for (const std::int32_t value : SelectedMacro().Values) {
        if (value == CodeValue::Empty)
            break;
        ++extent.elements;
        extent.bytes += CodeValue::byteWeight(value);
    }
    return extent;
}

std::uint8_t TKeypadClass::NumOfElements() const {
    return static_cast<std::uint8_t>(measure().elements);
}

std::int32_t TKeypadClass::CodeCount() const {
    return measure().bytes;
}

std::uint8_t TKeypadClass::PercentUsed() const {
    return static_cast<std::uint8_t>(CodeCount() * 100 / MacroCapacityBytes);
}

bool TKeypadClass::SetMacroName(const std::string& value) {
    selectedMacro().Name = value;
    return true;
}

void TKeypadClass::insertAt(std::int32_t& position, int count, std::int32_t value) {
    auto& values = selectedMacro().Values;
    // Slots past the macro hold -1, so shifting by one slot keeps the run closed.
    if (position < count)
        std::copy_backward(values.begin() + position, values.begin() + count, values.begin() + count + 1);
    values[static_cast<std::size_t>(position)] = value;
    ++position;
}

bool TKeypadClass::InsertByte(std::int32_t& position, std::int32_t value) {
    const Extent extent = measure();
    if (extent.bytes + 1 > MacroCapacityBytes)
        return false;
    position = std::clamp<std::int32_t>(position, 0, extent.elements);
    // No code value is negative, and -1 would end the macro early.
    if (value < 0)
        return true;
    insertAt(position, extent.elements, value);
    return true;
}

bool TKeypadClass::InsertBytes(std::int32_t& position, std::span<const std::int32_t> values) {
    auto& slots = selectedMacro().Values;
    Extent extent = measure();
    auto value = values.begin();
    if (value != values.end() && extent.bytes + 1 <= MacroCapacityBytes && position >= extent.elements) {
        // Appending, the common case when a file is read: no slot moves.
        for (; value != values.end() && extent.bytes + 1 <= MacroCapacityBytes; ++value) {
            if (*value < 0)
                continue;
            slots[static_cast<std::size_t>(extent.elements++)] = *value; // the slot held -1
            extent.bytes += CodeValue::byteWeight(*value);
        }
        position = extent.elements;
    }
    for (; value != values.end(); ++value) {
        if (extent.bytes + 1 > MacroCapacityBytes)
            return false;
        position = std::clamp<std::int32_t>(position, 0, extent.elements);
        if (*value < 0)
            continue;
        insertAt(position, extent.elements, *value);
        ++extent.elements;
        extent.bytes += CodeValue::byteWeight(*value);
    }
    return true;
}

bool TKeypadClass::RemoveKey(std::uint8_t position) {
    const int count = NumOfElements();
    if (position >= count)
        return false;
    auto& values = selectedMacro().Values;
    std::copy(values.begin() + position + 1, values.begin() + count, values.begin() + position);
    values[static_cast<std::size_t>(count - 1)] = CodeValue::Empty;
    return true;
}

std::int32_t TKeypadClass::ReadLastKey() const {
    const int count = NumOfElements();
    return count == 0 ? 0 : SelectedMacro().Values[static_cast<std::size_t>(count - 1)];
}

TSetModifierKeys TKeypadClass::GetModifierSet(std::uint8_t /*Index*/) const {
    return {};
}

namespace {
// Writes byte as two lower-case hex digits at out and returns the place after them.
char* putHexByte(char* out, unsigned byte) {
    static constexpr char digits[] = "0123456789abcdef";
    *out++ = digits[(byte >> 4) & 0xF];
    *out++ = digits[byte & 0xF];
    return out;
}
} // namespace

std::string TKeypadClass::MakeCodes(const TMacroData& macro) const {
    // At most three pairs for each of at most MacroSlots values.
    std::string text(6 * MacroSlots, '\0');
    char* out = text.data();
    for (const std::int32_t value : macro.Values) {
        if (value == CodeValue::Empty)
            break;
        // Only the low byte of a value fits its two digits; higher bits come only from characters
        // typed outside ASCII, and the file and image must stay well formed.
        const unsigned low = static_cast<unsigned>(value) & 0xFF;
        if (CodeValue::isCommand(value))
            out = putHexByte(out, CmdPrefix());
        if (CodeValue::isDelay(value))
            out = putHexByte(out, 1);
        else if (CodeValue::isBeep(value))
            out = putHexByte(out, 2);
        out = putHexByte(out, low);
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}
