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
    return u'"' + path + u'"';
}
