#include "ui/main/DocumentPaths.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString foldAsciiLetters(QString text) {
    for (QChar& c : text)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return text;
}

} // namespace

bool IsUntitledDocument(const QString& documentPath) {
    return documentPath.isEmpty() || foldAsciiLetters(documentPath) == QStringView(UntitledDocumentName);
}

QString DownloadImagePath(const QString& definitionPath) {
    QString path = definitionPath;
    // Characters, not UTF-16 units: a character outside the basic plane is dropped whole.
    for (int dropped = 0; dropped < 3 && !path.isEmpty(); ++dropped) {
        const qsizetype size = path.size();
        const bool pair =
            size >= 2 && path.at(size - 1).isLowSurrogate() && path.at(size - 2).isHighSurrogate();
        path.chop(pair ? 2 : 1);
    }
    return path + u"hex"_s;
}

QString QuotedPath(const QString& path) {
    // A path without double quotes or trailing backslashes (every Windows path) is simply enclosed.
    // Other characters are escaped so that the Windows parameter rules give the path back whole:
    // backslashes before a quote are doubled and the quote is escaped.
    QString quoted(1, u'"');
    qsizetype backslashes = 0;
    for (const QChar c : path) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        quoted += QString(c == u'"' ? 2 * backslashes + 1 : backslashes, u'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted += QString(2 * backslashes, u'\\');
    quoted += u'"';
    return quoted;
}
