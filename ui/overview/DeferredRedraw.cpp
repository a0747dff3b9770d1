#include "ui/overview/DeferredRedraw.h"

#include <QWidget>

TDeferredRedraw::TDeferredRedraw(QWidget& window, std::function<void()> redraw)
    : QObject(&window)
    , fWindow(window)
    , fRedraw(std::move(redraw)) {}

void TDeferredRedraw::Refresh() {
    fStale = true;
    if (fWindow.isVisible() && !fPosted) {
        fPosted = true;
        QMetaObject::invokeMethod(this, &TDeferredRedraw::RedrawIfStale, Qt::QueuedConnection);
    }
}

void TDeferredRedraw::Showing() {
    if (fStale)
        RedrawNow();
}

void TDeferredRedraw::RedrawNow() {
    fStale = false;
    fRedraw();
}

void TDeferredRedraw::RedrawIfStale() {
    fPosted = false;
    if (fStale && fWindow.isVisible())
        RedrawNow();
}
