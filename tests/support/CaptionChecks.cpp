#include "tests/support/CaptionChecks.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {
QString withoutAccessMarks(QString caption) {
    return caption.remove(u'&');
}

// The width and height the control's content needs in its font.
QSize neededSize(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        if (label->wordWrap())
            return {0, label->heightForWidth(label->width())};
        return label->sizeHint();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        // A push button's size hint has a style minimum; what matters is that its caption and picture fit.
        const int captionWidth = button->fontMetrics().horizontalAdvance(withoutAccessMarks(button->text()));
        const int pictureWidth = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return {captionWidth + pictureWidth + 8, button->fontMetrics().height() + 4};
    }
    if (const auto* button = qobject_cast<const QToolButton*>(&control)) {
        if (button->text().isEmpty())
            return {0, 0};
        // A caption under a picture, or beside none: the text with a small margin on both sides.
        const int captionWidth =
            button->fontMetrics().horizontalAdvance(withoutAccessMarks(button->text()).trimmed());
        return {captionWidth + 4, 0};
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(&control))
        return {box->fontMetrics().horizontalAdvance(box->title()) + 16, 0};
    // A check mark's height is the style's, whatever the caption's font.
    if (qobject_cast<const QCheckBox*>(&control) != nullptr)
        return {control.sizeHint().width(), 0};
    if (qobject_cast<const QRadioButton*>(&control) != nullptr ||
        qobject_cast<const QComboBox*>(&control) != nullptr ||
        qobject_cast<const QAbstractSpinBox*>(&control) != nullptr)
        return control.sizeHint();
    return {0, 0};
}
// Parts that Qt makes inside its own widgets: named "qt_..." or inside such a part.
bool isPartOfAQtWidget(const QWidget& control, const QWidget& window) {
    for (const QWidget* part = &control; part != nullptr && part != &window; part = part->parentWidget())
        if (part->objectName().startsWith(u"qt_"))
            return true;
    return false;
}
} // namespace

void VerifyEveryControlFits(const QWidget& window) {
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || isPartOfAQtWidget(*control, window))
            continue;
        const QSize needed = neededSize(*control);
        QVERIFY2(needed.width() <= control->width() && needed.height() <= control->height(),
                 qPrintable(QStringLiteral("%1 needs %2 x %3 but has %4 x %5")
                                .arg(control->objectName())
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(control->width())
                                .arg(control->height())));
        const QWidget* parent = control->parentWidget();
        QVERIFY2(
            parent->rect().contains(control->geometry()),
            qPrintable(control->objectName() + QStringLiteral(" reaches outside ") + parent->objectName()));
    }
}
