// Filling the shell list: the folder is enumerated into locals, then folder,
// absolute list, details and columns change together; the admitted items are
// sorted as records and inserted in their order, with their state, one call each.
#include "korvane/controls/shell/list/shelllist.h"

#include <algorithm>
#include <memory>

#include "korvane/controls/shell/common/enumitems.h"
#include "korvane/controls/shell/common/itemtext.h"
#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/host/Application.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Dialogs.h"
#include "korvane/host/Screen.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

namespace {


// Critical-error boxes (an empty drive) fail silently for a scope.
class TErrorModeScope {
public:
  TErrorModeScope() : saved_(SetErrorMode(SEM_FAILCRITICALERRORS)) { SetErrorMode(saved_ | SEM_FAILCRITICALERRORS); }
  ~TErrorModeScope() { SetErrorMode(saved_); }
  TErrorModeScope(const TErrorModeScope&) = delete;
  TErrorModeScope& operator=(const TErrorModeScope&) = delete;

private:
  UINT saved_;
};

}  // namespace

TListItemState TZQCustomShellList::StateOf(ULONG attributes) {
  TListItemState state;
  if (attributes & SFGAO_SHARE) state.OverlayIndex = 0;
  else if (attributes & SFGAO_LINK) state.OverlayIndex = 1;
  state.Cut = (attributes & SFGAO_GHOSTED) != 0;
  return state;
}

bool TZQCustomShellList::Busy() { return dragDrop_.IsDragging() || IsEditing() || modalDepth_ > 0; }

SHCONTF TZQCustomShellList::EnumFlags() const {
  SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
  if (options_.Contains(zqsloShowHidden)) flags |= SHCONTF_INCLUDEHIDDEN;
  return flags;
}

void TZQCustomShellList::FillStart() {
  if (OnFillStart) OnFillStart(this);
}

void TZQCustomShellList::FillComplete() {
  if (OnFillComplete) OnFillComplete(this);
}

void TZQCustomShellList::FillItems() {
  if (!HandleAllocated()) return;
  CancelFill();
  if (Busy()) {
    fillPending_ = true;  // the drag or the rename fills when it ends
    return;
  }
  fillPending_ = refreshPending_ = false;
  TCursorScope hourglass;
  {
    TListItemsUpdate bracket(GetItems());
    TZQLinkLock lock(internalChange_);
    GetItems()->Clear();
  }
  TListItemsUpdate bracket(GetItems());
  TComPtr<IShellFolder> folder;
  const PItemIDList list = folder_->GetIdList();
  const HRESULT hr = list ? ShellGetFolderFromIdList(list, folder) : ShellGetDesktopFolder(folder);
  if (FAILED(hr)) RaiseSysError(hr);
  FilterPreApply();
  if (options_.Contains(zqsloBackgroundFill) && !IsDesigning()) {
    StartBackgroundFill(folder.Get(), list);  // the filter stays until the fill ends
    return;
  }
  {
    const auto filtered = ScopeExit([this] { FilterPostApply(); });
    FillList(folder.Get(), list);
  }
  if (options_.Contains(zqsloDynamicRefresh) && !IsDesigning()) InstallChangeHandler();
}

void TZQCustomShellList::FillList(IShellFolder* folder, PCItemIDList absolute) {
  TListItemsUpdate bracket(GetItems());
  TErrorModeScope errorMode;
  FillStart();
  const auto done = ScopeExit([this] { GuardCallback(this, [this] { FillComplete(); }); });
  FlushFileTypeNames();
  IMalloc* m = GetShellMalloc();
  const HWND owner = GetParentFormHandle(this);
  // Everything is collected before anything of the list changes.
  std::vector<TIdListPtr> collected;
  collected.reserve(500);
  bool started = false;
  const HRESULT hr = EnumerateItems(folder, owner, EnumFlags(), m, collected, started);
  if (FAILED(hr)) {
    // EnumObjects failing, or Next with E_FAIL, ends the fill quietly; other codes are the system's error.
    if (started && hr != E_FAIL) RaiseSysError(hr);
    return;
  }

  MakeFolderCurrent(folder, absolute);

  SetAllocBy(static_cast<int>(collected.size()));
  struct TAdmitted {
    std::unique_ptr<TZQShListData> record;
    ULONG attributes;
  };
  std::vector<TAdmitted> admitted;
  admitted.reserve(collected.size());
  for (TIdListPtr& relative : collected) {
    ULONG attributes = 0;
    if (!ShouldInclude(absolute, relative.Get(), attributes)) continue;
    admitted.push_back({std::make_unique<TZQShListData>(this), attributes});
    admitted.back().record->SetData(relative.Release());
  }
  // Sorted as SortList sorts, the records go in in their final order: the
  // list view sorts nothing, and each item's index is known from its insertion.
  if (sortValue_ != 0)
    std::stable_sort(admitted.begin(), admitted.end(), [this](const TAdmitted& a, const TAdmitted& b) {
      return CompareRecords(a.record.get(), b.record.get()) < 0;
    });
  for (TAdmitted& a : admitted) Insert(a.record.release(), a.attributes);
  if (sortValue_ == 0) SortList();
  if (GetItems()->GetCount() > 0) GetItems()->GetItem(0)->SetFocused(true);
}

