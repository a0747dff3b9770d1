#pragma once

#include <QString>

// The Wine prefix Windows programs run in: WINEPREFIX, else ~/.wine. It need not exist.
QString WinePrefix();

// The path under which a Windows program running through Wine sees the file at path: through the
// prefix's drive links (dosdevices/x: → a folder), the drive whose folder holds path most closely,
// else drive Z:, which Wine maps to the root folder. Only reads links, so it is quick.
QString WindowsPathInPrefix(const QString& path);
