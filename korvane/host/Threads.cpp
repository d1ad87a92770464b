#include "korvane/host/Threads.h"

namespace korvane {

TThread::TThread(bool createSuspended) : suspended_(createSuspended) {}

TThread::~TThread() {
  Terminate();
  WaitFor();
}

DWORD WINAPI TThread::ThreadProc(LPVOID self) {
  auto* thread = static_cast<TThread*>(self);
  try {
    thread->Execute();
  } catch (...) {
  }
  thread->finished_ = true;
  return 0;
}

void TThread::Start() {
  if (handle_ || finished_) return;
  suspended_ = false;
  handle_.Reset(CreateThread(nullptr, 0, &TThread::ThreadProc, this, 0, &id_));
  if (!handle_) finished_ = true;  // nothing runs: nothing to wait for
}

void TThread::WaitFor() { WaitFor(INFINITE); }

bool TThread::WaitFor(DWORD timeoutMs) {
  if (!handle_) return true;
  return WaitForSingleObject(handle_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace korvane
