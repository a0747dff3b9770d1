#include "ui/overview/SteadyScrollBar.h"

#include <QStyle>
#include <QStyleOptionSlider>

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
    if (rangeOrSteps && fPainted && look() == *fPainted)
        return;
    QScrollBar::sliderChange(change);
}

void TSteadyScrollBar::paintEvent(QPaintEvent* event) {
    fPainted = look();
    QScrollBar::paintEvent(event);
}
