#pragma once

#include <QChar>
#include <QList>
#include <QString>

// A serial port the system has.
struct SerialPortInfo {
    QString device;       // stable name: /dev/serial/by-id/… when there is one, else /dev/ttyX
    QString systemDevice; // the kernel's name, such as /dev/ttyUSB0
    QString manufacturer, product, serialNumber;
    QChar kind; // 'U' USB (ttyUSB), 'R' DB9 (ttyS), 'V' CDC (ttyACM), '?' otherwise
};

// The serial ports the system has, sorted by device.
QList<SerialPortInfo> ListSerialPorts();

// The kind of connection guessed from a device's kernel name: ttyACM is CDC, ttyUSB is USB, ttyS is
// DB9; '?' for any other.
QChar GuessPortKind(const QString& systemDevice);

// The stable name of a device: its link in /dev/serial/by-id when there is one, else the name given.
QString StableDeviceName(const QString& device);

// Whether c is one of the kinds the loader's INI file records.
bool IsPortKind(QChar c);
