#pragma once

#include "model/KeypadClass.h"

// A few keys with macros, names and key types, so pictures of the window show what it is for. Leaves
// key 0 selected.
inline void FillSampleDefinition(TKeypadClass& keypad) {
    keypad.SetKey(0);
    std::int32_t position = 0;
    // What the Getting Started tutorial makes on key 1.
    for (const char* c = "Hello, World!"; *c != 0; ++c)
        keypad.InsertByte(position, static_cast<unsigned char>(*c));
    keypad.InsertByte(position, 13);
    keypad.InsertKey(position, CodeValue::DelayBit + 50);
    keypad.InsertKey(position, CodeValue::LedFlash);
    keypad.SetMacroName("Greeting");
    // An address with its "@" entered as a raw byte: the keypad takes it for the command prefix, which
    // the overview and the preview point out.
    keypad.SetKey(1);
    position = 0;
    for (const char* c = "me@example.com"; *c != 0; ++c)
        keypad.InsertByte(position, static_cast<unsigned char>(*c));
    keypad.InsertByte(position, 13);
    keypad.SetMacroName("E-mail");
    keypad.SetKey(2);
    position = 0;
    keypad.InsertByte(position, 3); // Ctrl+C
    keypad.SetMacroName("Copy");
    keypad.SetLevel(1);
    position = 0;
    keypad.InsertByte(position, 22); // Ctrl+V
    keypad.SetMacroName("Paste");
    keypad.SetLevel(0);
    keypad.SetKey(20);
    keypad.SetKeytype(ktShift);
    keypad.SetKey(23);
    keypad.SetKeytype(ktToggle);
    keypad.SetKey(0);
}
