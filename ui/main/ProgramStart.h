#pragma once

#include <QString>

// Whether the settings file in userFolder asks not to show the startup prompt: section
// "CONFIGURATION", key "Hide_StartBox", an integer other than 0. A missing or unreadable file, and a
// value that is no integer, mean no.
bool ReadHideStartBox(const QString& userFolder);

// The program: prepares the user's folders, creates the main window (loading the definition file
// named by the first argument) and runs until the main window has closed. Returns the exit code.
int RunKeywright24(int argc, char** argv);
