// The keyboard state on X11, from the Xkb extension.
#include "platform/SystemKeyboardState.h"

#include <QGuiApplication>

// The X11 headers define names such as Status and None as macros, so they come after Qt's.
#if QT_CONFIG(xcb)
#include <X11/XKBlib.h>
#endif

std::optional<KeyboardState::State> SystemKeyboardState() {
#if QT_CONFIG(xcb)
    // Only when the program runs on X11; on other platforms (Wayland, offscreen) there is no display.
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr)
        return std::nullopt;
    XkbStateRec xkb{};
    if (XkbGetState(display, XkbUseCoreKbd, &xkb) != Success)
        return std::nullopt;
    // base_mods are those of keys held down; the Caps Lock key adds Lock there while it is held.
    const bool capsLockHeld = (xkb.base_mods & LockMask) != 0;
    return KeyboardState::State{(xkb.base_mods & ShiftMask) != 0,
                                (xkb.locked_mods & LockMask) != 0 && !capsLockHeld};
#else
    return std::nullopt;
#endif
}
