#pragma once

#include <QStringList>
#include <optional>

// The port picker without a window: "--list" prints the ports, one per line with tab-separated fields
// (device, kernel device, kind, manufacturer, product, serial number); "--set DEVICE [--type U|R|V]"
// records DEVICE as the keypad's port. Errors go to standard error. Nothing when arguments (without
// the program's name) ask for the window; else the exit code: 0 done, 1 failed, 2 bad arguments.
std::optional<int> RunPortPickerCommandLine(const QStringList& arguments);
