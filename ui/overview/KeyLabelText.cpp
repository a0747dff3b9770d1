#include "ui/overview/KeyLabelText.h"

#include "files/MacroPlayback.h"
#include "model/SelectionKeeper.h"

namespace {

constexpr std::size_t FirstCharacters = 6;

std::string firstCharacters(const TKeypadClass& keypad) {
    const MacroPlayback playback = PlaySelectedMacro(keypad);
    std::string text;
    std::size_t taken = 0;
    for (const PlaybackStep& step : playback.steps) {
        const StepText shown = DescribeStep(step, keypad.CmdPrefix(), keypad.TypingLayout());
        if (shown.isName) {
            if (taken == 0)
                return shown.text;
            break;
        }
        text += shown.text;
        if (++taken == FirstCharacters)
            break;
    }
    return text;
}

} // namespace

std::array<KeyLabel, KeyCount> KeyLabels(TKeypadClass& keypad) {
    std::array<KeyLabel, KeyCount> labels;
    const SelectionKeeper keeper(keypad);
    for (int key = 0; key < KeyCount; ++key) {
        keypad.SetKey(static_cast<std::uint8_t>(key));
        KeyLabel& label = labels[static_cast<std::size_t>(key)];
        label.type = keypad.Keytype();
        for (int level = 0; level < LevelCount; ++level) {
            keypad.SetLevel(static_cast<std::uint8_t>(level));
            std::string name = keypad.GetMacroName();
            label.lines[static_cast<std::size_t>(level)] =
                name.empty() ? firstCharacters(keypad) : std::move(name);
        }
    }
    return labels;
}
