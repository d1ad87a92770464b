// Menu items and the popup menu. A popup builds its native menu each time it
// pops up, tracks it, and runs the chosen item's Click afterwards.
#pragma once
#include <string>
#include <vector>

#include "host/Component.h"

namespace korvane {

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool GetChecked() const { return checked_; }
  void SetChecked(bool v) { checked_ = v; }
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  bool GetDefault() const { return default_; }
  void SetDefault(bool v) { default_ = v; }
  bool IsLine() const { return caption_ == "-"; }

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
  std::string caption_;
  bool enabled_ = true, checked_ = false, visible_ = true, default_ = false;
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

}  // namespace korvane
