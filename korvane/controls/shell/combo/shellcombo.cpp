#include "korvane/controls/shell/combo/shellcombo.h"

#include "korvane/controls/shell/tree/shelltree.h"
#include "korvane/host/PropInfo.h"

namespace korvane {

TZQCustomShellCombo::TZQCustomShellCombo(TComponent* AOwner) : TZQCustomImageCombo(AOwner) {
  systemImages_ = new TImageList(this);
  systemImages_->SetShareImages(true);
  systemImages_->SetHandle(ShellGetSystemImageList(zqsizSmall));
  if (HIMAGELIST h = systemImages_->GetHandle()) ImageList_SetBkColor(h, CLR_NONE);
  selectedFolder_ = std::make_unique<TZQShellLocator>();
  selectedFolder_->OnChange = [this](TObject* sender) { SelectedFolderChanged(sender); };
  SetImageList(systemImages_);
}

TZQCustomShellCombo::~TZQCustomShellCombo() = default;

const TClassInfo& TZQShellCombo::StaticClassInfo() {
  static const TClassInfo info =
      TPublish<TZQShellCombo>("TZQShellCombo", &TWinControl::StaticClassInfo())
          .Creatable()
          .Ref("ShellTree", &TZQShellCombo::GetShellTree, &TZQShellCombo::SetShellTree)
          .Ref("ShellList", &TZQShellCombo::GetShellListComponent, &TZQShellCombo::SetShellList)
          .Int("IndentPixels", &TZQShellCombo::GetIndentPixels, &TZQShellCombo::SetIndentPixels, 12)
          .Set("Options", &TZQShellCombo::GetOptions, &TZQShellCombo::SetOptions, 3,
               {"zqscoAutofill", "zqscoNonFilesystemAncestors"})
          .Int("DropDownCount", &TZQShellCombo::GetDropDownCount, &TZQShellCombo::SetDropDownCount, 8)
          .Done();
  return info;
}

bool TZQCustomShellCombo::CanAdd(IShellFolder*, PCItemIDList, PCItemIDList, ULONG) { return true; }

TZQShComboData* TZQCustomShellCombo::GetComboData(int index) {
  TZQImageComboItem* item = GetImageComboItem(index);
  return item ? static_cast<TZQShComboData*>(item->UserData) : nullptr;
}

void TZQCustomShellCombo::DeleteItem(void* item) {
  if (!WillFree(item)) {
    TZQCustomImageCombo::DeleteItem(item);
    return;
  }
  auto* record = static_cast<TZQShComboData*>(static_cast<TZQImageComboItem*>(item)->UserData);
  TZQCustomImageCombo::DeleteItem(item);
  delete record;
}

void TZQCustomShellCombo::GetItemData(TZQImageComboItem* item) {
  // The item's own record: its position may have moved since it was added.
  if (auto* record = static_cast<TZQShComboData*>(item->UserData)) {
    if (item->GetCaption().empty()) {
      TComPtr<IShellFolder> desktop;
      if (SUCCEEDED(ShellGetDesktopFolder(desktop)))
        item->SetCaption(ShellGetFriendlyNameFromIdList(desktop.Get(), record->GetAbsIdList(), zqfnInFolder));
    }
    if (item->GetImageIndex() == -1) item->SetImageIndex(ShellGetIconIndex(record->GetAbsIdList(), SHGFI_SMALLICON));
  }
  TZQCustomImageCombo::GetItemData(item);
}

void TZQCustomShellCombo::SelEndOk() {
  TZQCustomImageCombo::SelEndOk();
  const int index = GetItemIndex();
  if (TZQShComboData* record = index >= 0 ? GetComboData(index) : nullptr)
    selectedFolder_->SetIdList(record->GetAbsIdList());
}

void TZQCustomShellCombo::SelectedFolderChanged(TObject*) {
  if (updateCount_ > 0) return;
  TZQLinkLock lock(updateCount_);
  if (shellTree_) shellTree_->SetSelectedFolder(selectedFolder_.get());
  else if (shellList_) shellList_->GetFolder()->SetIdList(selectedFolder_->GetIdList());
  FillItems();
}

void TZQCustomShellCombo::TreeChanged(TTreeNode* node) {
  if (!node || !node->GetSelected()) return;
  if (TZQShTreeData* record = TZQCustomShellTree::GetDataFromNode(node))
    selectedFolder_->SetIdList(record->GetAbsPidl());
}

void TZQCustomShellCombo::GoUp(int levels) {
  int index = GetItemIndex();
  if (index < 0) return;
  const int floor = GetImageComboItem(index)->GetIndent() - levels + 1;
  const int start = index;
  while (index > 0 && GetImageComboItem(index)->GetIndent() >= floor) --index;
  if (index == start) return;
  if (TZQShComboData* record = GetComboData(index)) selectedFolder_->SetIdList(record->GetAbsIdList());
}

void TZQCustomShellCombo::Synchronize(bool withLinked) {
  if (!withLinked) return;
  if (shellTree_) shellTree_->Synchronize(false);
  if (shellList_) shellList_->Synchronize(false);
}

void TZQCustomShellCombo::SetShellTree(TZQCustomShellTree* tree) {
  if (tree && shellList_) return;  // one partner at a time
  if (shellTree_ && shellTree_ != tree) shellTree_->SetShellCombo(nullptr);
  shellTree_ = tree;
  if (!tree) return;
  tree->FreeNotification(this);
  tree->SetShellCombo(this);
}

void TZQCustomShellCombo::SetShellList(TZQShellListLink* list) {
  if (list && shellTree_) return;
  if (shellList_ && shellList_ != list) shellList_->SetShellCombo(nullptr);
  shellList_ = list;
  if (!list) return;
  list->LinkComponent()->FreeNotification(this);
  list->SetShellCombo(this);
}

void TZQCustomShellCombo::Notification(TComponent* AComponent, TOperation Operation) {
  TZQCustomImageCombo::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  // A freed partner is never called again.
  if (shellTree_ && AComponent == shellTree_) shellTree_ = nullptr;
  if (shellList_ && AComponent == shellList_->LinkComponent()) shellList_ = nullptr;
}

void TZQCustomShellCombo::CreateWnd() {
  TZQCustomImageCombo::CreateWnd();
  if (!GetComponentState().Contains(csLoading) && options_.Contains(zqscoAutofill)) FillItems();
}

void TZQCustomShellCombo::DestroyWnd() {
  // The entries are built again for a new window.
  if (HandleAllocated()) GetItems()->Clear();
  TZQCustomImageCombo::DestroyWnd();
}

void TZQCustomShellCombo::Loaded() {
  TZQCustomImageCombo::Loaded();
  if (!options_.Contains(zqscoAutofill)) return;
  TZQLinkLock lock(updateCount_);
  FillItems();
  if (shellTree_) {
    shellTree_->SetSelectedFolder(selectedFolder_.get());
    shellTree_->RefreshNodes();
  } else if (shellList_) {
    shellList_->SetFolder(selectedFolder_.get());
  }
}

void TZQCustomShellCombo::WndProc(TMessage& m) {
  if (m.Msg == CM_DESIGNHITTEST) {
    // The drop-down button: the designer lets the list open.
    const int x = static_cast<short>(LOWORD(m.LParam));
    m.Result = x > GetClientWidth() - GetSystemMetrics(SM_CXVSCROLL) ? 1 : 0;
    return;
  }
  TZQCustomImageCombo::WndProc(m);
}

}  // namespace korvane
