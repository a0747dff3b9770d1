#include "ui/main/OnScreenKey.h"

#include "ui/CaptionFit.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>

namespace {

struct KeyColours {
    QColor face;
    QColor rim;
    QColor edge;
    QColor legend;
};

// Colours that keep the legends readable on a light and on a dark desktop.
KeyColours coloursFor(const QPalette& palette, TOnScreenKey::Colour colour) {
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    if (colour == TOnScreenKey::Colour::Green)
        return dark ? KeyColours{{52, 105, 46}, {33, 68, 29}, {112, 178, 102}, {242, 242, 242}}
                    : KeyColours{{198, 236, 190}, {150, 204, 140}, {58, 122, 50}, {16, 16, 16}};
    return dark ? KeyColours{{86, 86, 90}, {58, 58, 62}, {150, 150, 155}, {242, 242, 242}}
                : KeyColours{{230, 230, 230}, {192, 192, 192}, {118, 118, 118}, {16, 16, 16}};
}

constexpr int SymbolWidth = 11;

void drawArrowHead(QPainterPath& path, QPointF tip, qreal dx, qreal dy) {
    // dx, dy: the direction the arrow points in, one of the four axes
    const qreal size = 2.5;
    path.moveTo(tip - QPointF(dx * size, dy * size) + QPointF(dy * size, dx * size));
    path.lineTo(tip);
    path.lineTo(tip - QPointF(dx * size, dy * size) - QPointF(dy * size, dx * size));
}

// Arrows in the box: for Tab one to the left onto a bar over one to the right onto a bar; for Enter a
// return arrow; for Shift the outline of an arrow pointing up.
void drawSymbol(QPainter& painter, TOnScreenKey::Symbol symbol, const QRectF& box) {
    QPainterPath path;
    const qreal left = box.left() + 1;
    const qreal right = box.right() - 1;
    const QPointF centre = box.center();
    switch (symbol) {
    case TOnScreenKey::Symbol::TabArrows: {
        const qreal upper = centre.y() - 3;
        const qreal lower = centre.y() + 3;
        path.moveTo(right, upper);
        path.lineTo(left, upper);
        drawArrowHead(path, {left, upper}, -1, 0);
        path.moveTo(left - 0.5, upper - 2.5);
        path.lineTo(left - 0.5, upper + 2.5);
        path.moveTo(left, lower);
        path.lineTo(right, lower);
        drawArrowHead(path, {right, lower}, 1, 0);
        path.moveTo(right + 0.5, lower - 2.5);
        path.lineTo(right + 0.5, lower + 2.5);
        break;
    }
    case TOnScreenKey::Symbol::EnterArrow: {
        const qreal top = centre.y() - 4;
        const qreal bottom = centre.y() + 2;
        path.moveTo(right, top);
        path.lineTo(right, bottom);
        path.lineTo(left, bottom);
        drawArrowHead(path, {left, bottom}, -1, 0);
        break;
    }
    case TOnScreenKey::Symbol::ShiftArrow: {
        const qreal top = centre.y() - 5;
        const qreal bottom = centre.y() + 4;
        const qreal stem = 2;
        path.moveTo(centre.x(), top);
        path.lineTo(right, centre.y());
        path.lineTo(centre.x() + stem, centre.y());
        path.lineTo(centre.x() + stem, bottom);
        path.lineTo(centre.x() - stem, bottom);
        path.lineTo(centre.x() - stem, centre.y());
        path.lineTo(left, centre.y());
        path.closeSubpath();
        break;
    }
    case TOnScreenKey::Symbol::None: break;
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

} // namespace

TOnScreenKey::TOnScreenKey(int tag, const QString& legend, Colour colour, Symbol symbol, QWidget* parent)
    : QToolButton(parent)
    , fTag(tag)
    , fLegend(legend)
    , fColour(colour)
    , fSymbol(symbol) {
    setFocusPolicy(Qt::NoFocus); // typing stays in the macro grid
    setAttribute(Qt::WA_Hover);
}

void TOnScreenKey::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const KeyColours colours = coloursFor(palette(), fColour);
    const bool sunk = isDown() || isChecked();

    // The keycap: a rim with a raised face on it; pressed, the face sinks and darkens.
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(underMouse() ? palette().color(QPalette::Highlight) : colours.edge);
    painter.setBrush(colours.rim);
    painter.drawRoundedRect(outer, 3, 3);
    QRectF face = outer.adjusted(2, 1.5, -2, -3.5);
    if (sunk)
        face.translate(0, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(sunk ? colours.face.darker(118) : colours.face);
    painter.drawRoundedRect(face, 2, 2);
    // A latched modifier is framed in the selection colour as well, so it stands out on any desktop.
    if (isChecked()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(outer.adjusted(1, 1, -1, -1), 3, 3);
    }
    // The key the keyboard focus is on, reached with Tab or the arrow keys, shows a dotted frame on its face.
    if (hasFocus()) {
        painter.setPen(QPen(colours.legend, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(face.adjusted(1, 1, -1, -1), 2, 2);
    }

    painter.setPen(QPen(colours.legend, 1.2));
    QRectF textBox = face.adjusted(1, 0, -1, 0);
    if (fSymbol != Symbol::None) {
        // Shift's arrow stands before its word; the other arrows after it.
        const bool before = fSymbol == Symbol::ShiftArrow;
        const QRectF symbolBox(before ? textBox.left() + 2 : textBox.right() - SymbolWidth - 2, textBox.top(),
                               SymbolWidth, textBox.height());
        drawSymbol(painter, fSymbol, symbolBox);
        textBox =
            before ? textBox.adjusted(SymbolWidth + 2, 0, 0, 0) : textBox.adjusted(0, 0, -SymbolWidth - 2, 0);
    }
    if (fLegend.isEmpty())
        return;
    const QStringList lines = fLegend.split(u'\n');
    const bool single = lines.size() == 1 && fLegend.size() == 1;
    // Characters are drawn bold, so that small ones such as ";" and "," stay readable; words are not.
    const bool characters =
        std::all_of(lines.cbegin(), lines.cend(), [](const QString& line) { return line.size() == 1; });
    QFont legendFont = font();
    legendFont.setBold(characters);
    legendFont.setPixelSize(single ? 12 : 9);
    legendFont = FittingFont(legendFont, lines, textBox.width());
    if (lines.size() != 2 || !characters) {
        painter.setFont(legendFont);
        const qreal lineHeight = textBox.height() / static_cast<qreal>(lines.size());
        for (qsizetype line = 0; line < lines.size(); ++line) {
            const QRectF lineBox(textBox.left(), textBox.top() + static_cast<qreal>(line) * lineHeight,
                                 textBox.width(), lineHeight);
            painter.drawText(lineBox, Qt::AlignCenter | Qt::TextDontClip, lines[line]);
        }
        return;
    }
    // Two characters, like those printed on a keycap: the upper one ends above the middle and the lower
    // one starts below it, by their inked outlines, so that tall glyphs such as "{" and "[" never touch.
    // The size comes down until both fit their halves with a pixel between them.
    const qreal middle = textBox.center().y();
    for (;;) {
        const QFontMetricsF metrics(legendFont);
        const QRectF upper = metrics.tightBoundingRect(lines[0]);
        const QRectF lower = metrics.tightBoundingRect(lines[1]);
        if ((upper.height() + lower.height() + 1 <= textBox.height() &&
             upper.height() <= middle - textBox.top() - 0.5 &&
             lower.height() <= textBox.bottom() - middle - 0.5) ||
            legendFont.pixelSize() <= SmallestCaptionPixels)
            break;
        legendFont.setPixelSize(legendFont.pixelSize() - 1);
    }
    painter.setFont(legendFont);
    const QFontMetricsF metrics(legendFont);
    const auto drawInked = [&](const QString& text, qreal inkTop) {
        const QRectF ink = metrics.tightBoundingRect(text);
        const qreal x = textBox.center().x() - ink.width() / 2 - ink.left();
        painter.drawText(QPointF(x, inkTop - ink.top()), text);
    };
    const QRectF upperInk = metrics.tightBoundingRect(lines[0]);
    drawInked(lines[0], middle - 0.5 - upperInk.height());
    drawInked(lines[1], middle + 0.5);
}
