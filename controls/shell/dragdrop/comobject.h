// What the drag-and-drop COM objects share: each implements one interface, and
// QueryInterface answers it (and IUnknown) with a reference added.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace korvane {

template <class I>
HRESULT QueryOneInterface(I* self, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(I))) {
    *object = self;
    self->AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

}  // namespace korvane
