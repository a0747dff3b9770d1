#include "model/KeyboardLayout.h"

#include "model/KeypadClass.h"
#include "model/KeypadParameters.h"

#include <gtest/gtest.h>

namespace {

using Result = LayoutTyping::Result;

const LayoutTable& layout(const char* name) {
    const LayoutTable* found = FindLayout(name);
    EXPECT_NE(found, nullptr) << name;
    return found ? *found : UsLayout();
}

// What typing the character on the layout stores, as the US characters (empty when refused).
std::string stored(const char* layoutName, char32_t character) {
    std::string text;
    for (const std::int32_t code : TypeOnLayout(layout(layoutName), character).codes)
        text += static_cast<char>(code);
    return text;
}

TEST(KeyboardLayout, EveryOfferedLayoutHasItsTable) {
    for (const char* name : {"US",
                             "US International",
                             "UK",
                             "German",
                             "Swiss German",
                             "Austrian",
                             "French",
                             "Belgian",
                             "Spanish",
                             "Latin American",
                             "Italian",
                             "Portuguese",
                             "Brazilian",
                             "Dutch",
                             "Swedish",
                             "Finnish",
                             "Danish",
                             "Norwegian",
                             "Polish",
                             "Czech",
                             "Hungarian",
                             "Turkish Q",
                             "Canadian French",
                             "Dvorak"}) {
        const LayoutTable& table = layout(name);
        // Every layout types a space and some letter on the letter key A.
        EXPECT_EQ(stored(name, U' '), " ") << name;
        EXPECT_NE(table.keys[30].levels[0], 0u) << name;
    }
}

// The US characters stored for characters typed on each layout: the US character of the same key with
// the same Shift state.
TEST(KeyboardLayout, TypedCharactersStoreTheUsCharacterOfTheirKey) {
    struct Case {
        const char* layout;
        char32_t typed;
        const char* stored;
    };
    const Case cases[] = {
        {"US", U'a', "a"},
        {"US", U'@', "@"},
        {"US", U'~', "~"},
        {"German", U'z', "y"},
        {"German", U'Z', "Y"},
        {"German", U'y', "z"},
        {"German", U'\u00FC', "["},
        {"German", U'\u00DC', "{"},
        {"German", U'\u00F6', ";"},
        {"German", U'\u00E4', "'"},
        {"German", U'\u00DF', "-"},
        {"German", U'"', "@"},
        {"German", U'/', "&"},
        {"German", U'#', "\\"},
        {"French", U'a', "q"},
        {"French", U'q', "a"},
        {"French", U'1', "!"},
        {"French", U'&', "1"},
        {"French", U'm', ";"},
        {"UK", U'"', "@"},
        {"UK", U'@', "\""},
        {"UK", U'\u00A3', "#"},
        {"Swiss German", U'z', "y"},
        {"Swiss German", U'\u00FC', "["},
        {"Swiss German", U'\u00E8', "{"},
        {"Swedish", U'\u00E5', "["},
        {"Swedish", U'\u00F6', ";"},
        {"Norwegian", U'\u00F8', ";"},
        {"Danish", U'\u00E6', ";"},
        {"Dvorak", U's', ";"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stored(c.layout, c.typed), c.stored) << c.layout << " U+" << std::hex << unsigned(c.typed);
}

// A dead key types its bare mark when a space follows it, so its mark is stored as the dead key and a
// space; the display shows the mark for the dead key's character.
TEST(KeyboardLayout, DeadKeyMarkIsTheDeadKeyAndASpace) {
    const LayoutTyping circumflex = TypeOnLayout(layout("German"), U'^');
    EXPECT_EQ(circumflex.result, Result::Stored);
    EXPECT_EQ(circumflex.codes, (std::vector<std::int32_t>{'`', ' '}));
    EXPECT_EQ(stored("German", U'\u00B4'), "= "); // the acute accent: dead key right of ß
    EXPECT_EQ(LayoutCharacter(layout("German"), '`'), U'^');
    EXPECT_TRUE(IsDeadKeyCharacter(layout("German"), '`'));
    EXPECT_FALSE(IsDeadKeyCharacter(layout("German"), 'y'));
    EXPECT_EQ(stored("US International", U'~'), "~ ");
}

TEST(KeyboardLayout, AltGrOnlyAndImpossibleCharactersAreRefusedWithAReason) {
    const LayoutTyping at = TypeOnLayout(layout("German"), U'@');
    EXPECT_EQ(at.result, Result::AltGrOnly);
    EXPECT_TRUE(at.codes.empty());
    EXPECT_EQ(RefusalText(layout("German"), U'@', at.result),
              "\"@\" is not stored: on the German layout it needs AltGr, which the keypad cannot send.");
    EXPECT_EQ(TypeOnLayout(layout("German"), U'\u20AC').result, Result::AltGrOnly);
    // "<" lies on a key that US keyboards lack.
    const LayoutTyping less = TypeOnLayout(layout("German"), U'<');
    EXPECT_EQ(less.result, Result::Impossible);
    EXPECT_EQ(RefusalText(layout("German"), U'<', less.result),
              "\"<\" is not stored: no key of the German layout makes it.");
    EXPECT_EQ(TypeOnLayout(layout("US"), U'\u00E9').result, Result::Impossible);
}

TEST(KeyboardLayout, StoredCharactersShowAsTheLayoutMakesThem) {
    const LayoutTable& german = layout("German");
    EXPECT_EQ(LayoutCharacter(german, 'y'), U'z');
    EXPECT_EQ(LayoutCharacter(german, 'Y'), U'Z');
    EXPECT_EQ(LayoutCharacter(german, '['), U'\u00FC');
    EXPECT_EQ(LayoutCharacter(german, '@'), U'"');
    EXPECT_EQ(LayoutCharacter(layout("French"), '!'), U'1');
    // Keys without a layout-dependent character keep their value.
    EXPECT_EQ(LayoutCharacter(german, 13), U'\r');
    EXPECT_EQ(LayoutCharacter(german, 233), U'\u00E9');
    for (int c = 33; c < 127; ++c)
        EXPECT_EQ(LayoutCharacter(UsLayout(), c), static_cast<char32_t>(c)) << c;
}

TEST(KeyboardLayout, ZurichOnAGermanComputerIsStoredAsAUsKeyboardSendsIt) {
    std::string codes;
    for (const char32_t c : std::u32string(U"Z\u00FCrich 2024"))
        codes += stored("German", c);
    EXPECT_EQ(codes, "Y[rich 2024");
}

// The grid shows the layout's characters only in the USB keyboard host mode.
TEST(KeyboardLayout, DisplayFollowsTheLayoutInUsbKeyboardModeOnly) {
    TKeypadClass keypad;
    std::int32_t position = 0;
    for (const std::int32_t code : {'y', '[', '`', ' ', 'Y'})
        keypad.InsertByte(position, code);
    auto shown = [&] {
        std::string text;
        for (int i = 0; i < keypad.NumOfElements(); ++i)
            text += keypad.GetDisplayValue(i) + "|";
        return text;
    };
    keypad.SetComputerLayout(FindLayout("German"));
    EXPECT_EQ(shown(), "y|[|`|Space|Y|"); // the default host mode sends bytes
    keypad.SetOpMode(ValueOf(OperatingMode::UsbKeyboard));
    EXPECT_EQ(shown(), "z|\u00FC|^|Space|Z|");
    keypad.SetComputerLayout(FindLayout("US"));
    EXPECT_EQ(shown(), "y|[|`|Space|Y|");
    keypad.SetComputerLayout(nullptr);
    EXPECT_EQ(shown(), "y|[|`|Space|Y|");
}

} // namespace
