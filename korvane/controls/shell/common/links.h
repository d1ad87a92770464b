// How linked shell controls reach each other. A tree links a list and a combo;
// each side calls the other directly on the user-interface thread and holds its
// lock count raised around its own hand-overs, ignoring incoming changes while
// it is above 0: that breaks the loops between controls that notify each other.
#pragma once
#include "korvane/host/Controls.h"

namespace korvane {

class TTreeNode;
class TZQShellLocator;
class TZQCustomShellTree;
class TZQShellComboLink;

// Holds back what a control hands to its linked controls for a scope (a count that nests).
using TZQLinkLock = TCountScope;

// What a tree calls on its linked shell list (the shell list implements it).
class TZQShellListLink {
public:
  virtual TComponent* LinkComponent() = 0;
  // The tree that links the list, nil when unlinked; a second tree replaces the first.
  virtual void SetShellTree(TZQCustomShellTree* tree) = 0;
  virtual TZQCustomShellTree* GetShellTree() = 0;
  virtual void SetShellCombo(TZQShellComboLink* combo) = 0;  // the combo that links the list, or nil
  virtual void SetFolder(TZQShellLocator* folder) = 0;  // show that folder
  virtual TZQShellLocator* GetFolder() = 0;
  virtual void TreeChanged(TTreeNode* node) = 0;  // the tree handed its selection over
  virtual void Synchronize(bool withLinked) = 0;
  // True when the list hides folders while a tree is linked: the tree then shows
  // the selected folder's sub-folders.
  virtual bool HidesFoldersWhenLinkedToTree() = 0;

protected:
  ~TZQShellListLink() = default;
};

// A shell control that scrolls itself when the wheel turns over it while
// another shell control has the focus (the shell tree and list implement it).
class TZQShellWheelTarget {
public:
  virtual bool ShellMouseWheel(bool down, TShiftState shift, POINT mousePos) = 0;

protected:
  ~TZQShellWheelTarget() = default;
};

// What a tree calls on its linked shell combo (the shell combo implements it).
class TZQShellComboLink {
public:
  virtual TComponent* LinkComponent() = 0;
  virtual void TreeChanged(TTreeNode* node) = 0;
  virtual void Synchronize(bool withLinked) = 0;
  virtual TZQShellLocator* GetSelectedFolder() = 0;

protected:
  ~TZQShellComboLink() = default;
};

}  // namespace korvane
