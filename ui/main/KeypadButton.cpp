#include "ui/main/KeypadButton.h"

#include <QMouseEvent>
#include <QPainter>

TKeypadButton::TKeypadButton(int tag, QWidget* parent)
    : QToolButton(parent)
    , fTag(tag) {
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus); // typing stays in the macro grid
    // The menu opens from the button's own right-button handling, never from a context-menu event.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void TKeypadButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightButtonPressed();
        return;
    }
    QToolButton::mousePressEvent(event);
}

void TKeypadButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightButtonReleased(event->globalPosition().toPoint());
        return;
    }
    QToolButton::mouseReleaseEvent(event);
}

// The pressed key is framed in the selection colour as well: a sunken button alone is hard to tell
// from the others on a dark desktop.
void TKeypadButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    if (!isChecked())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}
