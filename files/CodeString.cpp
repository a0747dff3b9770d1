#include "files/CodeString.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <utility>

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

namespace {

// The code string without its blanks; storage holds the text when blanks had to be taken out.
std::string_view withoutBlanks(std::string_view codes, std::string& storage) {
    if (codes.find(' ') == std::string_view::npos)
        return codes;
    storage.reserve(codes.size());
    for (const char c : codes)
        if (c != ' ')
            storage += c;
    return storage;
}

// Reads text (without blanks): onCode(value, offset) for each code value until it returns false,
// onUnknown(offset) for each prefix pair whose command byte gives nothing. Returns where reading
// stopped.
template <typename OnCode, typename OnUnknown>
std::size_t readCodes(std::string_view text, std::uint8_t prefix, OnCode onCode, OnUnknown onUnknown) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    // The byte of the pair at offset (which must lie within text), or -1 when it is not two hex digits.
    const auto pairAt = [data](std::size_t offset) {
        const int high = hexDigitValue(data[offset]);
        const int low = hexDigitValue(data[offset + 1]);
        return (high | low) < 0 ? -1 : high * 16 + low;
    };

    std::size_t offset = 0;
    // An odd last digit is no pair: reading stops before it, as it does before a command cut short.
    while (offset + 2 <= size) {
        const int byte = pairAt(offset);
        if (byte < 0)
            break;
        if (byte != prefix || offset + 2 == size) {
            if (!onCode(byte, offset))
                return offset;
            offset += 2;
            continue;
        }
        if (offset + 4 > size)
            break;
        const int command = pairAt(offset + 2);
        if (command < 0)
            break;
        const bool hasParameter = command == 1 || command == 2;
        if (hasParameter && offset + 6 > size)
            break;
        const int parameter = hasParameter ? pairAt(offset + 4) : 0;
        if (parameter < 0)
            break;
        if (const auto value = commandValue(command, parameter)) {
            if (!onCode(*value, offset))
                return offset;
        } else {
            onUnknown(offset);
        }
        offset += hasParameter ? 6 : 4;
    }
    return offset;
}

} // namespace

CodeStringReading ReadCodeString(std::string_view codes, std::uint8_t prefix) {
    CodeStringReading reading;
    std::string storage;
    const std::string_view text = withoutBlanks(codes, storage);
    reading.text = storage.empty() ? std::string(text) : std::move(storage);
    reading.codes.reserve(reading.text.size() / 2);
    reading.end = readCodes(
        reading.text, prefix,
        [&reading](std::int32_t value, std::size_t offset) {
            reading.codes.push_back({value, offset});
            return true;
        },
        [&reading](std::size_t offset) { reading.unknownCommands.push_back(offset); });
    return reading;
}

void LoadCodeString(TKeypadClass& keypad, std::string_view codes) {
    std::string storage;
    const std::string_view text = withoutBlanks(codes, storage);
    // Values go into the macro a chunk at a time, in order, so the result is that of inserting each.
    std::array<std::int32_t, 128> chunk;
    std::size_t used = 0;
    std::int32_t position = 0;
    bool room = true;
    const auto flush = [&] {
        room = keypad.InsertBytes(position, std::span(chunk.data(), used));
        used = 0;
        return room;
    };
    readCodes(
        text, keypad.CmdPrefix(),
        [&](std::int32_t value, std::size_t) {
            chunk[used++] = value;
            // A value the full macro refuses is lost, and so is every later one.
            return used < chunk.size() || flush();
        },
        [](std::size_t) {});
    if (room && used > 0)
        flush();
}
