#include "tests/support/DialogHelpers.h"

#include <QApplication>
#include <QDialog>
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
