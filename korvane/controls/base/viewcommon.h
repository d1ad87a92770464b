// What the custom-draw tree and list views share: the custom-draw dispatch of
// their two events, popup placement, the context-menu keys and the system
// colour branch.
#pragma once
#include <memory>

#include "korvane/controls/base/customdraw.h"
#include "korvane/host/Controls.h"
#include "korvane/host/Menus.h"

namespace korvane {

// The Applications key alone, or Shift+F10.
bool IsContextMenuKey(WORD key, TShiftState shift);
// Shows menu at a client point of control, with control as its popup component.
void PopupMenuAt(TControl* control, TPopupMenu* menu, POINT client);
// CM_SYSCOLORCHANGE: a control whose colour is a system colour re-applies it.
void SysColorChanged(TControl* control, TMessage& message);

// Runs the custom-draw events for one notification. The drawing object is made
// (through create) and the item looked up (through findItem) only when an event
// is assigned; ex sees every stage, plain the item pre-paint only. Answers the
// object, which the caller keeps until the next notification.
template <class TItem, class TEvent, class Create, class FindItem>
TZQCustomDraw* DispatchZQCustomDraw(TObject* sender, NMCUSTOMDRAW* record, const TEvent& ex, const TEvent& plain,
                                   Create create, FindItem findItem) {
  TZQCustomDraw* cd = nullptr;
  TItem* item = nullptr;
  auto make = [&] {
    if (cd) return;
    cd = create();
    if (record->dwDrawStage & CDDS_ITEM) item = findItem(record->dwItemSpec);
  };
  if (ex) {
    make();
    ex(sender, cd, item);
  }
  if (plain && (record->dwDrawStage & CDDS_ITEMPREPAINT) == CDDS_ITEMPREPAINT) {
    make();
    plain(sender, cd, item);
  }
  if (cd) cd->Apply();
  return cd;
}

// The NM_CUSTOMDRAW branch of both views: nothing at design time, the host's
// own events when it draws, else dispatch (answering the drawing object) into
// holder. True when the notification was answered.
template <class Dispatch>
bool HandleZQCustomDraw(bool designing, bool hostDrawn, TMessage& m, std::unique_ptr<TZQCustomDraw>& holder,
                        Dispatch dispatch) {
  if (designing) {
    m.Result = 0;
    return true;
  }
  if (hostDrawn) return false;
  holder.reset();
  m.Result = 0;
  holder.reset(dispatch(reinterpret_cast<NMCUSTOMDRAW*>(m.LParam), m.Result));
  return true;
}

}  // namespace korvane
