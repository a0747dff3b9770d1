#pragma once

#include <QObject>
#include <memory>

// The Qt Test classes of a GUI test program register themselves with KW24_GUI_TEST; the one main of
// the GUI test programs lists their test functions and runs all of them, one class or one function.
namespace GuiTest {
using Factory = std::unique_ptr<QObject> (*)();
bool Register(const QMetaObject& testClass, Factory make);
} // namespace GuiTest

#define KW24_GUI_TEST(Class)                                                                                 \
    [[maybe_unused]] static const bool Class##IsRegistered = GuiTest::Register(                              \
        Class::staticMetaObject, []() -> std::unique_ptr<QObject> { return std::make_unique<Class>(); })
