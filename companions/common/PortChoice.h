#pragma once

#include "companions/common/ComPortMap.h"

#include <QChar>
#include <QString>

// What recording a chosen port did.
struct PortChoiceResult {
    int comPort = 0;
    bool linked = false; // the Wine prefix's link comN now leads to the device
    QString warning;     // what the user should still do, such as joining the device's group
};

// Records device as the keypad's port: chooses its COM number, makes the Wine prefix's link when the
// prefix exists, and writes ComPort, ComType and ComDevice. A device the user may not open is still
// recorded, with a warning saying how to mend it, as is a device another program holds. Throws ComPortError
// when the device does not exist or is no character device, no COM number is free, or the link or the INI
// file cannot be written; nothing is recorded then, and the prefix's links stay as they were.
PortChoiceResult RecordPortChoice(const QString& device, QChar kind);

// When device, which the user may open, cannot be opened now: the message saying it is in use by
// another program (or why else it failed). Empty when it opens; it is closed again at once.
QString BusyHint(const QString& device);

// When the port recorded in the loader's INI file names a device that is not there (unplugged, or
// gone since): a message saying so, so the user knows why it is not listed. Empty otherwise.
QString RecordedPortGone(const RecordedPort& recorded);

// When the user may not read and write device: the message naming the group that owns it and the
// command to join it. Empty when the device is usable.
QString PermissionHint(const QString& device);
