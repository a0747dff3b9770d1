#pragma once

#include "model/KeyEntryState.h"

// Stands in for the main window: modifier flags and PC keyboard state set by the test (or the fuzzer).
struct FakeKeyEntryState final : IKeyEntryState {
    int modifiers = 0;
    bool pcShiftHeld = false;
    bool pcCapsLockOn = false;

    int GetModifiers() const override { return modifiers; }
    bool IsPcShiftHeld() const override { return pcShiftHeld; }
    bool IsPcCapsLockOn() const override { return pcCapsLockOn; }
};
