#include "platform/UserSettings.h"

#include "files/FileError.h"
#include "files/IniFile.h"
#include "platform/Folders.h"
#include "platform/ProgramName.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace {

// The settings file's keys. The startup prompt and the key label size write the file.
constexpr std::string_view ConfigurationSection = "CONFIGURATION";
constexpr std::string_view ModelNumberKey = "Model_Number";
constexpr std::string_view HideStartBoxKey = "Hide_StartBox";
constexpr std::string_view KeyLabelWidthKey = "Key_Label_Width";
constexpr std::string_view KeyLabelHeightKey = "Key_Label_Height";
constexpr std::string_view ComputerLayoutKey = "Keyboard_Layout";
constexpr std::string_view RecordPausesKey = "Record_Pauses";

// The settings file, or an empty one when it cannot be read.
IniFile readSettings(const QString& userFolder) {
    try {
        return IniFile::Load(toFilesystemPath(SettingsFilePath(userFolder)));
    } catch (const FileError&) {
        return {};
    }
}

void writeSetting(const QString& userFolder, std::string_view key, const std::string& value) {
    const std::filesystem::path settingsFile = toFilesystemPath(SettingsFilePath(userFolder));
    IniFile settings = IniFile::Load(settingsFile);
    settings.WriteString(ConfigurationSection, key, value);
    settings.Save(settingsFile);
}

std::optional<double> readMillimetres(const IniFile& settings, std::string_view key) {
    bool ok = false;
    const double mm =
        QLocale::c().toDouble(QString::fromStdString(settings.ReadString(ConfigurationSection, key)), &ok);
    if (!ok || mm < SmallestKeyLabelMm || mm > LargestKeyLabelMm)
        return std::nullopt;
    return mm;
}

std::string millimetresText(double mm) {
    return QLocale::c().toString(mm, 'g', 6).toStdString();
}

} // namespace

QString MakeUserFolder() {
    QString documents = Folders::documents();
    if (documents.isEmpty())
        documents = QDir::rootPath();
    else
        Folders::ensurePathExists(documents); // a new desktop account may not have it yet
    const QString makerFolder = QDir(documents).filePath(u"Brimlow"_s);
    Folders::ensureExists(makerFolder);
    const QString userFolder = QDir(makerFolder).filePath(ProgramName);
    Folders::ensureExists(userFolder);
    return userFolder;
}

QString SettingsFilePath(const QString& userFolder) {
    return QDir(userFolder).filePath(ProgramName + u".ini"_s);
}
QString MacroFilesFolder(const QString& userFolder) {
    return QDir(userFolder).filePath(u"Macro_Files"_s);
}
QString KeycapLabelsFolder(const QString& userFolder) {
    return QDir(userFolder).filePath(u"Keycap_Labels"_s);
}
QString RecoveryFolder(const QString& userFolder) {
    return QDir(userFolder).filePath(u"Recovery"_s);
}

bool ReadHideStartBox(const QString& userFolder) {
    const QString settingsFile = SettingsFilePath(userFolder);
    if (!QFileInfo(settingsFile).isFile())
        return false; // never created here: only the startup prompt writes it
    try {
        return IniFile::Load(toFilesystemPath(settingsFile))
                   .ReadInteger(ConfigurationSection, HideStartBoxKey, 0) != 0;
    } catch (const FileError&) {
        return false;
    }
}

void HideStartupPromptFromNowOn(const QString& userFolder) {
    const QString folder = QDir::cleanPath(userFolder);
    Folders::ensureExists(QFileInfo(folder).path());
    Folders::ensureExists(folder);

    const std::filesystem::path settingsFile = toFilesystemPath(SettingsFilePath(folder));
    IniFile settings = IniFile::Load(settingsFile);
    settings.WriteString(ConfigurationSection, ModelNumberKey, ProgramName.toStdString());
    settings.WriteString(ConfigurationSection, HideStartBoxKey, "1");
    settings.Save(settingsFile);
}

std::optional<QSizeF> ReadKeyLabelSize(const QString& userFolder) {
    IniFile settings;
    try {
        settings = IniFile::Load(toFilesystemPath(SettingsFilePath(userFolder)));
    } catch (const FileError&) {
        return std::nullopt; // an unreadable file remembers nothing: the size is asked again
    }
    const auto width = readMillimetres(settings, KeyLabelWidthKey);
    const auto height = readMillimetres(settings, KeyLabelHeightKey);
    if (!width || !height)
        return std::nullopt;
    return QSizeF(*width, *height);
}

void WriteKeyLabelSize(const QString& userFolder, QSizeF sizeMm) {
    const std::filesystem::path settingsFile = toFilesystemPath(SettingsFilePath(userFolder));
    IniFile settings = IniFile::Load(settingsFile);
    settings.WriteString(ConfigurationSection, KeyLabelWidthKey, millimetresText(sizeMm.width()));
    settings.WriteString(ConfigurationSection, KeyLabelHeightKey, millimetresText(sizeMm.height()));
    settings.Save(settingsFile);
}

QString ReadComputerLayout(const QString& userFolder) {
    return QString::fromStdString(
        readSettings(userFolder).ReadString(ConfigurationSection, ComputerLayoutKey));
}

void WriteComputerLayout(const QString& userFolder, const QString& name) {
    writeSetting(userFolder, ComputerLayoutKey, name.toStdString());
}

bool ReadRecordPauses(const QString& userFolder) {
    return readSettings(userFolder).ReadInteger(ConfigurationSection, RecordPausesKey, 0) != 0;
}

void WriteRecordPauses(const QString& userFolder, bool on) {
    writeSetting(userFolder, RecordPausesKey, on ? "1" : "0");
}
