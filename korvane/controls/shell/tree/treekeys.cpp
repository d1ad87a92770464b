// The shell tree's keys and wheel: the shared shortcut table's commands, verb
// commands on a node, and the wheel handed to the shell control under the pointer.
#include "korvane/controls/shell/tree/shelltree.h"

#include "korvane/controls/shell/common/scrolling.h"
#include "korvane/controls/shell/common/shortcuts.h"
#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/host/Exceptions.h"

namespace korvane {

void TZQCustomShellTree::KeyDown(WORD& Key, TShiftState Shift) {
  TZQCustomTreeView::KeyDown(Key, Shift);
  if (Key == 0 || IsEditing() || IsDesigning() || !options_.Contains(zqstoDefaultKeyHandling)) return;
  const TShortCut pressed = ShortCut(Key, Shift);
  const WORD saved = Key;
  Key = 0;
  const auto& keys = ZQShellShortCuts();
  TTreeNode* selected = GetSelected();
  if (pressed == keys[zqkEdit]) {
    if (selected) selected->EditText();
  } else if (pressed == keys[zqkRefresh]) {
    RefreshNodes();
  } else if (pressed == keys[zqkCut]) {
    DoCommandForNode(selected, "cut");
  } else if (pressed == keys[zqkCopy]) {
    DoCommandForNode(selected, "copy");
  } else if (pressed == keys[zqkPaste]) {
    DoCommandForNode(selected, "paste");
  } else if (pressed == keys[zqkDelete] || ShortCut(saved, Shift - TShiftState{ssShift}) == keys[zqkDelete]) {
    DoCommandForNode(selected, "delete");
  } else {
    Key = saved;  // not ours: the key goes on
  }
}

bool TZQCustomShellTree::ShellMouseWheel(bool down, TShiftState shift, POINT mousePos) {
  return down ? DoMouseWheelDown(shift, mousePos) : DoMouseWheelUp(shift, mousePos);
}

bool TZQCustomShellTree::DoMouseWheelDown(TShiftState Shift, POINT MousePos) {
  return ShellWheelTurned(this, TZQCustomTreeView::DoMouseWheelDown(Shift, MousePos), true, Shift, MousePos, SB_VERT);
}

bool TZQCustomShellTree::DoMouseWheelUp(TShiftState Shift, POINT MousePos) {
  return ShellWheelTurned(this, TZQCustomTreeView::DoMouseWheelUp(Shift, MousePos), false, Shift, MousePos, SB_VERT);
}

}  // namespace korvane
