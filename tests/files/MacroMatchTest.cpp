#include "files/MacroMatch.h"

#include "files/DownloadImage.h"
#include "tests/support/KeypadBuilders.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::u32string Units(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(MacroMatch, ExpectedMacrosAreWhatTheKeypadSends) {
    TKeypadClass keypad;
    keypad.SetCmdPrefix(64);
    // Characters, two pauses in a row, beep, LED and the "@@" code, which types one '@'.
    SetMacro(keypad, 3, 1, {'H', 'i', 0x1032, 0x1001, 0x2005, 0x4009, 0x4040, 'x'});
    keypad.SetMacroName("Greeting");
    SetMacro(keypad, 7, 0, {0x1010}); // only a pause: sends nothing
    SetMacro(keypad, 0, 0, {'a'});
    keypad.SetKey(9);
    keypad.SetLevel(1);

    const std::vector<ExpectedMacro> macros = ExpectedMacros(keypad);

    ASSERT_EQ(macros.size(), 2u);
    EXPECT_EQ(macros[0].key, 0);
    EXPECT_EQ(macros[1].key, 3);
    EXPECT_EQ(macros[1].level, 1);
    EXPECT_EQ(macros[1].name, "Greeting");
    EXPECT_EQ(macros[1].characters, Units("Hi@x"));
    ASSERT_EQ(macros[1].pauses.size(), 1u);
    EXPECT_EQ(macros[1].pauses[0].before, 2u);
    EXPECT_EQ(macros[1].pauses[0].milliseconds, (0x32 + 1) * 4);
    EXPECT_EQ(keypad.Key(), 9);
    EXPECT_EQ(keypad.Level(), 1);
}

TEST(MacroMatch, ImageBytesOfAMacroNameItsKeyAndLevel) {
    TKeypadClass keypad;
    SetMacro(keypad, 1, 0, {'o', 'k', 13});
    SetMacro(keypad, 11, 1, {'g', 'o', 13});
    const std::vector<std::uint8_t> image = MacroBytes(keypad); // key 12, level 2 is selected
    const std::u32string burst(image.begin(), image.end());

    const BurstMatch match = MatchBurst(ExpectedMacros(keypad), burst, BurstUnits::Bytes);

    EXPECT_EQ(match.kind, BurstMatch::Kind::Matches);
    EXPECT_EQ(match.text, "Matches Key 12, Level 2.");
}

struct BurstCase {
    const char* burst;
    BurstUnits units;
    BurstMatch::Kind kind;
    const char* text;
};

// Names each case by its burst in hexadecimal and its units, the same on every run and system (the
// test's listed names must not depend on where the case lies in memory).
void PrintTo(const BurstCase& test, std::ostream* out) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    for (const char* c = test.burst; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        *out << Digits[byte >> 4] << Digits[byte & 0xF];
    }
    *out << (test.units == BurstUnits::Bytes ? "_bytes" : "_characters");
}

class MacroMatchBursts : public testing::TestWithParam<BurstCase> {};

TEST_P(MacroMatchBursts, SayWhichMacroOrWhereItDiffers) {
    TKeypadClass keypad;
    SetMacro(keypad, 0, 0, {'a', 'b', 'c'});
    SetMacro(keypad, 1, 0, {'a', 'b', 13});
    keypad.SetMacroName("Enter");
    SetMacro(keypad, 2, 1, {'x', 'y', 0x1040, 'z'});
    SetMacro(keypad, 4, 0, {'a', 'b', 'c'});
    const BurstCase& test = GetParam();

    const BurstMatch match = MatchBurst(ExpectedMacros(keypad), Units(test.burst), test.units);

    EXPECT_EQ(match.kind, test.kind);
    EXPECT_EQ(match.text, test.text);
}

