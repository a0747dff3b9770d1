#pragma once

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
// recorded, with a warning saying how to mend it. Throws ComPortError when the device does not exist,
// no COM number is free, or the link or the INI file cannot be written; nothing is recorded then.
PortChoiceResult RecordPortChoice(const QString& device, QChar kind);

// When the user may not read and write device: the message naming the group that owns it and the
// command to join it. Empty when the device is usable.
QString PermissionHint(const QString& device);
