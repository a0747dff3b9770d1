#include "model/KeyboardLayout.h"
#include "model/KeypadClass.h"
#include "model/KeypadParameters.h"
#include "model/TextEncoding.h"

#include <cstdio>

namespace {

std::string hexText(std::int32_t value, const char* format) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(value));
    return buffer;
}

// A data value as the character it stands for.
std::string characterText(std::int32_t v) {
    std::string text;
    if (v >= 0x80 && v <= 0x9F) {
        const std::optional<char32_t> c =
            Windows1252Character(static_cast<std::uint8_t>(v), UndefinedWindows1252::NoCharacter);
        if (!c)
            return hexText(v, "%02Xh");
        AppendUtf8(text, *c);
    } else if (v >= 0xD800 && v <= 0xDFFF) {
        return hexText(v, "%04Xh"); // a lone surrogate is no character
    } else {
        AppendUtf8(text, static_cast<char32_t>(v));
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

const LayoutTable* TKeypadClass::TypingLayout() const {
    if (fComputerLayout == nullptr || fComputerLayout == &UsLayout() ||
        OpMode() != ValueOf(OperatingMode::UsbKeyboard))
        return nullptr;
    return fComputerLayout;
}

std::string TKeypadClass::GetDisplayValue(std::int32_t index) const {
    const std::int32_t v = index >= 0 && index < MacroSlots
                               ? SelectedMacro().Values[static_cast<std::size_t>(index)]
                               : CodeValue::Empty;
    if (v < 0)
        return " ";
    if (bViewInHex)
        return "0x" + hexText(v, "%02X");
    if (CodeValue::isDelay(v))
        return "Dly " + std::to_string((v - CodeValue::DelayBit) * CodeValue::DelayUnitMs);
    if (CodeValue::isBeep(v))
        return "Beep" + std::to_string((v - CodeValue::BeepBit) * 4);
    if (CodeValue::isTwoByteCommand(v))
        return commandText(v);
    // A printable character as the computer's layout makes it.
    if (const LayoutTable* layout = TypingLayout(); layout && v > 32 && v < 127) {
        const char32_t c = LayoutCharacter(*layout, v);
        return c == 0 ? controlText(v) : characterText(static_cast<std::int32_t>(c));
    }
    return controlText(v);
}
