// A stand-in for the shell list on the other end of a link, recording what a
// tree or a combo calls on it; it takes a second tree the way the list does.
#pragma once
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"

namespace korvane::test {

class TRecordingList : public TComponent, public TZQShellListLink {
public:
  using TComponent::TComponent;
  TComponent* LinkComponent() override { return this; }
  void SetShellTree(TZQCustomShellTree* t) override {
    TZQCustomShellTree* old = tree;
    tree = t;
    if (old && t && old != t) old->SetShellList(nullptr);
  }
  TZQCustomShellTree* GetShellTree() override { return tree; }
  void SetShellCombo(TZQShellComboLink* c) override { combo = c; }
  void SetFolder(TZQShellLocator*) override { ++folderSets; }
  TZQShellLocator* GetFolder() override { return &folder; }
  void TreeChanged(TTreeNode* node) override { changed.push_back(node); }
  void Synchronize(bool) override { ++syncs; }
  bool HidesFoldersWhenLinkedToTree() override { return hideFolders; }

  TZQCustomShellTree* tree = nullptr;
  TZQShellComboLink* combo = nullptr;
  TZQShellLocator folder;
  std::vector<TTreeNode*> changed;
  int folderSets = 0, syncs = 0;
  bool hideFolders = false;
};

}  // namespace korvane::test
