#include "ui/main/LoaderSettings.h"

#include "files/FileError.h"
#include "files/IniFile.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr std::string_view PortSection = "Com Port Configuration";
}

QString LoaderIniPath(const QString& folder) {
    return QDir::toNativeSeparators(QDir(folder).filePath(u"Uplinker.ini"_s));
}

LoaderPort ReadLoaderPort(const QString& folder) {
    LoaderPort port;
    const QString path = LoaderIniPath(folder);
    if (!QFileInfo(path).isFile())
        return port;
    try {
        const IniFile ini = IniFile::Load(toFilesystemPath(path));
        port.comPort = ini.ReadInteger(PortSection, "ComPort", 0);
        port.comType = QString::fromStdString(ini.ReadString(PortSection, "ComType", "?"));
    } catch (const FileError&) {
        // An unreadable file reads as one without the section.
    }
    return port;
}
