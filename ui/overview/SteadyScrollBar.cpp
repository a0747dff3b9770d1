#include "ui/overview/SteadyScrollBar.h"

#include <QRegion>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

namespace {

// How far past a place on the handle the style's drawing of it reaches, in pixels, with room to spare:
// the shading at its ends and the grip some styles draw at its middle.
constexpr int HandleEdge = 3;
constexpr int HandleGrip = 8;

// What differs between the handle drawn at before and at after. Along its length the handle and the
// groove around it look the same everywhere but at the handle's ends and at its grip, so only the
// stretches where those were and are need repainting.
QRegion changedRoom(const QRect& before, const QRect& after, Qt::Orientation orientation) {
    const bool vertical = orientation == Qt::Vertical;
    const auto start = [&](const QRect& r) {
        return vertical ? r.top() : r.left();
    };
    const auto end = [&](const QRect& r) {
        return vertical ? r.bottom() : r.right();
    };
    const QRect across = before.united(after);
    const auto stretch = [&](int one, int other, int reach) {
        const int from = std::min(one, other) - reach;
        const int to = std::max(one, other) + reach;
        return vertical
                   ? QRect(across.left() - HandleEdge, from, across.width() + 2 * HandleEdge, to - from + 1)
                   : QRect(from, across.top() - HandleEdge, to - from + 1, across.height() + 2 * HandleEdge);
    };
    QRegion room;
    room += stretch(start(before), start(after), HandleEdge);
    room += stretch(end(before), end(after), HandleEdge);
    const auto middle = [&](const QRect& r) {
        return (start(r) + end(r)) / 2;
    };
    room += stretch(middle(before), middle(before), HandleGrip);
    room += stretch(middle(after), middle(after), HandleGrip);
    return room;
}

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
    // Only the handle moved or changed its length.
    Look handleAside = now;
    handleAside.handle = fPainted->handle;
    if (handleAside == *fPainted)
        update(changedRoom(fPainted->handle, now.handle, orientation()));
    else
        QScrollBar::sliderChange(change);
}

void TSteadyScrollBar::paintEvent(QPaintEvent* event) {
    fPainted = look();
    QScrollBar::paintEvent(event);
}
