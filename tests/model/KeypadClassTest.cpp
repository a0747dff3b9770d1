#include "model/KeypadClass.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<std::int32_t> macroOf(const TKeypadClass& keypad) {
    std::vector<std::int32_t> values;
    for (int i = 0; i < keypad.NumOfElements(); ++i)
        values.push_back(keypad.keys[keypad.Key()].Macro[keypad.Level()].Values[static_cast<std::size_t>(i)]);
    return values;
}

void fill(TKeypadClass& keypad, std::int32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        std::int32_t position = 1000;
        ASSERT_TRUE(keypad.InsertByte(position, value));
    }
}

// Every slot after the macro's run holds -1, and the run never passes 100 values.
void expectWellFormed(const TKeypadClass& keypad) {
    for (const TKeyDataRec& key : keypad.keys)
        for (const TMacroData& macro : key.Macro) {
            std::size_t end = 0;
            while (macro.Values[end] != CodeValue::Empty)
                ++end;
            EXPECT_LE(end, 100u);
            for (std::size_t i = end; i < macro.Values.size(); ++i)
                ASSERT_EQ(macro.Values[i], CodeValue::Empty) << "gap at slot " << i;
        }
}

TEST(KeypadDefinition, StartsEmptyWithDefaults) {
    TKeypadClass keypad;
    for (std::uint8_t k = 0; k < KeyCount; ++k) {
        keypad.SetKey(k);
        EXPECT_EQ(keypad.Keytype(), ktNormal);
        for (std::uint8_t level = 0; level < LevelCount; ++level) {
            keypad.SetLevel(level);
            EXPECT_EQ(keypad.NumOfElements(), 0);
            EXPECT_EQ(keypad.CodeCount(), 0);
            EXPECT_EQ(keypad.GetMacroName(), "");
            EXPECT_FALSE(keypad.CanAutoRepeat());
            EXPECT_EQ(keypad.MakeCodes(), "");
        }
    }
    keypad.Initialize();
    EXPECT_EQ(keypad.Key(), 0);
    EXPECT_EQ(keypad.Level(), 0);
    EXPECT_EQ(keypad.KeyRollOver(), 2);
    EXPECT_EQ(keypad.LEDBehavior(), ledNone);
    EXPECT_EQ(keypad.CharacterPacing(), 2);
    EXPECT_EQ(keypad.DownloadDelay(), 10);
    EXPECT_EQ(keypad.BaudRate(), 3);
    EXPECT_EQ(keypad.WordFormat(), 8);
    EXPECT_EQ(keypad.OpMode(), 0);
    EXPECT_EQ(keypad.CmdPrefix(), 64);
    EXPECT_EQ(keypad.CdcSerialNo(), 1);
    EXPECT_FALSE(keypad.bViewInHex);
}

TEST(KeypadDefinition, InitializeResetsEverythingButTheView) {
    TKeypadClass keypad;
    keypad.bViewInHex = true;
    keypad.SetKey(7);
    keypad.SetLevel(1);
    keypad.SetKeytype(ktToggle);
    keypad.SetCanAutoRepeat(true);
    keypad.SetMacroName("Hello");
    fill(keypad, 'x', 5);
    keypad.SetCmdPrefix(27);
    keypad.SetCdcSerialNo(-5);

    keypad.Initialize();
    EXPECT_TRUE(keypad.bViewInHex);
    EXPECT_EQ(keypad.Key(), 0);
    EXPECT_EQ(keypad.Level(), 0);
    EXPECT_EQ(keypad.CmdPrefix(), 64);
    EXPECT_EQ(keypad.CdcSerialNo(), 1);
    keypad.SetKey(7);
    keypad.SetLevel(1);
    EXPECT_EQ(keypad.Keytype(), ktNormal);
    EXPECT_FALSE(keypad.CanAutoRepeat());
    EXPECT_EQ(keypad.GetMacroName(), "");
    EXPECT_EQ(keypad.NumOfElements(), 0);
}

TEST(KeypadDefinition, SelectionOutOfRangeIsIgnored) {
    TKeypadClass keypad;
    keypad.SetKey(23);
    keypad.SetLevel(1);
    keypad.SetKey(24);
    keypad.SetKey(255);
    keypad.SetLevel(2);
    EXPECT_EQ(keypad.Key(), 23);
    EXPECT_EQ(keypad.Level(), 1);
}

TEST(KeypadDefinition, KeyTypeIsPerKeyWhileNameAndAutoRepeatArePerMacro) {
    TKeypadClass keypad;
    keypad.SetKey(4);
    keypad.SetLevel(1);
    keypad.SetKeytype(ktShift);
    keypad.SetCanAutoRepeat(true);
    EXPECT_TRUE(keypad.SetMacroName("upper"));
    keypad.SetLevel(0);
    EXPECT_EQ(keypad.Keytype(), ktShift);
    EXPECT_FALSE(keypad.CanAutoRepeat());
    EXPECT_EQ(keypad.GetMacroName(), "");
    keypad.SetMacroName("lower");
    keypad.SetLevel(1);
    EXPECT_EQ(keypad.GetMacroName(), "upper");
    keypad.SetKey(5);
    EXPECT_EQ(keypad.Keytype(), ktNormal);
}

