#include "files/CodeString.h"

#include "files/DownloadImage.h"
#include "model/KeypadClass.h"

#include <array>
#include <optional>

namespace {

constexpr std::array<std::int8_t, 256> hexDigitValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int c = '0'; c <= '9'; ++c)
        values[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c) {
        values[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(c - 'a' + 10);
        values[static_cast<std::size_t>(c - 'a' + 'A')] = static_cast<std::int8_t>(c - 'a' + 10);
    }
    return values;
}();

int hexDigitValue(char c) {
    return hexDigitValues[static_cast<unsigned char>(c)];
}

// The command a prefix pair opens, from the command byte and the pair after it (-1 when there is none).
// Nothing when the command byte stands for no command.
std::optional<std::int32_t> commandValue(int command, int parameter) {
    switch (command) {
    case 1: return CodeValue::DelayBit + parameter;
    case 2: return CodeValue::BeepBit + parameter;
    case 0x40: return CodeValue::AtAt;
    default:
        if ((command & 0x08) != 0)
            return CodeValue::CommandBit + command;
        return std::nullopt;
    }
}

} // namespace

int HexPairToByte(std::string_view text) {
    if (text.size() < 2)
        return -1;
    const int high = hexDigitValue(text[0]);
    const int low = hexDigitValue(text[1]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

CodeStringReading ReadCodeString(std::string_view codes, std::uint8_t prefix) {
    CodeStringReading reading;
    reading.text.reserve(codes.size());
    reading.codes.reserve(codes.size() / 2);
    if (codes.find(' ') == std::string_view::npos) {
        reading.text = codes;
    } else {
        for (const char c : codes)
            if (c != ' ')
                reading.text += c;
    }
    const std::string_view text = reading.text;
    const auto pairAt = [&text](std::size_t offset) {
        return offset < text.size() ? HexPairToByte(text.substr(offset)) : -1;
    };

    std::size_t offset = 0;
    while (offset < text.size()) {
        const int byte = pairAt(offset);
        if (byte < 0)
            break;
        if (byte != prefix || offset + 2 == text.size()) {
            reading.codes.push_back({byte, offset});
            offset += 2;
            continue;
        }
        const int command = pairAt(offset + 2);
        if (command < 0)
            break;
        const bool hasParameter = command == 1 || command == 2;
        const int parameter = hasParameter ? pairAt(offset + 4) : 0;
        if (parameter < 0)
            break;
        if (const auto value = commandValue(command, parameter))
            reading.codes.push_back({*value, offset});
        else
            reading.unknownCommands.push_back(offset);
        offset += hasParameter ? 6 : 4;
    }
    reading.end = offset;
    return reading;
}
