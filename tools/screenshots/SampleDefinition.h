#pragma once

#include "model/KeypadClass.h"

// A few keys with macros, names and key types, so pictures of the window show what it is for. Leaves
// key 0 selected.
inline void FillSampleDefinition(TKeypadClass& keypad) {
    keypad.SetKey(0);
    std::int32_t position = 0;
    for (const char* c = "Hello world"; *c != 0; ++c)
        keypad.InsertByte(position, static_cast<unsigned char>(*c));
    keypad.InsertKey(position, CodeValue::DelayBit + 50);
    keypad.InsertByte(position, 13);
    keypad.InsertKey(position, CodeValue::LedFlash);
    keypad.SetMacroName("Greeting");
    keypad.SetCanAutoRepeat(true);
    keypad.SetKey(20);
    keypad.SetKeytype(ktShift);
    keypad.SetKey(23);
    keypad.SetKeytype(ktToggle);
    keypad.SetKey(0);
}
