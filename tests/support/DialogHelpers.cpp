#include "tests/support/DialogHelpers.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

int ExecWith(QDialog& dialog, const std::function<void()>& body) {
    QTimer::singleShot(0, &dialog, [&dialog, &body] {
        body();
        if (dialog.isVisible())
            dialog.reject();
    });
    return dialog.exec();
}

namespace {
QString withoutAccessMarks(QString caption) {
    return caption.remove(u'&');
}

// The width and height the control's content needs in the font in use.
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
    if (const auto* box = qobject_cast<const QGroupBox*>(&control))
        return {box->fontMetrics().horizontalAdvance(box->title()) + 16, 0};
    if (qobject_cast<const QRadioButton*>(&control) != nullptr ||
        qobject_cast<const QComboBox*>(&control) != nullptr ||
        qobject_cast<const QAbstractSpinBox*>(&control) != nullptr)
        return control.sizeHint();
    return {0, 0};
}
} // namespace

void VerifyEveryControlFits(const QWidget& window) {
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || control->objectName().startsWith(u"qt_"))
            continue; // parts that Qt makes inside its own widgets
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

void VerifyCentredOnScreen(const QWidget& window) {
    const QRect area = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    QVERIFY(qAbs(frame.center().x() - area.center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - area.center().y()) <= 1);
}

void VerifyNoWindowLeftOpen() {
    for (const QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName() + QStringLiteral(" was left open")));
}
