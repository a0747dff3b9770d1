#include "model/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The characters of the bytes 0x80 to 0x9F, where Windows-1252 differs from Latin-1; 0 for the bytes
// it leaves undefined. From 0xA0 on, byte and character are the same number.
constexpr std::array<char32_t, 32> windows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

std::optional<char32_t> Windows1252Character(std::uint8_t byte, UndefinedWindows1252 rule) {
    if (byte < 0x80 || byte > 0x9F)
        return char32_t{byte};
    const char32_t character = windows1252High[byte - 0x80u];
    if (character != 0)
        return character;
    if (rule == UndefinedWindows1252::OwnCodePoint)
        return char32_t{byte};
    return std::nullopt;
}

std::optional<std::uint8_t> Windows1252Byte(char32_t character, UndefinedWindows1252 rule) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<std::uint8_t>(character);
    for (std::size_t index = 0; index < windows1252High.size(); ++index)
        if (windows1252High[index] == character)
            return static_cast<std::uint8_t>(0x80 + index);
    if (rule == UndefinedWindows1252::OwnCodePoint && character >= 0x80 && character <= 0x9F &&
        windows1252High[character - 0x80] == 0)
        return static_cast<std::uint8_t>(character);
    return std::nullopt;
}

void AppendUtf8(std::string& text, char32_t c) {
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

bool IsValidUtf8(std::string_view bytes) {
    struct Form {
        unsigned char leadMask;
        unsigned char leadBits;
        std::size_t length;
        char32_t minimum;
    };
    static constexpr std::array<Form, 3> multiByteForms{
        {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}}};
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Runs of ASCII, eight bytes at a time.
        while (i + 8 <= bytes.size()) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, bytes.data() + i, 8);
            if ((eight & 0x8080808080808080u) != 0)
                break;
            i += 8;
        }
        if (i == bytes.size())
            break;
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const Form* form = nullptr;
        for (const Form& candidate : multiByteForms)
            if ((lead & candidate.leadMask) == candidate.leadBits)
                form = &candidate;
        if (form == nullptr || bytes.size() - i < form->length)
            return false;
        char32_t c = lead & static_cast<unsigned char>(~form->leadMask);
        for (std::size_t k = 1; k < form->length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (!isContinuation(next))
                return false;
            c = (c << 6) | (next & 0x3Fu);
        }
        if (c < form->minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += form->length;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 4);
    for (const char byte : bytes) {
        const auto b = static_cast<std::uint8_t>(byte);
        if (b < 0x80)
            text += byte;
        else
            AppendUtf8(text, *Windows1252Character(b, UndefinedWindows1252::OwnCodePoint));
    }
    return text;
}

bool AppendWindows1252(std::string& bytes, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            bytes += text[i++];
            continue;
        }
        // Only two- and three-byte forms can be characters of the code page (U+0080 to U+2122).
        const std::size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
        if (length == 0 || text.size() - i < length || !IsValidUtf8(text.substr(i, length)))
            return false;
        char32_t c = lead & (length == 2 ? 0x1Fu : 0x0Fu);
        for (std::size_t k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        const std::optional<std::uint8_t> byte = Windows1252Byte(c, UndefinedWindows1252::OwnCodePoint);
        if (!byte)
            return false;
        bytes += static_cast<char>(*byte);
        i += length;
    }
    return true;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    if (!AppendWindows1252(bytes, text))
        return std::nullopt;
    return bytes;
}

bool IsAscii(std::string_view text) {
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, text.data() + i, 8);
        if ((eight & 0x8080808080808080u) != 0)
            return false;
    }
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string_view Utf8Prefix(std::string_view text, std::size_t maxCharacters) {
    if (text.size() <= maxCharacters)
        return text; // no more characters than bytes
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isContinuation(static_cast<unsigned char>(text[i])))
            continue;
        if (characters == maxCharacters)
            return text.substr(0, i);
        ++characters;
    }
    return text;
}

std::string ShownText(std::string_view text, std::size_t maxCharacters) {
    static constexpr std::string_view replacement = "\xEF\xBF\xBD";
    const std::string_view shown = Utf8Prefix(text, maxCharacters);
    std::string result;
    result.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto byte = static_cast<unsigned char>(shown[i]);
        // C1 controls (U+0080 to U+009F) are two bytes in UTF-8, C2 80 to C2 9F.
        const auto next = i + 1 < shown.size() ? static_cast<unsigned char>(shown[i + 1]) : 0u;
        const bool c1 = byte == 0xC2 && next >= 0x80 && next <= 0x9F;
        if (byte < 0x20 || byte == 0x7F || c1) {
            result += replacement;
            i += c1 ? 1 : 0;
        } else {
            result += shown[i];
        }
    }
    if (shown.size() < text.size())
        result += "\xE2\x80\xA6";
    return result;
}
