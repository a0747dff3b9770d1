#include "ui/overview/KeyLabelSettings.h"

#include "files/FileError.h"
#include "files/IniFile.h"
#include "platform/Folders.h"
#include "ui/main/UserFolder.h"

#include <QLocale>

namespace {

constexpr std::string_view Section = "CONFIGURATION";
constexpr std::string_view WidthKey = "Key_Label_Width";
constexpr std::string_view HeightKey = "Key_Label_Height";

std::optional<double> readMm(const IniFile& settings, std::string_view key) {
    bool ok = false;
    const double mm = QLocale::c().toDouble(QString::fromStdString(settings.ReadString(Section, key)), &ok);
    if (!ok || mm < SmallestKeyLabelMm || mm > LargestKeyLabelMm)
        return std::nullopt;
    return mm;
}

std::string mmText(double mm) {
    return QLocale::c().toString(mm, 'g', 6).toStdString();
}

} // namespace

std::optional<QSizeF> ReadKeyLabelSize(const QString& userFolder) {
    IniFile settings;
    try {
        settings = IniFile::Load(toFilesystemPath(SettingsFilePath(userFolder)));
    } catch (const FileError&) {
        return std::nullopt; // an unreadable file remembers nothing: the size is asked again
    }
    const auto width = readMm(settings, WidthKey);
    const auto height = readMm(settings, HeightKey);
    if (!width || !height)
        return std::nullopt;
    return QSizeF(*width, *height);
}

void WriteKeyLabelSize(const QString& userFolder, QSizeF sizeMm) {
    const std::filesystem::path path = toFilesystemPath(SettingsFilePath(userFolder));
    IniFile settings = IniFile::Load(path);
    settings.WriteString(Section, WidthKey, mmText(sizeMm.width()));
    settings.WriteString(Section, HeightKey, mmText(sizeMm.height()));
    settings.Save(path);
}
