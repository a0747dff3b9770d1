#include "model/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

constexpr auto NoCharacter = UndefinedWindows1252::NoCharacter;
constexpr auto OwnCodePoint = UndefinedWindows1252::OwnCodePoint;

// The two rules differ only at the five bytes the code page leaves undefined.
TEST(TextEncoding, Windows1252CharactersUnderBothRules) {
    const struct {
        std::uint8_t byte;
        std::optional<char32_t> noCharacter;
        char32_t ownCodePoint;
    } cases[] = {
        {0x00, U'\0', U'\0'},       {0x41, U'A', U'A'},         {0x7F, 0x7F, 0x7F},
        {0x80, 0x20AC, 0x20AC},     {0x81, std::nullopt, 0x81}, {0x8D, std::nullopt, 0x8D},
        {0x8F, std::nullopt, 0x8F}, {0x90, std::nullopt, 0x90}, {0x9D, std::nullopt, 0x9D},
        {0x9F, 0x0178, 0x0178},     {0xA0, 0xA0, 0xA0},         {0xE9, 0xE9, 0xE9},
        {0xFF, 0xFF, 0xFF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Windows1252Character(c.byte, NoCharacter), c.noCharacter) << int{c.byte};
        EXPECT_EQ(Windows1252Character(c.byte, OwnCodePoint), c.ownCodePoint) << int{c.byte};
    }
}

TEST(TextEncoding, EveryByteComesBackFromItsCharacter) {
    for (int byte = 0; byte < 256; ++byte) {
        const auto b = static_cast<std::uint8_t>(byte);
        EXPECT_EQ(Windows1252Byte(*Windows1252Character(b, OwnCodePoint), OwnCodePoint), b) << byte;
        if (const auto character = Windows1252Character(b, NoCharacter)) {
            EXPECT_EQ(Windows1252Byte(*character, NoCharacter), b) << byte;
        }
    }
    EXPECT_EQ(Windows1252Byte(0x81, NoCharacter), std::nullopt);
    EXPECT_EQ(Windows1252Byte(0x100, OwnCodePoint), std::nullopt);
    EXPECT_EQ(Windows1252Byte(0x65E5, OwnCodePoint), std::nullopt);
}

TEST(TextEncoding, AppendsUtf8OfEveryLength) {
    std::string text;
    for (const char32_t c : {U'A', char32_t{0xE9}, char32_t{0x20AC}, char32_t{0x1F600}})
        AppendUtf8(text, c);
    EXPECT_EQ(text, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_EQ(Windows1252ToUtf8("caf\xE9 \x80\x81"), "caf\xC3\xA9 \xE2\x82\xAC\xC2\x81");
}

} // namespace
