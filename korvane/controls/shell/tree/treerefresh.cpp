// The shell tree's merging refresh: every node whose children were loaded (or, when the change
// notifications named folders, the loaded nodes of those folders) is compared with a fresh
// enumeration of its folder; only vanished and new children change, so expansion, scroll position
// and the selection survive.
#include "korvane/controls/shell/tree/shelltree.h"

#include <algorithm>

#include "korvane/controls/shell/common/enumitems.h"
#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/controls/shell/refresh/merge.h"
#include "korvane/controls/shell/refresh/notify.h"
#include "korvane/host/Application.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Screen.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

namespace {
// Whether node is ancestor or the same as other.
bool Contains(TTreeNode* node, TTreeNode* other) {
  for (TTreeNode* n = other; n; n = n->GetParent())
    if (n == node) return true;
  return false;
}

}  // namespace

void TZQCustomShellTree::RefreshNodes() { RefreshFolders({}); }

void TZQCustomShellTree::RefreshFolders(const std::vector<std::string>& folders) {
  if (dragDrop_.IsDragging() || IsEditing() || modalDepth_ > 0) {
    refreshPending_ = true;  // the drag, the rename or the menu refreshes when it ends
    return;
  }
  refreshPending_ = false;
  TTreeNode* top = GetFirstRootLevelShellNode();
  if (!top) {
    FillItems();
    return;
  }
  if (folders.empty()) MergeWith([&](TTreeNode*& remembered) { MergeNode(top, remembered); });
  else MergeWith([&](TTreeNode*& remembered) { MergeNamed(folders, remembered); });
}

void TZQCustomShellTree::MergeWith(const std::function<void(TTreeNode*&)>& merge) {
  TCursorScope hourglass;
  TTreeNode* const selected = GetSelected();
  TTreeNode* remembered = selected;
  FillStart();
  const auto done = ScopeExit([this] { GuardCallback(this, [this] { FillComplete(); }); });
  {
    TTreeNodesUpdate bracket(GetItems());
    TZQLinkLock lock(lockCount_);  // deletions move no selection to the linked controls
    merge(remembered);
  }
  if (remembered != selected && remembered) {
    // The selection went with its folder: the nearest ancestor left is handed
    // over at once (also when the native control had already moved there).
    handOverAtOnce_ = true;
    SetSelected(remembered);
    handOverAtOnce_ = false;
    HandOver(remembered);
  }
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
  MergeChildren(node, remembered);
  const auto children = childNodes_.find(record);
  if (children == childNodes_.end()) return;
  const std::vector<TTreeNode*> loaded(children->second.begin(), children->second.end());
  for (TTreeNode* c : loaded)
    if (filledNodes_.count(c)) MergeNode(c, remembered);  // still there, and loaded
}

namespace {
std::string WithoutSeparator(std::string path) {
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}
}  // namespace

// Only loaded nodes can hold a named folder: those alone are asked their path, found in the set the
// fills keep rather than by walking every node (a sibling step costs two messages to the control).
void TZQCustomShellTree::MergeNamed(const std::vector<std::string>& folders, TTreeNode*& remembered) {
  std::vector<std::string> wanted;
  for (const std::string& f : folders) wanted.push_back(WithoutSeparator(f));
  const std::vector<TTreeNode*> loaded(filledNodes_.begin(), filledNodes_.end());
  for (TTreeNode* node : loaded) {
    if (!filledNodes_.count(node)) continue;  // went with an ancestor merged before it
    const std::string path = WithoutSeparator(GetDataFromNode(node)->GetPathName());
    if (!path.empty() &&
        std::any_of(wanted.begin(), wanted.end(), [&](const std::string& f) { return AnsiSameText(f, path); }))
      MergeChildren(node, remembered);
  }
}

namespace {
// How the folder orders item against node's item.
int CompareWithNode(IShellFolder* folder, PCItemIDList item, TTreeNode* node) {
  const HRESULT hr = folder->CompareIDs(0, item, TZQCustomShellTree::GetDataFromNode(node)->GetRelPidl());
  return FAILED(hr) ? 0 : static_cast<std::int16_t>(HRESULT_CODE(hr));
}

// Up to this many new children go to their places one by one (each a pass over the children with the
// folder's comparison); more are added and the node sorted once.
constexpr std::size_t kPlacedOneByOne = 4;
}  // namespace

