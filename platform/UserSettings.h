#pragma once

#include <QString>

// The program's folder in the user's documents folder and the settings file in it.

// The program's folder in the user's documents folder: documents + Brimlow + Keywright24. These
// folders, and the documents folder the desktop names, are created when missing; when the desktop
// names no documents folder they are made at the root of the file system. Throws FolderError when a
// folder cannot be created.
QString MakeUserFolder();

// Inside the user folder: the settings file, the initial folders of the definition file dialogs and
// of the key label dialog, and the folder of recovery copies (made when the first copy is written).
QString SettingsFilePath(const QString& userFolder);
QString MacroFilesFolder(const QString& userFolder);
QString KeycapLabelsFolder(const QString& userFolder);
QString RecoveryFolder(const QString& userFolder);

// Whether the settings file in userFolder asks not to show the startup prompt: section
// "CONFIGURATION", key "Hide_StartBox", an integer other than 0. A missing or unreadable file, and a
// value that is no integer, mean no.
bool ReadHideStartBox(const QString& userFolder);

// Records in the settings file in userFolder that the startup prompt is not to be shown again, creating
// userFolder and its parent folder when they are missing. Every other key of the file is kept. Throws
// FolderError when a folder cannot be created, FileError when the file cannot be read or written.
void HideStartupPromptFromNowOn(const QString& userFolder);
