// The drop targets the shell tree and list register for their windows: each
// event goes to the owning control; an exception stops at the COM boundary.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <atomic>

#include "host/System.h"

namespace korvane {

class TZQCustomShellTree;
class TZQCustomShellList;

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

class TZQShellDropTarget : public IDropTarget {
public:
  TZQShellDropTarget(TZQDropTargetOwner* owner, TObject* sender) : owner_(owner), sender_(sender) {}
  TZQShellDropTarget(const TZQShellDropTarget&) = delete;
  TZQShellDropTarget& operator=(const TZQShellDropTarget&) = delete;
  // The control is going: later events (OLE may still hold the target) answer no drop.
  void Detach() { owner_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

protected:
  virtual ~TZQShellDropTarget() = default;

private:
  template <class F>
  HRESULT Forward(DWORD* effect, F&& f) noexcept;
  std::atomic<ULONG> refs_{0};
  TZQDropTargetOwner* owner_;
  TObject* sender_;
};

class TDropTarget_shtv final : public TZQShellDropTarget {
public:
  explicit TDropTarget_shtv(TZQCustomShellTree* tree);
};

class TDropTarget_shlv final : public TZQShellDropTarget {
public:
  explicit TDropTarget_shlv(TZQCustomShellList* list);
};

// A drop target registered for a window, revoked and detached on every path.
class TZQDropRegistration {
public:
  TZQDropRegistration() = default;
  ~TZQDropRegistration() { Revoke(); }
  TZQDropRegistration(const TZQDropRegistration&) = delete;
  TZQDropRegistration& operator=(const TZQDropRegistration&) = delete;
  bool IsRegistered() const { return target_ != nullptr; }
  // Takes target (no reference yet); false, with target freed, when the system refused it.
  bool Register(HWND wnd, TZQShellDropTarget* target);
  void Revoke();

private:
  HWND wnd_ = nullptr;
  TZQShellDropTarget* target_ = nullptr;  // one reference held
};

}  // namespace korvane
