// The shell list's drag data and drop target.
#pragma once
#include "korvane/controls/shell/dragdrop/dataobject.h"
#include "korvane/controls/shell/dragdrop/droptarget.h"
#include "korvane/controls/shell/list/shelllist.h"

namespace korvane {

// The selected items of a shell list: Selected alone when it is the only one,
// else every selected item with a record, in index order.
class TDataObject_shlv final : public TZQShellDataObject {
public:
  explicit TDataObject_shlv(TZQCustomShellList* list) : TDataObject_shlv(list, Collect(list)) {}

private:
  struct TItems {
    std::vector<PCItemIDList> relatives;
    std::vector<std::string> names;
  };
  static TItems Collect(TZQCustomShellList* list);
  TDataObject_shlv(TZQCustomShellList* list, const TItems& items);
};

class TDropTarget_shlv final : public TZQShellDropTarget {
public:
  explicit TDropTarget_shlv(TZQCustomShellList* list) : TZQShellDropTarget(list, list) {}
};

}  // namespace korvane
