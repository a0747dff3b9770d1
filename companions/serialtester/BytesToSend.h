#pragma once

#include <QByteArray>
#include <QString>

// The bytes a line typed into the serial tester stands for. Characters are sent as the keypad's
// Windows-1252 bytes; \r, \n, \t, \e (Esc), \\ and \xNN (two hexadecimal digits) stand for those
// bytes.
struct BytesToSend {
    QByteArray bytes;
    QString error; // empty when the line could be read
};
BytesToSend ReadBytesToSend(const QString& line);
