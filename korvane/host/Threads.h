// TThread: a worker running Execute on a native thread, with Terminate and a
// wait that may be bounded.
#pragma once
#include <windows.h>

#include <atomic>

#include "korvane/host/Handles.h"
#include "korvane/host/System.h"

namespace korvane {

class TThread : public TObject {
public:
  explicit TThread(bool createSuspended = false);
  ~TThread() override;  // terminates and waits for Execute to return
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  void Start();
  void Terminate() { terminated_ = true; }
  bool GetTerminated() const { return terminated_; }
  bool GetFinished() const { return finished_; }
  HANDLE GetHandle() const { return handle_.Get(); }  // nil until started
  DWORD GetThreadID() const { return id_; }
  // Waits for Execute to return.
  void WaitFor();
  // Waits at most timeoutMs; false when Execute is still running. An object
  // whose thread may still run must not be destroyed.
  bool WaitFor(DWORD timeoutMs);

protected:
  // Runs on the worker; an exception ends it quietly.
  virtual void Execute() = 0;

private:
  static DWORD WINAPI ThreadProc(LPVOID self);

  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  bool suspended_;
  TKernelHandle handle_;
  DWORD id_ = 0;
};

}  // namespace korvane
