// Drag and drop for a shell control, written once for the tree and the list: the registration
// of the window's drop target, the hover over places with the shell's own drop targets,
// auto-scroll, the drop, and drags out of the control. The control answers what is under the
// pointer, that place's target, how to mark it and what follows a drop (TZQDragDropSite).
#pragma once
#include "korvane/controls/shell/dragdrop/draghover.h"
#include "korvane/controls/shell/dragdrop/droptarget.h"
#include "korvane/host/Controls.h"

namespace korvane {

constexpr DWORD kCopyMoveLink = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

// Where a drop at a point goes.
struct TZQDropPlace {
  const void* place = nullptr;  // nil: nowhere to drop
  // The control's own items over its background with the right button: the shell's menu offers
  // copy and link, and the drop goes to the folder without moving.
  bool selfAnswered = false;
};

class TZQDragDropSite {
public:
  virtual TZQDropPlace DropPlaceAt(POINT client) = 0;
  // The shell's drop target of a place DropPlaceAt answered (or of FolderPlace); nil without one.
  virtual TComPtr<IDropTarget> DropTargetOf(const void* place) = 0;
  // Marks the hovered place with the answered effect (nil: no place); true when the mark moved.
  virtual bool MarkDropPlace(const void* place, DWORD effect) = 0;
  // The drag has left or ended: no mark.
  virtual void ClearDropMark() = 0;
  virtual void AfterDrop(const void* place, HRESULT result, DWORD effect) = 0;

protected:
  ~TZQDragDropSite() = default;
};

class TZQDragDropEngine {
public:
  TZQDragDropEngine(TWinControl* control, TZQDragDropSite* site) : control_(control), site_(site) {}
  TZQDragDropEngine(const TZQDragDropEngine&) = delete;
  TZQDragDropEngine& operator=(const TZQDragDropEngine&) = delete;

  // Registers the target make answers (the control's own kind) while wanted and the window
  // exists; revokes it otherwise. The registration ends with the engine.
  void UpdateRegistration(bool wanted, const std::function<TComPtr<TZQShellDropTarget>()>& make);
  // The window goes: the target is revoked and a drag over it forgotten.
  void Revoke();

  HRESULT DragEnter(IDataObject* data, DWORD keyState, POINT point, DWORD& effect);
  HRESULT DragOver(DWORD keyState, POINT point, DWORD& effect);
  HRESULT DragLeave();
  HRESULT Drop(IDataObject* data, DWORD keyState, POINT point, DWORD& effect);
  // The place is going away (a deleted item).
  void Forget(const void* place) { hover_.Forget(place); }
  // The place of the folder the control shows (its own drop target, no item marked).
  const void* FolderPlace() const { return &hover_; }
  DWORD GetEnterKeyState() const { return hover_.GetEnterKeyState(); }

  // Drags data out of the control with what allowed permits until the button goes up; true
  // when it was dropped somewhere.
  bool BeginDrag(TComPtr<IDataObject> data, DWORD allowed, TMouseButton button);
  bool IsDragging() const { return dragging_; }

private:
  HRESULT HoverAt(DWORD keyState, POINT point, DWORD& effect, bool over);

  TWinControl* control_;
  TZQDragDropSite* site_;
  TZQDropRegistration registration_;
  TZQDragHover hover_;
  bool dragging_ = false;
};

}  // namespace korvane
