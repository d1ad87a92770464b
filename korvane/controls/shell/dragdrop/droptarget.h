// The drop targets the shell tree and list register for their windows: each
// event goes to the owning control; an exception stops at the COM boundary.
#pragma once
#include <windows.h>
#include <ole2.h>

#include "korvane/host/System.h"
#include "korvane/shell/comobject.h"

namespace korvane {

// What a control does with the events of its drop target; points are in screen coordinates.
class TZQDropTargetOwner {
public:
  virtual HRESULT OnDropTarget_DragEnter(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) = 0;
  virtual HRESULT OnDropTarget_DragOver(DWORD keyState, POINT point, DWORD& effect) = 0;
  virtual HRESULT OnDropTarget_DragLeave() = 0;
  virtual HRESULT OnDropTarget_Drop(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) = 0;

protected:
  ~TZQDropTargetOwner() = default;
};

class TZQShellDropTarget : public TComObject<TZQShellDropTarget, IDropTarget> {
public:
  TZQShellDropTarget(TZQDropTargetOwner* owner, TObject* sender) : owner_(owner), sender_(sender) {}
  // The control is going: later events (OLE may still hold the target) answer no drop.
  void Detach() { owner_ = nullptr; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
  template <class F>
  HRESULT Forward(DWORD* effect, F&& f) noexcept;
  TZQDropTargetOwner* owner_;
  TObject* sender_;
};

// A drop target registered for a window, revoked and detached on every path.
class TZQDropRegistration {
public:
  TZQDropRegistration() = default;
  ~TZQDropRegistration() { Revoke(); }
  TZQDropRegistration(const TZQDropRegistration&) = delete;
  TZQDropRegistration& operator=(const TZQDropRegistration&) = delete;
  bool IsRegistered() const { return static_cast<bool>(target_); }
  // False, with target detached, when the system refused it.
  bool Register(HWND wnd, TComPtr<TZQShellDropTarget> target);
  void Revoke();

private:
  HWND wnd_ = nullptr;
  TComPtr<TZQShellDropTarget> target_;
};

}  // namespace korvane
