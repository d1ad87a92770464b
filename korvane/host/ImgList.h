// Image lists. With ShareImages set the list only borrows a handle it is given (the
// shell's system image lists are shared this way) and never destroys it. A list it
// made itself (SetSize, AddIcon) is always its own to destroy.
#pragma once
#include "korvane/host/Component.h"
#include "korvane/host/Graphics.h"

namespace korvane {

class TCustomImageList : public TComponent {
public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;

  HIMAGELIST GetHandle() const { return handle_; }
  void SetHandle(HIMAGELIST value);
  bool GetShareImages() const { return shareImages_; }
  void SetShareImages(bool v) { shareImages_ = v; }
  int GetWidth() const;
  int GetHeight() const;
  void SetSize(int width, int height);  // a new, empty list of its own
  int GetCount() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }
  int AddIcon(HICON icon);
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
  // Draws with an overlay (0-3, -1 for none) and, when selected, blended with blendColor.
  void DrawOverlay(TCanvas* canvas, int x, int y, int index, int overlay, bool selected, TColor blendColor);
  // Makes an image of the list its overlay number overlay (0-3).
  bool Overlay(int imageIndex, int overlay);
  TNotifyEvent OnChange;

private:
  void FreeHandle();
  HIMAGELIST handle_ = nullptr;
  bool made_ = false;  // handle_ was created here
  bool shareImages_ = false;
  int width_ = 16, height_ = 16;
};

class TImageList : public TCustomImageList {
public:
  using TCustomImageList::TCustomImageList;
};

// One image-list property of a common control: the list it names and the
// message and slot that install it (LVM_SETIMAGELIST/LVSIL_SMALL, ...).
class TImageListSlot {
public:
  TImageListSlot(UINT message, WPARAM slot) : message_(message), slot_(slot) {}
  TCustomImageList* Get() const { return list_; }
  // Names the list, asks the owner to be told when it is freed, and installs
  // it when the control's window exists.
  void Set(TComponent* owner, HWND wnd, TCustomImageList* list);
  void Apply(HWND wnd) const;  // wnd may be nil
  // Forgets the list when it is the one being freed; true when it was.
  bool Forget(TComponent* freed, HWND wnd);

private:
  TCustomImageList* list_ = nullptr;
  UINT message_;
  WPARAM slot_;
};

}  // namespace korvane
