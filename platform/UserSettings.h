#pragma once

#include <QSizeF>
#include <QString>
#include <optional>

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

// The size of the printed key labels in millimetres (width, height) remembered in the settings file in
// userFolder (section "CONFIGURATION", keys "Key_Label_Width" and "Key_Label_Height"); nothing when it
// was never set, the file cannot be read, or a value is no number from 8 to 40.
std::optional<QSizeF> ReadKeyLabelSize(const QString& userFolder);
// Remembers the key label size, keeping every other line of the settings file. Throws FileError.
void WriteKeyLabelSize(const QString& userFolder, QSizeF sizeMm);
// The label size before the user chose one (a common keycap's top), and the sizes allowed: four of
// the largest fit across an A4 page and six down.
inline constexpr QSizeF DefaultKeyLabelMm(14.0, 14.0);
inline constexpr double SmallestKeyLabelMm = 8.0;
inline constexpr double LargestKeyLabelMm = 40.0;

// The keyboard layout of the computer the keypad types on, by name (section "CONFIGURATION", key
// "Keyboard_Layout"); empty when never set or unreadable. Writing keeps every other line of the file
// and throws FileError.
QString ReadComputerLayout(const QString& userFolder);
void WriteComputerLayout(const QString& userFolder, const QString& name);

// Whether typing in the macro grid records the pauses between keystrokes (key "Record_Pauses", an
// integer other than 0); off when never set or unreadable. Writing throws FileError.
bool ReadRecordPauses(const QString& userFolder);
void WriteRecordPauses(const QString& userFolder, bool on);

// Records in the settings file in userFolder that the startup prompt is not to be shown again, creating
// userFolder and its parent folder when they are missing. Every other key of the file is kept. Throws
// FolderError when a folder cannot be created, FileError when the file cannot be read or written.
void HideStartupPromptFromNowOn(const QString& userFolder);
