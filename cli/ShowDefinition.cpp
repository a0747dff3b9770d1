#include "cli/Commands.h"
#include "cli/TerminalText.h"
#include "files/DefinitionFile.h"
#include "model/KeypadParameters.h"

#include <ostream>
#include <string>

namespace {

std::string ledText(TLEDBehavior behavior) {
    switch (behavior) {
    case ledNone: return "off";
    case ledLevel: return "level indicator";
    case ledHostCtrl: return "host/macro control";
    case ledPower: return "power indicator";
    }
    return "unknown";
}

std::string baudRateText(std::uint8_t index) {
    return index < BaudRateLabels.size() ? std::string(BaudRateLabels[index]) : "unknown";
}

// Data bits, parity and stop bits, as the properties dialog reads the bit pattern.
std::string wordFormatText(std::uint8_t format) {
    return std::string(WordFormats[WordFormatIndex(format)].label);
}

std::string operatingModeText(std::uint8_t mode) {
    switch (static_cast<OperatingMode>(mode)) {
    case OperatingMode::CdcVirtualCom: return "CDC virtual COM port";
    case OperatingMode::VentrixVirtualCom: return "Ventrix virtual COM port";
    case OperatingMode::UsbKeyboard: return "USB keyboard (HID)";
    }
    return "unknown";
}

std::string keysOfType(const TKeypadClass& keypad, TKeyType type) {
    std::string keys;
    for (int key = 0; key < KeyCount; ++key)
        if (keypad.keys[static_cast<std::size_t>(key)].KeyType == type)
            keys += (keys.empty() ? "" : ", ") + std::to_string(key + 1);
    return keys.empty() ? "none" : keys;
}

void showParameters(const TKeypadClass& keypad, std::ostream& out) {
    out << "Download delay: " << keypad.DownloadDelay() << " ms\n"
        << "Key rollover: " << int{keypad.KeyRollOver()} << '\n'
        << "Character pacing: " << int{keypad.CharacterPacing()} << " ms\n"
        << "LED behaviour: " << int{keypad.LEDBehavior()} << " (" << ledText(keypad.LEDBehavior()) << ")\n"
        << "Baud rate: " << int{keypad.BaudRate()} << " (" << baudRateText(keypad.BaudRate()) << ")\n"
        << "Word format: " << int{keypad.WordFormat()} << " (" << wordFormatText(keypad.WordFormat()) << ")\n"
        << "Command prefix: " << int{keypad.CmdPrefix()} << '\n'
        << "Operating mode: " << int{keypad.OpMode()} << " (" << operatingModeText(keypad.OpMode()) << ")\n"
        << "CDC serial number: " << keypad.CdcSerialNo() << '\n'
        << "Toggle keys: " << keysOfType(keypad, ktToggle) << '\n'
        << "Shift keys: " << keysOfType(keypad, ktShift) << '\n';
}

// The selected macro: a heading line, then its codes as the macro view shows them, separated by tabs.
void showMacro(const TKeypadClass& keypad, std::ostream& out) {
    out << "Key " << keypad.Key() + 1 << ", level " << keypad.Level() + 1 << ", name \""
        << TerminalText(keypad.GetMacroName()) << "\", auto-repeat "
        << (keypad.CanAutoRepeat() ? "on" : "off") << ", " << keypad.CodeCount() << " of "
        << MacroCapacityBytes << " bytes\n";
    for (int index = 0; index < keypad.NumOfElements(); ++index)
        out << '\t' << keypad.GetDisplayValue(index);
    out << '\n';
}

} // namespace

int RunShow(const std::filesystem::path& definition, bool hex, std::ostream& out) {
    TKeypadClass keypad = ReadExistingDefinition(definition);
    keypad.bViewInHex = hex;
    showParameters(keypad, out);
    for (std::uint8_t key = 0; key < KeyCount; ++key) {
        keypad.SetKey(key);
        for (std::uint8_t level = 0; level < LevelCount; ++level) {
            keypad.SetLevel(level);
            if (keypad.NumOfElements() > 0)
                showMacro(keypad, out);
        }
    }
    return ExitSuccess;
}
