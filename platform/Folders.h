#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <stdexcept>

// A folder could not be created. The text is the message the user sees, with the system's reason.
class FolderError : public std::runtime_error {
public:
    explicit FolderError(const std::string& message)
        : std::runtime_error(message) {}
};

class Folders final {
public:
    // The user's documents folder as the desktop reports it, without creating it; empty when the
    // desktop knows none.
    static QString documents();
    // Test hook: answers documents() with path instead of asking the desktop; nullopt asks again.
    static void setDocumentsForTests(std::optional<QString> path);

    // Creates the folder when it does not exist yet (its parent must exist). Throws FolderError.
    static void ensureExists(const QString& path);
    // The same, creating missing parent folders too.
    static void ensurePathExists(const QString& path);
};

// The same path for the standard library's file functions (native encoding).
std::filesystem::path toFilesystemPath(const QString& path);
// And back.
QString fromFilesystemPath(const std::filesystem::path& path);
