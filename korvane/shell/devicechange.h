// TZQDeviceChangeHandler: the one process-wide hidden window that receives
// WM_DEVICECHANGE, re-posts it to itself as WM_USER + 100 and then hands it,
// from the message loop and after the system's broadcast has returned, to
// every subscriber in subscription order.
#pragma once
#include <vector>

#include "korvane/host/Messages.h"
#include "korvane/host/Method.h"
#include "korvane/host/System.h"

namespace korvane {

using TZQDeviceChangeEvent = TMethodRef<TObject*, TMessage&>;

constexpr UINT ZQ_WM_DEVICECHANGE_REPOSTED = WM_USER + 100;

class TZQDeviceChangeHandler : public TObject {
public:
  TZQDeviceChangeHandler();
  ~TZQDeviceChangeHandler() override;
  TZQDeviceChangeHandler(const TZQDeviceChangeHandler&) = delete;
  TZQDeviceChangeHandler& operator=(const TZQDeviceChangeHandler&) = delete;

  void Add(const TZQDeviceChangeEvent& handler);
  // Removes the first entry with the same object and method; nothing when none.
  void Remove(const TZQDeviceChangeEvent& handler);
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  HWND GetHandle() const { return wnd_; }
  int GetCount() const { return static_cast<int>(subscribers_.size()); }

protected:
  void WndProc(TMessage& message);
  void BroadcastToList(TMessage& message);

private:
  bool enabled_ = true;
  HWND wnd_ = nullptr;
  std::vector<TZQDeviceChangeEvent> subscribers_;
};

// The single instance, created on first call and freed with the process.
TZQDeviceChangeHandler* ZQDeviceChangeHandler();

}  // namespace korvane
