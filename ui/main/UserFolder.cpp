#include "ui/main/UserFolder.h"

#include "platform/Folders.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

QString MakeUserFolder() {
    QString documents = Folders::documents();
    if (documents.isEmpty())
        documents = QDir::rootPath();
    else
        Folders::ensurePathExists(documents); // a new desktop account may not have it yet
    const QString makerFolder = QDir(documents).filePath(u"Brimlow"_s);
    Folders::ensureExists(makerFolder);
    const QString userFolder = QDir(makerFolder).filePath(u"Keywright24"_s);
    Folders::ensureExists(userFolder);
    return userFolder;
}

QString SettingsFilePath(const QString& userFolder) {
    return QDir(userFolder).filePath(u"Keywright24.ini"_s);
}
QString MacroFilesFolder(const QString& userFolder) {
    return QDir(userFolder).filePath(u"Macro_Files"_s);
}
QString KeycapLabelsFolder(const QString& userFolder) {
    return QDir(userFolder).filePath(u"Keycap_Labels"_s);
}
