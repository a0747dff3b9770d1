#include "model/KeyboardLayout.h"

#include "model/KeyTable.h"
#include "model/TextEncoding.h"

#include <array>

namespace {

struct UsKey {
    int keyCode = 0;
    int level = 0; // 0 plain, 1 Shift
};

// For each character 0 to 127 the character key and Shift state that make it on a US keyboard;
// keyCode 0 when no character key makes it.
std::array<UsKey, 128> makeUsKeys() {
    std::array<UsKey, 128> keys{};
    for (int keyCode = 1; keyCode < LayoutKeyCount; ++keyCode)
        for (int level = 1; level >= 0; --level) {
            if (UsLayout().keys[static_cast<std::size_t>(keyCode)].levels[0] == 0)
                continue; // not a character key: Esc, Backspace, Tab, Enter, the modifiers
            const int c = KeyTableCharacter(keyCode, level == 1);
            if (c >= 0 && c < 128)
                keys[static_cast<std::size_t>(c)] = {keyCode, level};
        }
    return keys;
}

const std::array<UsKey, 128>& usKeys() {
    static const std::array<UsKey, 128> keys = makeUsKeys();
    return keys;
}

} // namespace

const LayoutTable* FindLayout(std::string_view name) {
    for (const LayoutTable& layout : LayoutTables)
        if (name == layout.name)
            return &layout;
    return nullptr;
}

const LayoutTable& UsLayout() {
    return LayoutTables[0];
}

LayoutTyping TypeOnLayout(const LayoutTable& layout, char32_t character) {
    LayoutTyping typing;
    // A plain key first, then a dead key's mark (the dead key then a space).
    for (const std::uint32_t wanted : {static_cast<std::uint32_t>(character), LayoutDeadKey | character})
        for (int level = 0; level < 2; ++level)
            for (int keyCode = 1; keyCode < LayoutKeyCount; ++keyCode) {
                if (layout.keys[static_cast<std::size_t>(keyCode)].levels[static_cast<std::size_t>(level)] !=
                    wanted)
                    continue;
                const int us = KeyTableCharacter(keyCode, level == 1);
                if (us <= 0)
                    continue;
                typing.result = LayoutTyping::Result::Stored;
                typing.codes = {us};
                if ((wanted & LayoutDeadKey) != 0)
                    typing.codes.push_back(' ');
                return typing;
            }
    for (const LayoutKey& key : layout.keys)
        for (std::size_t level = 2; level < 4; ++level)
            if ((key.levels[level] & ~LayoutDeadKey) == character && character != 0)
                typing.result = LayoutTyping::Result::AltGrOnly;
    return typing;
}

char32_t LayoutCharacter(const LayoutTable& layout, std::int32_t usCharacter) {
    if (usCharacter < 0 || usCharacter >= 128)
        return static_cast<char32_t>(usCharacter);
    const UsKey key = usKeys()[static_cast<std::size_t>(usCharacter)];
    if (key.keyCode == 0)
        return static_cast<char32_t>(usCharacter);
    return layout.keys[static_cast<std::size_t>(key.keyCode)].levels[static_cast<std::size_t>(key.level)] &
           ~LayoutDeadKey;
}

bool IsDeadKeyCharacter(const LayoutTable& layout, std::int32_t usCharacter) {
    if (usCharacter < 0 || usCharacter >= 128)
        return false;
    const UsKey key = usKeys()[static_cast<std::size_t>(usCharacter)];
    return key.keyCode != 0 &&
           (layout.keys[static_cast<std::size_t>(key.keyCode)].levels[static_cast<std::size_t>(key.level)] &
            LayoutDeadKey) != 0;
}

std::string RefusalText(const LayoutTable& layout, char32_t character, LayoutTyping::Result result) {
    std::string shown = "\"";
    AppendUtf8(shown, character);
    shown += "\"";
    if (result == LayoutTyping::Result::AltGrOnly)
        return shown + " is not stored: on the " + layout.name +
               " layout it needs AltGr, which the keypad cannot send.";
    return shown + " is not stored: no key of the " + layout.name + " layout makes it.";
}
