#include "korvane/controls/base/viewcommon.h"

namespace korvane {

bool IsContextMenuKey(WORD key, TShiftState shift) {
  return (key == VK_APPS && shift.Empty()) || (key == VK_F10 && shift == TShiftState{ssShift});
}

void PopupMenuAt(TControl* control, TPopupMenu* menu, POINT client) {
  menu->SetPopupComponent(control);
  const POINT screen = control->ClientToScreen(client);
  menu->Popup(screen.x, screen.y);
}

void SysColorChanged(TControl* control, TMessage& message) {
  if (IsSystemColor(control->GetColor())) control->Perform(CM_COLORCHANGED, message.WParam, message.LParam);
}

}  // namespace korvane
