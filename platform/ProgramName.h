#pragma once

#include <QString>

// The program's name: the title of its main window and its message boxes, and the name of its folder
// and settings file in the user's documents folder.
inline const QString ProgramName = QStringLiteral("Keywright24");

// This project's own companion programs in the program folder, started when the keypad's own port
// selection tool and test programs are not there.
inline const QString PortPickerProgram = QStringLiteral("keywright24-portpicker");
inline const QString SerialTesterProgram = QStringLiteral("keywright24-serialtester");
inline const QString KeyTesterProgram = QStringLiteral("keywright24-keytester");
