// The Windows version the library's headers are written for: Windows 7 (0x0601) or later. A consumer
// chooses its own version (the toolchain's default, or WINVER/_WIN32_WINNT of its own); an older one
// stops the build here rather than with missing declarations further on.
#pragma once
#include <windows.h>

#if !defined(_WIN32_WINNT) || _WIN32_WINNT < 0x0601
#error "Korvane needs _WIN32_WINNT 0x0601 (Windows 7) or later"
#endif
#if !defined(WINVER) || WINVER < 0x0601
#error "Korvane needs WINVER 0x0601 (Windows 7) or later"
#endif
#if defined(_WIN32_IE) && _WIN32_IE < 0x0800
#error "Korvane needs _WIN32_IE 0x0800 or later"
#endif
