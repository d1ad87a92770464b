// TTimer: OnTimer on the user-interface thread every Interval milliseconds while Enabled.
#pragma once
#include "korvane/host/Component.h"

namespace korvane {

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  unsigned GetInterval() const { return interval_; }
  void SetInterval(unsigned v);
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool v);
  TNotifyEvent OnTimer;

protected:
  virtual void Timer();

private:
  void Update();
  unsigned interval_ = 1000;
  bool enabled_ = true;
  HWND window_ = nullptr;
};

}  // namespace korvane
