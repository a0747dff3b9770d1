#include "model/KeypadClass.h"

#include <gtest/gtest.h>

namespace {

struct DisplayCase {
    std::int32_t value;
    const char* text;
};

std::string displayOf(TKeypadClass& keypad, std::int32_t value) {
    keypad.keys[0].Macro[0].Values.fill(CodeValue::Empty);
    keypad.keys[0].Macro[0].Values[0] = value;
    return keypad.GetDisplayValue(0);
}

TEST(DisplayText, TextView) {
    const DisplayCase cases[] = {
        {-1, " "},          {0, "^@  00h"},    {1, "^A  01h"},       {6, "^F  06h"},
        {7, "Bel"},         {8, "BS"},         {9, "Tab"},           {10, "LF"},
        {11, "^K  0Bh"},    {13, "CR"},        {26, "^Z  1Ah"},      {27, "Esc"},
        {28, "^\\  1Ch"},   {30, "^^  1Eh"},   {31, "^_  1Fh"},      {32, "Space"},
        {33, "!"},          {65, "A"},         {126, "~"},           {127, "Del"},
        {128, "\u20AC"},    {129, "81h"},      {141, "8Dh"},         {143, "8Fh"},
        {144, "90h"},       {157, "9Dh"},      {159, "\u0178"},      {160, "\u00A0"},
        {233, "\u00E9"},    {255, "\u00FF"},   {0x3A9, "\u03A9"},    {0x8F41, "\u8F41"},
        {4146, "Dly 200"},  {4196, "Dly 400"}, {4096, "Dly 0"},      {8192 + 5, "Beep20"},
        {16392, "led off"}, {16393, "led on"}, {16394, "led flash"}, {16448, "@@"},
        {16408, "Cmd 18"},  {16384, "Cmd 00"},
    };
    TKeypadClass keypad;
    for (const DisplayCase& c : cases)
        EXPECT_EQ(displayOf(keypad, c.value), c.text) << c.value;
}

TEST(DisplayText, HexView) {
    const DisplayCase cases[] = {
        {-1, " "},     {7, "0x07"},      {13, "0x0D"},      {65, "0x41"},
        {255, "0xFF"}, {4146, "0x1032"}, {16393, "0x4009"}, {16448, "0x4040"},
    };
    TKeypadClass keypad;
    keypad.bViewInHex = true;
    for (const DisplayCase& c : cases)
        EXPECT_EQ(displayOf(keypad, c.value), c.text) << c.value;
}

TEST(DisplayText, PositionsPastTheMacroShowABlank) {
    TKeypadClass keypad;
    std::int32_t position = 0;
    keypad.InsertByte(position, 'A');
    EXPECT_EQ(keypad.GetDisplayValue(0), "A");
    for (std::int32_t index : {1, 99, 255, 256, 100000, -1})
        EXPECT_EQ(keypad.GetDisplayValue(index), " ") << index;
    keypad.bViewInHex = true;
    EXPECT_EQ(keypad.GetDisplayValue(1), " ");
}

} // namespace
