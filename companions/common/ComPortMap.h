#pragma once

#include "platform/WinePrefix.h"

#include <QChar>
#include <QString>
#include <stdexcept>

// The COM numbers under which Windows programs running through Wine reach the serial devices, and the
// record of the chosen port in the loader's INI file. This is the one place that maps COM numbers to
// devices: through the Wine prefix's links dosdevices/comN, and the device recorded beside ComPort.

// A port could not be mapped or recorded. The text is the message the user sees.
class ComPortError : public std::runtime_error {
public:
    explicit ComPortError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// The COM numbers Wine maps.
inline constexpr int LowestComPort = 1;
inline constexpr int HighestComPort = 256;

// The loader's INI file in the user folder (creating the user folder when missing; throws FolderError).
QString LoaderIniInUserFolder();

// The device a Windows program reaches as COMn: the device recorded under ComDevice in the loader's INI
// file when its ComPort is comPort, else the target of the Wine prefix's link dosdevices/comN. Empty
// when neither knows it, or comPort is out of range.
QString DeviceForComPort(int comPort);

// The COM number the Wine prefix already maps to device (the same file, whichever name leads there),
// else the lowest without a link; 0 when every number is taken.
int ChooseComPort(const QString& device);

// Whether the Wine prefix exists (its dosdevices folder).
bool WinePrefixExists();

// Makes or updates the link dosdevices/comN in the Wine prefix so that COMn opens device. Throws
// ComPortError when comPort is out of range or the link cannot be made.
void LinkComPort(int comPort, const QString& device);

// Where the Wine prefix's link dosdevices/comN leads; empty when there is no such link.
QString ComPortLinkTarget(int comPort);

// Puts the link dosdevices/comN back as it was: leading to target, or gone when target is empty.
// Does nothing it cannot do.
void RestoreComPortLink(int comPort, const QString& target);

// The port recorded in the loader's INI file in the user folder: ComPort (0 when none) and ComDevice.
struct RecordedPort {
    int comPort = 0;
    QString device;
};
RecordedPort ReadRecordedPort();

// Records the choice in section "Com Port Configuration" of the loader's INI file in the user folder:
// ComPort, ComType (kind) and ComDevice, keeping every other line. Throws ComPortError.
void RecordComPort(int comPort, QChar kind, const QString& device);
