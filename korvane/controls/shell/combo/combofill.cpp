// Building the shell combo's entries: the desktop, its folders, My Computer's
// drives and the chain down to the selected folder. Captions and icons of the
// entries off the chain are asked when they are first drawn.
#include "korvane/controls/shell/combo/shellcombo.h"

#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Exceptions.h"

namespace korvane {

namespace {

constexpr SFGAOF kEntryAttributes = 0xF00B0000;  // sub-folders, file system, folder, ancestor, ghosted, share, link
constexpr SFGAOF kChainAttributes = 0xB00B0000;  // the same without file system

void Check(HRESULT hr) {
  if (FAILED(hr)) RaiseSysError(hr);
}
}  // namespace

void TZQCustomShellCombo::FillItems() {
  if (!HandleAllocated()) return;
  TZQLinkLock lock(updateCount_);
  SendMessageA(GetHandle(), WM_SETREDRAW, FALSE, 0);
  const auto redraw = ScopeExit([wnd = GetHandle()] {
    SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(wnd, nullptr, TRUE);
  });
  SetItemIndex(-1);
  GetItems()->Clear();
  TZQIdListArray path(selectedFolder_->GetIdList() ? selectedFolder_->GetIdList() : EmptyIdList());
  TComPtr<IShellFolder> desktop;
  Check(ShellGetDesktopFolder(desktop));
  FillCombo(desktop.Get(), nullptr, -1, &path);
  if (GetItemIndex() < 0 && GetItems()->GetCount() > 0) SetItemIndex(0);
}

TZQImageComboItem* TZQCustomShellCombo::AddEntry(const std::string& caption, int image, int indent,
                                                 IShellFolder* parentFolder, PCItemIDList parentList,
                                                 PCItemIDList relative, ULONG attributes) {
  auto record = std::make_unique<TZQShComboData>(this);
  record->SetData(parentFolder, parentList, relative);
  TZQImageComboItem* item = AddItem(caption, image, indent);
  item->UserData = record.release();  // freed with the item (DeleteItem)
  if (attributes & SFGAO_SHARE) item->SetOverlayIndex(0);
  else if (attributes & SFGAO_LINK) item->SetOverlayIndex(1);
  return item;
}

void TZQCustomShellCombo::FillCombo(IShellFolder* folder, PCItemIDList parentList, int level, TZQIdListArray* path) {
  TIdListPtr computer;
  Check(ShellGetSpecialFolderIdList(GetParentFormHandle(this), csidlDrives, computer));
  IMalloc* m = ShellIMalloc();
  if (!m) RaiseSysError(E_OUTOFMEMORY);

  TIdListPtr parent;
  if (level < 0) {
    TZQImageComboItem* desktop =
        AddEntry(ShellGetFriendlyNameFromIdList(folder, EmptyIdList(), zqfnInFolder),
                 ShellGetIconIndex(EmptyIdList(), SHGFI_SMALLICON), 0, folder, nullptr, EmptyIdList(), 0);
    level = 1;
    if (path && path->GetCount() == 0) {
      SetItemIndex(desktop->GetEntryIndex());
      path = nullptr;
    }
  } else {
    parent = TIdListPtr(CopyIdList(m, parentList), m);
  }

  // The sub-folders in the folder's own order.
  TZQPidlList children;
  children.SetMalloc(m);
  children.SetShellFolder(folder);
  TComPtr<IEnumIDList> items;
  const HRESULT enumResult = folder->EnumObjects(GetActiveWindow(), SHCONTF_FOLDERS, items.Put());
  Check(enumResult);
  if (items) {  // S_FALSE without an enumerator: an empty folder
    for (;;) {
      PItemIDList child = nullptr;
      if (items->Next(1, &child, nullptr) != S_OK) break;
      children.Add(child);
    }
  }
  children.Sort();

  const int pathCount = path ? path->GetCount() : -1;
  for (int i = 0; i < children.GetCount(); ++i) {
    PItemIDList child = children.GetPIDL(i);
    SFGAOF attributes = kEntryAttributes;
    PCUITEMID_CHILD one = child;
    if (FAILED(folder->GetAttributesOf(1, &one, &attributes))) continue;
    const bool fileSystem = (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) != 0;
    if (!options_.Contains(zqscoNonFilesystemAncestors) && !fileSystem) continue;
    if (!CanAdd(folder, parent.Get(), child, attributes)) continue;
    TIdListPtr absolute(ConcatIdLists(m, parent.Get(), child), m);
    const bool onPath = path && pathCount >= level && folder->CompareIDs(0, path->GetItem(level - 1), child) == S_OK;
    const bool selection = onPath && pathCount == level;
    TZQImageComboItem* entry =
        selection ? AddEntry(GetItemDisplayName(folder, child, SHGDN_INFOLDER),
                             ShellGetIconIndex(absolute.Get(), SHGFI_SMALLICON | SHGFI_OPENICON), level, folder,
                             parent.Get(), child, attributes)
                  : AddEntry(std::string(), -1, level, folder, parent.Get(), child, attributes);
    const bool isComputer = level == 1 && CompareAbsIdLists(absolute.Get(), computer.Get()) == 0;
    if (onPath) {
      if (selection) {
        SetItemIndex(entry->GetEntryIndex());
        path = nullptr;
      } else if (!isComputer) {
        AddAncestorChain(entry, level, *path);
        path = nullptr;
      }
    }
    if (isComputer) {
      // The drives are always listed; a selection inside My Computer is found there.
      TComPtr<IShellFolder> computerFolder;
      Check(ShellBindToObject(folder, child, computerFolder));
      FillCombo(computerFolder.Get(), absolute.Get(), 2, path);
      if (onPath) path = nullptr;
    }
  }
}

void TZQCustomShellCombo::AddAncestorChain(TZQImageComboItem* entry, int level, TZQIdListArray& path) {
  IMalloc* m = ShellIMalloc();
  auto* record = static_cast<TZQShComboData*>(entry->UserData);
  TComPtr<IShellFolder> folder;
  Check(ShellGetFolderFromIdList(record->GetAbsIdList(), folder));
  TIdListPtr parent(CopyIdList(m, record->GetAbsIdList()), m);
  const int count = path.GetCount();
  TZQImageComboItem* last = entry;
  for (int i = level; i < count; ++i) {
    TIdListPtr item(CopyIdList(m, path.GetItem(i)), m);
    SFGAOF attributes = kChainAttributes;
    PCUITEMID_CHILD one = item.Get();
    folder->GetAttributesOf(1, &one, &attributes);
    const bool isLast = i == count - 1;
    TIdListPtr absolute(ConcatIdLists(m, parent.Get(), item.Get()), m);
    last = isLast ? AddEntry(GetItemDisplayName(folder.Get(), item.Get(), SHGDN_INFOLDER | SHGDN_FORADDRESSBAR),
                             ShellGetIconIndex(absolute.Get(), SHGFI_SMALLICON | SHGFI_OPENICON), i + 1, folder.Get(),
                             parent.Get(), item.Get(), attributes)
                  : AddEntry(std::string(), -1, i + 1, folder.Get(), parent.Get(), item.Get(), attributes);
    TComPtr<IShellFolder> next;
    Check(ShellBindToObject(folder.Get(), item.Get(), next));
    folder = std::move(next);
    parent = std::move(absolute);
  }
  SetItemIndex(last->GetEntryIndex());
}

}  // namespace korvane
