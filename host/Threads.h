// TThread: a worker running Execute, with Terminate and WaitFor.
#pragma once
#include <atomic>
#include <thread>

#include "host/System.h"

namespace korvane {

class TThread : public TObject {
public:
  explicit TThread(bool createSuspended = false);
  ~TThread() override;  // terminates and waits
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  void Start();
  void Terminate() { terminated_ = true; }
  bool GetTerminated() const { return terminated_; }
  bool GetFinished() const { return finished_; }
  // Waits for Execute to return.
  void WaitFor();

protected:
  // Runs on the worker; an exception ends it quietly.
  virtual void Execute() = 0;

private:
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  bool suspended_;
  std::thread thread_;
};

}  // namespace korvane
