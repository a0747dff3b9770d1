#pragma once

#include <QString>
#include <QStringList>

// How one of the external programs in the program folder is started. They are Windows programs. On
// Windows the program runs itself, and elsewhere so does a native build of it under the plain name
// without ".exe". Elsewhere, when only NAME.exe is in the program folder and wine is on the search
// path, the Windows program runs through wine: wine is started with the program's path before the
// program's own arguments.
struct ExternalProgram {
    QString executable;           // the file that is started: the program itself, or wine
    QStringList leadingArguments; // through wine: the Windows program's path

    bool throughWine() const { return !leadingArguments.isEmpty(); }
};

// The program known by its Windows name (such as "Uplinker.exe") in the program folder. When there is
// neither the plain name nor a way through wine, the plain name, whose start then fails as missing.
ExternalProgram FindExternalProgram(const QString& windowsName);

// The path under which a Windows program running through wine sees the file at path, as
// "winepath -w" gives it. When winepath is missing or fails, the path on wine's usual drive Z:, which
// stands for the root folder.
QString WindowsPathForWine(const QString& path);
