#include "ui/CaptionFit.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>
#include <QVariant>
#include <QWidget>

namespace {

// The pixel size a control was designed with, kept on the control when its caption first shrinks.
constexpr char DesignedPixels[] = "kw24DesignedPixels";

int pixelSizeOf(const QFont& font) {
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

// Room a control takes beside its caption's advance, at most: frames, margins, a check mark or radio
// mark with its spacing. A caption with this much room to spare fits without asking for the control's
// size hint, which lays the text out in full and is the costly part of fitting at start-up.
constexpr int MostRoomBesideCaption = 32;

// Pixels a caption under a tool button's picture keeps from the button's edges, both sides together.
constexpr int ToolCaptionMargin = 4;

bool plainlyFits(const QWidget& control, const QString& caption) {
    return QFontMetrics(control.font()).horizontalAdvance(caption) + MostRoomBesideCaption <= control.width();
}

// Whether the control's caption fits it in the font it has now; true for controls without a caption.
bool captionFits(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        if (label->wordWrap() || label->text().isEmpty() || label->textFormat() == Qt::RichText)
            return true;
        const int lineRoom = label->height() - 2 * (label->frameWidth() + label->margin());
        if (plainlyFits(*label, label->text()) && QFontMetrics(label->font()).height() <= lineRoom)
            return true;
        const QSize needed = label->sizeHint();
        return needed.width() <= label->width() && needed.height() <= label->height();
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(&control))
        return QFontMetricsF(box->font()).horizontalAdvance(box->title()) + 16 <= box->width();
    // A tool bar button sized to its caption with a few pixels to spare holds the caption under its
    // picture; the style's own size hint adds margins the button was never meant to have, and would
    // shrink some captions of the tool bar but not others.
    if (const auto* tool = qobject_cast<const QToolButton*>(&control);
        tool != nullptr && tool->toolButtonStyle() == Qt::ToolButtonTextUnderIcon)
        // The blanks around a caption are spacing, which the margin may take.
        return QFontMetricsF(tool->font()).horizontalAdvance(QString(tool->text()).remove(u'&').trimmed()) +
                   ToolCaptionMargin <=
               tool->width();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        if (button->text().isEmpty() || plainlyFits(*button, button->text()))
            return true;
        return button->sizeHint().width() <= button->width();
    }
    return true;
}

// A control sized to its caption may reach past its parent's edge in a wider face; it is narrowed to end
// inside the parent (inside its border, where it has one), and its caption then shrinks to fit.
void keepInsideParent(QWidget& control) {
    const QWidget* parent = control.parentWidget();
    if (parent == nullptr || control.isWindow())
        return;
    const auto* frame = qobject_cast<const QFrame*>(parent);
    const int border = qobject_cast<const QGroupBox*>(parent) != nullptr ? 2
                       : frame != nullptr                                ? frame->frameWidth()
                                                                         : 0;
    const int room = parent->width() - border - control.x();
    if (control.width() > room && room > 0)
        control.resize(room, control.height());
}

} // namespace

QFont FittingFont(QFont font, const QStringList& lines, qreal width) {
    for (int size = pixelSizeOf(font); size > SmallestCaptionPixels; --size) {
        font.setPixelSize(size);
        const QFontMetricsF metrics(font);
        bool fits = true;
        for (const QString& line : lines)
            fits = fits && metrics.horizontalAdvance(line) <= width;
        if (fits)
            return font;
    }
    font.setPixelSize(SmallestCaptionPixels);
    return font;
}

void FitCaption(QWidget* control) {
    const QVariant designed = control->property(DesignedPixels);
    if (designed.isValid()) {
        QFont font = control->font();
        font.setPixelSize(designed.toInt());
        control->setFont(font);
    }
    keepInsideParent(*control);
    if (captionFits(*control))
        return;
    QFont font = control->font();
    if (!designed.isValid())
        control->setProperty(DesignedPixels, pixelSizeOf(font));
    for (int size = pixelSizeOf(font) - 1; size >= SmallestCaptionPixels; --size) {
        font.setPixelSize(size);
        control->setFont(font);
        if (captionFits(*control))
            return;
    }
}

void FitCaptions(QWidget& window) {
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->objectName().isEmpty() && !control->objectName().startsWith(u"qt_"))
            FitCaption(control);
    }
}
