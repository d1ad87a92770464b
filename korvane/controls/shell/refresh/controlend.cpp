#include "korvane/controls/shell/refresh/controlend.h"

#include "korvane/controls/shell/common/links.h"
#include "korvane/host/ExtCtrls.h"

namespace korvane {

void ZQShEndShellControl(const TZQDeviceChangeEvent& deviceChange, std::initializer_list<TTimer*> timers,
                         TChangeWatcher& watcher, int& linkLock, const std::function<void()>& destroyItems) {
  ZQDeviceChangeHandler()->Remove(deviceChange);
  for (TTimer* timer : timers)
    if (timer) timer->SetEnabled(false);
  watcher.reset();
  TZQLinkLock lock(linkLock);
  destroyItems();
}

}  // namespace korvane
