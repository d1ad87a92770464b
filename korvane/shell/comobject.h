// TComObject<Derived, Interfaces...>: IUnknown, written once, for the package's COM objects.
// QueryInterface answers IUnknown and each listed interface with a reference added; the last
// Release calls Derived's OnFinalRelease, which deletes the object (an object on the stack, as a
// test's fake, hides it with one that does nothing). MakeComObject is the one way to create one.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <utility>

#include "korvane/shell/Uzqshell95.h"

namespace korvane {

template <class Derived, class First, class... Rest>
class TComObject : public First, public Rest... {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown)) *object = static_cast<IUnknown*>(static_cast<First*>(this));
    else if (!Answer<First>(riid, object) && !(Answer<Rest>(riid, object) || ...)) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) static_cast<Derived*>(this)->OnFinalRelease();
    return left;
  }
  ULONG GetRefCount() const { return refs_; }

protected:
  TComObject() = default;
  virtual ~TComObject() = default;
  TComObject(const TComObject&) = delete;
  TComObject& operator=(const TComObject&) = delete;
  void OnFinalRelease() { delete this; }

private:
  template <class I>
  bool Answer(REFIID riid, void** object) {
    if (!IsEqualIID(riid, __uuidof(I))) return false;
    *object = static_cast<I*>(this);
    return true;
  }
  std::atomic<ULONG> refs_{0};
};

// A new object holding its first reference.
template <class T, class... Args>
TComPtr<T> MakeComObject(Args&&... args) {
  return TComPtr<T>::Share(new T(std::forward<Args>(args)...));
}

}  // namespace korvane
