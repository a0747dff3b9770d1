#pragma once

#include <QString>

// The program's folder in the user's documents folder: documents + Brimlow + Keywright24. These
// folders, and the documents folder the desktop names, are created when missing; when the desktop
// names no documents folder they are made at the root of the file system. Throws FolderError when a
// folder cannot be created.
QString MakeUserFolder();

// Inside UserFolder: the settings file, and the initial folders of the definition file dialogs and
// of the key label dialog.
QString SettingsFilePath(const QString& userFolder);
QString MacroFilesFolder(const QString& userFolder);
QString KeycapLabelsFolder(const QString& userFolder);
