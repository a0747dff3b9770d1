#include "model/KeyTable.h"
#include "model/KeypadClass.h"

#include <algorithm>

bool TKeypadClass::InsertKey(std::int32_t& position, std::int32_t value) {
    const int modifiers = fKeyEntryState ? fKeyEntryState->GetModifiers() : 0;
    const bool pcShiftHeld = fKeyEntryState && fKeyEntryState->IsPcShiftHeld();
    const bool pcCapsLockOn = fKeyEntryState && fKeyEntryState->IsPcCapsLockOn();

    // Negative values are no key codes, and -1 would end the macro early.
    const bool isCommand = value >= 0 && CodeValue::isCommand(value);
    int weight = isCommand ? CodeValue::byteWeight(value) : 1;
    if (value == 3 && (modifiers & ModifierFlag::AnyShift) != 0)
        weight = 2; // the shifted "2" key becomes the "@@" code

    const Extent extent = measure();
    if (extent.bytes + weight > MacroCapacityBytes)
        return false;
    position = std::clamp<std::int32_t>(position, 0, extent.elements);

    const std::int32_t code =
        isCommand ? value : TranslateKeyCode(value, modifiers, pcShiftHeld, pcCapsLockOn);
    if (code < 0)
        return true;
    insertAt(position, extent.elements, code);
    return true;
}
