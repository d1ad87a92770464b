#include "korvane/controls/base/zqcombobox.h"

#include "korvane/host/PropInfo.h"

namespace korvane {

const TClassInfo& TZQCombobox::StaticClassInfo() {
  static const TClassInfo info =
      TPublish<TZQCombobox>("TZQCombobox", &TWinControl::StaticClassInfo())
          .Creatable()
          .Enum("Style", &TZQCombobox::GetStyle, &TZQCombobox::SetStyle, csDropDown,
                {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"})
          .Int("DropDownCount", &TZQCombobox::GetDropDownCount, &TZQCombobox::SetDropDownCount, 8)
          .Int("ItemHeight", &TZQCombobox::GetItemHeight, &TZQCombobox::SetItemHeight2, 16)
          .Done();
  return info;
}

void TZQCustomCombobox::SetItemHeight2(int value) {
  if (GetStyle() != csOwnerDrawFixed && GetStyle() != csOwnerDrawVariable) return;
  if (value == GetItemHeight()) return;
  SetItemHeight(value);
  if (HandleAllocated()) SendMessageA(GetHandle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), value);
}

void TZQCustomCombobox::DeleteItem(void* item) {
  if (OnDeleteItem) OnDeleteItem(this, item);
}

void TZQCustomCombobox::SelEndCancel() {
  if (OnSelEndCancel) OnSelEndCancel(this);
}

void TZQCustomCombobox::SelEndOk() {
  if (OnSelEndOk) OnSelEndOk(this);
}

void TZQCustomCombobox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == CBN_SELENDOK) {
        SelEndOk();
        return;
      }
      if (HIWORD(m.WParam) == CBN_SELENDCANCEL) {
        SelEndCancel();
        return;
      }
      break;
    case CN_DELETEITEM: {
      auto* d = reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam);
      if (d->itemData) {
        DeleteItem(reinterpret_cast<void*>(d->itemData));
        d->itemData = 0;
      }
      break;
    }
    default:
      break;
  }
  TCustomComboBox::WndProc(m);
}

}  // namespace korvane
