#pragma once

#include <QRect>
#include <QScrollBar>
#include <optional>

// A scroll bar that repaints on a change of its range or page step only what changes: nothing while
// the handle looks the same (as it does once at its shortest), else the stretches around the handle's
// old and new ends and middle. A list that grows by a row with every typed character changes its
// scroll bar's range each time; repainting the whole bar, which fills its groove from top to bottom,
// cost more than drawing the row.
class TSteadyScrollBar final : public QScrollBar {
public:
    TSteadyScrollBar(Qt::Orientation orientation, QWidget* parent);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What the bar's pixels hang on besides its size, style and state.
    struct Look {
        QRect handle;
        bool scrolls = false;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look&) const = default;
    };
    Look look() const;

    std::optional<Look> fPainted; // as it was last painted
};
