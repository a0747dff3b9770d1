#include "model/PauseRecording.h"

#include "model/KeypadClass.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::int32_t> delays(std::initializer_list<int> units) {
    std::vector<std::int32_t> codes;
    for (const int n : units)
        codes.push_back(CodeValue::DelayBit + n);
    return codes;
}

TEST(PauseRecording, PausesBecomeDelayCodesRoundedSplitAndAboveTheThreshold) {
    struct Case {
        std::int64_t pauseMs;
        int pacingMs;
        std::vector<std::int32_t> codes;
    };
    const Case cases[] = {
        {0, 4, {}},
        {100, 4, {}},           // ordinary typing
        {101, 4, delays({25})}, // rounded to the nearest 4 ms
        {102, 4, delays({26})},
        {150, 200, {}}, // the keypad's pacing is longer than the pause
        {201, 200, delays({50})},
        {1020, 4, delays({255})}, // the most one code holds
        {1024, 4, delays({255, 1})},
        {1500, 4, delays({255, 120})}, // "a", 1.5 s, "b"
        {3000, 4, delays({255, 255, 240})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PauseDelayCodes(c.pauseMs, c.pacingMs), c.codes) << c.pauseMs << " ms at " << c.pacingMs;
}

} // namespace
