#pragma once

#include <QString>

// What the port selection tool recorded in the loader's INI file, section "Com Port Configuration".
struct LoaderPort {
    int comPort = 0;                       // 0: no port set; a negative number is no port either
    QString comType = QStringLiteral("?"); // U: USB, R: DB9, V: CDC
};

// The loader's INI file "Uplinker.ini" in folder.
QString LoaderIniPath(const QString& folder);

// The port recorded in the loader's INI file in folder. A missing or unreadable file, section or key,
// or a value that is no number, reads as the default.
LoaderPort ReadLoaderPort(const QString& folder);
