// TChangeHandlerThread: waits on up to 63 file-system change-notification
// handles and posts a message with the slot of the one that fired to a window.
// The owner's thread hands it commands (add a watch, remove all, quit) through
// two auto-reset events; only the worker touches the slots while it runs.
#pragma once
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "host/Threads.h"

namespace korvane {

class TChangeHandlerThread : public TThread {
public:
  static constexpr int kSlots = MAXIMUM_WAIT_OBJECTS - 1;  // and the command event
  static constexpr DWORD kCommandTimeoutMs = 2000;

  // Starts the worker; it posts message (wParam: the slot) to target.
  TChangeHandlerThread(HWND target, UINT message);
  // Closes the handles. Only for a worker that has ended (Stop answered true):
  // TChangeWatcher takes care of that.
  ~TChangeHandlerThread() override;

  // Watches path (FindFirstChangeNotification with filter); slot receives
  // where. False for an empty or unwatchable path, a full slot list, or a
  // worker that did not answer in time (which then counts as broken).
  bool AddWatch(const std::string& path, DWORD filter, int& slot, bool subtree);
  void RemoveAllWatches();
  // A command went unanswered: it may still be carried out later, so the
  // watcher takes no more commands. Replace it.
  bool IsBroken() const { return broken_; }
  // Tells the worker to quit and waits at most timeoutMs; true once it has ended.
  bool Stop(DWORD timeoutMs);

protected:
  void Execute() override;

private:
  enum class TCommand : std::uint8_t { Add, RemoveAll, Quit };
  bool Send(TCommand command);
  void CloseSlot(int slot);

  HANDLE commandEvent_;
  HANDLE replyEvent_;
  HWND target_;
  UINT message_;
  HANDLE pending_ = INVALID_HANDLE_VALUE;  // handed over by Add
  int resultSlot_ = -1;
  std::atomic<TCommand> command_{TCommand::Add};
  std::vector<HANDLE> slots_;  // INVALID_HANDLE_VALUE: free
  bool broken_ = false;
  bool stopped_ = false;
};

// Frees a watcher once its worker has ended; a worker that does not end within
// 30 s is left running with its memory and handles, which it still uses.
struct TChangeWatcherDeleter {
  void operator()(TChangeHandlerThread* watcher) const;
};
using TChangeWatcher = std::unique_ptr<TChangeHandlerThread, TChangeWatcherDeleter>;
TChangeWatcher MakeChangeWatcher(HWND target, UINT message);

}  // namespace korvane
