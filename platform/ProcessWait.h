#pragma once

#include <QString>
#include <functional>

struct ExternalProgram;

// Starts the program at its full path without arguments and waits until it has ended, in steps of
// 500 milliseconds, calling everyStep after each step. No events are handled meanwhile, so the
// caller's windows take no input. False when there is no such program file or it cannot be started.
bool StartAndWait(const QString& programPath, const std::function<void()>& everyStep);

// The same for an external program, which may run through wine with its leading arguments; the wait
// is for wine, which ends when the Windows program ends.
bool StartAndWait(const ExternalProgram& program, const std::function<void()>& everyStep);
