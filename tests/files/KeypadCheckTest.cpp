#include "files/KeypadCheck.h"

#include "tests/support/KeypadBuilders.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

struct Expected {
    std::string text;
    int key;
    int level;
    bool operator==(const Expected&) const = default;
};

std::vector<Expected> Checked(const TKeypadClass& keypad) {
    std::vector<Expected> found;
    for (const DefinitionFinding& finding : CheckKeypad(keypad))
        found.push_back({WindowFindingText(finding), finding.key, finding.level});
    return found;
}

std::ostream& operator<<(std::ostream& out, const Expected& e) {
    return out << e.text << " (key " << e.key << ", level " << e.level << ")";
}

TEST(KeypadCheck, FindsNothingInAPlayableDefinition) {
    TKeypadClass keypad;
    SetMacro(keypad, 0, 0, {'H', 'i', 0x1032, 0x4009, 0x4040});
    SetMacro(keypad, 23, 1, {27});
    keypad.SetKey(4);
    keypad.SetKeytype(ktShift);
    EXPECT_EQ(Checked(keypad), std::vector<Expected>{});
}

TEST(KeypadCheck, NamesKeyAndLevelOfEachTrap) {
    TKeypadClass keypad;
    // The prefix as data in the middle of a macro: the editor keeps it, the keypad and the file do not.
    SetMacro(keypad, 2, 1, {'a', 0x40, 'b'});
    // ... and at its end, where the file reads it back but the keypad still takes it for a command.
    SetMacro(keypad, 3, 0, {'a', 0x40});
    SetMacro(keypad, 6, 0, {'x', 0x152});
    SetMacro(keypad, 7, 1, {'y'});
    for (const int key : {1, 4, 5}) {
        keypad.SetKey(static_cast<std::uint8_t>(key));
        keypad.SetKeytype(ktToggle);
    }
    keypad.SetKey(7);
    keypad.SetKeytype(ktShift);

    // In the window's words: keys and levels counted from 1, bytes in decimal with hexadecimal marked.
    const std::vector<Expected> expected = {
        // The definition checker's, on the file the definition would be saved as
        {"Key 3, Level 2: unknown command 40 62 is dropped", 2, 1},
        {"Key 5: more than two toggle keys: key 5 does not reach the image, only keys 2 and 6 do", 4, -1},
        // The editor's own
        {"Key 3, Level 2: byte 64 (40h) is the command prefix; the keypad reads it as the start of a "
         "command, together with the bytes after it",
         2, 1},
        {"Key 4, Level 1: byte 64 (40h) is the command prefix; the keypad reads it as the start of a "
         "command, together with the bytes after it",
         3, 0},
        {"Key 7, Level 1: code value 338 (0152h) is larger than a byte; the keypad receives only 82 (52h)", 6,
         0},
        {"Key 8, Level 2: a shift key plays no macro; its macro on level 2 is never typed", 7, 1},
    };
    // The file's words name its sections, as the command-line check does.
    EXPECT_EQ(CheckKeypad(keypad).front().text, "[KEY2] Level_2_Codes: unknown command 40 62 is dropped");
    EXPECT_EQ(Checked(keypad), expected);
}

std::vector<Expected> Whole(const std::vector<DefinitionFinding>& findings) {
    std::vector<Expected> whole;
    for (const DefinitionFinding& finding : findings)
        whole.push_back({finding.text + " | " + finding.message, finding.key, finding.level});
    return whole;
}

// Kept findings are found anew in parts: after every change, of any kind and in any order, they are
// those of a fresh check, in the same order. A seeded walk through the changes that make findings:
// the prefix as data, unknown commands, values beyond a byte, macros on shift and toggle keys, more
// than two toggle or shift keys, a new prefix, names and the file's encoding.
TEST(KeypadCheck, KeptFindingsAreAFreshChecksAfterEveryChange) {
    const std::vector<std::pair<const char*, void (*)(TKeypadClass&, std::mt19937&)>> changes = {
        {"a macro with the prefix and an unknown command",
         [](TKeypadClass& k, std::mt19937& r) {
             SetMacro(k, static_cast<int>(r() % KeyCount), static_cast<int>(r() % LevelCount),
                      {'a', k.CmdPrefix(), 'b', 0x4063, 0x152});
         }},
        {"a plain macro",
         [](TKeypadClass& k, std::mt19937& r) {
             SetMacro(k, static_cast<int>(r() % KeyCount), static_cast<int>(r() % LevelCount), {'x', 0x1005});
         }},
        {"an emptied macro",
         [](TKeypadClass& k, std::mt19937& r) {
             SetMacro(k, static_cast<int>(r() % KeyCount), static_cast<int>(r() % LevelCount), {});
         }},
        {"a key's type",
         [](TKeypadClass& k, std::mt19937& r) {
             k.SetKey(static_cast<std::uint8_t>(r() % KeyCount));
             k.SetKeytype(static_cast<TKeyType>(r() % 3));
         }},
        {"the command prefix",
         [](TKeypadClass& k, std::mt19937& r) {
             k.SetCmdPrefix(static_cast<std::uint8_t>("@a~"[r() % 3]));
         }},
        {"a macro's name",
         [](TKeypadClass& k, std::mt19937& r) {
             k.SetKey(static_cast<std::uint8_t>(r() % KeyCount));
             k.SetMacroName("Caf\xC3\xA9 " + std::to_string(r() % 10));
         }},
        {"the file's encoding",
         [](TKeypadClass& k, std::mt19937& r) {
             k.SetTextEncoding(r() % 2 == 0 ? FileEncoding::Windows1252 : FileEncoding::Utf8);
         }},
    };
    TKeypadClass keypad;
    KeypadFindings kept;
    EXPECT_TRUE(kept.Of(keypad).empty());
    std::mt19937 random(2412);
    bool sawFindings = false;
    for (int step = 0; step < 300; ++step) {
        const auto& [what, change] = changes[random() % changes.size()];
        change(keypad, random);
        const std::vector<DefinitionFinding> fresh = CheckKeypad(keypad);
        sawFindings = sawFindings || fresh.size() > 3;
        ASSERT_EQ(Whole(kept.Of(keypad)), Whole(fresh)) << "after step " << step << ", a change of " << what;
        ASSERT_EQ(Whole(kept.Of(keypad)), Whole(fresh)) << "asked again after step " << step;
    }
    EXPECT_TRUE(sawFindings);
}

} // namespace
