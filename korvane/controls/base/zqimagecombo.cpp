#include "korvane/controls/base/zqimagecombo.h"

#include "korvane/host/Exceptions.h"
#include "korvane/host/Forms.h"
#include "korvane/host/Handles.h"
#include "korvane/host/PropInfo.h"

namespace korvane {

// --- TZQImageComboItem

void TZQImageComboItem::SetIndent(int v) {
  indent_ = v;
  owner_->Invalidate();
}

void TZQImageComboItem::SetImageIndex(int v) {
  imageIndex_ = v;
  owner_->Invalidate();
}

void TZQImageComboItem::SetOverlayIndex(int v) {
  overlayIndex_ = v;
  owner_->Invalidate();
}

void TZQImageComboItem::SetCaption(const std::string& v) {
  caption_ = v;
  owner_->Invalidate();
}

// --- TZQCustomImageCombo

TZQCustomImageCombo::TZQCustomImageCombo(TComponent* AOwner) : TZQCustomCombobox(AOwner) {
  SetStyle(csOwnerDrawFixed);
}

TZQCustomImageCombo::~TZQCustomImageCombo() { FreeAllItems(); }

const TClassInfo& TZQImageCombo::StaticClassInfo() {
  static const TClassInfo info =
      TPublish<TZQImageCombo>("TZQImageCombo", &TWinControl::StaticClassInfo())
          .Creatable()
          .Bool("AutoSizeHeight", &TZQImageCombo::GetAutoSizeHeight, &TZQImageCombo::SetAutoSizeHeight, true)
          .Int("IndentPixels", &TZQImageCombo::GetIndentPixels, &TZQImageCombo::SetIndentPixels, 12)
          .Ref("ImageList", &TZQImageCombo::GetImageList, &TZQImageCombo::SetImageList)
          .Int("DropDownCount", &TZQImageCombo::GetDropDownCount, &TZQImageCombo::SetDropDownCount, 8)
          .Int("ItemHeight", &TZQImageCombo::GetItemHeight, &TZQImageCombo::SetItemHeight2, 16)
          .Done();
  return info;
}

void TZQCustomImageCombo::BeforeDestruction() {
  // Every entry goes, through DeleteItem, while the whole object can see it.
  if (HandleAllocated()) GetItems()->Clear();
  FreeAllItems();
  TZQCustomCombobox::BeforeDestruction();
}

void TZQCustomImageCombo::FreeAllItems() {
  while (!items_.empty()) DeleteItem(*items_.begin());
}

TZQImageComboItem* TZQCustomImageCombo::AddItem(const std::string& caption, int imageIndex, int indent) {
  auto* item = new TZQImageComboItem(this);
  item->caption_ = caption;
  item->imageIndex_ = imageIndex;
  item->indent_ = indent;
  items_.insert(item);
  item->entryIndex_ = GetItems()->AddObject(std::string(), item);
  return item;
}

TZQImageComboItem* TZQCustomImageCombo::GetImageComboItem(int index) {
  TObject* object = GetItems()->GetObject(index);
  auto* item = dynamic_cast<TZQImageComboItem*>(object);
  if (object && !item) throw EInvalidCast("Invalid class typecast");
  return item;
}

bool TZQCustomImageCombo::WillFree(void* item) const {
  return !keepEntries_ && item && items_.count(static_cast<TZQImageComboItem*>(item)) > 0;
}

void TZQCustomImageCombo::DeleteItem(void* item) {
  if (keepEntries_) return;  // the window is re-created: the host adds the entries again
  auto* entry = static_cast<TZQImageComboItem*>(item);
  // An item is freed once, whichever path reports it first.
  if (!entry || items_.erase(entry) == 0) return;
  if (OnDeleteImageItem) OnDeleteImageItem(this, entry);
  TZQCustomCombobox::DeleteItem(item);
  delete entry;
}

void TZQCustomImageCombo::GetItemData(TZQImageComboItem* item) {
  if (OnGetItemData) OnGetItemData(this, item);
}

void TZQCustomImageCombo::SetImageList(TCustomImageList* list) {
  imageList_ = list;
  Invalidate();
  if (list) list->FreeNotification(this);
  if (!GetComponentState().Contains(csLoading)) AutoSize(static_cast<HFONT>(GetFont()->GetHandle()));
}

void TZQCustomImageCombo::SetIndentPixels(int v) {
  if (v == indentPixels_) return;
  indentPixels_ = v;
  Invalidate();
}

void TZQCustomImageCombo::Notification(TComponent* AComponent, TOperation Operation) {
  TZQCustomCombobox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == imageList_) imageList_ = nullptr;
}

