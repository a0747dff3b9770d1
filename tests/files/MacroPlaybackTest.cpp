#include "files/MacroPlayback.h"

#include "files/CodeString.h"
#include "files/DefinitionFile.h"
#include "files/DownloadImage.h"
#include "tests/support/KeypadBuilders.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The bytes of an image's text, one a line.
Bytes ImageBytes(const std::string& image) {
    Bytes bytes;
    for (std::size_t i = 0; i + 6 <= image.size(); i += 6)
        bytes.push_back(static_cast<std::uint8_t>(HexPairToByte(image.substr(i + 1, 2))));
    return bytes;
}

// The level blocks of every key in an image, found by walking its records by their counts:
// blocks[key][level].
std::vector<std::array<Bytes, 2>> LevelBlocks(const Bytes& image) {
    std::vector<std::array<Bytes, 2>> blocks;
    std::size_t at = 28;
    for (int key = 0; key < KeyCount; ++key) {
        at += 6;
        std::array<Bytes, 2> levels;
        for (Bytes& block : levels) {
            const std::size_t size = 1 + image.at(at);
            block.assign(image.begin() + static_cast<std::ptrdiff_t>(at),
                         image.begin() + static_cast<std::ptrdiff_t>(at + size));
            at += size;
        }
        blocks.push_back(levels);
    }
    EXPECT_EQ(at, image.size());
    return blocks;
}

void SetMacroOf(TKeypadClass& keypad, std::initializer_list<std::int32_t> values) {
    SetMacro(keypad, 0, 0, values);
}

TEST(MacroPlayback, BytesAreTheImagesBytes) {
    TKeypadClass keypad = FullDefinition(); // prefix 27: data, delays, beeps, LED, "@@", unknown
    SetMacro(keypad, 5, 0, {0x40, 'a', 0x1001, 0x40});
    for (const int key : {6, 7}) { // a full macro and one of 99 bytes
        keypad.SetKey(static_cast<std::uint8_t>(key));
        keypad.SetLevel(1);
        std::int32_t position = 0;
        for (int i = 0; i < 100 - (key - 6); ++i)
            ASSERT_TRUE(keypad.InsertByte(position, 'z'));
    }
    const auto blocks = LevelBlocks(ImageBytes(DownloadImageText(keypad, FindToggleShiftKeys(keypad))));
    for (int key = 0; key < KeyCount; ++key)
        for (int level = 0; level < LevelCount; ++level) {
            keypad.SetKey(static_cast<std::uint8_t>(key));
            keypad.SetLevel(static_cast<std::uint8_t>(level));
            const Bytes& block = blocks[static_cast<std::size_t>(key)][static_cast<std::size_t>(level)];
            const MacroPlayback playback = PlaySelectedMacro(keypad);
            ASSERT_EQ(LevelBlockBytes(keypad), block) << "key " << key << " level " << level;
            const Bytes shown(block.begin() + 1,
                              block.begin() + 1 + static_cast<std::ptrdiff_t>(playback.bytes.size()));
            EXPECT_EQ(playback.bytes, block.size() == 1 ? Bytes{} : shown)
                << "key " << key << " level " << level;
            // The rest of the block is the closing 0, unless the macro fills its 100 bytes.
            EXPECT_EQ(block.size() - 1 - playback.bytes.size(),
                      playback.bytes.size() < 100 && !playback.bytes.empty() ? 1u : 0u);
        }
    keypad.SetKey(0);
    keypad.SetLevel(0);
    EXPECT_EQ(PlaySelectedMacro(keypad).bytes,
              (Bytes{'H', 'i', 0, 255, 28, 27, 1, 0x32, 27, 2, 5, 27, 8, 27, 9, 27, 10, 27, 0x40, 27, 0xFF}));
}

