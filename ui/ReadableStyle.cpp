#include "ui/ReadableStyle.h"

#include <QPainter>
#include <QStyleOption>

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
