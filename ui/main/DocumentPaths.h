#pragma once

#include <QString>

// The current document path of a definition that has never been saved.
inline const QString UntitledDocumentName = QStringLiteral("untitled.ckd");

// Whether documentPath names no file yet: empty, or the bare name "untitled.ckd" in any letter case
// of A to Z. A file saved as untitled.ckd in some folder has a full path and does not count.
bool IsUntitledDocument(const QString& documentPath);

// The download image's path for a definition path, by the rule of ImagePathFor.
QString DownloadImagePath(const QString& definitionPath);

// The path wrapped in double quotes, as the loader gets it.
QString QuotedPath(const QString& path);