void TZQCustomShellTree::MergeChildren(TTreeNode* node, TTreeNode*& remembered) {
  TZQShTreeData* record = GetDataFromNode(node);
  IShellFolder* folder = record ? record->GetThisIShf() : nullptr;
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
  if (const auto children = childNodes_.find(record); children != childNodes_.end())
    for (TTreeNode* c : children->second) shown.push_back({c, GetDataFromNode(c)->GetRelPidl()});
  TMergeResult merge = MergeItems(folder, std::move(shown), fresh);

  for (void* key : merge.vanished) {
    auto* child = static_cast<TTreeNode*>(key);
    if (remembered && Contains(child, remembered)) remembered = node;
    child->Delete();
  }
  // Still there with other bytes (a folder whose contents changed): the record takes the fresh list.
  for (auto& [key, index] : merge.changed) GetDataFromNode(static_cast<TTreeNode*>(key))->SetRelPidl(fresh[index].Get());
  if (merge.added.size() <= kPlacedOneByOne && HandleAllocated()) {
    // The children are in the folder's order: a new one goes in front of the first child after it, found
    // in one pass, instead of all of them being sorted again with the folder's comparison.
    for (std::size_t index : merge.added) {
      PCItemIDList item = fresh[index].Get();
      TTreeNode* before = nullptr;
      if (const auto children = childNodes_.find(record); children != childNodes_.end())
        for (TTreeNode* c : children->second)
          if (CompareWithNode(folder, item, c) < 0 && (!before || CompareWithNode(folder, GetDataFromNode(c)->GetRelPidl(), before) < 0))
            before = c;
      AddNewShellNode(m, folder, item, node, record->GetAbsPidl(), nullptr, before);
    }
  } else {
    for (std::size_t index : merge.added) AddNewShellNode(m, folder, fresh[index].Get(), node, record->GetAbsPidl());
    SortNode(node);
  }
  if (!node->GetFirstChild()) node->SetHasChildren(false);
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
  if (!watcher_->AddWatch(root, filter, slot, true, true)) return;  // that root is simply not watched
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
  // The folders the changes name are taken even when the change is not acted on: they are spent.
  std::vector<std::string> named;
  const bool known = watcher_ && watcher_->TakeChangedFolders(static_cast<int>(slot), named);
  if (!TakeChangeNotification(ignoreNextChange_, dragDrop_.IsDragging(), refreshPending_)) return;
  if (known && !named.empty()) {
    for (std::string& f : named)
      if (std::find(pendingFolders_.begin(), pendingFolders_.end(), f) == pendingFolders_.end())
        pendingFolders_.push_back(std::move(f));
  } else if (known && !pendingFolders_.empty()) {
    // A second message for changes whose folders came with the first: nothing more to merge.
  } else if (slot < slotDrives_.size() && slotDrives_[slot]) {
    pendingDrives_.insert(slotDrives_[slot]);
  } else {
    pendingDrives_.insert('*');  // unknown: everything
  }
  RestartChangeTimer(refreshTimer_, Focused(), changeWaitStart_);
}

void TZQCustomShellTree::RefreshTimerElapsed() {
  refreshTimer_->SetEnabled(false);
  std::set<char> scope;
  scope.swap(pendingDrives_);
  std::vector<std::string> folders;
  folders.swap(pendingFolders_);
  if (scope.empty()) {
    if (!folders.empty()) RefreshFolders(folders);
    return;
  }
  // A drive whose folders are unknown is merged whole; the named folders of other drives with it.
  for (const std::string& f : folders)
    if (f.size() >= 2 && f[1] == ':') scope.insert(static_cast<char>(std::toupper(static_cast<unsigned char>(f[0]))));
  if (scope.count('*')) scope.clear();  // all
  refreshScope_ = std::move(scope);
  const auto end = ScopeExit([this] { refreshScope_.clear(); });
  RefreshNodes();
}

}  // namespace korvane
