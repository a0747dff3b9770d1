#include "cli/TerminalText.h"

namespace {

void putEscaped(std::string& shown, unsigned char byte) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    shown += "\\x";
    shown += Digits[byte >> 4];
    shown += Digits[byte & 0xF];
}

} // namespace

std::string TerminalText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // C1 controls (U+0080 to U+009F, such as the one-byte escape sequence introducer) are C2 80 to
        // C2 9F in UTF-8.
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
        if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            putEscaped(shown, byte);
            putEscaped(shown, next);
            ++i;
        } else if (byte < 0x20 || byte == 0x7F) {
            putEscaped(shown, byte);
        } else {
            shown += text[i];
        }
    }
    return shown;
}
