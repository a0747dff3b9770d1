#pragma once

#include <QFont>
#include <QStringList>

class QWidget;

// The windows have fixed sizes laid out for the program's face. Where a desktop lacks that face and a
// caption does not fit its control, the caption is drawn smaller until it fits, never cut off.

// The smallest size a caption shrinks to; below it text is no longer readable.
constexpr int SmallestCaptionPixels = 6;

// The largest size up to font's own at which every line is at most width wide.
QFont FittingFont(QFont font, const QStringList& lines, qreal width);

// Shrinks control's caption until it fits the control, starting each time from the font it was
// designed with, so that a caption that becomes shorter grows back. Call it after changing a caption.
void FitCaption(QWidget* control);

// FitCaption for every named control of window.
void FitCaptions(QWidget& window);
