#include "ui/dialogs/StartupSettings.h"

#include "files/FileError.h"
#include "files/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace {
std::filesystem::path toPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

void createFolderWhenMissing(const QString& folder) {
    std::error_code error;
    std::filesystem::create_directory(toPath(folder), error);
    if (error)
        throw FileError("Could not create the folder \"" + QDir::toNativeSeparators(folder).toStdString() +
                        "\": " + error.message());
}
} // namespace

void HideStartupPromptFromNowOn(const QString& userFolder) {
    const QString folder = QDir::cleanPath(userFolder);
    createFolderWhenMissing(QFileInfo(folder).path());
    createFolderWhenMissing(folder);

    const std::filesystem::path settingsFile = toPath(folder + u"/Keywright24.ini"_s);
    IniFile settings = IniFile::Load(settingsFile);
    settings.WriteString("CONFIGURATION", "Model_Number", "Keywright24");
    settings.WriteString("CONFIGURATION", "Hide_StartBox", "1");
    settings.Save(settingsFile);
}
