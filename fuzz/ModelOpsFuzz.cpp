// Drives the keypad definition with a sequence of edits and checks its invariants after every step.
#include "fuzz/DefinitionChecks.h"
#include "model/KeypadClass.h"
#include "tests/support/FakeKeyEntryState.h"

#include <cstddef>
#include <cstdint>

namespace {

struct ByteReader {
    const std::uint8_t* data;
    std::size_t size;
    bool empty() const { return size == 0; }
    std::uint8_t next() {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
    std::int32_t nextValue() {
        // Mostly key codes and bytes, sometimes commands or wide characters.
        const std::uint8_t kind = next();
        const std::int32_t low = next();
        switch (kind % 6) {
        case 0: return 0x1000 + low;
        case 1: return 0x2000 + low;
        case 2: return 0x4000 + low;
        case 3: return (next() << 8 | low) * (kind & 0x80 ? -1 : 1);
        default: return low % 120;
        }
    }
};

// Edits touch only the selected macro, so that is the one checked after every step.
void checkInvariants(const TKeypadClass& keypad) {
    FUZZ_CHECK(keypad.Key() < KeyCount && keypad.Level() < LevelCount);
    CheckMacro(keypad.SelectedMacro());
    FUZZ_CHECK(keypad.NumOfElements() <= 100);
    // The code string holds exactly two digits per keypad byte.
    FUZZ_CHECK(keypad.MakeCodes().size() == 2 * static_cast<std::size_t>(keypad.CodeCount()));
    FUZZ_CHECK(keypad.CodeCount() <= 102);
    for (std::int32_t i = 0; i <= keypad.NumOfElements(); ++i)
        FUZZ_CHECK(!keypad.GetDisplayValue(i).empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeKeyEntryState state;
    TKeypadClass keypad;
    keypad.SetKeyEntryState(&state);
    ByteReader in{data, size};
    while (!in.empty()) {
        const std::uint8_t op = in.next();
        const std::int32_t before = keypad.CodeCount();
        const std::uint8_t countBefore = keypad.NumOfElements();
        std::int32_t position = static_cast<std::int8_t>(in.next()) * 2;
        const std::int32_t positionBefore = position;
        switch (op % 9) {
        case 0:
        case 1: {
            const bool inserted = keypad.InsertKey(position, in.nextValue());
            FUZZ_CHECK(keypad.CodeCount() <= 100 || keypad.CodeCount() == before);
            if (!inserted)
                FUZZ_CHECK(position == positionBefore && keypad.NumOfElements() == countBefore);
            break;
        }
        case 2: {
            const bool inserted = keypad.InsertByte(position, in.nextValue());
            if (!inserted)
                FUZZ_CHECK(before + 1 > 100 && position == positionBefore);
            break;
        }
        case 3:
            if (keypad.RemoveKey(static_cast<std::uint8_t>(position)))
                FUZZ_CHECK(keypad.NumOfElements() + 1 == countBefore && keypad.CodeCount() < before);
            else
                FUZZ_CHECK(keypad.NumOfElements() == countBefore);
            break;
        case 4: keypad.SetKey(in.next()); break;
        case 5: keypad.SetLevel(in.next()); break;
        case 6: keypad.SetKeytype(static_cast<TKeyType>(in.next() % 3)); break;
        case 7:
            state.modifiers = in.next() & 0x2F;
            state.pcShiftHeld = (op & 0x10) != 0;
            state.pcCapsLockOn = (op & 0x20) != 0;
            break;
        case 8: keypad.bViewInHex = !keypad.bViewInHex; break;
        }
        checkInvariants(keypad);
    }
    for (const TKeyDataRec& key : keypad.keys)
        for (const TMacroData& macro : key.Macro)
            CheckMacro(macro);
    return 0;
}
