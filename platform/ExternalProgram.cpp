#include "platform/ExternalProgram.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace {

// winepath may have to start wine's server first, which takes a few seconds on a cold start.
constexpr int WinePathMilliseconds = 30000;

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

ExternalProgram FindExternalProgram(const QString& windowsName) {
    const QString plain = ProgramFolder::filePath(ExternalProgramName(windowsName));
#ifndef _WIN32
    if (!QFileInfo(plain).isFile()) {
        const QString windowsProgram = findInProgramFolder(windowsName);
        const QString wine = QStandardPaths::findExecutable(u"wine"_s);
        if (!windowsProgram.isEmpty() && !wine.isEmpty())
            return {wine, {windowsProgram}};
    }
#endif
    return {plain, {}};
}

QString WindowsPathForWine(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString winepath = QStandardPaths::findExecutable(u"winepath"_s);
    if (!winepath.isEmpty()) {
        QProcess process;
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(winepath, {u"-w"_s, absolute});
        if (process.waitForFinished(WinePathMilliseconds) && process.exitStatus() == QProcess::NormalExit &&
            process.exitCode() == 0) {
            const QString translated =
                QString::fromLocal8Bit(process.readAllStandardOutput()).section(u'\n', 0, 0);
            if (!translated.trimmed().isEmpty())
                return translated.trimmed();
        }
        process.kill();
        process.waitForFinished();
    }
    return u"Z:"_s + QString(absolute).replace(u'/', u'\\');
}
