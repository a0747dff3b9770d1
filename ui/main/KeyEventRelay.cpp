#include "ui/main/KeyEventRelay.h"

#include <QKeyEvent>
#include <QWidget>

TKeyEventRelay::TKeyEventRelay(QWidget* watched, Handler onKeyDown, Handler onKeyUp)
    : QObject(watched)
    , fOnKeyDown(std::move(onKeyDown))
    , fOnKeyUp(std::move(onKeyUp)) {
    watched->installEventFilter(this);
}

bool TKeyEventRelay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && fOnKeyDown)
        return fOnKeyDown(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::KeyRelease && fOnKeyUp)
        return fOnKeyUp(static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}
