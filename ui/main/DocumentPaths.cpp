#include "ui/main/DocumentPaths.h"

#include "files/DownloadImage.h"
#include "platform/Folders.h"

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
    return documentPath.isEmpty() || foldAsciiLetters(documentPath) == UntitledDocumentName;
}

QString DownloadImagePath(const QString& definitionPath) {
    return fromFilesystemPath(ImagePathFor(toFilesystemPath(definitionPath)));
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
