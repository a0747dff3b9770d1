#include "platform/WinePrefix.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

QString WinePrefix() {
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (!prefix.isEmpty())
        return prefix;
    return QDir::home().filePath(u".wine"_s);
}

QString WindowsPathInPrefix(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QString drive = u"Z:"_s;
    QString driveFolder = u"/"_s;
    const QDir dosDevices(QDir(WinePrefix()).filePath(u"dosdevices"_s));
    for (const QString& name : dosDevices.entryList({u"?:"_s}, QDir::System | QDir::AllEntries)) {
        const QString target = QFileInfo(dosDevices.filePath(name)).canonicalFilePath();
        if (target.isEmpty() || target == u"/"_s)
            continue;
        const bool holds = absolute == target || absolute.startsWith(target + u'/');
        if (holds && target.size() > driveFolder.size()) {
            drive = name.toUpper();
            driveFolder = target;
        }
    }
    QString rest = driveFolder == u"/"_s ? absolute : absolute.mid(driveFolder.size());
    if (rest.isEmpty())
        rest = u"/"_s;
    return drive + rest.replace(u'/', u'\\');
}
