#pragma once

#include <QProxyStyle>

// The desktop's own style, with the edges of check boxes, radio buttons and text fields outlined in the
// text colour on a dark palette, where the style draws them in a shade of the window's own colour and
// they all but vanish.
class TReadableStyle final : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    // A horizontal slider's tick marks are drawn here, in the text colour, from the first to the last
    // position of the handle's centre and just below the groove, clear of captions beneath.
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};

// Whether the palette is a dark one: light text on a dark window.
bool IsDarkPalette(const QPalette& palette);
