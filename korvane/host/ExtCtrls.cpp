#include "korvane/host/ExtCtrls.h"

#include "korvane/host/UtilWindow.h"

namespace korvane {

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  window_ = AllocateHWnd([this](TMessage& m) {
    if (m.Msg == WM_TIMER) Timer();
    else m.Result = DefWindowProcA(window_, m.Msg, m.WParam, m.LParam);
  });
}

TTimer::~TTimer() {
  enabled_ = false;
  Update();
  DeallocateHWnd(window_);
}

void TTimer::Update() {
  KillTimer(window_, 1);
  if (enabled_ && interval_ != 0 && OnTimer) SetTimer(window_, 1, interval_, nullptr);
}

void TTimer::SetInterval(unsigned v) {
  if (v == interval_) return;
  interval_ = v;
  Update();
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_ && !v) return;
  enabled_ = v;
  Update();  // enabling again restarts the wait
}

void TTimer::Timer() {
  if (enabled_ && OnTimer) OnTimer(this);
}

}  // namespace korvane
