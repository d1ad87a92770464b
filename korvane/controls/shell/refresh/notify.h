// What tree and list do alike with a change notification and a refresh.
#pragma once
#include <string>

#include "korvane/host/ExtCtrls.h"

namespace korvane {

// Whether a notification should start the refresh wait: not when it is the
// control's own change (the flag is then cleared), nor during the control's
// own drag (a refresh is then marked pending for the drag's end).
bool TakeChangeNotification(bool& ignoreNextChange, bool dragging, bool& refreshPending);
// Restarts the wait, so a burst ends in one refresh: short with the focus, long without.
// Each change restarts the wait, but none waits longer than the delay plus ZQSH_CHANGE_NOTIFY_DELAY
// from the first change of the wait (waitStart, kept by the caller): a folder that never rests
// is still merged.
void RestartChangeTimer(TTimer* timer, bool focused, DWORD& waitStart);
// A folder confirmed gone, as opposed to one that cannot be enumerated now.
bool IsFolderGone(const std::string& path);

}  // namespace korvane
