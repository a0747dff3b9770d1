#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace {
std::optional<QString> folderForTests;
}

QString ProgramFolder::path() {
    if (folderForTests)
        return *folderForTests;
    return QCoreApplication::applicationDirPath();
}

QString ProgramFolder::filePath(const QString& name) {
    return QDir::toNativeSeparators(QDir(path()).filePath(name));
}

void ProgramFolder::setForTests(std::optional<QString> folder) {
    folderForTests = std::move(folder);
}

QString ExternalProgramName(const QString& windowsName) {
#ifdef _WIN32
    return windowsName;
#else
    const QString suffix = u".exe"_s;
    if (windowsName.endsWith(suffix, Qt::CaseInsensitive))
        return windowsName.chopped(suffix.size());
    return windowsName;
#endif
}
