#pragma once

#include <cstdint>

// The main window's modifier flags, as the on-screen modifier buttons set them.
namespace ModifierFlag {
inline constexpr int LShift = 0x01;
inline constexpr int RShift = 0x02;
inline constexpr int LCtrl = 0x04;
inline constexpr int RCtrl = 0x08;
inline constexpr int CapsLock = 0x20;
inline constexpr int AnyShift = LShift | RShift | CapsLock;
inline constexpr int AnyCtrl = LCtrl | RCtrl;
} // namespace ModifierFlag

// What key entry needs to know at the moment a key is entered: the on-screen modifier flags and the
// PC keyboard's Shift and Caps Lock state. The main window implements it; tests use a fake.
class IKeyEntryState {
public:
    virtual ~IKeyEntryState() = default;
    virtual int GetModifiers() const = 0;
    virtual bool IsPcShiftHeld() const = 0;
    virtual bool IsPcCapsLockOn() const = 0;
};
