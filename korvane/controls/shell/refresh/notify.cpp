#include "korvane/controls/shell/refresh/notify.h"

#include "korvane/controls/shell/common/tuning.h"

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

void RestartChangeTimer(TTimer* timer, bool focused, DWORD& waitStart) {
  const auto delay = static_cast<DWORD>(focused ? ZQSH_CHANGE_NOTIFY_FASTDELAY : ZQSH_CHANGE_NOTIFY_DELAY);
  const DWORD now = GetTickCount();
  if (!timer->GetEnabled()) waitStart = now;
  else if (now - waitStart >= delay + static_cast<DWORD>(ZQSH_CHANGE_NOTIFY_DELAY)) return;  // let it elapse
  timer->SetEnabled(false);
  timer->SetInterval(delay);
  timer->SetEnabled(true);
}

bool IsFolderGone(const std::string& path) {
  if (path.empty() || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace korvane
