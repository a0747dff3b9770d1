#pragma once

#include <QProgressBar>

// The bytes-used gauge: a bar on black, drawn exactly in proportion to its value from the first unit on
// (a style's minimum chunk would hide small values), without text.
class TGauge final : public QProgressBar {
    Q_OBJECT
public:
    using QProgressBar::QProgressBar;

    // The width in pixels the bar covers for the value shown.
    int BarWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