TEST(KeypadDefinition, AnyNumberOfToggleKeysIsAccepted) {
    TKeypadClass keypad;
    for (std::uint8_t k : {2, 5, 9}) {
        keypad.SetKey(k);
        keypad.SetKeytype(ktToggle);
    }
    for (std::uint8_t k : {2, 5, 9}) {
        keypad.SetKey(k);
        EXPECT_EQ(keypad.Keytype(), ktToggle);
    }
}

// A key is clear only with nothing on it: each one thing set on either level makes it not clear.
TEST(KeypadDefinition, KeyIsClearOnlyWithNothingOnIt) {
    const std::vector<std::pair<const char*, void (*)(TKeypadClass&)>> oneThing = {
        {"code on level 2",
         [](TKeypadClass& k) {
             k.SetLevel(1);
             fill(k, 'a', 1);
         }},
        {"name on level 1",
         [](TKeypadClass& k) {
             k.SetMacroName("n");
         }},
        {"auto-repeat on level 2",
         [](TKeypadClass& k) {
             k.SetLevel(1);
             k.SetCanAutoRepeat(true);
         }},
        {"shift key",
         [](TKeypadClass& k) {
             k.SetKeytype(ktShift);
         }},
    };
    for (const auto& [what, set] : oneThing) {
        TKeypadClass keypad;
        keypad.SetKey(6);
        EXPECT_TRUE(KeyIsClear(keypad.SelectedKey()));
        set(keypad);
        EXPECT_FALSE(KeyIsClear(keypad.SelectedKey())) << what;
        EXPECT_TRUE(KeyIsClear(keypad.keys[5])) << what << " reached another key";
    }
    TKeypadClass keypad;
    fill(keypad, 'a', 3);
    for (int i = 0; i < 3; ++i)
        keypad.RemoveKey(0);
    EXPECT_TRUE(KeyIsClear(keypad.SelectedKey())) << "codes typed and removed again";
}

TEST(KeypadDefinition, ParameterSettersStoreUnchecked) {
    TKeypadClass keypad;
    keypad.SetKeyRollOver(200);
    keypad.SetLEDBehavior(static_cast<TLEDBehavior>(9));
    keypad.SetDownloadDelay(-40);
    EXPECT_EQ(keypad.KeyRollOver(), 200);
    EXPECT_EQ(keypad.LEDBehavior(), 9);
    EXPECT_EQ(keypad.DownloadDelay(), -40);
}

TEST(MacroEditing, InsertByteAtPositionsAndPastTheEnd) {
    TKeypadClass keypad;
    std::int32_t position = 0;
    for (std::int32_t v : {'a', 'c', 'd'})
        ASSERT_TRUE(keypad.InsertByte(position, v));
    EXPECT_EQ(position, 3);

    position = 1;
    ASSERT_TRUE(keypad.InsertByte(position, 'b'));
    EXPECT_EQ(position, 2);
    EXPECT_EQ(macroOf(keypad), (std::vector<std::int32_t>{'a', 'b', 'c', 'd'}));

    position = 50;
    ASSERT_TRUE(keypad.InsertByte(position, 'e'));
    EXPECT_EQ(position, 5);
    EXPECT_EQ(keypad.ReadLastKey(), 'e');
    expectWellFormed(keypad);
}

TEST(MacroEditing, ByteCountOfEveryKind) {
    TKeypadClass keypad;
    std::int32_t position = 0;
    keypad.InsertByte(position, 0x1000 + 50); // delay
    keypad.InsertByte(position, CodeValue::LedOn);
    keypad.InsertByte(position, 'A');
    EXPECT_EQ(keypad.CodeCount(), 6);
    EXPECT_EQ(keypad.NumOfElements(), 3);
    keypad.InsertByte(position, 0x2000 + 5); // beep
    keypad.InsertByte(position, CodeValue::AtAt);
    EXPECT_EQ(keypad.CodeCount(), 11);
    EXPECT_EQ(keypad.PercentUsed(), 11);
}

TEST(MacroEditing, InsertByteChecksOneByteWhateverItInserts) {
    TKeypadClass keypad;
    fill(keypad, 'x', 99);
    std::int32_t position = 99;
    ASSERT_TRUE(keypad.InsertByte(position, 0x1000 + 1));
    EXPECT_EQ(keypad.CodeCount(), 102);
    EXPECT_EQ(position, 100);

    position = 7;
    EXPECT_FALSE(keypad.InsertByte(position, 'y'));
    EXPECT_EQ(position, 7) << "a refused insertion leaves the position alone";
    EXPECT_FALSE(keypad.InsertKey(position, 30));
    EXPECT_EQ(keypad.CodeCount(), 102);
    EXPECT_EQ(keypad.NumOfElements(), 100);
    expectWellFormed(keypad);
}

