#include "model/KeyTable.h"
#include "model/KeypadClass.h"
#include "tests/support/FakeKeyEntryState.h"

#include <gtest/gtest.h>

namespace {

using namespace ModifierFlag;

struct KeyEntry : testing::Test {
    TKeypadClass keypad;
    FakeKeyEntryState state;
    void SetUp() override { keypad.SetKeyEntryState(&state); }

    // Inserts one key code into an empty macro and gives what it became, or -1 for nothing.
    std::int32_t enter(std::int32_t keyCode) {
        keypad.Initialize();
        std::int32_t position = 0;
        EXPECT_TRUE(keypad.InsertKey(position, keyCode));
        return keypad.NumOfElements() == 0 ? -1 : keypad.ReadLastKey();
    }
};

struct TranslationCase {
    const char* what;
    std::int32_t keyCode;
    int modifiers;
    bool pcShift;
    bool pcCapsLock;
    std::int32_t expected;
};

TEST_F(KeyEntry, TranslatesUnderEveryModifierCombination) {
    const TranslationCase cases[] = {
        {"a", 30, 0, false, false, 'a'},
        {"a, on-screen left Shift", 30, LShift, false, false, 'A'},
        {"a, on-screen right Shift", 30, RShift, false, false, 'A'},
        {"a, on-screen Caps Lock", 30, CapsLock, false, false, 'A'},
        {"a, PC Shift held", 30, 0, true, false, 'A'},
        {"a, PC Caps Lock on", 30, 0, false, true, 'A'},
        {"a, on-screen Ctrl", 30, LCtrl, false, false, 1},
        {"z, right Ctrl", 44, RCtrl, false, false, 26},
        {"a, Shift and Ctrl: shifted wins", 30, LShift | LCtrl, false, false, 'A'},
        {"a, Ctrl and PC Shift: shifted wins", 30, LCtrl, true, false, 'A'},
        {"2", 3, 0, false, false, '2'},
        {"2, on-screen Shift", 3, LShift, false, false, CodeValue::AtAt},
        {"2, on-screen Caps Lock", 3, CapsLock, false, false, CodeValue::AtAt},
        {"2, PC Shift held", 3, 0, true, false, '@'},
        {"2, PC Caps Lock on", 3, 0, false, true, '@'},
        {"2, on-screen Ctrl", 3, LCtrl, false, false, 0},
        {"6, on-screen Ctrl", 7, LCtrl, false, false, 30},
        {"-, on-screen Ctrl", 12, RCtrl, false, false, 31},
        {"[, on-screen Ctrl", 26, LCtrl, false, false, 27},
        {"backslash, on-screen Ctrl", 43, LCtrl, false, false, 28},
        {"], on-screen Ctrl", 27, LCtrl, false, false, 29},
        {"Enter, on-screen Ctrl", 28, LCtrl, false, false, 10},
        {"Space, on-screen Ctrl", 57, LCtrl, false, false, -1},
        {"1, on-screen Ctrl", 2, LCtrl, false, false, -1},
        {"Esc, on-screen Ctrl", 1, LCtrl, false, false, -1},
        {"1, PC Caps Lock on", 2, 0, false, true, '!'},
        {"keypad 7, Shift", 71, LShift, false, false, '7'},
        {"keypad 7, Ctrl", 71, LCtrl, false, false, -1},
        {"Del", 100, 0, false, false, 127},
        {"F1", 59, 0, false, false, -1},
        {"F1, all modifiers", 59, LShift | LCtrl | CapsLock, true, true, -1},
        {"Up", 92, RShift, false, false, -1},
        {"key code 0", 0, 0, false, false, 0},
        {"e acute typed", 233, 0, false, false, 233},
        {"e acute typed, on-screen Shift", 233, LShift, false, false, 233},
        {"e acute typed, on-screen Ctrl", 233, LCtrl, false, false, 233},
        {"euro sign typed: a beep command", 8364, 0, false, false, 8364},
    };
    for (const TranslationCase& c : cases) {
        state.modifiers = c.modifiers;
        state.pcShiftHeld = c.pcShift;
        state.pcCapsLockOn = c.pcCapsLock;
        EXPECT_EQ(enter(c.keyCode), c.expected) << c.what;
    }
}

TEST_F(KeyEntry, WithoutAStateSourceNoModifierIsActive) {
    keypad.SetKeyEntryState(nullptr);
    EXPECT_EQ(enter(30), 'a');
}

TEST_F(KeyEntry, KeyTableRowsMatchTheirCharacters) {
    EXPECT_STREQ(KeyTable[0].AT_Codes[0], "00");
    EXPECT_STREQ(KeyTable[3].Display[1], "@");
    EXPECT_STREQ(KeyTable[89].Display[1], "Shft-Prs");
    int typing = 0;
    for (int k = 0; k < KeyCodeCount; ++k)
        typing += KeyTableCharacter(k, false) >= 0;
    EXPECT_EQ(typing, 70);
}

TEST_F(KeyEntry, CommandsAreInsertedUnchanged) {
    state.modifiers = LShift | LCtrl;
    for (std::int32_t command : {0x1000 + 50, 0x2000 + 3, CodeValue::LedFlash, CodeValue::AtAt, 0x4018})
        EXPECT_EQ(enter(command), command);
}

TEST_F(KeyEntry, CapacityCountsTheBytesTheValueWillTake) {
    std::int32_t position = 0;
    for (int i = 0; i < 97; ++i)
        ASSERT_TRUE(keypad.InsertKey(position, 30));
    std::int32_t delayAt98 = position;
    ASSERT_TRUE(keypad.InsertKey(position, 30));
    EXPECT_FALSE(keypad.InsertKey(delayAt98, 0x1000 + 50)) << "98 + 3 > 100";
    EXPECT_EQ(delayAt98, 97);
    ASSERT_TRUE(keypad.RemoveKey(0));
    ASSERT_TRUE(keypad.InsertKey(position, 0x1000 + 50));
    EXPECT_EQ(keypad.CodeCount(), 100);

    // "2" with an on-screen Shift weighs two bytes; with the PC Shift it is one.
    keypad.SetKey(1);
    position = 0;
    for (int i = 0; i < 99; ++i)
        keypad.InsertKey(position, 30);
    state.modifiers = LShift;
    EXPECT_FALSE(keypad.InsertKey(position, 3));
    state.modifiers = 0;
    state.pcShiftHeld = true;
    EXPECT_TRUE(keypad.InsertKey(position, 3));
    EXPECT_EQ(keypad.ReadLastKey(), '@');
    EXPECT_EQ(keypad.CodeCount(), 100);
}

TEST_F(KeyEntry, FullMacroRefusesEvenKeysWithoutTranslation) {
    std::int32_t position = 0;
    for (int i = 0; i < 100; ++i)
        keypad.InsertKey(position, 30);
    position = 5;
    EXPECT_FALSE(keypad.InsertKey(position, 59));
    EXPECT_EQ(position, 5);
}

TEST_F(KeyEntry, KeyWithoutTranslationLeavesMacroButLowersPosition) {
    std::int32_t position = 0;
    for (std::int32_t k : {30, 48, 46})
        keypad.InsertKey(position, k);
    position = 1;
    EXPECT_TRUE(keypad.InsertKey(position, 59));
    EXPECT_EQ(position, 1);
    position = 40;
    EXPECT_TRUE(keypad.InsertKey(position, 59));
    EXPECT_EQ(position, 3);
    EXPECT_EQ(keypad.MakeCodes(), "616263");

    position = 1;
    EXPECT_TRUE(keypad.InsertKey(position, 2));
    EXPECT_EQ(position, 2);
    EXPECT_EQ(keypad.MakeCodes(), "61316263");
}

} // namespace
