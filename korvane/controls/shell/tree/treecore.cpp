// The shell tree's life cycle: construction, the window, loading, links going
// away, its private messages and custom drawing.
#include "korvane/controls/shell/tree/shelltree.h"

#include "korvane/controls/shell/refresh/controlend.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Method.h"

#include <dbt.h>

namespace korvane {

TZQCustomShellTree::TZQCustomShellTree(TComponent* AOwner) : TZQCustomTreeView(AOwner) {
  timer_ = new TTimer(this);
  timer_->SetEnabled(false);
  timer_->OnTimer = [this](TObject* sender) { TimerElapsed(sender); };
  refreshTimer_ = new TTimer(this);
  refreshTimer_->SetEnabled(false);
  refreshTimer_->OnTimer = [this](TObject*) { RefreshTimerElapsed(); };
  baseFolder_ = std::make_unique<TZQShellLocator>();
  baseFolder_->OnChange = [this](TObject* sender) { BaseFolderChanged(sender); };
  selectedFolder_ = std::make_unique<TZQShellLocator>();
  selectedFolder_->OnChange = [this](TObject* sender) { SelectedFolderChanged(sender); };
  SetShowRoot(false);
  imageList_ = new TImageList(this);
  imageList_->SetSize(16, 16);
  SetImages(imageList_);
  ZQDeviceChangeHandler()->Add(TZQDeviceChangeEvent(this, &TZQCustomShellTree::DeviceChangeDetected));
  InitImageList();
}

TZQCustomShellTree::~TZQCustomShellTree() = default;

void TZQCustomShellTree::BeforeDestruction() {
  CancelExpansions();
  ZQShEndShellControl(TZQDeviceChangeEvent(this, &TZQCustomShellTree::DeviceChangeDetected), {timer_, refreshTimer_},
                      watcher_, lockCount_, [this] { TZQCustomTreeView::BeforeDestruction(); });
  shellList_ = nullptr;
  shellCombo_ = nullptr;
}

void TZQCustomShellTree::InitImageList() {
  imageList_->SetShareImages(true);
  imageList_->SetHandle(ShellGetSystemImageList(zqsizSmall));
  if (HIMAGELIST h = imageList_->GetHandle()) ImageList_SetBkColor(h, CLR_NONE);
  SetImages(imageList_);
}

bool TZQCustomShellTree::IsLoadingOrLocked() const {
  return lockCount_ > 0 || GetComponentState().Contains(csLoading);
}

void TZQCustomShellTree::SetBaseFolder(TZQShellLocator* value) {
  if (GetComponentState().Contains(csLoading)) return;  // the form file fills the locator itself
  baseFolder_->Assign(value);
}

void TZQCustomShellTree::SetOptions(TZQShellTreeOptions value) {
  const bool dragChanged = value.Contains(zqstoOleDrag) != options_.Contains(zqstoOleDrag);
  const bool refreshChanged = value.Contains(zqstoDynamicRefresh) != options_.Contains(zqstoDynamicRefresh);
  options_ = value;
  if (refreshChanged && HandleAllocated() && !IsDesigning()) {
    if (options_.Contains(zqstoDynamicRefresh)) InstallChangeHandlersForAllLocalDrives();
    else if (watcher_) watcher_->RemoveAllWatches();
  }
  UpdateDropRegistration();
  if (dragChanged && HandleAllocated()) {
    const bool disable = !options_.Contains(zqstoOleDrag) && GetDragMode() != dmAutomatic;
    ChangeWindowStyle(GetHandle(), TVS_DISABLEDRAGDROP, disable);
  }
}

void TZQCustomShellTree::BaseFolderChanged(TObject*) {
  if (GetComponentState().Contains(csLoading)) return;
  {
    // Cleared under the lock: the old tree must not be walked to an empty folder.
    TZQLinkLock lock(lockCount_);
    selectedFolder_->Clear();
  }
  if (options_.Contains(zqstoAutoFill)) {
    handOverAtOnce_ = true;
    FillItems();
  }
}

void TZQCustomShellTree::Loaded() {
  if (options_.Contains(zqstoAutoFill) && !shellCombo_) {
    // A base folder that cannot be enumerated (Printers under Wine) ends its fill silently; the form loads.
    if (GetItems()->GetCount() == 0) {
      try {
        FillItems();
      } catch (const EAbort&) {
      }
    }
    if (shellList_) shellList_->SetFolder(selectedFolder_.get());
  }
  const TCountScope block(expansionBlock_);  // no node expands while the host's Loaded runs
  TZQCustomTreeView::Loaded();
}

void TZQCustomShellTree::Notification(TComponent* AComponent, TOperation Operation) {
  TZQCustomTreeView::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (shellList_ && shellList_->LinkComponent() == AComponent) shellList_ = nullptr;
  if (shellCombo_ && shellCombo_->LinkComponent() == AComponent) shellCombo_ = nullptr;
}

void TZQCustomShellTree::CreateParams(TCreateParams& p) {
  TZQCustomTreeView::CreateParams(p);
  p.Style &= ~static_cast<DWORD>(TVS_DISABLEDRAGDROP);
  if (!options_.Contains(zqstoOleDrag) && GetDragMode() != dmAutomatic) p.Style |= TVS_DISABLEDRAGDROP;
}

void TZQCustomShellTree::CreateWnd() {
  TZQCustomTreeView::CreateWnd();
  UpdateDropRegistration();
  if (GetComponentState().Contains(csLoading)) return;
  if (options_.Contains(zqstoAutoFill) && GetItems()->GetCount() == 0)
    PostMessageA(GetHandle(), AM_DEFERREDFILL, 0, 0);
  if (shellList_) shellList_->SetFolder(selectedFolder_.get());
}

void TZQCustomShellTree::DestroyWnd() {
  const TFlagScope destroying(destroyingWindow_);
  CancelExpansions();
  if (HandleAllocated()) {
    {
      TZQLinkLock lock(lockCount_);
      SetSelected(nullptr);
    }
    // Nodes are not carried into a new window: it fills again.
    SendMessageA(GetHandle(), WM_SETREDRAW, FALSE, 0);
    TZQLinkLock lock(lockCount_);
    GetItems()->Clear();
  }
  TZQCustomTreeView::DestroyWnd();
}

void TZQCustomShellTree::DeviceChangeDetected(TObject*, TMessage& Message) {
  if (Message.WParam != DBT_DEVICEARRIVAL && Message.WParam != DBT_DEVICEREMOVECOMPLETE) return;
  FlushDriveInfoCache();
  LockFlushDriveInfoCache();
  const auto unlock = ScopeExit([] { UnlockFlushDriveInfoCache(); });
  RefreshNodes();
}

TZQCustomDraw* TZQCustomShellTree::ZQCustomDraw(NMCUSTOMDRAW* record, LRESULT& result) {
  TZQCustomDraw* cd = TZQCustomTreeView::ZQCustomDraw(record, result);
  if (OnCustomDrawSh || OnCustomDrawShEx) {
    if (!cd) cd = CreateCustomDraw(record, result);
    TTreeNode* node = (record->dwDrawStage & CDDS_ITEM)
                          ? GetItems()->GetNodeFromItem(reinterpret_cast<HTREEITEM>(record->dwItemSpec))
                          : nullptr;
    ZQCustomDrawSh(cd, node, GetDataFromNode(node));
    cd->Apply();
  }
  if (record->dwDrawStage & CDDS_PREPAINT) result |= CDRF_NOTIFYITEMDRAW;
  return cd;
}

void TZQCustomShellTree::ZQCustomDrawSh(TZQCustomDraw* cd, TTreeNode* node, TZQShTreeData* data) {
  if (OnCustomDrawShEx) OnCustomDrawShEx(this, cd, node, data);
  if (OnCustomDrawSh && cd->GetDrawStage() == zqcdsItemPrePaint) OnCustomDrawSh(this, cd, node, data);
}

void TZQCustomShellTree::CNNotify(TMessage& m) {
  const auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
  if (hdr->code == NM_CLICK) handOverAtOnce_ = true;  // arrives before the click's selection change
  if (BeginDragNotified(*hdr)) return;
  TZQCustomTreeView::CNNotify(m);
}

void TZQCustomShellTree::WndProc(TMessage& m) {
  if (activeMenu_ && MenuMessage(m)) return;
  switch (m.Msg) {
    case AM_DEFERREDFILL:
      if (GetItems()->GetCount() == 0) GuardCallback(this, [&] { FillItems(); });
      return;
    case AM_FILLBATCH:
      GuardCallback(this, [&] { ContinueExpansions(); });
      return;
    case WM_TIMER:
      if (m.WParam == kZQFillSliceTimer) {
        KillTimer(GetHandle(), kZQFillSliceTimer);
        GuardCallback(this, [&] { ContinueExpansions(); });
        return;
      }
      break;
    case AM_AFTEREDIT:
      GuardCallback(this, [&] { RunPendingRefresh(); });
      return;
    case AM_CHANGENOTIFY:
      GuardCallback(this, [&] { ChangeNotified(m.WParam); });
      return;
    case WM_DESTROY:
      dragDrop_.Revoke();
      refreshTimer_->SetEnabled(false);
      watcher_.reset();  // a new window watches again after its fill
      break;
    case CM_DESIGNHITTEST: {
      m.Result = 0;
      if (!options_.Contains(zqstoDesignInteractive)) return;
      const int x = static_cast<short>(LOWORD(m.LParam)), y = static_cast<short>(HIWORD(m.LParam));
      const UINT hit = GetHitTestInfoAt(x, y);
      if ((hit & (TVHT_ONITEM | TVHT_ONITEMBUTTON | TVHT_TORIGHT)) || x >= GetClientWidth()) m.Result = 1;
      return;
    }
    case CM_WANTSPECIALKEY:
      TZQCustomTreeView::WndProc(m);
      if (IsEditing()) m.Result = 1;  // Enter and Escape belong to the label edit, also in dialogs
      return;
    case TVM_DELETEITEM:
      if (m.LParam == reinterpret_cast<LPARAM>(TVI_ROOT) || m.LParam == 0) {
        TZQLinkLock lock(lockCount_);
        TZQCustomTreeView::WndProc(m);
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED:
      if (destroyingWindow_) return;
      break;
    default:
      break;
  }
  TZQCustomTreeView::WndProc(m);
}

}  // namespace korvane
