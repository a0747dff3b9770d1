#pragma once

#include "model/KeypadClass.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class QMimeData;

// What the program puts on the system clipboard and reads back from it. Codes, macros and keys go in
// types of our own that hold the values exactly; codes and macros also as plain text in the code form
// of the definition file, for pasting into a file or a message.
namespace Clipboard {

inline constexpr char CodesType[] = "application/x-keywright24-codes";
inline constexpr char MacroType[] = "application/x-keywright24-macro";
inline constexpr char KeyType[] = "application/x-keywright24-key";

// The clipboard's contents for codes and for a whole macro, the code form under the command prefix.
QMimeData* CodesData(std::span<const std::int32_t> values, std::uint8_t prefix);
QMimeData* MacroData(const TMacroData& macro, std::uint8_t prefix);
QMimeData* KeyData(const TKeyDataRec& key);

// What the clipboard holds, read back; nothing when it holds no such thing or it is damaged. A macro
// or codes worth more than a macro's bytes are damaged too.
std::optional<std::vector<std::int32_t>> Codes(const QMimeData& data);
std::optional<TMacroData> Macro(const QMimeData& data);
std::optional<TKeyDataRec> Key(const QMimeData& data);

// The code form of values under the prefix, as the definition file writes a macro.
QString CodeForm(std::span<const std::int32_t> values, std::uint8_t prefix);
// The values of text in the code form (lower-case digit pairs, blanks and line breaks between
// them allowed); nothing when text is anything else or reads as no code at all.
std::optional<std::vector<std::int32_t>> ReadCodeForm(const QString& text, std::uint8_t prefix);

// A character of pasted text as typing puts it into a macro: the value for AddData and whether the
// key is typed with Shift. Line breaks of any system are Enter; nothing for a character typing ignores.
struct TypedKey {
    int value;
    bool shifted;
};
std::vector<TypedKey> TypedKeys(const QString& text);

} // namespace Clipboard
