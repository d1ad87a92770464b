#include "korvane/host/ComboBox.h"

namespace korvane {

// --- TComboBoxItems

void TComboBoxItems::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TComboBoxItems::InsertObject(int index, const std::string& s, TObject* object) {
  TStringList::InsertObject(index, s, object);
  if (owner_->HandleAllocated()) {
    SendMessageA(owner_->GetHandle(), CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
    SendMessageA(owner_->GetHandle(), CB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
  }
}

int TComboBoxItems::AddObject(const std::string& s, TObject* object) {
  const int index = GetCount();
  InsertObject(index, s, object);
  return index;
}

void TComboBoxItems::Delete(int index) {
  TStringList::Delete(index);
  if (owner_->HandleAllocated()) SendMessageA(owner_->GetHandle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TComboBoxItems::Clear() {
  TStringList::Clear();
  if (owner_->HandleAllocated()) SendMessageA(owner_->GetHandle(), CB_RESETCONTENT, 0, 0);
}

void TComboBoxItems::Put(int index, const std::string& s) {
  TObject* object = GetObject(index);
  const bool selected = owner_->GetItemIndex() == index;
  Delete(index);
  InsertObject(index, s, object);
  if (selected) owner_->SetItemIndex(index);
}

// --- TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner), items_(this) {
  clickEvents_ = false;
  SetTabStop(true);
  SetBounds(0, 0, 145, 21);
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "COMBOBOX");
  static const DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                  CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  p.Style |= kStyles[style_] | CBS_HASSTRINGS | CBS_AUTOHSCROLL | WS_VSCROLL;
  // The window's height includes the drop-down list.
  p.Height = GetHeight() + dropDownCount_ * itemHeight_ + 4;
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  HWND wnd = GetHandle();
  for (int i = 0; i < items_.GetCount(); ++i) {
    SendMessageA(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.Get(i).c_str()));
    SendMessageA(wnd, CB_SETITEMDATA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(items_.GetObject(i)));
  }
  if (style_ == csOwnerDrawFixed) SendMessageA(wnd, CB_SETITEMHEIGHT, 0, itemHeight_);
  if (itemIndex_ >= 0) SendMessageA(wnd, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TCustomComboBox::DestroyWnd() {
  GetItemIndex();
  TWinControl::DestroyWnd();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (v == style_) return;
  style_ = v;
  RecreateWnd();
}

int TCustomComboBox::GetItemIndex() {
  if (HandleAllocated()) itemIndex_ = static_cast<int>(SendMessageA(GetHandle(), CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TCustomComboBox::SetItemIndex(int v) {
  itemIndex_ = v;
  if (HandleAllocated()) SendMessageA(GetHandle(), CB_SETCURSEL, static_cast<WPARAM>(v), 0);
}

int TCustomComboBox::GetItemHeight() {
  if (HandleAllocated()) itemHeight_ = static_cast<int>(SendMessageA(GetHandle(), CB_GETITEMHEIGHT, 0, 0));
  return itemHeight_;
}

void TCustomComboBox::SetItemHeight(int v) {
  itemHeight_ = v;
  if (HandleAllocated()) SendMessageA(GetHandle(), CB_SETITEMHEIGHT, 0, v);
}

bool TCustomComboBox::GetDroppedDown() { return HandleAllocated() && SendMessageA(GetHandle(), CB_GETDROPPEDSTATE, 0, 0); }

void TCustomComboBox::SetDroppedDown(bool v) { SendMessageA(GetHandle(), CB_SHOWDROPDOWN, v, 0); }

std::string TCustomComboBox::GetText() {
  if (!HandleAllocated()) return TControl::GetText();
  char buf[1024] = {};
  GetWindowTextA(GetHandle(), buf, sizeof buf);
  return buf;
}

void TCustomComboBox::DrawItem(int Index, const RECT& Rect, UINT State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  canvas_.GetBrush()->SetColor((State & ODS_SELECTED) ? clHighlight : GetColor());
  canvas_.FillRect(Rect);
  if (Index >= 0 && Index < items_.GetCount()) {
    canvas_.SetFont(GetFont());
    canvas_.GetFont()->SetColor((State & ODS_SELECTED) ? clHighlightText : GetFont()->GetColor());
    canvas_.TextOut(Rect.left + 2, Rect.top, items_.Get(Index));
  }
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE:
          itemIndex_ = static_cast<int>(SendMessageA(GetHandle(), CB_GETCURSEL, 0, 0));
          Select();
          return;
        case CBN_EDITCHANGE: Change(); return;
        case CBN_DROPDOWN: DropDown(); return;
        case CBN_CLOSEUP: CloseUp(); return;
        default: break;
      }
      break;
    case CN_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      const int saved = SaveDC(dis->hDC);
      canvas_.SetHandle(dis->hDC);
      DrawItem(static_cast<int>(dis->itemID), dis->rcItem, dis->itemState);
      canvas_.SetHandle(nullptr);
      RestoreDC(dis->hDC, saved);
      m.Result = 1;
      return;
    }
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      int height = static_cast<int>(mis->itemHeight);
      if (static_cast<int>(mis->itemID) >= 0 || style_ == csOwnerDrawVariable) {
        height = itemHeight_;
        MeasureItem(static_cast<int>(mis->itemID), height);
      }
      mis->itemHeight = static_cast<UINT>(height);
      m.Result = 1;
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace korvane
