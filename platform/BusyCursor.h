#pragma once

#include <QCursor>
#include <QGuiApplication>

// Shows the busy cursor for the whole application while it lives, and then the cursor that was in
// force before, also when the work ends with an error.
class BusyCursor final {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
