#include "host/Threads.h"

namespace korvane {

TThread::TThread(bool createSuspended) : suspended_(createSuspended) {}

TThread::~TThread() {
  Terminate();
  WaitFor();
}

void TThread::Start() {
  if (thread_.joinable() || finished_) return;
  suspended_ = false;
  thread_ = std::thread([this] {
    try {
      Execute();
    } catch (...) {
    }
    finished_ = true;
  });
}

void TThread::WaitFor() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace korvane
