// The window's answer time while it works: a thread sends a message to a window
// every 5 ms and keeps the longest wait for an answer. The thread that owns the
// window must keep answering until the probe is stopped.
#pragma once
#include <windows.h>

#include <atomic>
#include <thread>

namespace korvane::bench {

class TStallProbe {
public:
  explicit TStallProbe(HWND target)
      : thread_([this, target] {
          while (!stop_) {
            LARGE_INTEGER f, a, b;
            QueryPerformanceFrequency(&f);
            QueryPerformanceCounter(&a);
            DWORD_PTR result = 0;
            SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
            QueryPerformanceCounter(&b);
            const double s = static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
            if (s > longest_) longest_ = s;
            ++answered_;
            Sleep(5);
          }
          done_ = true;
        }) {}
  // Answers messages until the probe's first is answered: from then on it is sending.
  void AwaitSending() {
    while (answered_ == 0) Pump();
  }
  // Stops the probe, answering its last message; the longest wait in seconds.
  double Stop() {
    stop_ = true;
    while (!done_) Pump();
    thread_.join();
    return longest_;
  }
  ~TStallProbe() {
    if (thread_.joinable()) Stop();
  }
  TStallProbe(const TStallProbe&) = delete;
  TStallProbe& operator=(const TStallProbe&) = delete;

private:
  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(1);
  }
  std::atomic<bool> stop_{false}, done_{false};
  std::atomic<int> answered_{0};
  std::atomic<double> longest_{0};
  std::thread thread_;
};

}  // namespace korvane::bench
