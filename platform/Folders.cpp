#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <system_error>

namespace {
std::optional<QString> documentsForTests;
}

QString Folders::documents() {
    if (documentsForTests)
        return *documentsForTests;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void Folders::setDocumentsForTests(std::optional<QString> path) {
    documentsForTests = std::move(path);
}

namespace {

void makeFolder(const QString& path, bool withParents) {
    const std::filesystem::path folder = toFilesystemPath(path);
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return;
    const bool made = withParents ? std::filesystem::create_directories(folder, error)
                                  : std::filesystem::create_directory(folder, error);
    if (!made && !error)
        error = std::make_error_code(std::errc::file_exists); // a file of that name is in the way
    if (error) {
        const QString message =
            QStringLiteral("Cannot create the folder %1: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(error.message()));
        throw FolderError(message.toStdString());
    }
}

} // namespace

void Folders::ensureExists(const QString& path) {
    makeFolder(path, false);
}

void Folders::ensurePathExists(const QString& path) {
    makeFolder(path, true);
}

std::filesystem::path toFilesystemPath(const QString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString fromFilesystemPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}
