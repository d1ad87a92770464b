// One RAII owner per kind of Win32 handle: menus, global and local memory and
// global-memory locks, GDI objects, memory DCs, window DCs, icons, windows,
// modules, files, change notifications, COM task memory, storage media and shell string answers. Each frees its handle on
// every path.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <shtypes.h>

#include <type_traits>
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
  // Frees what is held and answers the slot for an out parameter.
  H* Put() {
    Reset();
    return &h_;
  }
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
struct TCloseChangeNotification {
  void operator()(HANDLE h) const { FindCloseChangeNotification(h); }
};
struct TCloseKernelHandle {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct TCloseLocal {
  void operator()(HLOCAL h) const { LocalFree(h); }
};
struct TCloseModule {
  void operator()(HMODULE h) const { FreeLibrary(h); }
};
struct TCloseCoTaskMem {
  void operator()(void* p) const { CoTaskMemFree(p); }
};

using TMenuHandle = TUniqueHandle<HMENU, TCloseMenu>;
using TGlobalHandle = TUniqueHandle<HGLOBAL, TCloseGlobal>;
using TGdiObject = TUniqueHandle<HGDIOBJ, TCloseGdiObject>;
using TMemoryDC = TUniqueHandle<HDC, TCloseDC>;
using TIconHandle = TUniqueHandle<HICON, TCloseIcon>;
using TWindowHandle = TUniqueHandle<HWND, TCloseWindow>;
using TKernelHandle = TUniqueHandle<HANDLE, TCloseKernelHandle>;
using TLocalMemory = TUniqueHandle<HLOCAL, TCloseLocal>;
using TModuleHandle = TUniqueHandle<HMODULE, TCloseModule>;
// Memory a COM call hands out to be freed with CoTaskMemFree (StringFromCLSID, ...).
template <class T>
using TCoTaskMemory = TUniqueHandle<T*, TCloseCoTaskMem>;

// A handle whose failure value is INVALID_HANDLE_VALUE (CreateFile, FindFirstChangeNotification):
// that value counts as none.
template <class Close>
class TInvalidIsNone : public TUniqueHandle<HANDLE, Close> {
public:
  TInvalidIsNone() = default;
  explicit TInvalidIsNone(HANDLE h) : TUniqueHandle<HANDLE, Close>(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};
using TFileHandle = TInvalidIsNone<TCloseKernelHandle>;
using TChangeNotification = TInvalidIsNone<TCloseChangeNotification>;

// GlobalLock for a scope: the block's address while locked, nil when the lock failed.
class TGlobalLock {
public:
  explicit TGlobalLock(HGLOBAL h) : h_(h), p_(h ? GlobalLock(h) : nullptr) {}
  ~TGlobalLock() {
    if (p_) GlobalUnlock(h_);
  }
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  void* Get() const { return p_; }

private:
  HGLOBAL h_;
  void* p_;
};

// A storage medium handed out by IDataObject::GetData, released with ReleaseStgMedium.
class TStgMedium {
public:
  TStgMedium() = default;
  ~TStgMedium() { Reset(); }
  TStgMedium(const TStgMedium&) = delete;
  TStgMedium& operator=(const TStgMedium&) = delete;
  const STGMEDIUM& Get() const { return m_; }
  void Reset() {
    if (m_.tymed != TYMED_NULL) ReleaseStgMedium(&m_);
    m_ = STGMEDIUM{};
  }
  STGMEDIUM* Put() {
    Reset();
    return &m_;
  }

private:
  STGMEDIUM m_ = {};
};

// A shell answer holding a STRRET (the STRRET itself, or SHELLDETAILS): the wide form's text is
// the caller's to free. Put presets the string type to STRRET_CSTR, as the shell's callers do.
template <class T>
class TStrRetAnswer {
public:
  TStrRetAnswer() { Str().uType = STRRET_CSTR; }
  ~TStrRetAnswer() { Reset(); }
  TStrRetAnswer(const TStrRetAnswer&) = delete;
  TStrRetAnswer& operator=(const TStrRetAnswer&) = delete;
  const T& Get() const { return r_; }
  void Reset() {
    if (Str().uType == STRRET_WSTR && Str().pOleStr) CoTaskMemFree(Str().pOleStr);
    r_ = T{};
    Str().uType = STRRET_CSTR;
  }
  T* Put() {
    Reset();
    return &r_;
  }

private:
  STRRET& Str() {
    if constexpr (std::is_same_v<T, STRRET>) return r_;
    else return r_.str;
  }
  T r_ = {};
};
using TStrRetOwner = TStrRetAnswer<STRRET>;
using TShellDetailsAnswer = TStrRetAnswer<SHELLDETAILS>;

// A FindFirstFile search; INVALID_HANDLE_VALUE counts as none.
using TFindHandle = TInvalidIsNone<TCloseFind>;

// A DC of a window's client area (or of the screen for 0), or with wholeWindow
// of the window with its frame, released with ReleaseDC.
class TWindowDC {
public:
  explicit TWindowDC(HWND wnd, bool wholeWindow = false)
      : wnd_(wnd), dc_(wholeWindow ? GetWindowDC(wnd) : GetDC(wnd)) {}
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

// SaveDC for a scope: the DC's state (selected objects, colours, modes) comes back on every path.
class TSavedDC {
public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TSavedDC() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

private:
  HDC dc_;
  int saved_;
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
