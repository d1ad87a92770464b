// Menu items and the popup menu. A popup builds its native menu each time it
// pops up, tracks it, and runs the chosen item's Click afterwards.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "korvane/host/Component.h"
#include "korvane/host/Controls.h"

namespace korvane {

// A key of a menu item: a virtual key with scShift, scCtrl or scAlt added.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+Shift+F5"; empty for 0.
std::string ShortCutToText(TShortCut shortCut);

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  const std::string& GetHint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool GetChecked() const { return checked_; }
  void SetChecked(bool v);  // a radio item checked unchecks the radio items of its group
  bool GetRadioItem() const { return radioItem_; }
  void SetRadioItem(bool v) { radioItem_ = v; }
  int GetGroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v) { groupIndex_ = v; }
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  bool GetDefault() const { return default_; }
  void SetDefault(bool v) { default_ = v; }
  bool IsLine() const { return caption_ == "-"; }
  TShortCut GetShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut v) { shortCut_ = v; }

  int GetCount() const { return static_cast<int>(items_.size()); }
  TMenuItem* GetItem(int index) const;
  TMenuItem* GetParentItem() const { return parent_; }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  int IndexOf(const TMenuItem* item) const;
  void Clear();
  virtual void Click();

  TNotifyEvent OnClick;

private:
  std::string caption_, hint_;
  bool enabled_ = true, checked_ = false, visible_ = true, default_ = false, radioItem_ = false;
  int groupIndex_ = 0;
  TShortCut shortCut_ = 0;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  TMenuItem* GetItems() { return items_; }
  bool GetAutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool v) { autoPopup_ = v; }
  TComponent* GetPopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* v) { popupComponent_ = v; }
  // Where the last popup appeared, in screen coordinates.
  POINT GetPopupPoint() const { return popupPoint_; }
  // Pops up at a screen point, tracks the menu until it closes and runs the
  // chosen item. OnPopup fires first.
  virtual void Popup(int X, int Y);

  TNotifyEvent OnPopup;

private:
  TMenuItem* items_;
  bool autoPopup_ = true;
  TComponent* popupComponent_ = nullptr;
  POINT popupPoint_ = {0, 0};
  HWND window_ = nullptr;
};

// A form's menu bar (TCustomForm::SetMenu). Its items' check and enable marks
// are read when a drop-down opens; their keys work wherever the focus is on the form.
class TMainMenu : public TComponent {
public:
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;

  TMenuItem* GetItems() { return items_; }
  // The native menu bar, built on first use; RebuildMenu after items were added or removed.
  HMENU GetHandle();
  void RebuildMenu();
  // Runs the item of a WM_COMMAND identifier; false when it is none of this menu's.
  bool DispatchCommand(UINT id);
  // Sets the marks of an opening drop-down from its items.
  void UpdatePopup(HMENU popup);
  // Runs the enabled item whose key this is; false when none has it.
  bool IsShortCut(WORD key, TShiftState shift);

private:
  TMenuItem* items_;
  HMENU menu_ = nullptr;
  bool attached_ = false;  // a window owns the handle and destroys it with itself
  std::map<UINT, TMenuItem*> commands_;
  friend class TCustomForm;
};

}  // namespace korvane
