#include "ui/dialogs/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

QPoint CentredTopLeft(const QRect& area, const QSize& size) {
    return {area.left() + area.width() / 2 - size.width() / 2,
            area.top() + area.height() / 2 - size.height() / 2};
}

void CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    window.move(CentredTopLeft(screen->availableGeometry(), window.frameGeometry().size()));
}