using enum BurstMatch::Kind;
INSTANTIATE_TEST_SUITE_P(
    Cases, MacroMatchBursts,
    testing::Values(
        BurstCase{"ab\r", BurstUnits::Bytes, Matches, "Matches Key 2, Level 1 \"Enter\"."},
        BurstCase{"abc", BurstUnits::Bytes, Matches, "Matches Key 1, Level 1 and Key 5, Level 1."},
        BurstCase{"xy", BurstUnits::Bytes, MatchesPart,
                  "Matches part of Key 3, Level 2: bytes 1 to 2 of 3, between its pauses."},
        BurstCase{"z", BurstUnits::Characters, MatchesPart,
                  "Matches part of Key 3, Level 2: character 3 of 3, between its pauses."},
        BurstCase{"abd", BurstUnits::Bytes, Differs,
                  "Differs from Key 1, Level 1 at byte 3: received 64 \"d\", expected 63 \"c\"."},
        BurstCase{"ab", BurstUnits::Bytes, Differs,
                  "Differs from Key 1, Level 1 at byte 3: the burst ends there, expected 63 \"c\"."},
        BurstCase{"abc\x01", BurstUnits::Bytes, Differs,
                  "Differs from Key 1, Level 1 at byte 4: received 01 after its last byte."},
        BurstCase{"xyq", BurstUnits::Bytes, Differs,
                  "Differs from Key 3, Level 2 at byte 3: received 71 \"q\", expected 7A \"z\"."},
        BurstCase{"ab\t", BurstUnits::Characters, Differs,
                  "Differs from Key 1, Level 1 at character 3: typed Tab, expected \"c\"."},
        BurstCase{"a", BurstUnits::Characters, Differs,
                  "Differs from Key 1, Level 1 at character 2: the typing ends there, expected \"b\"."},
        BurstCase{"q", BurstUnits::Characters, Differs,
                  "Differs from Key 1, Level 1 at character 1: typed \"q\", expected \"a\"."}));

TEST(MacroMatch, TypedCharactersOutsideAsciiAndANamedKey) {
    TKeypadClass keypad;
    SetMacro(keypad, 0, 0, {'a', 13});
    const std::vector<ExpectedMacro> macros = ExpectedMacros(keypad);

    EXPECT_EQ(MatchBurst(macros, U"a\u00e9", BurstUnits::Characters).text,
              "Differs from Key 1, Level 1 at character 2: typed \"\u00e9\", expected Enter.");
    EXPECT_EQ(MatchBurst(macros, U"a\r\u20ac", BurstUnits::Characters).text,
              "Differs from Key 1, Level 1 at character 3: typed \"\u20ac\" after its last character.");
}

TEST(MacroMatch, TypedOnAnotherLayoutTheSameKeysMakeItsCharacters) {
    TKeypadClass keypad;
    // On a German computer the US keys y and ; make z and \u00f6, and the key of ` is the dead ^, which the
    // blank after it makes the bare mark.
    SetMacro(keypad, 0, 0, {'y', '`', ' ', ';', 0x1010, 'a'});
    SetMacro(keypad, 1, 0, {'z', 13});
    const LayoutTable* german = FindLayout("German");
    ASSERT_NE(german, nullptr);

    const std::vector<ExpectedMacro> macros = TypedOnLayout(ExpectedMacros(keypad), *german);

    ASSERT_EQ(macros.size(), 2u);
    EXPECT_EQ(macros[0].characters, U"z^\u00f6a");
    ASSERT_EQ(macros[0].pauses.size(), 1u);
    EXPECT_EQ(macros[0].pauses[0].before, 3u);
    EXPECT_EQ(MatchBurst(macros, U"y\r", BurstUnits::Characters).text, "Matches Key 2, Level 1.");
    EXPECT_EQ(MatchBurst(macros, U"z^\u00f6", BurstUnits::Characters).text,
              "Matches part of Key 1, Level 1: characters 1 to 3 of 4, between its pauses.");
}

TEST(MacroMatch, ADefinitionThatSendsNothing) {
    TKeypadClass keypad;
    SetMacro(keypad, 5, 0, {0x1010, 0x4009});

    const BurstMatch match = MatchBurst(ExpectedMacros(keypad), U"a", BurstUnits::Bytes);

    EXPECT_EQ(match.kind, BurstMatch::Kind::NoMacros);
    EXPECT_EQ(match.text, "The definition has no macro that sends anything.");
}

} // namespace
