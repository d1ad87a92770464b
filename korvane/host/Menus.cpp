#include "korvane/host/Menus.h"

#include <algorithm>
#include <map>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Format.h"
#include "korvane/host/Handles.h"
#include "korvane/host/UtilWindow.h"

namespace korvane {

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  while (!items_.empty()) items_.back()->Free();
}

TMenuItem* TMenuItem::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) throw EMenuError(Format("Menu index out of range (%d)", index));
  return items_[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(GetCount(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->parent_) throw EMenuError("Menu inserted twice");
  if (index < 0 || index > GetCount()) throw EMenuError(Format("Menu index out of range (%d)", index));
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  const auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Clear() {
  while (!items_.empty()) items_.back()->Free();
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr)) {}

TPopupMenu::~TPopupMenu() {
  items_->Free();
  DeallocateHWnd(window_);
}

std::string ShortCutToText(TShortCut shortCut) {
  const UINT key = shortCut & 0xFF;
  if (key == 0) return std::string();
  std::string text;
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scAlt) text += "Alt+";
  if (key >= VK_F1 && key <= VK_F24) return text + "F" + std::to_string(key - VK_F1 + 1);
  if (key == VK_BACK) return text + "Backspace";
  if (key == VK_DELETE) return text + "Del";
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return text + static_cast<char>(key);
  char name[64] = {};
  GetKeyNameTextA(static_cast<LONG>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC) << 16), name, sizeof name);
  return text + name;
}

void TMenuItem::SetChecked(bool v) {
  checked_ = v;
  if (!v || !radioItem_ || !parent_) return;
  for (TMenuItem* sibling : parent_->items_)
    if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->checked_ = false;
}

namespace {
void Build(HMENU menu, TMenuItem* parent, std::map<UINT, TMenuItem*>& commands) {
  for (int i = 0; i < parent->GetCount(); ++i) {
    TMenuItem* item = parent->GetItem(i);
    if (!item->GetVisible()) continue;
    if (item->IsLine()) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item->GetEnabled() ? 0 : MF_GRAYED) | (item->GetChecked() ? MF_CHECKED : 0);
    if (item->GetCount() > 0) {
      HMENU sub = CreatePopupMenu();
      Build(sub, item, commands);
      AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item->GetCaption().c_str());
      continue;
    }
    const UINT id = static_cast<UINT>(commands.size() + 1);
    commands[id] = item;
    std::string caption = item->GetCaption();
    if (item->GetShortCut()) caption += "\t" + ShortCutToText(item->GetShortCut());
    AppendMenuA(menu, flags, id, caption.c_str());
    if (item->GetDefault()) SetMenuDefaultItem(menu, id, FALSE);
    if (item->GetRadioItem()) {  // checked with a dot
      MENUITEMINFOA info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE;
      if (GetMenuItemInfoA(menu, id, FALSE, &info)) {
        info.fType |= MFT_RADIOCHECK;
        SetMenuItemInfoA(menu, id, FALSE, &info);
      }
    }
  }
}
}  // namespace

void TPopupMenu::Popup(int X, int Y) {
  popupPoint_ = {X, Y};
  if (OnPopup) OnPopup(this);
  if (!window_) window_ = AllocateHWnd(nullptr);
  TMenuHandle menu(CreatePopupMenu());
  std::map<UINT, TMenuItem*> commands;
  Build(menu.Get(), items_, commands);
  const UINT chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, X, Y, 0, window_, nullptr);
  menu.Reset();
  const auto it = commands.find(chosen);
  if (it != commands.end()) it->second->Click();
}

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr)) {}

TMainMenu::~TMainMenu() {
  if (menu_ && !attached_) DestroyMenu(menu_);
  items_->Free();
}

HMENU TMainMenu::GetHandle() {
  if (!menu_) {
    menu_ = CreateMenu();
    commands_.clear();
    Build(menu_, items_, commands_);
  }
  return menu_;
}

void TMainMenu::RebuildMenu() {
  if (!menu_) return;
  while (GetMenuItemCount(menu_) > 0) DeleteMenu(menu_, 0, MF_BYPOSITION);  // drop-downs go with their items
  commands_.clear();
  Build(menu_, items_, commands_);
}

bool TMainMenu::DispatchCommand(UINT id) {
  const auto it = commands_.find(id);
  if (it == commands_.end()) return false;
  it->second->Click();
  return true;
}

void TMainMenu::UpdatePopup(HMENU popup) {
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    const auto it = commands_.find(GetMenuItemID(popup, i));
    if (it == commands_.end()) continue;
    CheckMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | (it->second->GetChecked() ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | (it->second->GetEnabled() ? MF_ENABLED : MF_GRAYED));
  }
}

namespace {
TMenuItem* FindShortCut(TMenuItem* parent, TShortCut shortCut) {
  for (int i = 0; i < parent->GetCount(); ++i) {
    TMenuItem* item = parent->GetItem(i);
    if (!item->GetVisible() || !item->GetEnabled()) continue;
    if (item->GetShortCut() == shortCut && item->GetCount() == 0) return item;
    if (TMenuItem* found = FindShortCut(item, shortCut)) return found;
  }
  return nullptr;
}
}  // namespace

bool TMainMenu::IsShortCut(WORD key, TShiftState shift) {
  if (key == 0 || key > 0xFF) return false;
  TShortCut shortCut = static_cast<TShortCut>(key);
  if (shift.Contains(ssShift)) shortCut |= scShift;
  if (shift.Contains(ssCtrl)) shortCut |= scCtrl;
  if (shift.Contains(ssAlt)) shortCut |= scAlt;
  TMenuItem* item = FindShortCut(items_, shortCut);
  if (!item) return false;
  item->Click();
  return true;
}

}  // namespace korvane
