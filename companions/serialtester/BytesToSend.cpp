#include "companions/serialtester/BytesToSend.h"

#include "model/TextEncoding.h"

#include <QList>

using namespace Qt::Literals::StringLiterals;

namespace {

int hexDigit(char32_t c) {
    if (c >= u'0' && c <= u'9')
        return static_cast<int>(c - u'0');
    if (c >= u'a' && c <= u'f')
        return static_cast<int>(c - u'a') + 10;
    if (c >= u'A' && c <= u'F')
        return static_cast<int>(c - u'A') + 10;
    return -1;
}

} // namespace

BytesToSend ReadBytesToSend(const QString& line) {
    BytesToSend result;
    const QList<uint> characters = line.toUcs4();
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const char32_t character = characters[i];
        if (character != u'\\') {
            const auto byte = Windows1252Byte(character, UndefinedWindows1252::NoCharacter);
            if (!byte) {
                result.error = u"\"%1\" is no single byte: write its byte as \\xNN."_s.arg(
                    QString::fromUcs4(&character, 1));
                return result;
            }
            result.bytes.append(static_cast<char>(*byte));
            continue;
        }
        const char32_t escape = i + 1 < characters.size() ? characters[i + 1] : 0;
        ++i;
        switch (escape) {
        case u'r': result.bytes.append('\r'); break;
        case u'n': result.bytes.append('\n'); break;
        case u't': result.bytes.append('\t'); break;
        case u'e': result.bytes.append('\x1b'); break;
        case u'\\': result.bytes.append('\\'); break;
        case u'x': {
            const int high = i + 1 < characters.size() ? hexDigit(characters[i + 1]) : -1;
            const int low = i + 2 < characters.size() ? hexDigit(characters[i + 2]) : -1;
            if (high < 0 || low < 0) {
                result.error = u"\\x takes two hexadecimal digits, as in \\x0D."_s;
                return result;
            }
            result.bytes.append(static_cast<char>(high * 16 + low));
            i += 2;
            break;
        }
        default:
            result.error = u"Unknown escape \\%1: use \\r, \\n, \\t, \\e, \\\\ or \\xNN."_s.arg(
                escape == 0 ? QString() : QString::fromUcs4(&escape, 1));
            return result;
        }
    }
    return result;
}
