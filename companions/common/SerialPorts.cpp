#include "companions/common/SerialPorts.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

QString StableDeviceName(const QString& systemDevice) {
    const QString canonical = QFileInfo(systemDevice).canonicalFilePath();
    const QDir byId(u"/dev/serial/by-id"_s);
    for (const QFileInfo& link : byId.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
        if (!canonical.isEmpty() && link.canonicalFilePath() == canonical)
            return link.absoluteFilePath();
    return systemDevice;
}

QChar GuessPortKind(const QString& systemDevice) {
    const QString name = QFileInfo(systemDevice).fileName();
    if (name.startsWith(u"ttyACM"_s))
        return u'V';
    if (name.startsWith(u"ttyUSB"_s))
        return u'U';
    if (name.startsWith(u"ttyS"_s))
        return u'R';
    return u'?';
}

bool IsPortKind(QChar c) {
    return c == u'U' || c == u'R' || c == u'V';
}

QList<SerialPortInfo> ListSerialPorts() {
    QList<SerialPortInfo> ports;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        SerialPortInfo info;
        info.systemDevice = port.systemLocation();
        info.device = StableDeviceName(info.systemDevice);
        info.manufacturer = port.manufacturer();
        info.product = port.description();
        info.serialNumber = port.serialNumber();
        info.kind = GuessPortKind(info.systemDevice);
        ports.append(info);
    }
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.device < b.device; });
    return ports;
}
