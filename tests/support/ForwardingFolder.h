// A shell folder of a test that passes every call on to a real folder (E_NOTIMPL without one), so a
// fake overrides only what it changes. It is a TComFake: the test owns it. With lendOthers, an
// interface it does not offer itself is asked of the real folder, as a wrapper meant to be invisible
// would do.
#pragma once
#include <shlobj.h>

#include "korvane/shell/Uzqshell95.h"
#include "tests/support/ComFake.h"

namespace korvane::test {

template <class Derived, class... More>
class TForwardingFolder : public TComFake<Derived, IShellFolder, More...> {
  using Base = TComFake<Derived, IShellFolder, More...>;

public:
  explicit TForwardingFolder(IShellFolder* real = nullptr, bool lendOthers = false)
      : real_(TComPtr<IShellFolder>::Share(real)), lendOthers_(lendOthers) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    const HRESULT hr = Base::QueryInterface(riid, object);
    if (hr != E_NOINTERFACE || !lendOthers_ || !real_) return hr;
    return Target()->QueryInterface(riid, object);
  }
  HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND w, IBindCtx* b, LPWSTR n, ULONG* e, PIDLIST_RELATIVE* l,
                                             ULONG* a) override {
    return real_ ? Target()->ParseDisplayName(w, b, n, e, l, a) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE EnumObjects(HWND w, SHCONTF f, IEnumIDList** e) override {
    return real_ ? Target()->EnumObjects(w, f, e) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE BindToObject(PCUIDLIST_RELATIVE l, IBindCtx* b, REFIID i, void** o) override {
    return real_ ? Target()->BindToObject(l, b, i, o) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE BindToStorage(PCUIDLIST_RELATIVE l, IBindCtx* b, REFIID i, void** o) override {
    return real_ ? Target()->BindToStorage(l, b, i, o) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM p, PCUIDLIST_RELATIVE a, PCUIDLIST_RELATIVE b) override {
    return real_ ? Target()->CompareIDs(p, a, b) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateViewObject(HWND w, REFIID i, void** o) override {
    return real_ ? Target()->CreateViewObject(w, i, o) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT n, PCUITEMID_CHILD_ARRAY a, SFGAOF* f) override {
    return real_ ? Target()->GetAttributesOf(n, a, f) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND w, UINT n, PCUITEMID_CHILD_ARRAY a, REFIID i, UINT* r,
                                          void** o) override {
    return real_ ? Target()->GetUIObjectOf(w, n, a, i, r, o) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD i, SHGDNF f, STRRET* s) override {
    return real_ ? Target()->GetDisplayNameOf(i, f, s) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetNameOf(HWND w, PCUITEMID_CHILD i, LPCWSTR n, SHGDNF f, PITEMID_CHILD* o) override {
    return real_ ? Target()->SetNameOf(w, i, n, f, o) : E_NOTIMPL;
  }

protected:
  // The folder each call goes on to; a derived fake may hide it to watch every call.
  IShellFolder* Real() { return real_.Get(); }

private:
  IShellFolder* Target() { return static_cast<Derived*>(this)->Real(); }
  TComPtr<IShellFolder> real_;
  bool lendOthers_;
};

}  // namespace korvane::test
