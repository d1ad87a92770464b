// Image lists. With ShareImages set the list only borrows its handle (the
// shell's system image lists are shared this way) and never destroys it.
#pragma once
#include "host/Component.h"
#include "host/Graphics.h"

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
  TNotifyEvent OnChange;

private:
  void FreeHandle();
  HIMAGELIST handle_ = nullptr;
  bool shareImages_ = false;
  int width_ = 16, height_ = 16;
};

class TImageList : public TCustomImageList {
public:
  using TCustomImageList::TCustomImageList;
};

}  // namespace korvane
