// The shell tree's merging refresh: every node whose children were loaded is
// compared with a fresh enumeration of its folder; only vanished and new
// children change, so expansion, scroll position and the selection survive.
#include "controls/shell/tree/shelltree.h"

#include <algorithm>

#include "controls/shell/common/enumitems.h"
#include "controls/shell/common/windowhelpers.h"
#include "controls/shell/refresh/merge.h"
#include "host/Screen.h"

namespace korvane {

namespace {
// Whether node is ancestor or the same as other.
bool Contains(TTreeNode* node, TTreeNode* other) {
  for (TTreeNode* n = other; n; n = n->GetParent())
    if (n == node) return true;
  return false;
}

// A folder that is confirmed gone, as opposed to one that failed to enumerate now.
bool IsGone(TZQShTreeData* record) {
  const std::string path = record->GetPathName();
  if (path.empty() || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}
}  // namespace

void TZQCustomShellTree::RefreshNodes() {
  if (dragging_ || IsEditing()) {
    refreshPending_ = true;  // the drag or the rename refreshes when it ends
    return;
  }
  refreshPending_ = false;
  TTreeNode* top = GetFirstRootLevelShellNode();
  if (!top) {
    FillItems();
    return;
  }
  TCursorScope hourglass;
  TTreeNode* const selected = GetSelected();
  TTreeNode* remembered = selected;
  FillStart();
  try {
    {
      TTreeNodesUpdate bracket(GetItems());
      TZQLinkLock lock(lockCount_);  // deletions move no selection to the linked controls
      MergeNode(top, remembered);
    }
    if (remembered != selected && remembered) {
      // The selection went with its folder: the nearest ancestor left is handed
      // over at once (also when the native control had already moved there).
      immediateUpdate_ = -1;
      SetSelected(remembered);
      immediateUpdate_ = 0;
      HandOver(remembered);
    }
  } catch (...) {
    FillComplete();
    throw;
  }
  FillComplete();
}

void TZQCustomShellTree::MergeNode(TTreeNode* node, TTreeNode*& remembered) {
  TZQShTreeData* record = GetDataFromNode(node);
  if (!record || !record->GetFilled()) return;  // never loaded: it loads fresh when expanded
  IShellFolder* folder = record->GetThisIShf();
  if (!folder) return;
  IMalloc* m = Allocator();
  std::vector<TIdListPtr> fresh;
  bool started = false;
  const HRESULT hr = EnumerateItems(folder, GetParentFormHandle(this), EnumFlags(), m, fresh, started);
  if (FAILED(hr)) {
    // Passing failures (network, media, access) keep what is shown.
    if (!IsGone(record)) return;
    fresh.clear();
  }

  std::vector<TMergeShown> shown;
  for (TTreeNode* c = node->GetFirstChild(); c; c = c->GetNextSibling())
    if (TZQShTreeData* d = GetDataFromNode(c)) shown.push_back({c, d->GetRelPidl()});
  TMergeResult merge = MergeItems(folder, std::move(shown), fresh);

  for (void* key : merge.vanished) {
    auto* child = static_cast<TTreeNode*>(key);
    if (remembered && Contains(child, remembered)) remembered = node;
    child->Delete();
  }
  // Still there with other bytes (a folder whose contents changed): the record takes the fresh list.
  for (auto& [key, index] : merge.changed) GetDataFromNode(static_cast<TTreeNode*>(key))->SetRelPidl(fresh[index].Get());
  for (std::size_t index : merge.added) AddNewShellNode(m, folder, fresh[index].Get(), node, record->GetAbsPidl());
  if (!merge.added.empty()) SortNode(node);
  if (!node->GetFirstChild()) node->SetHasChildren(false);

  for (TTreeNode* c = node->GetFirstChild(); c; c = c->GetNextSibling()) MergeNode(c, remembered);
}

}  // namespace korvane
