// A drag over a shell control, from DragEnter to DragLeave or Drop: the entered
// data object, the key state at entry, the shell's drop target of the hovered
// place (asked for once per place and kept while the pointer stays on it), and
// the auto-scroll clock.
#pragma once
#include <functional>

#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

class TZQDragHover {
public:
  // The shell's drop target of the place under the pointer; nil when it has none.
  using TMakeTarget = std::function<TComPtr<IDropTarget>()>;

  TZQDragHover() = default;
  ~TZQDragHover() { Leave(); }
  TZQDragHover(const TZQDragHover&) = delete;
  TZQDragHover& operator=(const TZQDragHover&) = delete;

  void Enter(IDataObject* data, DWORD keyState);
  // The pointer is over place (nil: nowhere to drop). A new place leaves the old
  // target and enters the one make answers; the same place gets DragOver.
  // effect: in, what the source allows; out, the target's answer (none without one).
  HRESULT Over(const void* place, const TMakeTarget& make, DWORD keyState, POINTL point, DWORD& effect);
  // Drops data on place's target with the buttons held at entry, within what
  // every dropped item allows. Every path that drops nothing answers no effect.
  HRESULT Drop(const void* place, const TMakeTarget& make, IDataObject* data, DWORD keyState, POINTL point,
               DWORD& effect);
  // Leaves the held target; releases it and the data object.
  void Leave();
  // The place is going away (a deleted item): its target is left.
  void Forget(const void* place);

  bool IsActive() const { return static_cast<bool>(data_); }
  // The data holds a malformed identifier-list array: it goes to no target.
  bool IsRefused() const { return refused_; }
  IDataObject* GetData() const { return data_.Get(); }
  DWORD GetEnterKeyState() const { return keyState_; }
  const void* GetPlace() const { return place_; }
  // One line towards an edge the client point is near, at most every
  // ZQSH_AUTOSCROLL_MINDELAY_MS, and only on a bar that can scroll.
  void AutoScroll(HWND wnd, POINT client);

private:
  void LeaveTarget();
  TComPtr<IDataObject> data_;
  DWORD keyState_ = 0;
  bool refused_ = false;
  const void* place_ = nullptr;
  TComPtr<IDropTarget> target_;
  DWORD lastScroll_ = 0;
};

}  // namespace korvane
