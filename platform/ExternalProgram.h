#pragma once

#include <QString>
#include <QStringList>

// How one of the external programs in the program folder is started. They are Windows programs. On
// Windows the program runs itself, and elsewhere so does a native build of it under the plain name
// without ".exe", or this project's own companion program. Elsewhere, when only NAME.exe is in the program
// folder and wine is on the search path, the Windows program runs through wine: wine is started with the
// program's path before the program's own arguments (or, for quoted parameters, through Wine's command
// interpreter; see ShellStart::startProgram).
struct ExternalProgram {
    QString executable;           // the file that is started: the program itself, or wine
    QStringList leadingArguments; // through wine: the Windows program's path

    bool throughWine() const { return !leadingArguments.isEmpty(); }
};

// The program known by its Windows name (such as "Uplinker.exe") in the program folder. Elsewhere than
// Windows, in this order: the plain name, this project's own companion program (companionName, when
// given), the Windows program through wine. When there is none of them, the plain name, whose start
// then fails as missing.
ExternalProgram FindExternalProgram(const QString& windowsName, const QString& companionName = {});

// The path under which a Windows program running through wine sees the file at path, found from the
// Wine prefix's drive links without starting wine (see WindowsPathInPrefix), so it never waits.
QString WindowsPathForWine(const QString& path);
