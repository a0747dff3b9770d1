#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Redraws a window that follows the definition at most once for each handled event, and only while
// it is shown: Refresh marks it stale and posts one redraw, so the several announcements of one change
// give one redraw; a hidden window redraws when it is shown again.
class TDeferredRedraw final : public QObject {
public:
    TDeferredRedraw(QWidget& window, std::function<void()> redraw);

    void Refresh();
    // From the window's showEvent: redraws at once when something changed while it was hidden.
    void Showing();
    // Redraws now, whatever is pending.
    void RedrawNow();

private:
    void RedrawIfStale();

    QWidget& fWindow;
    std::function<void()> fRedraw;
    bool fStale = true;
    bool fPosted = false;
};
