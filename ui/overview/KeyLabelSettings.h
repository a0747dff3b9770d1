#pragma once

#include <QSizeF>
#include <QString>
#include <optional>

// A common keycap's top.
inline constexpr QSizeF DefaultKeyLabelMm(14.0, 14.0);
// The sizes a label may have: four of the largest fit across an A4 page and six down.
inline constexpr double SmallestKeyLabelMm = 8.0;
inline constexpr double LargestKeyLabelMm = 40.0;

// The label size remembered in the settings file in userFolder (section "CONFIGURATION", keys
// "Key_Label_Width" and "Key_Label_Height" in millimetres); nothing when it was never set or does not
// read as a size within the limits.
std::optional<QSizeF> ReadKeyLabelSize(const QString& userFolder);
// Remembers the size, keeping every other line of the settings file. Throws FileError.
void WriteKeyLabelSize(const QString& userFolder, QSizeF sizeMm);
