#include "ui/ReadableStyle.h"

#include <QPainter>
#include <QSlider>
#include <QStyleOption>
#include <algorithm>

namespace {

// Light enough to see on a dark window, faint enough not to shout.
QColor edgeColour(const QPalette& palette) {
    QColor colour = palette.color(QPalette::Text);
    colour.setAlpha(150);
    return colour;
}

} // namespace

bool IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 110;
}

void TReadableStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (option == nullptr || !IsDarkPalette(option->palette))
        return;
    const QRectF edge = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    switch (element) {
    case PE_IndicatorCheckBox:
    case PE_FrameLineEdit:
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(edgeColour(option->palette));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(edge.adjusted(0, 0, -1, -1));
        painter->restore();
        break;
    case PE_IndicatorRadioButton:
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(edgeColour(option->palette));
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(edge.adjusted(1, 1, -1, -1));
        painter->restore();
        break;
    default: break;
    }
}

void TReadableStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_Slider || slider == nullptr || slider->orientation != Qt::Horizontal ||
        slider->tickPosition != QSlider::TicksBelow || slider->tickInterval <= 0) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    QStyleOptionSlider withoutTicks = *slider;
    withoutTicks.subControls &= ~SC_SliderTickmarks;
    QProxyStyle::drawComplexControl(control, &withoutTicks, painter, widget);

    const QRect groove = subControlRect(CC_Slider, slider, SC_SliderGroove, widget);
    const QRect handle = subControlRect(CC_Slider, slider, SC_SliderHandle, widget);
    const int first = groove.left() + handle.width() / 2;
    const int span = groove.width() - handle.width();
    const int top = std::min(handle.bottom() + 1, slider->rect.bottom() - 3);
    QColor tick = slider->palette.color(QPalette::WindowText);
    tick.setAlpha(170);
    painter->save();
    painter->setPen(tick);
    for (int value = slider->minimum;; value += slider->tickInterval) {
        const int shown = std::min(value, slider->maximum);
        const int x = first + sliderPositionFromValue(slider->minimum, slider->maximum, shown, span,
                                                      slider->upsideDown);
        painter->drawLine(x, top, x, top + 2);
        if (shown == slider->maximum)
            break;
    }
    painter->restore();
}
