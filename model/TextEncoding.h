#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text encodings: UTF-8, the program's text inside, and Windows-1252, the code page of the files and
// of the keypad's character bytes.

// What the five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90 and 0x9D) stand for.
enum class UndefinedWindows1252 {
    // No character: the macro view shows such a byte as its value, and no typed character gives it.
    NoCharacter,
    // The C1 control of the same number (U+0081 ...), as Windows itself converts them, so that text read
    // from a file gives every byte back when it is written again.
    OwnCodePoint,
};

// The character of a Windows-1252 byte (every byte below 0x80 is ASCII); nullopt for an undefined
// byte under NoCharacter.
std::optional<char32_t> Windows1252Character(std::uint8_t byte, UndefinedWindows1252 rule);

// The Windows-1252 byte of a character; nullopt when the code page has none for it.
std::optional<std::uint8_t> Windows1252Byte(char32_t character, UndefinedWindows1252 rule);

// Appends a character (a Unicode code point) to text as UTF-8.
void AppendUtf8(std::string& text, char32_t character);

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 text as UTF-8, the undefined bytes under OwnCodePoint.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 text as Windows-1252, the undefined bytes under OwnCodePoint, so that it gives back the bytes
// Windows1252ToUtf8 read. nullopt when the text holds a character the code page cannot hold, or is
// not valid UTF-8: nothing is ever replaced by "?".
std::optional<std::string> Utf8ToWindows1252(std::string_view text);
// The same appended to bytes; false, with bytes in an unspecified state, where the other gives nullopt.
bool AppendWindows1252(std::string& bytes, std::string_view text);

// Whether every byte of text is ASCII, the same in both encodings.
bool IsAscii(std::string_view text);

// The encoding of a text file: how it was read, and how it is written again.
enum class FileEncoding : std::uint8_t {
    Undecided,   // plain ASCII, or no file yet: either encoding reads it alike
    Utf8,        // valid UTF-8 with characters beyond ASCII, or with a byte-order mark
    Windows1252, // not valid UTF-8: a file made on Windows
};

// The first maxCharacters characters of UTF-8 text (all of it when it is shorter).
std::string_view Utf8Prefix(std::string_view text, std::size_t maxCharacters);

// Text from a file as a message shows it: every control character (a NUL, a tab, an escape) becomes
// U+FFFD, and text longer than maxCharacters is cut there and ends in an ellipsis.
std::string ShownText(std::string_view text, std::size_t maxCharacters);
