#include "korvane/host/ImgList.h"

namespace korvane {

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() { FreeHandle(); }

void TCustomImageList::FreeHandle() {
  if (handle_ && (made_ || !shareImages_)) ImageList_Destroy(handle_);
  handle_ = nullptr;
  made_ = false;
}

void TCustomImageList::SetHandle(HIMAGELIST value) {
  if (value == handle_) return;
  FreeHandle();
  handle_ = value;
  if (OnChange) OnChange(this);
}

int TCustomImageList::GetWidth() const {
  int cx = width_, cy = height_;
  if (handle_) ImageList_GetIconSize(handle_, &cx, &cy);
  return cx;
}

int TCustomImageList::GetHeight() const {
  int cx = width_, cy = height_;
  if (handle_) ImageList_GetIconSize(handle_, &cx, &cy);
  return cy;
}

void TCustomImageList::SetSize(int width, int height) {
  width_ = width;
  height_ = height;
  FreeHandle();
  handle_ = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4);
  made_ = handle_ != nullptr;
  if (OnChange) OnChange(this);
}

int TCustomImageList::AddIcon(HICON icon) {
  if (!handle_) SetSize(width_, height_);
  const int index = ImageList_ReplaceIcon(handle_, -1, icon);
  if (OnChange) OnChange(this);
  return index;
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  if (!handle_) return;
  ImageList_DrawEx(handle_, index, canvas->GetHandle(), x, y, 0, 0, CLR_NONE, CLR_DEFAULT,
                   ILD_TRANSPARENT | (enabled ? 0 : ILD_BLEND50));
}

void TImageListSlot::Set(TComponent* owner, HWND wnd, TCustomImageList* list) {
  list_ = list;
  if (list) list->FreeNotification(owner);
  Apply(wnd);
}

void TImageListSlot::Apply(HWND wnd) const {
  if (!wnd) return;
  SendMessageA(wnd, message_, slot_, reinterpret_cast<LPARAM>(list_ ? list_->GetHandle() : nullptr));
}

bool TImageListSlot::Forget(TComponent* freed, HWND wnd) {
  if (!list_ || freed != list_) return false;
  list_ = nullptr;
  Apply(wnd);
  return true;
}

void TCustomImageList::DrawOverlay(TCanvas* canvas, int x, int y, int index, int overlay, bool selected,
                                   TColor blendColor) {
  if (!handle_) return;
  UINT style = ILD_TRANSPARENT;
  if (overlay >= 0) style |= INDEXTOOVERLAYMASK(overlay + 1);
  if (selected) style |= ILD_SELECTED;
  ImageList_DrawEx(handle_, index, canvas->GetHandle(), x, y, 0, 0, CLR_NONE,
                   selected ? ColorToRGB(blendColor) : CLR_DEFAULT, style);
}

bool TCustomImageList::Overlay(int imageIndex, int overlay) {
  return handle_ && ImageList_SetOverlayImage(handle_, imageIndex, overlay + 1);
}

}  // namespace korvane
