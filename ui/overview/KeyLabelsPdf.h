#pragma once

#include "ui/overview/KeyLabelText.h"

#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

class QIODevice;

// One text of a label: its key (0 to 23) and level (0 or 1).
struct LabelText {
    int key;
    int level;
};

// A sheet of key labels on an A4 page, at their true size: 4 columns by 6 rows as the keys sit on the
// keypad, each label with its level 1 text above and level 2 text below, a red S or blue T in its
// corner for a shift or toggle key, and cut marks at its corners. A text too wide for its label goes
// onto more lines and is drawn smaller, but never below a readable size: what does not fit then is cut
// short with an ellipsis. Labels larger than the default size have larger text. title goes above the
// sheet. Returns the texts that were cut short, or nothing when the device cannot be written.
std::optional<std::vector<LabelText>> WriteKeyLabelsPdf(QIODevice& device,
                                                        const std::array<KeyLabel, KeyCount>& labels,
                                                        QSizeF labelMm, const QString& title);

// The gap between neighbouring labels, where the cut marks are, and the sheet's top margin (mm).
inline constexpr double LabelGapMm = 4.0;
inline constexpr double SheetTopMm = 30.0;
