#include <windows.h>
#include <shlobj.h>

#include "korvane/dialogs/chosenfile.h"
#include "korvane/dialogs/opendlgform.h"
#include "korvane/dialogs/typedname.h"
#include "korvane/host/Dialogs.h"
#include "korvane/host/Format.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshconsts.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

namespace {
constexpr DWORD kWaitForListMs = 30000;  // a folder that takes longer matches what came
// Where the name part of typed text begins: after its last "\" or ":" (whole characters only).
std::size_t NamePartStart(const std::string& text) {
  std::size_t start = 0;
  for (const char* p = text.c_str(); *p; p = CharNextA(p))
    if (*p == '\\' || *p == ':') start = static_cast<std::size_t>(p - text.c_str()) + 1;
  return start;
}

bool HasWildcard(const std::string& text) {
  for (const char* p = text.c_str(); *p; p = CharNextA(p))
    if (*p == '*' || *p == '?') return true;
  return false;
}

bool IsBlank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

bool SameFolder(const std::string& a, const std::string& b) {
  return !a.empty() && !b.empty() && AnsiSameText(IncludeTrailingPathDelimiter(a), IncludeTrailingPathDelimiter(b));
}
}  // namespace

std::string TZQFrmOpenDlg::ListFolderPath() { return ZQShellList1->GetFolder()->GetPathName(); }

bool TZQFrmOpenDlg::Refuse(int stringId, const std::string& text) {
  MessageDlgCaption(GetCaption(), Format(LoadResString(static_cast<TZQStringId>(stringId)), text), mtWarning, {mbOK});
  return false;
}

bool TZQFrmOpenDlg::NavigateIfFolder(const std::string& path) {
  TIdListPtr list;
  if (FAILED(ShellGetIdListFromPath(path, list)) || !list) return false;
  TComPtr<IShellFolder> parent;
  PCUITEMID_CHILD child = nullptr;
  if (FAILED(SHBindToParent(list.Get(), IID_IShellFolder, reinterpret_cast<void**>(parent.Put()), &child)))
    return false;
  SFGAOF attributes = SFGAO_FOLDER;
  if (FAILED(parent->GetAttributesOf(1, &child, &attributes)) || !(attributes & SFGAO_FOLDER)) return false;
  // A file that is also a folder (an archive) is taken as a file.
  if (const DWORD a = GetFileAttributesA(path.c_str()); a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  TComPtr<IShellFolder> folder;
  if (const HRESULT hr = ShellGetFolderFromIdList(list.Get(), folder); FAILED(hr)) RaiseSysError(hr);
  ZQShellCombo1->GetSelectedFolder()->SetIdList(list.Get());
  FileNameEdt->SelectAll();
  return true;
}

void TZQFrmOpenDlg::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = true;
  if (GetModalResult() == mrOk) {
    const std::string text = FileNameEdt->GetText();
    const std::size_t start = NamePartStart(text);
    const std::string namePart = text.substr(start);
    if (HasWildcard(namePart)) {
      // A pattern filters the list; a folder part before it only navigates.
      CanClose = false;
      if (const std::string folderPart = text.substr(0, start); !folderPart.empty()) {
        const std::string full = ZQResolveTypedName(folderPart, ListFolderPath());
        if (full.empty() || !NavigateIfFolder(full)) {
          Refuse(SPathDoesNotExist, folderPart);
          return;
        }
      }
      ApplyUserFilter(namePart);
      FileNameEdt->SetText(namePart);
      FileNameEdt->SelectAll();
      return;
    }
    CanClose = ParseInputString(text);
  }
  if (CanClose && !options_.Contains(zqofNoChangeDir))
    if (const std::string path = ListFolderPath(); !path.empty()) SetCurrentDirectoryA(path.c_str());
}

bool TZQFrmOpenDlg::ParseInputString(const std::string& text) {
  selectedFiles_->Clear();
  std::vector<std::string> names = ZQSplitTypedNames(text);
  std::erase_if(names, IsBlank);
  if (names.empty()) return false;  // nothing typed: the dialog stays open
  const std::string base = ListFolderPath();
  for (const std::string& name : names) {
    std::string full;
    if (!AcceptName(name, base, names.size() == 1, full)) {
      selectedFiles_->Clear();
      return false;
    }
    selectedFiles_->Add(full);
  }
  return true;
}

