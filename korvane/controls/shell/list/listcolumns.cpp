// The list's columns: a folder's own details set or the standard set, the
// standard widths from the shell's "DirectoryCols" value, and the widths the
// user gave, kept for the next folder of the same kind.
#include "korvane/controls/shell/list/shelllist.h"

#include <algorithm>

#include "korvane/controls/shell/common/folderdetails.h"
#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Handles.h"
#include "korvane/host/Registry.h"
#include "korvane/shell/Uzqshconsts.h"

namespace korvane {

namespace {
constexpr int kMaxDetailsColumns = 64;  // a folder that never says "no more" stops here
constexpr int kMinWidth = 8, kMaxWidth = 2000;
const std::vector<std::uint16_t> kDefaultWidths = {200, 60, 100, 120, 50};

// The leading 16-bit words of "DirectoryCols" (at most 22 bytes); the defaults
// without a usable value.
std::vector<std::uint16_t> ReadDirectoryCols() {
  BYTE data[22];
  int size = 0;
  try {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (!registry.OpenKeyReadOnly("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer") ||
        registry.GetDataType("DirectoryCols") != rdBinary || registry.GetDataSize("DirectoryCols") > int(sizeof data))
      return kDefaultWidths;
    size = registry.ReadBinaryData("DirectoryCols", data, sizeof data);
  } catch (const ERegistryException&) {
    return kDefaultWidths;
  }
  if (size < 2) return kDefaultWidths;
  std::vector<std::uint16_t> words(static_cast<std::size_t>(size) / 2);  // an odd last byte is no word
  for (std::size_t i = 0; i < words.size(); ++i) words[i] = static_cast<std::uint16_t>(data[2 * i] | data[2 * i + 1] << 8);
  return words;
}
}  // namespace

TZQSavedColumnWidths& ZQSavedColumnWidths() {
  static TZQSavedColumnWidths saved;
  return saved;
}

IShellDetails* TZQCustomShellList::GetCurrentFolderIShellDetails() {
  if (!detailsQueried_) {
    detailsQueried_ = true;
    details_ = GetFolderDetails(currentFolder_.Get(), folderAbsolute_.Get(), GetParentFormHandle(this));
  }
  return details_.Get();
}

void TZQCustomShellList::SaveColumnWidths() {
  std::vector<int>& widths = ZQSavedColumnWidths().widths;
  widths.clear();
  for (int i = 0; i < GetColumns()->GetCount(); ++i) widths.push_back(GetColumns()->GetItem(i)->GetWidth());
}

void TZQCustomShellList::RestoreSavedWidths() {
  const std::vector<int>& widths = ZQSavedColumnWidths().widths;
  const int count = std::min(static_cast<int>(widths.size()), GetColumns()->GetCount());
  for (int i = 0; i < count; ++i) GetColumns()->GetItem(i)->SetWidth(widths[static_cast<std::size_t>(i)]);
}

void TZQCustomShellList::AddColumn(const std::string& caption, int width, TAlignment alignment) {
  TListColumn* column = GetColumns()->Add();
  column->SetCaption(caption);
  column->SetWidth(std::clamp(width, kMinWidth, kMaxWidth));
  column->SetAlignment(alignment);
}

void TZQCustomShellList::InitColumns(IShellDetails* details) {
  if (GetColumns()->GetCount() > 0 && saveWidths_) SaveColumnWidths();
  {
    TListColumnsUpdate bracket(GetColumns());
    GetColumns()->Clear();
    if (details) InitDetailsColumns(details);
    else InitStandardColumns();
  }
  if (GetColumns()->GetCount() < std::abs(sortValue_)) sortValue_ = 1;
  SetSortColumn(sortValue_);
}

void TZQCustomShellList::InitStandardColumns() {
  columnKind_ = TColumnKind::Standard;
  saveWidths_ = true;
  const std::vector<std::uint16_t> read = ReadDirectoryCols();
  auto width = [&](std::size_t i) { return static_cast<int>(i < read.size() ? read[i] : kDefaultWidths[i]); };
  AddColumn(LoadResString(SColumnName), width(0), taLeftJustify);
  AddColumn(LoadResString(SColumnSize), width(1), taRightJustify);
  AddColumn(LoadResString(SColumnType), width(2), taLeftJustify);
  AddColumn(LoadResString(SColumnModified), width(3), taLeftJustify);
  TZQSavedColumnWidths& saved = ZQSavedColumnWidths();
  // The user's widths stand while the shell's value has not changed since.
  if (!saved.registryCopy.empty() && saved.registryCopy == read && !saved.widths.empty()) RestoreSavedWidths();
  saved.registryCopy = read;
}

void TZQCustomShellList::InitDetailsColumns(IShellDetails* details) {
  columnKind_ = TColumnKind::Details;
  const bool hasPath = !ShellGetPathFromIdList(folderAbsolute_.Get()).empty();
  for (int i = 0; i < kMaxDetailsColumns; ++i) {
    TShellDetailsAnswer d;
    if (FAILED(details->GetDetailsOf(nullptr, static_cast<UINT>(i), d.Put()))) break;
    const SHELLDETAILS& answer = d.Get();
    const std::string caption = StrretToString(nullptr, answer.str);
    const TAlignment alignment = answer.fmt == LVCFMT_RIGHT    ? taRightJustify
                                 : answer.fmt == LVCFMT_CENTER ? taCenter
                                                               : taLeftJustify;
    AddColumn(caption, answer.cxChar * 7, alignment);
  }
  if (hasPath && !ZQSavedColumnWidths().widths.empty()) RestoreSavedWidths();
  saveWidths_ = hasPath;
}

}  // namespace korvane
