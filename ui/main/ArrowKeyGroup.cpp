#include "ui/main/ArrowKeyGroup.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QKeyEvent>
#include <cstdlib>
#include <limits>

namespace {

bool canTakeFocus(const QWidget* widget) {
    return widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) != 0;
}

// A button of the set can always be reached by its arrow keys. Its focus policy does not tell: buttons
// of an exclusive group keep the Tab key only on the one last focused.
bool isReachable(const QAbstractButton* button) {
    return button->isVisible() && button->isEnabled();
}

} // namespace

bool IsContextMenuKey(int key, Qt::KeyboardModifiers modifiers) {
    return key == Qt::Key_Menu || (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}

TArrowKeyGroup::TArrowKeyGroup(const QList<QAbstractButton*>& buttons, QObject* parent)
    : QObject(parent)
    , fButtons(buttons) {
    for (QAbstractButton* button : fButtons) {
        button->setFocusPolicy(Qt::TabFocus);
        button->installEventFilter(this);
    }
}

QAbstractButton* TArrowKeyGroup::EntryButton() const {
    QAbstractButton* entry = fEntry ? fEntry() : fLastFocused;
    if (entry == nullptr || !isReachable(entry)) {
        for (QAbstractButton* button : fButtons)
            if (isReachable(button))
                return button;
        return nullptr;
    }
    return entry;
}

// The nearest button in the arrow's direction among those in line with this one (overlapping its row
// for Left and Right, its column for Up and Down); only when there is none, the nearest whose centre
// lies in that direction, where a step across counts twice as much as one along.
QAbstractButton* TArrowKeyGroup::Neighbour(const QAbstractButton* from, int key) const {
    const QRect origin(from->mapTo(from->window(), QPoint()), from->size());
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    const bool backwards = key == Qt::Key_Left || key == Qt::Key_Up;
    if (!horizontal && key != Qt::Key_Up && key != Qt::Key_Down)
        return nullptr;
    constexpr qint64 OutOfLine = qint64(1) << 40;
    QAbstractButton* nearest = nullptr;
    qint64 nearestScore = std::numeric_limits<qint64>::max();
    for (QAbstractButton* candidate : fButtons) {
        if (candidate == from || !isReachable(candidate))
            continue;
        const QRect place(candidate->mapTo(candidate->window(), QPoint()), candidate->size());
        const QPoint offset = place.center() - origin.center();
        const int along =
            backwards ? -(horizontal ? offset.x() : offset.y()) : (horizontal ? offset.x() : offset.y());
        const int across = std::abs(horizontal ? offset.y() : offset.x());
        if (along <= 0)
            continue;
        const bool inLine = horizontal ? place.top() <= origin.bottom() && origin.top() <= place.bottom()
                                       : place.left() <= origin.right() && origin.left() <= place.right();
        const qint64 score = inLine ? qint64(along) * 1000 + across : OutOfLine + along + 2 * across;
        if (score < nearestScore) {
            nearest = candidate;
            nearestScore = score;
        }
    }
    return nearest;
}

// The next control in the window's keyboard order that is not one of the set.
void TArrowKeyGroup::Leave(QAbstractButton* from, bool forward) const {
    QWidget* candidate = forward ? from->nextInFocusChain() : from->previousInFocusChain();
    while (candidate != nullptr && candidate != from) {
        const auto* button = qobject_cast<const QAbstractButton*>(candidate);
        const bool member = button != nullptr && fButtons.contains(button);
        if (!member && candidate->window() == from->window() && canTakeFocus(candidate) &&
            candidate != candidate->window()) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
    }
}

bool TArrowKeyGroup::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button == nullptr)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            QAbstractButton* entry = EntryButton();
            if (entry != nullptr && entry != button) {
                entry->setFocus(reason);
                return false;
            }
        }
        fLastFocused = button;
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (IsContextMenuKey(key->key(), modifiers)) {
        if (fMenu)
            fMenu(button);
        return true;
    }
    if (modifiers != Qt::NoModifier && !(key->key() == Qt::Key_Backtab && modifiers == Qt::ShiftModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (QAbstractButton* next = Neighbour(button, key->key()))
            next->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: button->click(); return true;
    case Qt::Key_Tab: Leave(button, true); return true;
    case Qt::Key_Backtab: Leave(button, false); return true;
    default: return false;
    }
}