TEST(MacroEditing, InsertBytesKeepsInsertByteCapacityRuleValueByValue) {
    // Three-byte delays cross the 100 bytes mid-sequence; -1 is skipped; the insertion starts inside
    // the macro so the tail must move along.
    std::vector<std::int32_t> values{-1};
    for (int i = 0; i < 40; ++i)
        values.insert(values.end(), {'a' + i % 26, 0x1000 + i});
    TKeypadClass one;
    TKeypadClass many;
    fill(one, 'z', 3);
    fill(many, 'z', 3);
    std::int32_t positionOne = 1;
    std::int32_t positionMany = 1;
    bool accepted = true;
    for (const std::int32_t value : values)
        accepted = one.InsertByte(positionOne, value) && accepted;
    EXPECT_EQ(many.InsertBytes(positionMany, values), accepted);
    EXPECT_FALSE(accepted);
    EXPECT_EQ(positionMany, positionOne);
    EXPECT_EQ(macroOf(many), macroOf(one));
    EXPECT_EQ(many.CodeCount(), one.CodeCount());
    expectWellFormed(many);
}

TEST(MacroEditing, HundredOneByteValuesFillTheMacro) {
    TKeypadClass keypad;
    fill(keypad, 'x', 100);
    std::int32_t position = 0;
    EXPECT_FALSE(keypad.InsertByte(position, 'y'));
    EXPECT_EQ(keypad.NumOfElements(), 100);
    expectWellFormed(keypad);
}

TEST(MacroEditing, RemoveKeyTakesOneCodeValueWithAllItsBytes) {
    TKeypadClass keypad;
    std::int32_t position = 0;
    for (std::int32_t v : {std::int32_t{'a'}, 0x1000 + 50, std::int32_t{'b'}})
        keypad.InsertByte(position, v);
    ASSERT_EQ(keypad.CodeCount(), 5);

    EXPECT_FALSE(keypad.RemoveKey(3));
    EXPECT_TRUE(keypad.RemoveKey(1));
    EXPECT_EQ(keypad.CodeCount(), 2);
    EXPECT_EQ(macroOf(keypad), (std::vector<std::int32_t>{'a', 'b'}));
    EXPECT_TRUE(keypad.RemoveKey(1));
    EXPECT_TRUE(keypad.RemoveKey(0));
    EXPECT_FALSE(keypad.RemoveKey(0));
    EXPECT_EQ(keypad.ReadLastKey(), 0);
    expectWellFormed(keypad);
}

TEST(MacroEditing, NegativeValuesAndPositionsNeverBreakTheMacro) {
    TKeypadClass keypad;
    std::int32_t position = -5;
    EXPECT_TRUE(keypad.InsertByte(position, 'a'));
    EXPECT_EQ(position, 1);
    EXPECT_TRUE(keypad.InsertByte(position, -1));
    EXPECT_TRUE(keypad.InsertKey(position, -1));
    EXPECT_TRUE(keypad.InsertKey(position, -4096));
    position = -3;
    EXPECT_TRUE(keypad.InsertKey(position, 30));
    EXPECT_EQ(macroOf(keypad), (std::vector<std::int32_t>{'a', 'a'}));
    expectWellFormed(keypad);
}

TEST(MacroEditing, EditsStayInTheSelectedMacro) {
    TKeypadClass keypad;
    keypad.SetKey(3);
    keypad.SetLevel(1);
    fill(keypad, 'z', 4);
    keypad.SetLevel(0);
    EXPECT_EQ(keypad.NumOfElements(), 0);
    keypad.SetKey(4);
    keypad.SetLevel(1);
    EXPECT_EQ(keypad.NumOfElements(), 0);
}

TEST(MacroEditing, GetModifierSetIsAlwaysEmpty) {
    TKeypadClass keypad;
    std::int32_t position = 0;
    keypad.InsertByte(position, 29);
    keypad.InsertByte(position, 42);
    for (std::uint8_t i = 0; i < 3; ++i)
        EXPECT_TRUE(keypad.GetModifierSet(i).none());
}

TEST(CodeString, MakeCodesWritesTheKeypadBytes) {
    TKeypadClass keypad;
    std::int32_t position = 0;
    for (std::int32_t v : {0x1E, 0x1032, 0x4009, 0x4040})
        keypad.InsertByte(position, v);
    EXPECT_EQ(keypad.MakeCodes(), "1e40013240094040");

    keypad.SetCmdPrefix(27);
    EXPECT_EQ(keypad.MakeCodes(), "1e1b01321b091b40");

    keypad.SetKey(1);
    position = 0;
    for (std::int32_t v : {0x2005, 0x400A, 0x4008, 0, 255})
        keypad.InsertByte(position, v);
    EXPECT_EQ(keypad.MakeCodes(), "1b02051b0a1b0800ff");
}

TEST(CodeString, ValuesAboveAByteKeepTheirLowByte) {
    TKeypadClass keypad;
    std::int32_t position = 0;
    keypad.InsertByte(position, 0x20AC); // a character typed outside ASCII: beep kind, n = 0xAC
    keypad.InsertByte(position, 0x0E9);
    keypad.InsertByte(position, 0x8F00 + 0x41); // no command bits: a data value
    EXPECT_EQ(keypad.MakeCodes(), "4002ace941");
}

} // namespace
