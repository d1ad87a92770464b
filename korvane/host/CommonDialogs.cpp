#include "korvane/host/CommonDialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "korvane/host/PropInfo.h"

namespace korvane {

bool TOpenDialog::Execute() {
  // The filter's "|" become the NULs the system expects, ending in two.
  std::vector<char> filter(filter_.begin(), filter_.end());
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.push_back('\0');
  filter.push_back('\0');
  std::vector<char> file(32768, '\0');
  fileName_.copy(file.data(), file.size() - 1);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter.data();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!GetOpenFileNameA(&ofn)) return false;
  fileName_ = file.data();
  return true;
}

const TClassInfo& TOpenDialog::StaticClassInfo() {
  using C = TOpenDialog;
  static const TClassInfo info = TPublish<C>("TOpenDialog", &TComponent::StaticClassInfo())
                                     .Creatable()
                                     .Str("DefaultExt", &C::GetDefaultExt, &C::SetDefaultExt)
                                     .Str("FileName", &C::GetFileName, &C::SetFileName)
                                     .Str("Filter", &C::GetFilter, &C::SetFilter)
                                     .Str("InitialDir", &C::GetInitialDir, &C::SetInitialDir)
                                     .Str("Title", &C::GetTitle, &C::SetTitle)
                                     .Done();
  return info;
}

}  // namespace korvane
