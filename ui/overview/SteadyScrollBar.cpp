#include "ui/overview/SteadyScrollBar.h"

#include <QStyle>
#include <QStyleOptionSlider>

namespace {

// How far past the handle's room the style draws at its edges, in pixels, with room to spare.
constexpr int HandleShading = 3;

} // namespace

TSteadyScrollBar::TSteadyScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

TSteadyScrollBar::Look TSteadyScrollBar::look() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    Look shown;
    shown.handle = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    shown.scrolls = minimum() < maximum();
    shown.atMinimum = value() == minimum();
    shown.atMaximum = value() == maximum();
    return shown;
}

void TSteadyScrollBar::sliderChange(SliderChange change) {
    const bool rangeOrSteps = change == SliderRangeChange || change == SliderStepsChange;
    if (!rangeOrSteps || !fPainted) {
        QScrollBar::sliderChange(change);
        return;
    }
    const Look now = look();
    if (now == *fPainted)
        return;
    // Only the handle moved or changed its length: the groove around it looks the same all along, so
    // the room the handle took and takes is all that is repainted, with the style's shading at its
    // edges, which reaches a little beyond it.
    Look handleAside = now;
    handleAside.handle = fPainted->handle;
    if (handleAside == *fPainted)
        update(fPainted->handle.united(now.handle)
                   .adjusted(-HandleShading, -HandleShading, HandleShading, HandleShading));
    else
        QScrollBar::sliderChange(change);
}

void TSteadyScrollBar::paintEvent(QPaintEvent* event) {
    fPainted = look();
    QScrollBar::paintEvent(event);
}
