// The shell's interfaces and records as the platform publishes them, what the
// mingw headers lack, and one RAII owner each for COM interfaces and for item
// identifier lists.
#pragma once
#include <windows.h>

#include "korvane/host/WinVersion.h"
#include <ole2.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <type_traits>
#include <utility>

// The headers give IShellDetails no type-bound IID.
__CRT_UUID_DECL(IShellDetails, 0x000214EC, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)

namespace korvane {

using TItemIDList = ITEMIDLIST;
using PItemIDList = ITEMIDLIST*;
using PCItemIDList = const ITEMIDLIST*;
using TStrRet = STRRET;
using TShColInfo = SHELLDETAILS;
using TCMInvokeCommandInfo = CMINVOKECOMMANDINFO;

#ifndef SHCIDS_CANONICAL
#define SHCIDS_CANONICAL SHCIDS_CANONICALONLY
#endif

// Owns one reference to a COM interface.
template <class I>
class TComPtr {
public:
  TComPtr() = default;
  TComPtr(std::nullptr_t) {}
  // Takes over a reference the caller already holds.
  static TComPtr Attach(I* p) {
    TComPtr r;
    r.p_ = p;
    return r;
  }
  // Adds a reference of its own.
  static TComPtr Share(I* p) {
    if (p) p->AddRef();
    return Attach(p);
  }
  TComPtr(const TComPtr& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  TComPtr(TComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  // From an owner of a class that implements I.
  template <class J>
    requires std::is_convertible_v<J*, I*>
  TComPtr(TComPtr<J>&& o) noexcept : p_(o.Detach()) {}
  TComPtr& operator=(TComPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~TComPtr() { Reset(); }

  I* Get() const { return p_; }
  I* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void Reset() {
    if (I* p = std::exchange(p_, nullptr)) p->Release();
  }
  // Releases what is held and answers the slot for an out parameter.
  I** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  I* Detach() { return std::exchange(p_, nullptr); }
  // QueryInterface for J, the IID taken from the type.
  template <class J>
  HRESULT As(TComPtr<J>& out) const {
    if (!p_) {
      out.Reset();
      return E_POINTER;
    }
    return p_->QueryInterface(__uuidof(J), out.PutVoid());
  }

private:
  I* p_ = nullptr;
};

// Typed forms of the shell calls that hand out an interface: the IID comes
// from the out parameter's type.
template <class I>
HRESULT ShellBindToObject(IShellFolder* folder, PCItemIDList item, TComPtr<I>& out) {
  return folder->BindToObject(item, nullptr, __uuidof(I), out.PutVoid());
}
template <class I>
HRESULT ShellGetUIObjectOf(IShellFolder* folder, HWND owner, UINT count, PCUITEMID_CHILD_ARRAY items,
                           TComPtr<I>& out) {
  return folder->GetUIObjectOf(owner, count, items, __uuidof(I), nullptr, out.PutVoid());
}

// Owns one item identifier list and the allocator that made it (the shell
// allocator when none is named).
class TIdListPtr {
public:
  TIdListPtr() = default;
  explicit TIdListPtr(PItemIDList list, IMalloc* allocator = nullptr);
  TIdListPtr(const TIdListPtr&) = delete;
  TIdListPtr& operator=(const TIdListPtr&) = delete;
  TIdListPtr(TIdListPtr&& o) noexcept;
  TIdListPtr& operator=(TIdListPtr&& o) noexcept;
  ~TIdListPtr() { Reset(); }

  PItemIDList Get() const { return list_; }
  explicit operator bool() const { return list_ != nullptr; }
  IMalloc* Allocator() const { return alloc_.Get(); }
  void Reset(PItemIDList list = nullptr);
  PItemIDList Release() { return std::exchange(list_, nullptr); }
  // Frees what is held and answers the slot for an out parameter filled by
  // the same allocator.
  PItemIDList* Put() {
    Reset();
    return &list_;
  }

private:
  PItemIDList list_ = nullptr;
  TComPtr<IMalloc> alloc_;
};

}  // namespace korvane
