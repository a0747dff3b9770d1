#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 text as UTF-8. The five bytes the code page leaves undefined keep their own code point,
// as Windows itself converts them.
std::string Windows1252ToUtf8(std::string_view bytes);

// The first maxCharacters characters of UTF-8 text (all of it when it is shorter).
std::string_view Utf8Prefix(std::string_view text, std::size_t maxCharacters);

// Text from a file as a message shows it: every control character (a NUL, a tab, an escape) becomes
// U+FFFD, and text longer than maxCharacters is cut there and ends in an ellipsis.
std::string ShownText(std::string_view text, std::size_t maxCharacters);
