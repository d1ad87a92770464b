#include "controls/shell/refresh/changethread.h"

#include <algorithm>

namespace korvane {

TChangeHandlerThread::TChangeHandlerThread(HWND target, UINT message)
    : TThread(true),
      commandEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      replyEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      target_(target),
      message_(message),
      slots_(kSlots, INVALID_HANDLE_VALUE) {
  if (commandEvent_ && replyEvent_) Start();
  else broken_ = true;
}

TChangeHandlerThread::~TChangeHandlerThread() {
  Stop(INFINITE);
  for (int i = 0; i < kSlots; ++i) CloseSlot(i);
  if (pending_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(pending_);
  if (commandEvent_) CloseHandle(commandEvent_);
  if (replyEvent_) CloseHandle(replyEvent_);
}

void TChangeHandlerThread::CloseSlot(int slot) {
  HANDLE& h = slots_[static_cast<std::size_t>(slot)];
  if (h != INVALID_HANDLE_VALUE) FindCloseChangeNotification(h);
  h = INVALID_HANDLE_VALUE;
}

bool TChangeHandlerThread::Send(TCommand command) {
  if (broken_ || stopped_) return false;
  command_ = command;
  ResetEvent(replyEvent_);
  SetEvent(commandEvent_);
  if (WaitForSingleObject(replyEvent_, kCommandTimeoutMs) == WAIT_OBJECT_0) return true;
  broken_ = true;
  return false;
}

bool TChangeHandlerThread::AddWatch(const std::string& path, DWORD filter, int& slot, bool subtree) {
  if (path.empty() || broken_ || stopped_) return false;
  HANDLE h = FindFirstChangeNotificationA(path.c_str(), subtree, filter);
  if (h == INVALID_HANDLE_VALUE) return false;
  pending_ = h;
  if (!Send(TCommand::Add)) return false;  // the worker may still adopt it: it stays the worker's
  if (resultSlot_ < 0) {
    FindCloseChangeNotification(pending_);  // no free slot: not adopted
    pending_ = INVALID_HANDLE_VALUE;
    return false;
  }
  slot = resultSlot_;
  return true;
}

void TChangeHandlerThread::RemoveAllWatches() { Send(TCommand::RemoveAll); }

bool TChangeHandlerThread::Stop(DWORD timeoutMs) {
  if (!stopped_ && commandEvent_) {
    stopped_ = true;
    command_ = TCommand::Quit;
    SetEvent(commandEvent_);
  }
  return WaitFor(timeoutMs);
}

void TChangeHandlerThread::Execute() {
  int failures = 0;
  for (;;) {
    HANDLE wait[MAXIMUM_WAIT_OBJECTS];
    int slotOf[MAXIMUM_WAIT_OBJECTS];
    DWORD count = 0;
    wait[count++] = commandEvent_;
    for (int i = 0; i < kSlots; ++i)
      if (slots_[static_cast<std::size_t>(i)] != INVALID_HANDLE_VALUE) {
        slotOf[count] = i;
        wait[count++] = slots_[static_cast<std::size_t>(i)];
      }
    const DWORD r = WaitForMultipleObjects(count, wait, FALSE, INFINITE);
    if (r == WAIT_OBJECT_0) {
      failures = 0;
      switch (command_.load()) {
        case TCommand::Add: {
          const auto free = std::find(slots_.begin(), slots_.end(), INVALID_HANDLE_VALUE);
          if (free == slots_.end()) {
            resultSlot_ = -1;
          } else {
            *free = pending_;
            pending_ = INVALID_HANDLE_VALUE;
            resultSlot_ = static_cast<int>(free - slots_.begin());
          }
          break;
        }
        case TCommand::RemoveAll:
          for (int i = 0; i < kSlots; ++i) CloseSlot(i);
          break;
        case TCommand::Quit:
          return;
      }
      SetEvent(replyEvent_);
    } else if (r > WAIT_OBJECT_0 && r < WAIT_OBJECT_0 + count) {
      failures = 0;
      const int slot = slotOf[r - WAIT_OBJECT_0];
      if (target_) PostMessageA(target_, message_, static_cast<WPARAM>(slot), 0);
      if (!FindNextChangeNotification(slots_[static_cast<std::size_t>(slot)])) CloseSlot(slot);
    } else if (r > WAIT_ABANDONED_0 && r < WAIT_ABANDONED_0 + count) {
      CloseSlot(slotOf[r - WAIT_ABANDONED_0]);
    } else {
      // A failed wait: back off rather than spin.
      Sleep(std::min(1000, 10 << std::min(failures++, 7)));
    }
  }
}

void TChangeWatcherDeleter::operator()(TChangeHandlerThread* watcher) const {
  if (watcher && watcher->Stop(30000)) delete watcher;
}

TChangeWatcher MakeChangeWatcher(HWND target, UINT message) {
  return TChangeWatcher(new TChangeHandlerThread(target, message));
}

}  // namespace korvane
