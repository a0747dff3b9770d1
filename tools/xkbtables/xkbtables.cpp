// Writes the keyboard layouts' tables as C++: for each layout and each key of a US keyboard that types
// a character, what that key types on the layout without Shift, with Shift, and on the two AltGr
// levels. Run when building, so the program carries the tables and reads no layout files itself.
//
// Usage: xkbtables OUTPUT.cpp

#include "model/KeyboardLayoutData.h"
#include "tools/xkbtables/LayoutList.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <xkbcommon/xkbcommon.h>

namespace {

// The keys whose characters the tables hold, by key code (which is the Linux key number for them).
bool isCharacterKey(int keyCode) {
    return (keyCode >= 2 && keyCode <= 13) || (keyCode >= 16 && keyCode <= 27) ||
           (keyCode >= 30 && keyCode <= 41) || (keyCode >= 43 && keyCode <= 53) || keyCode == 57;
}

constexpr std::uint32_t DeadMark = 0x80000000u;

// A dead key types its mark when followed by Space; the table holds that mark with DeadMark set.
std::uint32_t deadKeyMark(xkb_keysym_t keysym) {
    char name[64];
    if (xkb_keysym_get_name(keysym, name, sizeof name) < 0 || std::strncmp(name, "dead_", 5) != 0)
        return 0;
    struct Mark {
        const char* name;
        char32_t mark;
    };
    constexpr Mark marks[] = {{"dead_grave", U'`'},          {"dead_acute", U'\u00B4'},
                              {"dead_circumflex", U'^'},     {"dead_tilde", U'~'},
                              {"dead_diaeresis", U'\u00A8'}, {"dead_cedilla", U'\u00B8'},
                              {"dead_abovering", U'\u00B0'}, {"dead_caron", U'\u02C7'},
                              {"dead_breve", U'\u02D8'},     {"dead_doubleacute", U'\u02DD'},
                              {"dead_ogonek", U'\u02DB'},    {"dead_abovedot", U'\u02D9'},
                              {"dead_macron", U'\u00AF'}};
    for (const Mark& mark : marks)
        if (std::strcmp(name, mark.name) == 0)
            return DeadMark | mark.mark;
    return 0;
}

std::uint32_t levelCharacter(xkb_keymap* keymap, xkb_keycode_t keycode, xkb_level_index_t level) {
    const xkb_keysym_t* syms = nullptr;
    if (xkb_keymap_key_get_syms_by_level(keymap, keycode, 0, level, &syms) != 1)
        return 0;
    if (const std::uint32_t mark = deadKeyMark(syms[0]))
        return mark;
    return xkb_keysym_to_utf32(syms[0]);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: xkbtables OUTPUT.cpp\n");
        return 2;
    }
    std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context(
        xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES), &xkb_context_unref);
    if (!context) {
        std::fprintf(stderr, "xkbtables: cannot start libxkbcommon\n");
        return 1;
    }
    std::string out =
        "// Made by tools/xkbtables from the installed keyboard layout descriptions. Do not edit.\n"
        "#include \"model/KeyboardLayoutData.h\"\n\nnamespace {\n";
    std::string list;
    int index = 0;
    for (const LayoutSource& source : LayoutSources) {
        const xkb_rule_names names{"evdev", "pc105", source.layout, source.variant, nullptr};
        std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap(
            xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS), &xkb_keymap_unref);
        if (!keymap) {
            std::fprintf(stderr, "xkbtables: no layout %s(%s)\n", source.layout, source.variant);
            return 1;
        }
        out += "constexpr LayoutKeys keys" + std::to_string(index) + "{{\n";
        for (int keyCode = 0; keyCode < LayoutKeyCount; ++keyCode) {
            out += "    {{";
            for (xkb_level_index_t level = 0; level < 4; ++level) {
                const std::uint32_t c =
                    isCharacterKey(keyCode)
                        ? levelCharacter(keymap.get(), static_cast<xkb_keycode_t>(keyCode + 8), level)
                        : 0;
                out += (level ? ", " : "") + std::string("0x") + [&] {
                    char hex[16];
                    std::snprintf(hex, sizeof hex, "%X", c);
                    return std::string(hex);
                }() + "u";
            }
            out += "}},\n";
        }
        out += "}};\n";
        list += std::string("    {\"") + source.name + "\", keys" + std::to_string(index) + "},\n";
        ++index;
    }
    out += "} // namespace\n\nconst std::array<LayoutTable, " + std::to_string(index) + "> LayoutTables{{\n" +
           list + "}};\n";
    std::ofstream file(argv[1], std::ios::binary);
    file << out;
    if (!file.flush()) {
        std::fprintf(stderr, "xkbtables: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
