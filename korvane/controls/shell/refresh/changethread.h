// TChangeHandlerThread: waits on up to 63 file-system change-notification
// handles and posts a message with the slot of the one that fired to a window.
// The owner's thread hands it commands (add a watch, remove all, quit) through
// two auto-reset events; only the worker touches the slots while it runs.
// A named watch also reads what changed (ReadDirectoryChangesW) and keeps the
// folders of the changed entries until the owner takes them.
#pragma once
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "korvane/host/Handles.h"
#include "korvane/host/Threads.h"

namespace korvane {

class TChangeHandlerThread : public TThread {
public:
  static constexpr int kSlots = MAXIMUM_WAIT_OBJECTS - 1;  // and the command event
  static constexpr DWORD kCommandTimeoutMs = 2000;
  static constexpr std::size_t kMaxNamedFolders = 256;  // more changed folders than this: the whole tree

  // Starts the worker; it posts message (wParam: the slot) to target.
  TChangeHandlerThread(HWND target, UINT message);
  // Closes the handles. Only for a worker that has ended (Stop answered true):
  // TChangeWatcher takes care of that.
  ~TChangeHandlerThread() override;

  // Watches path (FindFirstChangeNotification with filter); slot receives
  // where. False for an empty or unwatchable path, a full slot list, or a
  // worker that did not answer in time (which then counts as broken).
  bool AddWatch(const std::string& path, DWORD filter, int& slot, bool subtree, bool named = false);
  void RemoveAllWatches();
  // Moves the folders that the changes of a named watch's slot named since the last call into folders
  // (each once, without a trailing separator but for a drive root). False when the changes cannot be
  // told: a plain watch, or more changes than the worker's buffer held.
  bool TakeChangedFolders(int slot, std::vector<std::string>& folders);
  // A command went unanswered: it may still be carried out later, so the
  // watcher takes no more commands. Replace it.
  bool IsBroken() const { return broken_; }
  // Tells the worker to quit and waits at most timeoutMs; true once it has ended.
  bool Stop(DWORD timeoutMs);

protected:
  void Execute() override;

private:
  enum class TCommand : std::uint8_t { Add, RemoveAll, Quit };
  // A directory read for its changes: the event of the overlapped read is the slot's handle.
  struct TNamedWatch {
    ~TNamedWatch();
    bool Open(const std::string& path, DWORD filter, bool subtree);
    bool Arm();  // the next read
    TFileHandle directory;
    TKernelHandle event;
    bool armed = false;  // a read is under way: it must end before the buffer goes
    OVERLAPPED overlapped = {};
    std::vector<DWORD> buffer = std::vector<DWORD>(16384);  // 64 KB, DWORD-aligned as the records need
    std::string root;  // with a trailing separator
    DWORD filter = 0;
    bool subtree = false;
  };
  // What one slot waits on: a change notification, or a named watch's read.
  struct TWatch {
    TChangeNotification plain;
    std::unique_ptr<TNamedWatch> named;
    HANDLE Wait() const { return named ? named->event.Get() : plain.Get(); }
    explicit operator bool() const { return named || plain; }
  };
  struct TChanges {
    std::vector<std::string> folders;
    bool named = false;
    bool unknown = false;
  };
  bool Send(TCommand command);
  void CloseSlot(int slot);
  void ReadChanges(int slot);  // the worker, when a named slot fired

  TKernelHandle commandEvent_;
  TKernelHandle replyEvent_;
  HWND target_;
  UINT message_;
  TWatch pending_;  // handed over by Add
  int resultSlot_ = -1;
  std::atomic<TCommand> command_{TCommand::Add};
  std::vector<TWatch> slots_;  // empty: free
  std::mutex changesLock_;  // guards changes_, shared with the owner's thread
  std::vector<TChanges> changes_;
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
