#pragma once
// The Windows API, without the min and max macros that would break std::min and std::max and without
// the rarely used parts of <windows.h>. Include only from Windows-only code.
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif
