#include "host/Menus.h"

#include <algorithm>
#include <map>

#include "host/Exceptions.h"
#include "host/Format.h"
#include "host/Handles.h"
#include "host/UtilWindow.h"

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
    AppendMenuA(menu, flags, id, item->GetCaption().c_str());
    if (item->GetDefault()) SetMenuDefaultItem(menu, id, FALSE);
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

}  // namespace korvane
