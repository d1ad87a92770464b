// The shell tree's merging refresh: every node whose children were loaded is
// compared with a fresh enumeration of its folder; only vanished and new
// children change, so expansion, scroll position and the selection survive.
#include "controls/shell/tree/shelltree.h"

#include <algorithm>

#include "controls/shell/common/enumitems.h"
#include "controls/shell/common/windowhelpers.h"
#include "controls/shell/refresh/merge.h"
#include "controls/shell/refresh/notify.h"
#include "host/Screen.h"
#include "host/SysUtils.h"

namespace korvane {

namespace {
// Whether node is ancestor or the same as other.
bool Contains(TTreeNode* node, TTreeNode* other) {
  for (TTreeNode* n = other; n; n = n->GetParent())
    if (n == node) return true;
  return false;
}

}  // namespace

void TZQCustomShellTree::RefreshNodes() {
  if (dragging_ || IsEditing() || modalDepth_ > 0) {
    refreshPending_ = true;  // the drag, the rename or the menu refreshes when it ends
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

bool TZQCustomShellTree::InRefreshScope(TZQShTreeData* record) {
  if (refreshScope_.empty()) return true;
  const std::string path = record->GetPathName();
  // Nodes without a path (My Computer, the desktop's virtual items) lead to the drives: always merged.
  return path.size() < 2 || path[1] != ':' || refreshScope_.count(static_cast<char>(std::toupper(path[0]))) > 0;
}

void TZQCustomShellTree::MergeNode(TTreeNode* node, TTreeNode*& remembered) {
  TZQShTreeData* record = GetDataFromNode(node);
  if (!record || !record->GetFilled()) return;  // never loaded: it loads fresh when expanded
  if (!InRefreshScope(record)) return;  // a drive that did not change
  IShellFolder* folder = record->GetThisIShf();
  if (!folder) return;
  IMalloc* m = Allocator();
  std::vector<TIdListPtr> fresh;
  bool started = false;
  const HRESULT hr = EnumerateItems(folder, GetParentFormHandle(this), EnumFlags(), m, fresh, started);
  if (FAILED(hr)) {
    // Passing failures (network, media, access) keep what is shown.
    if (!IsFolderGone(record->GetPathName())) return;
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

// --- Watching

void TZQCustomShellTree::InstallChangeHandler(const std::string& path) {
  if (!HandleAllocated()) return;
  if (!watcher_ || watcher_->IsBroken()) {
    watcher_ = MakeChangeWatcher(GetHandle(), AM_CHANGENOTIFY);
    slotDrives_.clear();
  }
  if (path.empty()) {
    watcher_->RemoveAllWatches();
    slotDrives_.clear();
    return;
  }
  const std::string root = EnsureTrailingCharDB(ExtractFileDrive(path), '\\');
  DWORD filter = FILE_NOTIFY_CHANGE_DIR_NAME;
  if (options_.Contains(zqstoIncludeNonFolders)) filter |= FILE_NOTIFY_CHANGE_FILE_NAME;
  int slot = 0;
  if (!watcher_->AddWatch(root, filter, slot, true)) return;  // that root is simply not watched
  if (slotDrives_.size() <= static_cast<std::size_t>(slot)) slotDrives_.resize(static_cast<std::size_t>(slot) + 1, 0);
  slotDrives_[static_cast<std::size_t>(slot)] = static_cast<char>(std::toupper(root[0]));
}

void TZQCustomShellTree::InstallChangeHandlersForAllLocalDrives() {
  InstallChangeHandler(std::string());  // creates the watcher, drops every watch
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    const char root[] = {static_cast<char>('A' + i), ':', '\\', 0};
    const UINT type = GetDriveTypeA(root);
    if (type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_RAMDISK) InstallChangeHandler(root);
  }
}

void TZQCustomShellTree::ChangeNotified(WPARAM slot) {
  if (!TakeChangeNotification(ignoreNextChange_, dragging_, refreshPending_)) return;
  if (slot < slotDrives_.size() && slotDrives_[slot]) pendingDrives_.insert(slotDrives_[slot]);
  else pendingDrives_.insert('*');  // unknown: everything
  RestartChangeTimer(refreshTimer_, Focused());
}

void TZQCustomShellTree::RefreshTimerElapsed() {
  refreshTimer_->SetEnabled(false);
  std::set<char> scope;
  scope.swap(pendingDrives_);
  if (scope.count('*')) scope.clear();  // all
  refreshScope_ = std::move(scope);
  struct TScopeEnd {
    std::set<char>& scope;
    ~TScopeEnd() { scope.clear(); }
  } end{refreshScope_};
  RefreshNodes();
}

}  // namespace korvane
