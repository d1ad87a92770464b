// Keeping the shell list current: a watcher on the folder, a timer that
// collects a burst of changes into one refresh, and the merge that deletes
// only vanished items and appends only new ones.
#include "korvane/controls/shell/list/shelllist.h"

#include <dbt.h>

#include <algorithm>
#include <optional>

#include "korvane/controls/shell/common/enumitems.h"
#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/controls/shell/refresh/merge.h"
#include "korvane/controls/shell/refresh/notify.h"
#include "korvane/host/Application.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Screen.h"

namespace korvane {

namespace {
constexpr std::size_t kFewChanges = 8;
}  // namespace

void TZQCustomShellList::InstallChangeHandler() {
  if (IsDesigning() || !HandleAllocated()) return;
  timer_->SetEnabled(false);
  if (watcher_ && !watcher_->IsBroken()) watcher_->RemoveAllWatches();
  if (!watcher_ || watcher_->IsBroken()) watcher_ = MakeChangeWatcher(GetHandle(), AM_CHANGENOTIFY);
  const std::string path = ShellGetPathFromIdList(folderAbsolute_.Get());
  int slot = 0;
  if (!path.empty()) watcher_->AddWatch(path, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, slot, false);
}

void TZQCustomShellList::ChangeNotified() {
  if (TakeChangeNotification(ignoreNextChange_, dragDrop_.IsDragging(), refreshPending_)) RestartChangeTimer(timer_, Focused(), changeWaitStart_);
}

void TZQCustomShellList::TimerElapsed(TObject*) {
  timer_->SetEnabled(false);
  {
    TZQLinkLock lock(internalChange_);
    Synchronize(true);
  }
  // A linked control may have handed over another folder meanwhile: show that one.
  if (CompareAbsIdLists(folder_->GetIdList(), folderAbsolute_.Get()) != 0) FillItems();
  else
    RefreshItems();
}

void TZQCustomShellList::Synchronize(bool withLinked) {
  if (withLinked) {
    if (shellCombo_) shellCombo_->Synchronize(false);
    if (shellTree_) shellTree_->Synchronize(false);
  }
  if (timer_->GetEnabled()) TimerElapsed(timer_);
  RunPendingRefresh();
}

void TZQCustomShellList::RunPendingRefresh() {
  if (Busy()) return;
  if (fillPending_) FillItems();
  else if (refreshPending_) RefreshItems();
}

bool TZQCustomShellList::IsFolderNetworkShare() { return folder_->GetPathName().rfind("\\\\", 0) == 0; }

void TZQCustomShellList::RefreshItems() {
  if (!HandleAllocated()) return;
  if (Busy() || fill_) {  // a fill merges what changed once it ends
    refreshPending_ = true;
    return;
  }
  refreshPending_ = false;
  if (GetItems()->GetCount() == 0 || !currentFolder_) {
    FillItems();
    return;
  }
  TCursorScope hourglass;
  FillStart();
  const auto done = ScopeExit([this] { GuardCallback(this, [this] { FillComplete(); }); });
  FilterPreApply();
  const auto filtered = ScopeExit([this] { FilterPostApply(); });
  IMalloc* m = GetShellMalloc();
  std::vector<TIdListPtr> fresh;
  fresh.reserve(static_cast<std::size_t>(GetItems()->GetCount()) + 16);
  bool started = false;
  const HRESULT hr = EnumerateItems(currentFolder_.Get(), GetParentFormHandle(this), EnumFlags(), m, fresh, started);
  // A failing enumeration may be passing (network, media, access): what is
  // shown stays, unless the folder itself is gone.
  if (FAILED(hr) && !IsFolderGone(ShellGetPathFromIdList(folderAbsolute_.Get()))) return;
  if (FAILED(hr)) fresh.clear();

  std::vector<TMergeShown> shown;
  shown.reserve(static_cast<std::size_t>(GetItems()->GetCount()));
  for (TListItem* item : GetItems()->GetLiveItems())
    if (TZQShListData* record = GetDataFromItem(item)) shown.push_back({item, record->GetRelativeIdList()});
  TMergeResult merge = MergeItems(currentFolder_.Get(), std::move(shown), fresh);

  // A few changes go to the view one by one; ending a bracket relays out the whole view.
  std::optional<TListItemsUpdate> bracket;
  if (merge.vanished.size() + merge.changed.size() + merge.added.size() > kFewChanges) bracket.emplace(GetItems());
  std::vector<int> vanished;
  vanished.reserve(merge.vanished.size());
  for (void* key : merge.vanished) vanished.push_back(static_cast<TListItem*>(key)->GetIndex());
  std::sort(vanished.rbegin(), vanished.rend());  // from the end: no index moves before it is used
  for (int index : vanished) GetItems()->Delete(index);
  // Still there with other bytes (a modified file): the record takes the fresh
  // list and forgets what it cached; the texts are asked for again.
  for (auto& [key, index] : merge.changed) {
    auto* item = static_cast<TListItem*>(key);
    GetDataFromItem(item)->SetData(fresh[index].Release());
    StoreCaption(item, std::string());
    item->Update();  // inside a bracket its end repaints everything
  }
  for (std::size_t index : merge.added) AddNewShellItem(folderAbsolute_.Get(), fresh[index].Release());
}

void TZQCustomShellList::DeviceChangeDetected(TObject*, TMessage& Message) {
  if (Message.WParam != DBT_DEVICEARRIVAL && Message.WParam != DBT_DEVICEREMOVECOMPLETE) return;
  if (!HandleAllocated()) return;
  FlushDriveInfoCache();
  LockFlushDriveInfoCache();
  const auto unlock = ScopeExit([] { UnlockFlushDriveInfoCache(); });
  RefreshItems();
}

}  // namespace korvane
