// The shell list's life cycle: construction, the window, loading, options, the
// links with a shell tree and combo, the wheel and its private messages.
#include "korvane/controls/shell/list/shelllist.h"

#include <dbt.h>

#include "korvane/controls/shell/common/scrolling.h"
#include "korvane/controls/shell/refresh/controlend.h"
#include "korvane/host/Application.h"
#include "korvane/host/Method.h"
#include "korvane/shell/devicechange.h"

namespace korvane {

TZQCustomShellList::TZQCustomShellList(TComponent* AOwner) : TZQCustomListView(AOwner) {
  folder_ = std::make_unique<TZQShellLocator>();
  folder_->OnChange = [this](TObject* sender) { HandleOnFolderChanged(sender); };
  timer_ = new TTimer(this);
  timer_->SetEnabled(false);
  timer_->OnTimer = [this](TObject* sender) { TimerElapsed(sender); };
  smallImages_ = new TImageList(this);
  smallImages_->SetSize(16, 16);
  largeImages_ = new TImageList(this);
  largeImages_->SetSize(32, 32);
  SetSmallImages(smallImages_);
  SetLargeImages(largeImages_);
  GetIconOptions()->SetAutoArrange(true);
  SetAllocBy(256);
  SetColumnClick(true);
  SetShowColumnHeaders(true);
  InitImageLists();
  ZQDeviceChangeHandler()->Add(TZQDeviceChangeEvent(this, &TZQCustomShellList::DeviceChangeDetected));
}

TZQCustomShellList::~TZQCustomShellList() = default;

void TZQCustomShellList::BeforeDestruction() {
  CancelFill();
  ZQShEndShellControl(TZQDeviceChangeEvent(this, &TZQCustomShellList::DeviceChangeDetected), {timer_}, watcher_,
                      internalChange_, [this] { TZQCustomListView::BeforeDestruction(); });
  shellTree_ = nullptr;
  shellCombo_ = nullptr;
}

void TZQCustomShellList::InitImageLists() {
  smallImages_->SetShareImages(true);
  smallImages_->SetHandle(ShellGetSystemImageList(zqsizSmall));
  largeImages_->SetShareImages(true);
  largeImages_->SetHandle(ShellGetSystemImageList(zqsizLarge));
  for (TCustomImageList* images : {smallImages_, largeImages_})
    if (HIMAGELIST h = images->GetHandle()) ImageList_SetBkColor(h, CLR_NONE);
  SetSmallImages(smallImages_);
  SetLargeImages(largeImages_);
}

IMalloc* TZQCustomShellList::GetShellMalloc() {
  if (!malloc_) {
    const HRESULT hr = SHGetMalloc(malloc_.Put());
    if (FAILED(hr)) RaiseSysError(hr);
  }
  return malloc_.Get();
}

// --- Window life

void TZQCustomShellList::PostDeferredFill() {
  if (options_.Contains(zqsloAutoFill) && GetItems()->GetCount() == 0 && HandleAllocated())
    PostMessageA(GetHandle(), AM_DEFERREDFILL, 0, 0);
}

void TZQCustomShellList::CreateWnd() {
  const TFlagScope creating(insideCreation_);
  TZQCustomListView::CreateWnd();
  UpdateDropRegistration();
  if (!GetComponentState().Contains(csLoading)) PostDeferredFill();
}

void TZQCustomShellList::Loaded() {
  if (!insideCreation_) PostDeferredFill();
  TZQCustomListView::Loaded();
}

void TZQCustomShellList::DestroyWnd() {
  const TFlagScope destroying(destroyingWindow_);
  CancelFill();
  if (HandleAllocated()) {
    // Items are not carried into a new window: it fills again.
    TListItemsUpdate bracket(GetItems());
    TZQLinkLock lock(internalChange_);
    SetSelected(nullptr);
    GetItems()->Clear();
  }
  TZQCustomListView::DestroyWnd();
}

void TZQCustomShellList::SetOptions(TZQShellListOptions value) {
  const TZQShellListOptions old = options_;
  options_ = value;
  // Background fills hand their items over in batches: the host's owner-data items.
  if (old.Contains(zqsloBackgroundFill) != value.Contains(zqsloBackgroundFill)) {
    CancelFill();
    SetOwnerData(value.Contains(zqsloBackgroundFill));
  }
  if (GetComponentState().Contains(csLoading) || !HandleAllocated()) return;
  UpdateDropRegistration();
  if (old.Contains(zqsloDynamicRefresh) != value.Contains(zqsloDynamicRefresh) && !IsDesigning()) {
    if (value.Contains(zqsloDynamicRefresh)) InstallChangeHandler();
    else if (watcher_) watcher_->RemoveAllWatches();
  }
  // A merge would keep items it never tests again: these two refill.
  if (old.Contains(zqsloHideFoldersWhenLinkedToTree) != value.Contains(zqsloHideFoldersWhenLinkedToTree) ||
      old.Contains(zqsloShowHidden) != value.Contains(zqsloShowHidden))
    FillItems();
}

// --- Links

void TZQCustomShellList::SetShellTree(TZQCustomShellTree* tree) {
  if (tree == shellTree_) return;
  TZQCustomShellTree* old = shellTree_;
  shellTree_ = tree;
  // A second tree takes the list over from the first.
  if (old && old->GetShellList() == this) old->SetShellList(nullptr);
  if (tree) tree->FreeNotification(this);
}

void TZQCustomShellList::SetShellCombo(TZQShellComboLink* combo) {
  shellCombo_ = combo;
  if (combo) combo->LinkComponent()->FreeNotification(this);
}

void TZQCustomShellList::Notification(TComponent* AComponent, TOperation Operation) {
  TZQCustomListView::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (shellTree_ && AComponent == shellTree_) shellTree_ = nullptr;
  if (shellCombo_ && AComponent == shellCombo_->LinkComponent()) shellCombo_ = nullptr;
}

void TZQCustomShellList::SetFolder(TZQShellLocator* folder) { folder_->Assign(folder); }

void TZQCustomShellList::HandleOnFolderChanged(TObject*) {
  if (internalChange_ == 0) {
    TZQLinkLock lock(internalChange_);
    if (shellTree_) shellTree_->DoSetSelectedIdList(folder_->GetIdList());
    else if (shellCombo_) shellCombo_->GetSelectedFolder()->SetIdList(folder_->GetIdList());
    FillItems();
  }
  FolderChanged();
}

void TZQCustomShellList::TreeChanged(TTreeNode* node) {
  if (!node || !node->GetSelected() || GetComponentState().Contains(csLoading)) return;
  if (TZQShTreeData* record = TZQCustomShellTree::GetDataFromNode(node)) folder_->SetIdList(record->GetAbsPidl());
}

bool TZQCustomShellList::HidesFoldersWhenLinkedToTree() {
  return options_.Contains(zqsloHideFoldersWhenLinkedToTree) && shellTree_;
}

void TZQCustomShellList::FolderChanged() {
  if (OnFolderChanged) OnFolderChanged(this);
}

// --- Wheel

bool TZQCustomShellList::ShellMouseWheel(bool down, TShiftState shift, POINT mousePos) {
  return down ? DoMouseWheelDown(shift, mousePos) : DoMouseWheelUp(shift, mousePos);
}

// The list style scrolls sideways.
int TZQCustomShellList::WheelBar() const { return GetViewStyle() == vsList ? SB_HORZ : SB_VERT; }

bool TZQCustomShellList::DoMouseWheelDown(TShiftState Shift, POINT MousePos) {
  return ShellWheelTurned(this, TZQCustomListView::DoMouseWheelDown(Shift, MousePos), true, Shift, MousePos, WheelBar());
}

bool TZQCustomShellList::DoMouseWheelUp(TShiftState Shift, POINT MousePos) {
  return ShellWheelTurned(this, TZQCustomListView::DoMouseWheelUp(Shift, MousePos), false, Shift, MousePos, WheelBar());
}

// --- Messages

void TZQCustomShellList::WndProc(TMessage& m) {
  if (CommandMessage(m)) return;
  switch (m.Msg) {
    case AM_FILLBATCH:
      GuardCallback(this, [&] { ContinueFill(false); });
      return;
    case WM_TIMER:
      if (fill_ && m.WParam == kZQFillShowTimer) {
        GuardCallback(this, [&] { FillTimerElapsed(); });
        return;
      }
      if (m.WParam == kZQFillSliceTimer) {
        KillTimer(GetHandle(), kZQFillSliceTimer);
        GuardCallback(this, [&] { ContinueFill(false); });
        return;
      }
      break;
    case AM_DEFERREDFILL:
      if (GetItems()->GetCount() == 0 && !fill_) GuardCallback(this, [&] { FillItems(); });
      return;
    case WM_DESTROY:
      dragDrop_.Revoke();
      if (GetColumns()->GetCount() > 0 && saveWidths_) SaveColumnWidths();
      timer_->SetEnabled(false);
      watcher_.reset();  // a new window watches again after its fill
      break;
    case AM_CHANGENOTIFY:
      GuardCallback(this, [&] { ChangeNotified(); });
      return;
    case WM_WINDOWPOSCHANGED:
    case WM_WINDOWPOSCHANGING:
      if (destroyingWindow_) return;
      break;
    case CM_DESIGNHITTEST: {
      m.Result = 0;
      if (!options_.Contains(zqsloDesignInteractive)) return;
      const int x = static_cast<short>(LOWORD(m.LParam)), y = static_cast<short>(HIWORD(m.LParam));
      m.Result = GetItemAt(x, y) ? 1 : 0;
      return;
    }
    default:
      break;
  }
  TZQCustomListView::WndProc(m);
}

}  // namespace korvane
