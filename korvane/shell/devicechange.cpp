#include "korvane/shell/devicechange.h"

#include <algorithm>
#include <memory>

#include "korvane/host/UtilWindow.h"

namespace korvane {

TZQDeviceChangeHandler::TZQDeviceChangeHandler()
    : wnd_(AllocateHWnd([this](TMessage& m) { WndProc(m); })) {}

TZQDeviceChangeHandler::~TZQDeviceChangeHandler() { DeallocateHWnd(wnd_); }

void TZQDeviceChangeHandler::Add(const TZQDeviceChangeEvent& handler) { subscribers_.push_back(handler); }

void TZQDeviceChangeHandler::Remove(const TZQDeviceChangeEvent& handler) {
  const auto it = std::find(subscribers_.begin(), subscribers_.end(), handler);
  if (it != subscribers_.end()) subscribers_.erase(it);
}

void TZQDeviceChangeHandler::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_QUERYENDSESSION:
      message.Result = 1;
      break;
    case WM_DEVICECHANGE:
      PostMessageA(wnd_, ZQ_WM_DEVICECHANGE_REPOSTED, message.WParam, message.LParam);
      break;
    case ZQ_WM_DEVICECHANGE_REPOSTED:
      BroadcastToList(message);
      break;
    default:
      break;  // no default processing
  }
}

void TZQDeviceChangeHandler::BroadcastToList(TMessage& message) {
  if (!enabled_) return;
  // Over the subscribers counted at the start; a handler may unsubscribe.
  const std::size_t count = subscribers_.size();
  for (std::size_t i = 0; i < count && i < subscribers_.size(); ++i) {
    const TZQDeviceChangeEvent handler = subscribers_[i];
    handler(this, message);
  }
}

TZQDeviceChangeHandler* ZQDeviceChangeHandler() {
  static std::unique_ptr<TZQDeviceChangeHandler> instance;
  if (!instance) instance = std::make_unique<TZQDeviceChangeHandler>();
  return instance.get();
}

}  // namespace korvane
