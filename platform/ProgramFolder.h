#pragma once

#include <QString>
#include <optional>

// The folder of the program's own executable. The external programs, the loader's INI file that
// Save updates and the Help folder are looked for there, never on a search path.
class ProgramFolder final {
public:
    static QString path();
    // The file or folder called name in the program folder.
    static QString filePath(const QString& name);

    // Test hook: answers path() with folder instead of the executable's folder; nullopt asks again.
    static void setForTests(std::optional<QString> folder);
};

// The file name of an external program known by its Windows name: the name itself on Windows,
// elsewhere the name without ".exe".
QString ExternalProgramName(const QString& windowsName);
