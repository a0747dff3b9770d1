#pragma once

#include <QString>

// The program's name: the title of its main window and its message boxes, and the name of its folder
// and settings file in the user's documents folder.
inline const QString ProgramName = QStringLiteral("Keywright24");
