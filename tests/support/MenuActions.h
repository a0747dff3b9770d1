#pragma once

#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <stdexcept>

// Presses and releases the right mouse button on a key, as a user opening its key-type menu.
inline QMenu* openKeyTypeMenu(const TWindowFixture& f, const QString& keyButton) {
    auto* button = f.control<QToolButton>(keyButton);
    QTest::mousePress(button, Qt::RightButton);
    QTest::mouseRelease(button, Qt::RightButton);
    auto* menu = f.control<QMenu>(QStringLiteral("popmenKeyType"));
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        throw std::runtime_error("the key-type menu did not open");
    return menu;
}

// Chooses the named item of an open menu with the mouse.
inline void chooseMenuItem(QMenu* menu, const QString& item) {
    QAction* action = menu->findChild<QAction*>(item);
    if (action == nullptr)
        throw std::runtime_error("no menu item " + item.toStdString());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}
