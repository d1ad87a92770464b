// TCustomComboBox over the native combo box. Its items (strings with objects)
// are kept by the control and mirrored into the window, so they survive a new
// window; owner-drawn styles reach DrawItem and MeasureItem.
#pragma once
#include <functional>

#include "korvane/host/Controls.h"
#include "korvane/host/Strings.h"

namespace korvane {

enum TComboBoxStyle : std::uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, const RECT& Rect, UINT State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

class TCustomComboBox;

// The combo's items: a string list that also updates the window.
class TComboBoxItems : public TStringList {
public:
  explicit TComboBoxItems(TCustomComboBox* owner) : owner_(owner) {}
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, TObject* object) override;
  int AddObject(const std::string& s, TObject* object) override;
  int Add(const std::string& s) override { return AddObject(s, nullptr); }
  void Delete(int index) override;
  void Clear() override;
  void Put(int index, const std::string& s) override;

private:
  TCustomComboBox* owner_;
};

class TCustomComboBox : public TWinControl {
public:
  explicit TCustomComboBox(TComponent* AOwner);
  TStrings* GetItems() { return &items_; }
  int GetItemIndex();
  void SetItemIndex(int v);
  TComboBoxStyle GetStyle() const { return style_; }
  void SetStyle(TComboBoxStyle v);
  int GetItemHeight();
  void SetItemHeight(int v);
  int GetDropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int v) { dropDownCount_ = v; }
  bool GetDroppedDown();
  void SetDroppedDown(bool v);
  std::string GetText();
  TCanvas* GetCanvas() { return &canvas_; }

  TNotifyEvent OnChange, OnSelect, OnDropDown, OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void DrawItem(int Index, const RECT& Rect, UINT State);
  virtual void MeasureItem(int Index, int& Height);
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();

private:
  friend class TComboBoxItems;
  TComboBoxItems items_;
  TComboBoxStyle style_ = csDropDown;
  int itemIndex_ = -1;
  int itemHeight_ = 16;
  int dropDownCount_ = 8;
  TCanvas canvas_;
};

class TComboBox : public TCustomComboBox {
public:
  using TCustomComboBox::TCustomComboBox;
};

}  // namespace korvane
