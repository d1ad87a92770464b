// The GDI objects the process holds, for leak checks.
#pragma once
#include <windows.h>

namespace korvane::test {

// Windows counts them (GetGuiResources). Wine answers 0 there, but its GDI accepts a handle's
// 16-bit index alone, so probing every index with GetObjectType finds each live object.
inline int GdiObjectCount() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
  int n = 0;
  for (UINT_PTR i = 1; i < 0x10000; ++i) n += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  return n;
}

}  // namespace korvane::test
