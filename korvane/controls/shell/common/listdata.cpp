#include "korvane/controls/shell/common/itemrecords.h"
#include "korvane/controls/shell/common/itemtext.h"
#include "korvane/controls/shell/common/paths.h"
#include "korvane/host/Handles.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

void TZQShListData::SetData(PItemIDList relative) {
  relative_ = TIdListPtr(relative, owner_->GetShellMalloc());
  Flush();
  listIsFresh_ = true;
}

void TZQShListData::Flush() {
  absolute_.Reset();
  listIsFresh_ = false;  // texts asked for again come from the disk
  iconIndex_ = -1;
  displayName_.clear();
  texts_.reset();
}

PItemIDList TZQShListData::GetAbsoluteIdList() {
  if (!absolute_) {
    IMalloc* m = owner_->GetShellMalloc();
    absolute_ = TIdListPtr(ConcatIdLists(m, owner_->GetCurrentFolderIdList(), relative_.Get()), m);
  }
  return absolute_.Get();
}

ULONG TZQShListData::GetAttributes() {
  SFGAOF mask = 0xF00F0037;
  // Reading attributes need not touch a removable disk's read-only state.
  const std::string path = GetPathName();
  if (IsLongPath(path) && GetDriveTypeA(path.c_str()) == DRIVE_REMOVABLE) mask &= ~static_cast<SFGAOF>(SFGAO_READONLY);
  PCUITEMID_CHILD child = relative_.Get();
  owner_->GetCurrentFolder()->GetAttributesOf(1, &child, &mask);
  return mask;
}

bool TZQShListData::IsValid() {
  SFGAOF mask = SFGAO_VALIDATE;
  PCUITEMID_CHILD child = relative_.Get();
  return SUCCEEDED(owner_->GetCurrentFolder()->GetAttributesOf(1, &child, &mask));
}

bool TZQShListData::IsLnkShortcut() { return AnsiSameText(ExtractFileExt(GetPathName()), ".lnk"); }

std::string TZQShListData::GetDisplayName() {
  if (displayName_.empty()) {
    // Asked of the folder itself: the same name as the shell's file information gives, without
    // binding the folder again from the desktop.
    TStrRetOwner answer;
    if (IShellFolder* folder = owner_->GetCurrentFolder();
        folder && SUCCEEDED(folder->GetDisplayNameOf(relative_.Get(), SHGDN_INFOLDER, answer.Put()))) {
      displayName_ = StrretToString(relative_.Get(), answer.Get());
      if (!displayName_.empty()) return displayName_;
    }
    SHFILEINFOA info = {};
    if (SHGetFileInfoA(reinterpret_cast<LPCSTR>(GetAbsoluteIdList()), 0, &info, sizeof info,
                       SHGFI_DISPLAYNAME | SHGFI_PIDL))
      displayName_.assign(info.szDisplayName, strnlen(info.szDisplayName, sizeof info.szDisplayName));
  }
  return displayName_;
}

int TZQShListData::GetIconIndex() {
  if (iconIndex_ >= 0) return iconIndex_;
  iconIndex_ = ShellGetIconIndexInFolder(owner_->GetCurrentFolder(), relative_.Get());
  if (iconIndex_ < 0) iconIndex_ = ShellGetIconIndex(GetAbsoluteIdList(), SHGFI_SMALLICON);
  return iconIndex_;
}

std::string TZQShListData::GetPathName() { return ShellGetPathFromIdList(GetAbsoluteIdList()); }
std::string TZQShListData::GetFilename() { return ExtractFileName(GetPathName()); }

void TZQShListData::GetExtraData() {
  if (texts_) return;
  auto texts = std::make_unique<TFileTexts>();
  if (!listIsFresh_ ||
      !GetFileDetailsInFolder(owner_->GetCurrentFolder(), owner_->GetCurrentFolderIdList(), relative_.Get(),
                              texts->size, texts->modified, texts->type))
    GetFileDetails(GetAbsoluteIdList(), GetAttributes(), texts->size, texts->modified, texts->type);
  texts_ = std::move(texts);
}

std::string TZQShListData::GetSize() {
  GetExtraData();
  return texts_->size;
}

std::string TZQShListData::GetFileType() {
  GetExtraData();
  return texts_->type;
}

std::string TZQShListData::GetModified() {
  GetExtraData();
  return texts_->modified;
}

std::string TZQShListData::GetColText(int column) {
  if (column == 0) return std::string();
  if (IShellDetails* details = owner_->GetCurrentFolderIShellDetails()) {
    TShellDetailsAnswer d;
    if (FAILED(details->GetDetailsOf(relative_.Get(), static_cast<UINT>(column), d.Put()))) return std::string();
    return StrretToString(relative_.Get(), d.Get().str);
  }
  GetExtraData();
  switch (column) {
    case 1: return texts_->size;
    case 2: return texts_->type;
    case 3: return texts_->modified;
    default: return std::string();
  }
}

}  // namespace korvane
