#pragma once

#include "model/KeypadClass.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

// Gives a macro of keypad exactly these code values (through InsertByte, as the editor does).
inline void SetMacro(TKeypadClass& keypad, int key, int level, std::initializer_list<std::int32_t> values) {
    keypad.SetKey(static_cast<std::uint8_t>(key));
    keypad.SetLevel(static_cast<std::uint8_t>(level));
    while (keypad.RemoveKey(0)) {
    }
    std::int32_t position = 0;
    for (const std::int32_t value : values)
        ASSERT_TRUE(keypad.InsertByte(position, value));
}

inline std::vector<std::int32_t> MacroValues(const TKeypadClass& keypad, int key, int level) {
    std::vector<std::int32_t> values;
    for (const std::int32_t value :
         keypad.keys[static_cast<std::size_t>(key)].Macro[static_cast<std::size_t>(level)].Values) {
        if (value == CodeValue::Empty)
            break;
        values.push_back(value);
    }
    return values;
}

// Every part of the definition the files carry: key types, macros, names, auto-repeat and parameters.
inline void ExpectSameDefinition(const TKeypadClass& actual, const TKeypadClass& expected) {
    for (int key = 0; key < KeyCount; ++key) {
        const TKeyDataRec& a = actual.keys[static_cast<std::size_t>(key)];
        const TKeyDataRec& e = expected.keys[static_cast<std::size_t>(key)];
        EXPECT_EQ(a.KeyType, e.KeyType) << "key " << key;
        for (int level = 0; level < LevelCount; ++level) {
            const TMacroData& am = a.Macro[static_cast<std::size_t>(level)];
            const TMacroData& em = e.Macro[static_cast<std::size_t>(level)];
            EXPECT_EQ(MacroValues(actual, key, level), MacroValues(expected, key, level))
                << "key " << key << " level " << level;
            EXPECT_EQ(am.Name, em.Name) << "key " << key << " level " << level;
            EXPECT_EQ(am.AutoRepeat, em.AutoRepeat) << "key " << key << " level " << level;
        }
    }
    EXPECT_EQ(actual.DownloadDelay(), expected.DownloadDelay());
    EXPECT_EQ(actual.KeyRollOver(), expected.KeyRollOver());
    EXPECT_EQ(actual.CharacterPacing(), expected.CharacterPacing());
    EXPECT_EQ(actual.LEDBehavior(), expected.LEDBehavior());
    EXPECT_EQ(actual.BaudRate(), expected.BaudRate());
    EXPECT_EQ(actual.WordFormat(), expected.WordFormat());
    EXPECT_EQ(actual.CmdPrefix(), expected.CmdPrefix());
    EXPECT_EQ(actual.OpMode(), expected.OpMode());
    EXPECT_EQ(actual.CdcSerialNo(), expected.CdcSerialNo());
}

// A definition that uses every kind of code value, name and parameter the files carry.
inline TKeypadClass FullDefinition() {
    TKeypadClass keypad;
    keypad.SetDownloadDelay(37);
    keypad.SetKeyRollOver(5);
    keypad.SetCharacterPacing(200);
    keypad.SetLEDBehavior(ledPower);
    keypad.SetBaudRate(8);
    keypad.SetWordFormat(6);
    keypad.SetCmdPrefix(27);
    keypad.SetOpMode(48);
    keypad.SetCdcSerialNo(4321);
    SetMacro(keypad, 0, 0,
             {'H', 'i', 0, 255, 27 + 1, 0x1032, 0x2005, 0x4008, 0x4009, 0x400A, 0x4040, 0x40FF});
    keypad.SetMacroName("Greeting  with blanks");
    keypad.SetCanAutoRepeat(true);
    SetMacro(keypad, 0, 1, {'x', 27}); // the prefix as the last data value reads back as itself
    keypad.SetMacroName(" 'quoted' \xC3\xA9t\xC3\xA9 ");
    SetMacro(keypad, 23, 1, {0x11FF, 0x1E9}); // byte parts above 255, as from characters typed outside ASCII
    keypad.SetMacroName("=;[x]");
    keypad.SetCanAutoRepeat(true);
    keypad.SetKey(4);
    keypad.SetKeytype(ktShift);
    keypad.SetKey(9);
    keypad.SetKeytype(ktToggle);
    keypad.SetKey(7);
    keypad.SetLevel(1);
    return keypad;
}
