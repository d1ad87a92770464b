// The shell tree's drag data and drop target.
#pragma once
#include "korvane/controls/shell/dragdrop/dataobject.h"
#include "korvane/controls/shell/dragdrop/droptarget.h"
#include "korvane/controls/shell/tree/shelltree.h"

namespace korvane {

// A node of the shell tree that has a record and a parent node.
class TDataObject_shtv final : public TZQShellDataObject {
public:
  TDataObject_shtv(TZQCustomShellTree* tree, TTreeNode* node);
};

class TDropTarget_shtv final : public TZQShellDropTarget {
public:
  explicit TDropTarget_shtv(TZQCustomShellTree* tree) : TZQShellDropTarget(tree, tree) {}
};

}  // namespace korvane