void TZQCustomImageCombo::AutoSize(HFONT font) {
  if (autoSizeHeight_) DoAutoSize(font);
}

void TZQCustomImageCombo::DoAutoSize(HFONT font) {
  const TWindowDC screen(nullptr);
  const TSelectObject selected(screen.Get(), font);
  TEXTMETRICA tm = {};
  GetTextMetricsA(screen.Get(), &tm);
  int height = (tm.tmHeight < 0 ? -tm.tmHeight : tm.tmHeight) + 2;
  if (imageList_ && imageList_->GetHeight() > height) height = imageList_->GetHeight();
  SetItemHeight2(height);
}

void TZQCustomImageCombo::CreateParams(TCreateParams& p) {
  TZQCustomCombobox::CreateParams(p);
  p.Style &= ~static_cast<DWORD>(CBS_HASSTRINGS);  // the control keeps only the items
}

void TZQCustomImageCombo::CreateWnd() {
  TZQCustomCombobox::CreateWnd();
  SendMessageA(GetHandle(), CB_SETEXTENDEDUI, TRUE, 0);
}

void TZQCustomImageCombo::DestroyWnd() {
  // A new window gets the same entries (the host keeps them); only the
  // component's end frees them, in BeforeDestruction.
  const TFlagScope keep(keepEntries_, !GetComponentState().Contains(csDestroying));
  TZQCustomCombobox::DestroyWnd();
}

void TZQCustomImageCombo::DrawItem(int Index, const RECT& Rect, UINT State) {
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  canvas->GetBrush()->SetColor(GetColor());
  const bool selected = Index >= 0 && (State & ODS_SELECTED);
  if (selected) {
    canvas->GetBrush()->SetColor(clHighlight);
    canvas->GetFont()->SetColor(clHighlightText);
  }
  if (Index < 0) {
    canvas->FillRect(Rect);
    return;
  }
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  TZQImageComboItem* item = Index < GetItems()->GetCount() ? GetImageComboItem(Index) : nullptr;
  if (!item) return;
  GetItemData(item);
  // The closed box shows the entry without its indentation.
  const bool closedBox = (State & ODS_COMBOBOXEDIT) || WindowFromDC(canvas->GetHandle()) == AllocatedHandle();
  const int indent = closedBox ? 0 : item->GetIndent() * indentPixels_;
  canvas->GetBrush()->SetColor(GetColor());
  canvas->FillRect(Rect);
  int textLeft = 4;
  if (imageList_) {
    imageList_->DrawOverlay(canvas, indent + Rect.left + 2, (Rect.top + Rect.bottom - imageList_->GetHeight()) / 2,
                            item->GetImageIndex(), item->GetOverlayIndex(), selected, clHighlight);
    textLeft = imageList_->GetWidth() + 4;
  }
  if (selected) canvas->GetBrush()->SetColor(clHighlight);
  if (item->GetCaption().empty()) return;
  RECT text = Rect;
  text.left = textLeft + indent + Rect.left + 1;
  text.right = text.left + canvas->TextWidth(item->GetCaption()) + 3;
  canvas->TextRect(text, text.left + 1, Rect.top + 1, item->GetCaption());
}

void TZQCustomImageCombo::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFONT:
      if (!inSetFont_) {
        const TFlagScope inside(inSetFont_);
        AutoSize(reinterpret_cast<HFONT>(m.WParam));
        TZQCustomCombobox::WndProc(m);
        return;
      }
      break;
    case WM_ERASEBKGND: {
      auto* form = dynamic_cast<TCustomForm*>(GetOwner());
      RECT r;
      ::GetClientRect(GetHandle(), &r);
      const TGdiObject brush(CreateSolidBrush(ColorToRGB(form ? form->GetColor() : clWindow)));
      FillRect(reinterpret_cast<HDC>(m.WParam), &r, static_cast<HBRUSH>(brush.Get()));
      m.Result = 1;
      return;
    }
    default:
      break;
  }
  TZQCustomCombobox::WndProc(m);
}

}  // namespace korvane
