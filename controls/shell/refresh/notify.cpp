#include "controls/shell/refresh/notify.h"

#include "controls/shell/common/tuning.h"

namespace korvane {

bool TakeChangeNotification(bool& ignoreNextChange, bool dragging, bool& refreshPending) {
  if (ignoreNextChange) {
    ignoreNextChange = false;
    return false;
  }
  if (dragging) {
    refreshPending = true;
    return false;
  }
  return true;
}

void RestartChangeTimer(TTimer* timer, bool focused) {
  timer->SetEnabled(false);
  timer->SetInterval(static_cast<unsigned>(focused ? ZQSH_CHANGE_NOTIFY_FASTDELAY : ZQSH_CHANGE_NOTIFY_DELAY));
  timer->SetEnabled(true);
}

bool IsFolderGone(const std::string& path) {
  if (path.empty() || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace korvane
