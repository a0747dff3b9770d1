#pragma once

#include "ui/overview/KeyLabelText.h"

#include <QSizeF>
#include <QString>

class QIODevice;

// A sheet of key labels on an A4 page, at their true size: 4 columns by 6 rows as the keys sit on the
// keypad, each label with its level 1 text above and level 2 text below, a red S or blue T in its
// corner for a shift or toggle key, and cut marks at its corners. A text too wide for its label is
// drawn smaller until it fits; nothing is cut off. title goes above the sheet. False when the device
// cannot be written.
bool WriteKeyLabelsPdf(QIODevice& device, const std::array<KeyLabel, KeyCount>& labels, QSizeF labelMm,
                       const QString& title);

// The gap between neighbouring labels, where the cut marks are, and the sheet's top margin (mm).
inline constexpr double LabelGapMm = 4.0;
inline constexpr double SheetTopMm = 30.0;