TEST(MacroPlayback, ReadsTheBytesAsTheKeypadDoes) {
    const struct {
        std::uint8_t prefix;
        std::initializer_list<std::int32_t> codes;
        std::vector<std::string> shown;
    } cases[] = {
        {64,
         {'H', 'i', ' ', 13, 9, 27, 8, 127, 3, 10, 0xE9},
         {"H", "i", " ", "Enter", "Tab", "Esc", "Backspace", "Delete", "Ctrl+C", "Ctrl+J",
          "byte E9 (no US key)"}},
        {64,
         {0x1032, 0x2005, 0x4008, 0x4009, 0x400A, 0x4040, 0x4018},
         {"pause 200 ms", "beep 5", "LED off", "LED on", "LED flash", "@", "command 40 18"}},
        // The prefix as data starts a command with the bytes after it: known, unknown, cut short.
        {64, {'a', 0x40, 0x49}, {"a", "command 40 49"}},
        {64, {0x40, 'A', 'b'}, {"unknown command 40 41", "b"}},
        {64, {'a', 0x40, 1}, {"a", "unfinished command"}},
        {64, {'a', 0x40}, {"a", "@"}},
        // Another prefix: '@' is a plain character and Esc opens the commands.
        {27, {'@', 0x1001, 0x4040, 27}, {"@", "pause 4 ms", "@", "Esc"}},
    };
    for (const auto& c : cases) {
        TKeypadClass keypad;
        keypad.SetCmdPrefix(c.prefix);
        SetMacroOf(keypad, c.codes);
        std::vector<std::string> shown;
        for (const PlaybackStep& step : PlaySelectedMacro(keypad).steps)
            shown.push_back(DescribeStep(step, c.prefix).text);
        EXPECT_EQ(shown, c.shown) << "prefix " << int{c.prefix} << ", first code " << *c.codes.begin();
    }
}

TEST(MacroPlayback, TimesStepsByPacingAndDelays) {
    const struct {
        int pacing; // as the definition holds it
        std::initializer_list<std::int32_t> codes;
        std::vector<int> starts;
        int totalMs;
    } cases[] = {
        {2, {}, {}, 0},
        {2, {'a', 'b', 'c'}, {0, 2, 4}, 6},
        {0, {'a', 'b', 0x1019}, {0, 0, 0}, 100},
        {200, {'a', 0x1064, 'b'}, {0, 200, 600}, 800},
        {5, {'a', 'b'}, {0, 4}, 8}, // the image carries 5 / 2: the keypad waits 4 ms
        {10, {0x1000, 0x2010, 0x4009, 'x', 0x10FF}, {0, 0, 0, 0, 10}, 1030},
        {2,
         {0x10FF, 0x10FF, 0x10FF, 0x10FF, 0x10FF, 0x10FF, 0x10FF, 0x10FF},
         {0, 1020, 2040, 3060, 4080, 5100, 6120, 7140},
         8160},
    };
    for (const auto& c : cases) {
        TKeypadClass keypad;
        keypad.SetCharacterPacing(static_cast<std::uint8_t>(c.pacing));
        SetMacroOf(keypad, c.codes);
        const MacroPlayback playback = PlaySelectedMacro(keypad);
        std::vector<int> starts;
        for (const PlaybackStep& step : playback.steps)
            starts.push_back(step.startMs);
        EXPECT_EQ(starts, c.starts) << "pacing " << c.pacing;
        EXPECT_EQ(playback.totalMs, c.totalMs) << "pacing " << c.pacing;
    }
}

TEST(MacroPlayback, SaysThePlayingTimeInHundredthsOfASecond) {
    const struct {
        int ms;
        const char* text;
    } cases[] = {{0, "plays in 0.00 s"},   {4, "plays in 0.00 s"},    {5, "plays in 0.01 s"},
                 {999, "plays in 1.00 s"}, {1240, "plays in 1.24 s"}, {65280, "plays in 65.28 s"}};
    for (const auto& c : cases)
        EXPECT_EQ(PlayingTimeText(c.ms), c.text);
}

} // namespace
