#pragma once

#include <cstdint>
#include <vector>

// Typing with recorded pauses: a pause between two keystrokes longer than the threshold goes into the
// macro as delay codes before the next character, so the keypad replays the rhythm of the typing.

// Shorter pauses are ordinary typing: no recorded pause is shorter than this, nor than the keypad's
// own time per character.
inline constexpr int ShortestRecordedPauseMs = 100;
// One delay code holds at most this many delay units; longer pauses take several codes.
inline constexpr int LongestDelayUnits = 255;

// The delay codes for a pause of pauseMs before a keystroke, given the keypad's character pacing;
// none when the pause is no longer than the larger of pacingMs and ShortestRecordedPauseMs. The pause is
// rounded to the nearest delay unit.
std::vector<std::int32_t> PauseDelayCodes(std::int64_t pauseMs, int pacingMs);
