#include "korvane/controls/shell/common/newfolder.h"

#include <windows.h>

#include <vector>

#include "korvane/controls/shell/common/tuning.h"
#include "korvane/host/Dialogs.h"
#include "korvane/host/Format.h"
#include "korvane/host/System.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshconsts.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

namespace {

void WarnNotCreated(DWORD error, const std::string& name) {
  std::string text;
  FormatStrPos(LoadResString(SUnableToCreateFolder), {SysErrorMessage(error), name}, text);
  MessageDlg(text, mtWarning, TMsgDlgButtons{mbOK}, 0);
}

// One naming pass: first, then first + suffix(i) for i = 2, 3, ...
bool CreatePass(const std::string& parent, const std::string& first, const char* suffix, std::string& name) {
  for (int i = 1; i <= ZQSH_MAX_FOLDER_ATTEMPTS; ++i) {
    const std::string candidate = i == 1 ? first : first + Format(suffix, i);
    if (CreateDirectoryA((parent + candidate).c_str(), nullptr)) {
      name = candidate;
      return true;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) continue;
    WarnNotCreated(error, candidate);
    return false;
  }
  return false;
}

}  // namespace

bool ZQShCreateNewFolder(const std::string& parentPath, std::string& name) {
  std::string parent = parentPath;
  if (parent.empty()) {
    char current[MAX_PATH] = {};
    const DWORD n = GetCurrentDirectoryA(MAX_PATH, current);
    if (n > 0 && n < MAX_PATH) parent = current;
  }
  parent = IncludeTrailingPathDelimiter(parent);
  if (CreatePass(parent, LoadResString(SNewFolder), " (%d)", name)) return true;
  if (CreatePass(parent, "fldr", "%d", name)) return true;
  WarnNotCreated(ERROR_ALREADY_EXISTS, LoadResString(SNewFolder));
  return false;
}

bool ZQShControlCreateNewFolder(const std::string& parentPath, std::string& name, bool& ignoreNextChange,
                                int& modalDepth, const std::function<void()>& runPendingRefresh) {
  ignoreNextChange = true;
  bool made = false;
  {
    TCountScope modal(modalDepth);
    made = ZQShCreateNewFolder(parentPath, name);
  }
  if (!made) {
    ignoreNextChange = false;
    runPendingRefresh();
  }
  return made;
}

}  // namespace korvane
