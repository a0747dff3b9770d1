#include "ui/main/KeypadButton.h"

#include <QApplication>
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
    if (event->button() == Qt::LeftButton) {
        fPressedAt = event->position().toPoint();
        fDragging = false;
    }
    QToolButton::mousePressEvent(event);
}

// Once the pointer has moved far enough with the left button held, the press is a drag: no click at
// the end, and a cursor that tells a move (swap) from a copy.
void TKeypadButton::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons().testFlag(Qt::LeftButton)) {
        const QPoint moved = event->position().toPoint() - fPressedAt;
        if (!fDragging && moved.manhattanLength() >= QApplication::startDragDistance())
            fDragging = true;
        if (fDragging) {
            setCursor(event->modifiers().testFlag(Qt::ControlModifier) ? Qt::DragCopyCursor
                                                                       : Qt::DragMoveCursor);
            TKeypadButton* target = KeyAt(event->position().toPoint());
            ShowDropTarget(target != this ? target : nullptr);
        }
    }
    QToolButton::mouseMoveEvent(event);
}

void TKeypadButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightButtonReleased(event->globalPosition().toPoint());
        return;
    }
    if (event->button() == Qt::LeftButton && fDragging) {
        fDragging = false;
        unsetCursor();
        ShowDropTarget(nullptr);
        // Let go outside this key, the button only goes up again and reports no click.
        QToolButton::mouseReleaseEvent(event);
        TKeypadButton* target = KeyAt(event->position().toPoint());
        if (target != nullptr && target != this)
            emit droppedOn(target->Tag(), event->modifiers().testFlag(Qt::ControlModifier));
        return;
    }
    QToolButton::mouseReleaseEvent(event);
}

void TKeypadButton::ShowDropTarget(TKeypadButton* target) {
    if (fShownTarget == target)
        return;
    if (fShownTarget != nullptr)
        fShownTarget->SetDropTarget(false);
    fShownTarget = target;
    if (target != nullptr)
        target->SetDropTarget(true);
}

void TKeypadButton::SetDropTarget(bool on) {
    fDropTarget = on;
    update();
}

TKeypadButton* TKeypadButton::KeyAt(const QPoint& position) const {
    QWidget* panel = parentWidget();
    if (panel == nullptr)
        return nullptr;
    return qobject_cast<TKeypadButton*>(panel->childAt(mapToParent(position)));
}

// The pressed key is framed in the selection colour as well: a sunken button alone is hard to tell
// from the others on a dark desktop.
// The key a dragged key would land on is filled with a tint of the selection colour and framed in it.
void TKeypadButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    if (!isChecked() && !fDropTarget)
        return;
    QPainter painter(this);
    if (fDropTarget) {
        QColor tint = palette().color(QPalette::Highlight);
        tint.setAlpha(90);
        painter.fillRect(rect(), tint);
    }
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, fDropTarget ? Qt::DashLine : Qt::SolidLine));
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}
