// TZQCustomCombobox: the host combo box with the drop-down's end notifications
// (close-up, selection ended with OK or cancelled) and a hook for each entry's
// object as the control deletes the entry.
#pragma once
#include <functional>

#include "korvane/host/ComboBox.h"

namespace korvane {

using TZQDeleteComboItemEvent = std::function<void(TObject* aSender, void* aItem)>;

class TZQCustomCombobox : public TCustomComboBox {
public:
  using TCustomComboBox::TCustomComboBox;
  // The published ItemHeight's writer: owner-drawn styles only; the entries'
  // and the selection field's heights change in place, the window stays.
  void SetItemHeight2(int value);

  TZQDeleteComboItemEvent OnDeleteItem;
  TNotifyEvent OnSelEndCancel, OnSelEndOk;

  void WndProc(TMessage& Message) override;

protected:
  virtual void DeleteItem(void* item);
  virtual void SelEndCancel();
  virtual void SelEndOk();
};

class TZQCombobox : public TZQCustomCombobox {
public:
  using TZQCustomCombobox::TZQCustomCombobox;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
