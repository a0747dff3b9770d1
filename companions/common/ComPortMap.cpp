#include "companions/common/ComPortMap.h"

#include "files/FileError.h"
#include "files/IniFile.h"
#include "platform/Folders.h"
#include "platform/UserSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr std::string_view PortSection = "Com Port Configuration";

bool inRange(int comPort) {
    return comPort >= LowestComPort && comPort <= HighestComPort;
}

QString dosDevices() {
    return QDir(WinePrefix()).filePath(u"dosdevices"_s);
}

QString linkPath(int comPort) {
    return QDir(dosDevices()).filePath(u"com%1"_s.arg(comPort));
}

// The file a name leads to, following every link; the name itself when it leads nowhere.
QString resolved(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

} // namespace

QString LoaderIniInUserFolder() {
    return QDir(MakeUserFolder()).filePath(u"Uplinker.ini"_s);
}

bool WinePrefixExists() {
    return QFileInfo(dosDevices()).isDir();
}

QString DeviceForComPort(int comPort) {
    if (!inRange(comPort))
        return {};
    try {
        const IniFile ini = IniFile::Load(toFilesystemPath(LoaderIniInUserFolder()));
        const QString recorded = QString::fromStdString(ini.ReadString(PortSection, "ComDevice"));
        if (!recorded.isEmpty() && ini.ReadInteger(PortSection, "ComPort", 0) == comPort)
            return recorded;
    } catch (const std::exception&) {
        // An unreadable INI file or user folder: the Wine prefix may still know the port.
    }
    return QFileInfo(linkPath(comPort)).symLinkTarget();
}

int ChooseComPort(const QString& device) {
    const QString wanted = resolved(device);
    int lowestFree = 0;
    for (int n = LowestComPort; n <= HighestComPort; ++n) {
        const QFileInfo link(linkPath(n));
        if (link.isSymLink() || link.exists()) {
            if (resolved(link.symLinkTarget()) == wanted || link.symLinkTarget() == device)
                return n;
        } else if (lowestFree == 0) {
            lowestFree = n;
        }
    }
    return lowestFree;
}

void LinkComPort(int comPort, const QString& device) {
    if (!inRange(comPort))
        throw ComPortError(u"COM%1 is out of range: Wine knows COM%2 to COM%3."_s.arg(comPort)
                               .arg(LowestComPort)
                               .arg(HighestComPort));
    const QString link = linkPath(comPort);
    const QFileInfo existing(link);
    if (existing.isSymLink() && existing.symLinkTarget() == device)
        return;
    if ((existing.isSymLink() || existing.exists()) && !QFile::remove(link))
        throw ComPortError(u"Cannot replace %1."_s.arg(link));
    if (!QFile::link(device, link))
        throw ComPortError(u"Cannot make the link %1 to %2."_s.arg(link, device));
}

QString ComPortLinkTarget(int comPort) {
    const QFileInfo link(linkPath(comPort));
    return inRange(comPort) && link.isSymLink() ? link.symLinkTarget() : QString();
}

void RestoreComPortLink(int comPort, const QString& target) {
    if (!inRange(comPort))
        return;
    QFile::remove(linkPath(comPort));
    if (!target.isEmpty())
        QFile::link(target, linkPath(comPort));
}

RecordedPort ReadRecordedPort() {
    try {
        const IniFile ini = IniFile::Load(toFilesystemPath(LoaderIniInUserFolder()));
        return {static_cast<int>(ini.ReadInteger(PortSection, "ComPort", 0)),
                QString::fromStdString(ini.ReadString(PortSection, "ComDevice"))};
    } catch (const std::exception&) {
        return {};
    }
}

void RecordComPort(int comPort, QChar kind, const QString& device) {
    try {
        const std::filesystem::path path = toFilesystemPath(LoaderIniInUserFolder());
        IniFile ini = IniFile::Load(path);
        ini.WriteInteger(PortSection, "ComPort", comPort);
        ini.WriteString(PortSection, "ComType", QString(kind).toStdString());
        ini.WriteString(PortSection, "ComDevice", device.toStdString());
        ini.Save(path);
    } catch (const std::exception& error) { // FileError, FolderError, or the file system's own
        throw ComPortError(QString::fromStdString(error.what()));
    }
}
