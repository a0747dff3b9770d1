#include "model/KeypadClass.h"

#include <cstdio>

namespace {

std::string hexText(std::int32_t value, const char* format) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(value));
    return buffer;
}

void appendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Windows-1252 characters of the bytes 0x80 to 0x9F; 0 where the code page has none.
constexpr char32_t cp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// A data value as the character it stands for.
std::string characterText(std::int32_t v) {
    std::string text;
    if (v >= 0x80 && v <= 0x9F) {
        const char32_t c = cp1252High[v - 0x80];
        if (c == 0)
            return hexText(v, "%02Xh");
        appendUtf8(text, c);
    } else if (v >= 0xD800 && v <= 0xDFFF) {
        return hexText(v, "%04Xh"); // a lone surrogate is no character
    } else {
        appendUtf8(text, static_cast<char32_t>(v));
    }
    return text;
}

std::string controlText(std::int32_t v) {
    switch (v) {
    case 7: return "Bel";
    case 8: return "BS";
    case 9: return "Tab";
    case 10: return "LF";
    case 13: return "CR";
    case 27: return "Esc";
    case 32: return "Space";
    case 127: return "Del";
    default: break;
    }
    if (v < 32)
        return std::string{'^', static_cast<char>(v + 64), ' ', ' '} + hexText(v, "%02Xh");
    return characterText(v);
}

std::string commandText(std::int32_t v) {
    switch (v) {
    case CodeValue::LedOff: return "led off";
    case CodeValue::LedOn: return "led on";
    case CodeValue::LedFlash: return "led flash";
    case CodeValue::AtAt: return "@@";
    default: return "Cmd " + hexText(v & 0xFF, "%02X");
    }
}

} // namespace

std::string TKeypadClass::GetDisplayValue(std::int32_t index) const {
    const std::int32_t v = index >= 0 && index < MacroSlots
                               ? selectedMacro().Values[static_cast<std::size_t>(index)]
                               : CodeValue::Empty;
    if (v < 0)
        return " ";
    if (bViewInHex)
        return "0x" + hexText(v, "%02X");
    if (CodeValue::isDelay(v))
        return "Dly " + std::to_string((v - CodeValue::DelayBit) * 4);
    if (CodeValue::isBeep(v))
        return "Beep" + std::to_string((v - CodeValue::BeepBit) * 4);
    if (CodeValue::isTwoByteCommand(v))
        return commandText(v);
    return controlText(v);
}
