// The end of a shell tree or list, before its window and items go.
#pragma once
#include <functional>
#include <initializer_list>

#include "korvane/controls/shell/refresh/changethread.h"
#include "korvane/shell/devicechange.h"

namespace korvane {

class TTimer;

// No device change, timer or change notification reaches the control any more;
// then destroyItems runs with linkLock raised, so nothing is handed on to linked
// controls while the items go with their records.
void ZQShEndShellControl(const TZQDeviceChangeEvent& deviceChange, std::initializer_list<TTimer*> timers,
                         TChangeWatcher& watcher, int& linkLock, const std::function<void()>& destroyItems);

}  // namespace korvane