bool TZQFrmOpenDlg::AcceptName(const std::string& name, const std::string& base, bool single, std::string& full) {
  if (!options_.Contains(zqofNoValidate)) {
    switch (ZQCheckTypedName(name)) {
      case TZQNameCheck::Invalid: return Refuse(SFilenameIsInvalid, name);
      case TZQNameCheck::ReservedDevice: return Refuse(SFilenameIsReservedDeviceName, name);
      case TZQNameCheck::Valid: break;
    }
  }
  // The list's own selection stands for the name it put into the box (a file, never a folder).
  TZQShListData* chosen = nullptr;
  if (single && listName_)
    for (TListItem* item : ZQShellList1->GetSelectedShellItems())
      if (TZQShListData* record = TZQCustomShellList::GetDataFromItem(item); record && !record->IsFolder()) {
        chosen = record;
        break;
      }
  if (chosen) {
    full = chosen->GetPathName();
    if (full.empty()) return Refuse(SFilenameIsInvalid, name);
  } else {
    full = ZQResolveTypedName(name, base);
    if (full.empty()) return Refuse(SFilenameIsInvalid, name);  // a relative name in a virtual folder
    if (full.size() >= MAX_PATH) return Refuse(SFilenameIsInvalid, full);
    if (NavigateIfFolder(full)) return false;
  }
  if (!options_.Contains(zqofNoDereferenceLinks) && SameText(ExtractFileExt(full), ".lnk")) {
    TLinkData link;
    if (SUCCEEDED(ResolveShortcut(full, link, false)) && !link.LinkPath.empty()) {
      full = link.LinkPath;
      if (NavigateIfFolder(full)) return false;  // a shortcut to a folder opens it
    }
  }
  if (DirectoryExists(full)) return Refuse(SFilenameIsInvalid, full);  // never a folder as a file
  if (single && !chosen) {
    if (!defaultExt_.empty()) {
      bool different = options_.Contains(zqofExtensionDifferent);
      full = ZQApplyDefaultExt(full, defaultExt_, ZQIsRegisteredExtension, different);
      if (different) options_.Include(zqofExtensionDifferent);
      else options_.Exclude(zqofExtensionDifferent);
    }
    const std::string folder = ExtractFilePath(full);
    if (DirectoryExists(folder)) {
      if (!SameFolder(folder, base)) ZQShellCombo1->GetSelectedFolder()->SetPathName(folder);
      // Captions stand for files only while the list shows the name's own folder.
      if (SameFolder(folder, ListFolderPath())) {
        const std::string namePart = ExtractFileName(full);
        ZQShellList1->WaitForFill(kWaitForListMs);  // every caption is needed
        TListItem* first = nullptr;
        TListItems* items = ZQShellList1->GetItems();
        for (int i = 0; i < items->GetCount(); ++i) {
          TListItem* item = items->GetItem(i);
          TZQShListData* record = TZQCustomShellList::GetDataFromItem(item);
          if (!record || record->IsFolder() || !AnsiSameText(record->GetDisplayName(), namePart)) continue;
          if (first) {
            Refuse(SThereCanBeOnlyOne, namePart);
            ZQShellList1->SetSelected(first);
            first->SetFocused(true);
            if (ZQShellList1->CanFocus()) ZQShellList1->SetFocus();
            return false;
          }
          first = item;
        }
        if (first) full = TZQCustomShellList::GetDataFromItem(first)->GetPathName();
      }
    }
  }
  if (!DirectoryExists(ExtractFilePath(full)) && options_.Contains(zqofPathMustExist))
    return Refuse(SPathDoesNotExist, ExtractFilePath(full));
  if (full.size() >= MAX_PATH) return Refuse(SFilenameIsInvalid, full);
  return ZQCheckChosenFile(full, options_, GetCaption());
}

}  // namespace korvane
