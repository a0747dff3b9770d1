#include "ui/main/Clipboard.h"

#include "files/CodeString.h"
#include "model/KeyTable.h"
#include "ui/main/TypedCharacters.h"

#include <QMimeData>
#include <limits>
#include <map>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// Our own types are short lines of text: "field=value", the codes as decimal numbers between blanks
// and a name percent-encoded, so that no name can break a line.
namespace {

using Fields = std::map<QByteArray, QByteArray>;

QByteArray valuesText(std::span<const std::int32_t> values) {
    QByteArray text;
    for (const std::int32_t value : values) {
        if (!text.isEmpty())
            text += ' ';
        text += QByteArray::number(value);
    }
    return text;
}

std::optional<std::vector<std::int32_t>> valuesOf(const QByteArray& text) {
    std::vector<std::int32_t> values;
    int bytes = 0;
    for (const QByteArray& number : text.split(' ')) {
        if (number.isEmpty())
            continue;
        bool ok = false;
        const qlonglong value = number.toLongLong(&ok);
        if (!ok || value < 0 || value > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
        values.push_back(static_cast<std::int32_t>(value));
        bytes += CodeValue::byteWeight(static_cast<std::int32_t>(value));
        if (bytes > MacroCapacityBytes)
            return std::nullopt;
    }
    return values;
}

QByteArray macroFields(const TMacroData& macro, const QByteArray& prefix) {
    std::vector<std::int32_t> values;
    for (const std::int32_t value : macro.Values) {
        if (value == CodeValue::Empty)
            break;
        values.push_back(value);
    }
    return prefix + "codes=" + valuesText(values) + '\n' + prefix +
           "autorepeat=" + (macro.AutoRepeat ? "1" : "0") + '\n' + prefix +
           "format=" + QByteArray::number(macro.Format) + '\n' + prefix +
           "name=" + QByteArray::fromStdString(macro.Name).toPercentEncoding() + '\n';
}

Fields fieldsOf(const QByteArray& text) {
    Fields fields;
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            fields.emplace(line.left(equals), line.mid(equals + 1).trimmed());
    }
    return fields;
}

std::optional<TMacroData> macroOf(const Fields& fields, const QByteArray& prefix) {
    const auto codes = fields.find(prefix + "codes");
    const auto autoRepeat = fields.find(prefix + "autorepeat");
    const auto format = fields.find(prefix + "format");
    const auto name = fields.find(prefix + "name");
    if (codes == fields.end() || autoRepeat == fields.end() || format == fields.end() || name == fields.end())
        return std::nullopt;
    const std::optional<std::vector<std::int32_t>> values = valuesOf(codes->second);
    if (!values || (autoRepeat->second != "0" && autoRepeat->second != "1") ||
        (format->second != "0" && format->second != "1"))
        return std::nullopt;
    TMacroData macro;
    macro.Values.fill(CodeValue::Empty);
    std::copy(values->begin(), values->end(), macro.Values.begin());
    macro.AutoRepeat = autoRepeat->second == "1";
    macro.Format = format->second == "1" ? sfSingleKey : sfDefault;
    macro.Name = QByteArray::fromPercentEncoding(name->second).toStdString();
    return macro;
}

QByteArray ownType(const QMimeData& data, const char* type) {
    return data.hasFormat(QString::fromLatin1(type)) ? data.data(QString::fromLatin1(type)) : QByteArray();
}

} // namespace

namespace Clipboard {

QMimeData* CodesData(std::span<const std::int32_t> values, std::uint8_t prefix) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(CodesType), valuesText(values));
    data->setText(CodeForm(values, prefix));
    return data;
}

QMimeData* MacroData(const TMacroData& macro, std::uint8_t prefix) {
    std::vector<std::int32_t> values;
    for (const std::int32_t value : macro.Values) {
        if (value == CodeValue::Empty)
            break;
        values.push_back(value);
    }
    QMimeData* data = CodesData(values, prefix);
    data->setData(QString::fromLatin1(MacroType), macroFields(macro, {}));
    return data;
}

QMimeData* KeyData(const TKeyDataRec& key) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(KeyType), "keytype=" + QByteArray::number(key.KeyType) + '\n' +
                                                    macroFields(key.Macro[0], "1.") +
                                                    macroFields(key.Macro[1], "2."));
    return data;
}

std::optional<std::vector<std::int32_t>> Codes(const QMimeData& data) {
    if (!data.hasFormat(QString::fromLatin1(CodesType)))
        return std::nullopt;
    return valuesOf(ownType(data, CodesType));
}

std::optional<TMacroData> Macro(const QMimeData& data) {
    if (!data.hasFormat(QString::fromLatin1(MacroType)))
        return std::nullopt;
    return macroOf(fieldsOf(ownType(data, MacroType)), {});
}

std::optional<TKeyDataRec> Key(const QMimeData& data) {
    if (!data.hasFormat(QString::fromLatin1(KeyType)))
        return std::nullopt;
    const Fields fields = fieldsOf(ownType(data, KeyType));
    const auto keyType = fields.find("keytype");
    if (keyType == fields.end() || keyType->second.size() != 1 || keyType->second[0] < '0' ||
        keyType->second[0] > '2')
        return std::nullopt;
    std::optional<TMacroData> level1 = macroOf(fields, "1.");
    std::optional<TMacroData> level2 = macroOf(fields, "2.");
    if (!level1 || !level2)
        return std::nullopt;
    TKeyDataRec key;
    key.KeyType = static_cast<TKeyType>(keyType->second[0] - '0');
    key.Macro = {std::move(*level1), std::move(*level2)};
    return key;
}

QString CodeForm(std::span<const std::int32_t> values, std::uint8_t prefix) {
    // The definition's own writer, on a scratch definition holding just these values.
    auto scratch = std::make_unique<TKeypadClass>();
    scratch->SetCmdPrefix(prefix);
    auto& macroValues = scratch->keys[0].Macro[0].Values;
    std::copy_n(values.begin(), std::min(values.size(), macroValues.size()), macroValues.begin());
    return QString::fromStdString(scratch->MakeCodes());
}

std::optional<std::vector<std::int32_t>> ReadCodeForm(const QString& text, std::uint8_t prefix) {
    std::string digits;
    for (const QChar c : text) {
        if (c.isSpace())
            continue;
        const bool lowerHex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
        if (!lowerHex)
            return std::nullopt;
        digits += static_cast<char>(c.unicode());
    }
    if (digits.empty() || digits.size() % 2 != 0)
        return std::nullopt;
    const CodeStringReading reading = ReadCodeString(digits, prefix);
    if (reading.end != reading.text.size() || !reading.unknownCommands.empty() || reading.codes.empty())
        return std::nullopt;
    std::vector<std::int32_t> values;
    for (const CodeStringReading::Code& code : reading.codes)
        values.push_back(code.value);
    return values;
}

std::vector<TypedKey> TypedKeys(const QString& text) {
    QString typed = text;
    typed.replace(u"\r\n"_s, u"\r"_s).replace(u'\n', u'\r');
    std::vector<TypedKey> keys;
    for (const char32_t character : typed.toUcs4()) {
        const std::optional<int> value = TypedCharacterValue(character);
        if (!value)
            continue;
        // Below 128 the value is a key code; the character needs Shift when only the shifted key types it.
        const bool shifted = character < 128 &&
                             KeyTableCharacter(*value, false) != static_cast<int>(character) &&
                             KeyTableCharacter(*value, true) == static_cast<int>(character);
        keys.push_back({*value, shifted});
    }
    return keys;
}

} // namespace Clipboard
