#include "companions/common/PortChoice.h"

#include "companions/common/ComPortMap.h"

#include <QFile>
#include <QFileInfo>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

QString PermissionHint(const QString& device) {
    const QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), R_OK | W_OK) == 0)
        return {};
    const QFileInfo info(device);
    const QString group = info.group().isEmpty() ? u"dialout"_s : info.group();
    return u"You may not open %1: it belongs to the group \"%2\". Join the group with\n"
           u"    sudo usermod -aG %2 $USER\n"
           u"then log out and in again."_s.arg(device, group);
}

PortChoiceResult RecordPortChoice(const QString& device, QChar kind) {
    if (!QFileInfo::exists(device))
        throw ComPortError(u"%1 does not exist. Is the keypad plugged in?"_s.arg(device));
    PortChoiceResult result;
    result.comPort = ChooseComPort(device);
    if (result.comPort == 0)
        throw ComPortError(u"Every COM number of the Wine prefix %1 is taken."_s.arg(WinePrefix()));
    if (WinePrefixExists()) {
        LinkComPort(result.comPort, device);
        result.linked = true;
    }
    RecordComPort(result.comPort, kind, device);
    result.warning = PermissionHint(device);
    return result;
}
