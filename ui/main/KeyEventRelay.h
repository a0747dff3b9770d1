#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

// Hands the key presses and releases of one widget to handlers of the window that owns it, the way
// a window handles the key events of its controls. A handler returning true consumes the event.
class TKeyEventRelay final : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(QKeyEvent*)>;

    TKeyEventRelay(QWidget* watched, Handler onKeyDown, Handler onKeyUp);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler fOnKeyDown;
    Handler fOnKeyUp;
};
