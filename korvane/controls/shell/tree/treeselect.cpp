// The shell tree's selection: handing it to the linked list and combo (at once
// after a click, after a pause of the keyboard), walking to a folder set from
// outside, going up, and the links themselves.
#include "korvane/controls/shell/tree/shelltree.h"

#include "korvane/controls/shell/common/tuning.h"
#include "korvane/host/Exceptions.h"

namespace korvane {

void TZQCustomShellTree::Change(TTreeNode* Node) {
  TZQShTreeData* data = GetDataFromNode(Node);
  if (IsLoadingOrLocked()) {
    if (data) {
      TZQLinkLock lock(lockCount_);  // the locator's change must not walk back here
      selectedFolder_->SetIdList(data->GetAbsPidl());
    }
    return;
  }
  TZQCustomTreeView::Change(Node);
  if (!data) return;
  if (handOverAtOnce_ || !shellList_) {
    if (timer_->GetTag() == kKeyboardHandOver) {  // a pending keyboard hand-over is overtaken
      timer_->SetEnabled(false);
      timer_->SetTag(0);
    }
    HandOver(Node);
    handOverAtOnce_ = false;
  } else {
    StartTimer(kKeyboardHandOver, ZQSH_TREE_KEY_UPDATE_DELAY);
  }
}

void TZQCustomShellTree::HandOver(TTreeNode* node) {
  TZQShTreeData* data = GetDataFromNode(node);
  if (!data) return;
  TZQLinkLock lock(lockCount_);
  selectedFolder_->SetIdList(data->GetAbsPidl());
  if (shellList_) shellList_->TreeChanged(node);
  if (shellCombo_) shellCombo_->TreeChanged(node);
}

void TZQCustomShellTree::StartTimer(std::intptr_t tag, int interval) {
  timer_->SetEnabled(false);
  timer_->SetTag(tag);
  timer_->SetInterval(static_cast<unsigned>(interval > 0 ? interval : 1));
  timer_->SetEnabled(true);
}

void TZQCustomShellTree::TimerElapsed(TObject*) {
  timer_->SetEnabled(false);
  const std::intptr_t tag = timer_->GetTag();
  timer_->SetTag(0);
  if (tag == kKeyboardHandOver) HandOver(GetSelected());
}

void TZQCustomShellTree::Synchronize(bool withLinked) {
  if (withLinked) {
    if (shellList_) shellList_->Synchronize(false);
    if (shellCombo_) shellCombo_->Synchronize(false);
  }
  if (timer_->GetEnabled()) TimerElapsed(timer_);
  if (refreshTimer_->GetEnabled()) RefreshTimerElapsed();
}

void TZQCustomShellTree::SetSelectedFolder(TZQShellLocator* value) {
  if (IsLoadingOrLocked()) {
    if (shellList_) shellList_->SetFolder(selectedFolder_.get());
    return;
  }
  selectedFolder_->Assign(value);
}

void TZQCustomShellTree::SelectedFolderChanged(TObject*) {
  // An empty tree keeps the folder for its next fill.
  if (HandleAllocated() && GetItems()->GetFirstNode()) DoSetSelectedIdList(selectedFolder_->GetIdList());
}

std::string TZQCustomShellTree::GetSelectedPathName() {
  TZQShTreeData* data = GetSelectedItem();
  return data ? data->GetPathName() : std::string();
}

void TZQCustomShellTree::SetSelectedPathName(const std::string& path) {
  if (lockCount_ > 0) return;
  TIdListPtr parsed;
  if (ShellGetIdListFromPath(path, parsed) != S_OK) return;  // a name that does not parse keeps the selection
  selectedFolder_->SetIdList(parsed.Get());
}

TZQShTreeData* TZQCustomShellTree::GetShTreeData(int index) {
  return GetDataFromNode(GetItems()->GetItem(index));
}

TTreeNode* TZQCustomShellTree::FindNodeWithIdList(TTreeNode* parent, PCItemIDList item) {
  if (!parent) return GetFirstRootLevelShellNode();
  TZQShTreeData* parentData = GetDataFromNode(parent);
  IShellFolder* folder = parentData ? parentData->GetThisIShf() : nullptr;
  if (!folder) return nullptr;
  for (TTreeNode* c = parent->GetFirstChild(); c; c = c->GetNextSibling())
    if (TZQShTreeData* d = GetDataFromNode(c); d && folder->CompareIDs(0, d->GetRelPidl(), item) == S_OK) return c;
  return nullptr;
}

namespace {
// Fills a node on the walk; a folder that cannot be enumerated now only has no
// children to find (the walk then adds the one it needs).
void ExpandOnWalk(TTreeNode* node, const std::function<void(TTreeNode*)>& expandNode) {
  try {
    expandNode(node);
  } catch (const EAbort&) {
  }
  node->Expand(false);
}
}  // namespace

void TZQCustomShellTree::DoSetSelectedIdList(PCItemIDList list) {
  if (lockCount_ > 0) return;
  handOverAtOnce_ = true;
  TTreeNode* top = GetFirstRootLevelShellNode();
  if (!top) return;
  IMalloc* m = Allocator();
  // The list may be the selected-folder locator's own, which changes on the way.
  TIdListPtr target(CopyIdList(m, list), m);
  TZQIdListArray baseItems(baseFolder_->GetIdList()), targetItems(target.Get());
  const int baseCount = baseItems.GetCount(), targetCount = targetItems.GetCount();
  TTreeNodesUpdate bracket(GetItems());
  const auto expand = [this](TTreeNode* n) { ExpandNode(n); };

  // The desktop, the base folder, or anything not below it: the top-level node.
  // Everything is below the desktop.
  const bool below = targetCount > baseCount &&
                     (baseCount == 0 ||
                      CompareAbsIdLists(targetItems.GoUp(targetCount - baseCount), baseFolder_->GetIdList()) == 0);
  if (!below) {
    if (targetCount > 0) ExpandOnWalk(top, expand);
    SetSelected(top);
    top->MakeVisible();
    return;
  }
  TTreeNode* current = top;
  ExpandOnWalk(current, expand);
  const bool expandLast = shellList_ && shellList_->HidesFoldersWhenLinkedToTree();
  for (int i = baseCount; i < targetCount; ++i) {
    TIdListPtr item(CopyIdList(m, targetItems.GetItem(i)), m);
    TTreeNode* child = FindNodeWithIdList(current, item.Get());
    if (!child) {
      // Hidden while hidden items are not shown, or created after the parent was filled.
      TZQShTreeData* data = GetDataFromNode(current);
      IShellFolder* folder = data ? data->GetThisIShf() : nullptr;
      const HRESULT hr =
          folder ? AddNewShellNode(m, folder, item.Get(), current, data->GetAbsPidl(), &child) : E_FAIL;
      if (FAILED(hr)) MessageBeep(static_cast<UINT>(-1));
      if (!child) break;  // failed, or refused by the filter: the walk ends at the parent
      SortNode(current);
    }
    if (i < targetCount - 1 || expandLast) ExpandOnWalk(child, expand);
    current = child;
  }
  SetSelected(current);
  current->MakeVisible();
}

void TZQCustomShellTree::GoUp(int levels) {
  TTreeNode* node = GetSelected();
  if (!node || !node->GetParent()) return;
  for (int i = 0; i < levels && node->GetParent(); ++i) node = node->GetParent();
  handOverAtOnce_ = true;
  SetSelected(node);
}

void TZQCustomShellTree::SetShellList(TZQShellListLink* list) {
  if (list == shellList_) return;
  TZQShellListLink* old = shellList_;
  shellList_ = list;
  // The old list is told only while it still names this tree: a list taken
  // over by a second tree has already moved on.
  if (old && old->GetShellTree() == this) old->SetShellTree(nullptr);
  if (!list) return;
  list->SetShellTree(this);
  list->LinkComponent()->FreeNotification(this);
  list->SetFolder(selectedFolder_.get());
}

void TZQCustomShellTree::SetShellCombo(TZQShellComboLink* combo) {
  shellCombo_ = combo;
  if (combo) combo->LinkComponent()->FreeNotification(this);
}

}  // namespace korvane
