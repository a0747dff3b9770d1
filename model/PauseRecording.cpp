#include "model/PauseRecording.h"

#include "model/KeypadClass.h"

#include <algorithm>

std::vector<std::int32_t> PauseDelayCodes(std::int64_t pauseMs, int pacingMs) {
    std::vector<std::int32_t> codes;
    if (pauseMs <= std::max(pacingMs, ShortestRecordedPauseMs))
        return codes;
    std::int64_t units = (pauseMs + CodeValue::DelayUnitMs / 2) / CodeValue::DelayUnitMs;
    while (units > 0) {
        const std::int64_t part = std::min<std::int64_t>(units, LongestDelayUnits);
        codes.push_back(CodeValue::DelayBit + static_cast<std::int32_t>(part));
        units -= part;
    }
    return codes;
}
