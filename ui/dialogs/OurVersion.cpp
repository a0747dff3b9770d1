#include "ui/dialogs/OurVersion.h"

using namespace Qt::StringLiterals;

QString ShortVersion(const std::optional<QString>& fileVersion) {
    if (!fileVersion)
        return u"NA"_s;
    return fileVersion->left(5);
}

#ifndef Q_OS_WIN
std::optional<QString> ProgramFileVersion() {
#ifdef KW24_VERSION
    return QString::fromUtf8(KW24_VERSION);
#else
    return std::nullopt;
#endif
}
#endif
