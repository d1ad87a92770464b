// One RAII owner per kind of Win32 handle: menus, global memory, GDI objects,
// memory DCs, window DCs, icons, windows. Each frees its handle on every path.
#pragma once
#include <windows.h>

#include <utility>

namespace korvane {

template <class H, class Close>
class TUniqueHandle {
public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(H h) : h_(h) {}
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& o) noexcept : h_(std::exchange(o.h_, H())) {}
  TUniqueHandle& operator=(TUniqueHandle&& o) noexcept {
    if (this != &o) Reset(std::exchange(o.h_, H()));
    return *this;
  }
  ~TUniqueHandle() { Reset(); }

  H Get() const { return h_; }
  explicit operator bool() const { return h_ != H(); }
  H Release() { return std::exchange(h_, H()); }
  void Reset(H h = H()) {
    if (h_ != H() && h_ != h) Close()(h_);
    h_ = h;
  }

private:
  H h_ = H();
};

struct TCloseMenu {
  void operator()(HMENU h) const { DestroyMenu(h); }
};
struct TCloseGlobal {
  void operator()(HGLOBAL h) const { GlobalFree(h); }
};
struct TCloseGdiObject {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct TCloseDC {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct TCloseIcon {
  void operator()(HICON h) const { DestroyIcon(h); }
};
struct TCloseWindow {
  void operator()(HWND h) const { DestroyWindow(h); }
};
struct TCloseFind {
  void operator()(HANDLE h) const { FindClose(h); }
};
struct TCloseKernelHandle {
  void operator()(HANDLE h) const { CloseHandle(h); }
};

using TMenuHandle = TUniqueHandle<HMENU, TCloseMenu>;
using TGlobalHandle = TUniqueHandle<HGLOBAL, TCloseGlobal>;
using TGdiObject = TUniqueHandle<HGDIOBJ, TCloseGdiObject>;
using TMemoryDC = TUniqueHandle<HDC, TCloseDC>;
using TIconHandle = TUniqueHandle<HICON, TCloseIcon>;
using TWindowHandle = TUniqueHandle<HWND, TCloseWindow>;
using TKernelHandle = TUniqueHandle<HANDLE, TCloseKernelHandle>;

// A FindFirstFile search; INVALID_HANDLE_VALUE counts as none.
class TFindHandle {
public:
  explicit TFindHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  HANDLE Get() const { return h_.Get(); }
  explicit operator bool() const { return static_cast<bool>(h_); }

private:
  TUniqueHandle<HANDLE, TCloseFind> h_;
};

// A DC of a window (or of the screen for 0), released with ReleaseDC.
class TWindowDC {
public:
  explicit TWindowDC(HWND wnd) : wnd_(wnd), dc_(GetDC(wnd)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(wnd_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

private:
  HWND wnd_;
  HDC dc_;
};

// Selects an object into a DC for a scope.
class TSelectObject {
public:
  TSelectObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~TSelectObject() {
    if (old_) SelectObject(dc_, old_);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace korvane
