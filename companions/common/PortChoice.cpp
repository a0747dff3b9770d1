#include "companions/common/PortChoice.h"

#include "companions/common/ComPortMap.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

QString PermissionHint(const QString& device) {
    const QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), R_OK | W_OK) == 0)
        return {};
    const QFileInfo info(QFileInfo(device).canonicalFilePath()); // the device, not a link to it
    const QString group = info.group().isEmpty() ? u"dialout"_s : info.group();
    return u"You may not open %1: it belongs to the group \"%2\". Join the group with\n"
           u"    sudo usermod -aG %2 $USER\n"
           u"then log out and in again."_s.arg(device, group);
}

QString BusyHint(const QString& device) {
    QSerialPort port(device);
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        return {};
    }
    // The user may open it (see PermissionHint), so a refusal means another program holds it.
    if (port.error() == QSerialPort::PermissionError)
        return u"%1 is in use by another program. Close that program before you download to the keypad "
               u"or test it."_s.arg(device);
    return u"%1 cannot be opened: %2"_s.arg(device, port.errorString());
}

QString RecordedPortGone(const RecordedPort& recorded) {
    if (recorded.device.isEmpty() || QFileInfo::exists(recorded.device))
        return {};
    return u"The port set now, COM%1 (%2), is not there."_s.arg(recorded.comPort).arg(recorded.device);
}

PortChoiceResult RecordPortChoice(const QString& device, QChar kind) {
    if (!QFileInfo::exists(device))
        throw ComPortError(u"%1 does not exist. Is the keypad plugged in?"_s.arg(device));
    struct stat status {};
    if (::stat(QFile::encodeName(device).constData(), &status) != 0 || !S_ISCHR(status.st_mode))
        throw ComPortError(u"%1 is no serial port."_s.arg(device));
    PortChoiceResult result;
    result.comPort = ChooseComPort(device);
    if (result.comPort == 0)
        throw ComPortError(u"Every COM number of the Wine prefix %1 is taken."_s.arg(WinePrefix()));
    if (WinePrefixExists()) {
        const QString previousTarget = ComPortLinkTarget(result.comPort);
        LinkComPort(result.comPort, device);
        result.linked = true;
        try {
            RecordComPort(result.comPort, kind, device);
        } catch (const ComPortError&) {
            RestoreComPortLink(result.comPort, previousTarget); // nothing recorded: the prefix as it was
            throw;
        }
    } else {
        RecordComPort(result.comPort, kind, device);
    }
    result.warning = PermissionHint(device);
    if (result.warning.isEmpty())
        result.warning = BusyHint(device);
    return result;
}