// Folder, absolute list, details and columns change together.
void TZQCustomShellList::MakeFolderCurrent(IShellFolder* folder, PCItemIDList absolute) {
  IMalloc* m = GetShellMalloc();
  currentFolder_ = TComPtr<IShellFolder>::Share(folder);
  folderAbsolute_ = TIdListPtr(CopyIdList(m, absolute), m);
  folderHasPath_ = !ShellGetPathFromIdList(absolute).empty();
  details_.Reset();
  detailsQueried_ = false;
  InitColumns(GetCurrentFolderIShellDetails());
}

bool TZQCustomShellList::ShouldInclude(PCItemIDList folderAbsolute, PCItemIDList relative, ULONG& attributes) {
  attributes = kZQItemAttributes;
  PCUITEMID_CHILD child = relative;
  if (!currentFolder_ || FAILED(currentFolder_->GetAttributesOf(1, &child, &attributes))) attributes = 0;
  return Admits(folderAbsolute, relative, attributes);
}

bool TZQCustomShellList::Admits(PCItemIDList folderAbsolute, PCItemIDList relative, ULONG attributes) {
  if (!options_.Contains(zqsloNonFilesystemAncestors) && !(attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)))
    return false;
  // Ordinary folders: file-system folders inside a file-system folder. Current
  // shells mark every file-system folder as a file-system ancestor too, so
  // that flag alone does not tell a drive from a directory.
  if (HidesFoldersWhenLinkedToTree() && (attributes & SFGAO_FOLDER) && (attributes & SFGAO_FILESYSTEM) &&
      (!(attributes & SFGAO_FILESYSANCESTOR) || folderHasPath_))
    return false;
  return CanAdd(currentFolder_.Get(), folderAbsolute, relative, attributes);
}

BOOL TZQCustomShellList::CanAdd(IShellFolder* folder, PCItemIDList folderAbsolute, PCItemIDList relative,
                                ULONG attributes) {
  BOOL allow = TRUE;
  if (nameSet_ && !(attributes & SFGAO_FOLDER))
    allow = FilterApply(ExtractFileName(ShellGetFriendlyNameFromIdList(folder, relative, zqfnForParsing)), attributes);
  if (allow && OnAddItem)
    OnAddItem(this, folder, const_cast<PItemIDList>(folderAbsolute), const_cast<PItemIDList>(relative),
              static_cast<int>(attributes), allow);
  return allow;
}

void TZQCustomShellList::Insert(TZQShListData* record, ULONG attributes) {
  std::unique_ptr<TZQShListData> owned(record);
  GetItems()->AddObject(record, StateOf(attributes));
  owned.release();  // the item's now
}

void TZQCustomShellList::AddNewShellItem(PCItemIDList absolute, PItemIDList relative) {
  IMalloc* m = GetShellMalloc();
  TIdListPtr owned(relative, m);
  try {
    ULONG attributes = 0;
    if (!ShouldInclude(absolute, owned.Get(), attributes)) return;
    auto* record = new TZQShListData(this);
    record->SetData(owned.Release());
    Insert(record, attributes);
  } catch (...) {
    ShowMessage("Exception in AddNewShellItem");
    throw;
  }
}

void TZQCustomShellList::Delete(TListItem* Item) {
  dragDrop_.Forget(Item);
  if (Item == dropHighlight_) dropHighlight_ = nullptr;
  TZQShListData* record = GetDataFromItem(Item);
  if (!record) {
    TZQCustomListView::Delete(Item);
    return;
  }
  std::unique_ptr<TZQShListData> owned(record);
  if (OnDeleteItem) OnDeleteItem(this, Item, record);
  Item->SetData(nullptr);
  TZQCustomListView::Delete(Item);
}

}  // namespace korvane
