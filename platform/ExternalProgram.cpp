#include "platform/ExternalProgram.h"

#include "platform/ProgramFolder.h"
#include "platform/WinePrefix.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace {

#ifndef _WIN32
// The file called name in the program folder in any letter case: Windows programs are often shipped
// as NAME.EXE, and their folder is case-insensitive where they come from.
QString findInProgramFolder(const QString& name) {
    const QDir folder(ProgramFolder::path());
    const QStringList found = folder.entryList({name}, QDir::Files);
    for (const QString& candidate : found)
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return QDir::toNativeSeparators(folder.filePath(candidate));
    return {};
}
#endif

} // namespace

ExternalProgram FindExternalProgram(const QString& windowsName, const QString& companionName) {
    const QString plain = ProgramFolder::filePath(ExternalProgramName(windowsName));
#ifndef _WIN32
    if (!QFileInfo(plain).isFile()) {
        const QString companion =
            companionName.isEmpty() ? QString() : ProgramFolder::filePath(companionName);
        if (!companion.isEmpty() && QFileInfo(companion).isExecutable())
            return {companion, {}};
        const QString windowsProgram = findInProgramFolder(windowsName);
        const QString wine = QStandardPaths::findExecutable(u"wine"_s);
        if (!windowsProgram.isEmpty() && !wine.isEmpty())
            return {wine, {windowsProgram}};
    }
#endif
    return {plain, {}};
}

QString WindowsPathForWine(const QString& path) {
    return WindowsPathInPrefix(path);
}
