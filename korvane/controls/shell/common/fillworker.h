// A folder enumerated on a worker thread (for the list's fill and the tree's
// expansion) with an apartment of its own: the
// worker binds the folder from its absolute list, enumerates, asks each item's
// attributes and keeps the items in the folder's CompareIDs order. The user-
// interface thread takes what has come since it last asked: the new items'
// relative lists (their ownership passes with them) and the order of every
// item so far, by sequence number. No interface pointer crosses threads.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "korvane/host/Handles.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

// The attributes the shell list and tree ask of each item.
constexpr SFGAOF kZQItemAttributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR |
                                     SFGAO_REMOVABLE | SFGAO_GHOSTED | SFGAO_SHARE | SFGAO_LINK;  // 0xF20B0000

struct TZQFillEntry {
  TIdListPtr relative;  // the shell allocator's
  ULONG attributes = 0;
  std::uint32_t sequence = 0;  // the enumeration's own numbering, from 0
  std::string name;            // the in-folder name, when asked for
};

// What a worker finds besides each item's list and attributes.
enum TZQFillExtra : unsigned {
  zqfxNames = 1,      // each item's in-folder name
  zqfxTypeNames = 2,  // the file type name of each new extension (itemtext.h's cache takes them)
};

struct TZQFillBatch {
  std::vector<TZQFillEntry> fresh;     // the items since the last take, by sequence
  std::vector<std::pair<std::string, std::string>> typeNames;  // by type key, new since the last take
  std::vector<std::uint32_t> order;    // every item so far; empty when the order did not change
  bool done = false;                   // every item is in (or the enumeration failed)
  HRESULT result = S_OK;               // the enumeration's failure, when done
};

class TZQFillWorker {
public:
  // sortValue: the list's (column + 1, negative for descending; 0: no order).
  // Each hand-over posts message to notify unless one is still unanswered;
  // the first comes once firstBatch items are ready.
  // extras: what else the worker finds (TZQFillExtra).
  TZQFillWorker(HWND notify, UINT message, PCItemIDList absolute, SHCONTF flags, SFGAOF attributes, int sortValue,
                std::size_t firstBatch, unsigned extras = 0);
  ~TZQFillWorker();  // cancels and waits for the thread
  TZQFillWorker(const TZQFillWorker&) = delete;
  TZQFillWorker& operator=(const TZQFillWorker&) = delete;

  // What came since the last take; false when nothing did.
  bool Take(TZQFillBatch& batch);
  // Waits at most ms for the next hand-over, answering messages sent to this
  // thread meanwhile; false when none came.
  bool WaitReady(DWORD ms) const;

private:
  struct TCancelled {};
  struct TItem {
    PCUITEMID_CHILD relative;  // owned by held_
    std::uint32_t sequence;
  };
  static DWORD WINAPI ThreadProc(LPVOID self);
  void Run();
  void HandOver(IShellFolder* folder, std::vector<TIdListPtr>& pending, bool done, HRESULT result);
  void FindTypeName(IShellFolder* folder, PCUITEMID_CHILD relative,
                    std::vector<std::pair<std::string, std::string>>& names);
  void CheckCancelled() const {
    if (cancel_.load(std::memory_order_relaxed)) throw TCancelled{};
  }

  HWND notify_;
  UINT message_;
  TIdListPtr absolute_;
  SHCONTF flags_;
  SFGAOF attributes_;
  int sortValue_;
  std::size_t firstBatch_;
  unsigned extras_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> posted_{false};
  TKernelHandle ready_;
  TKernelHandle thread_;

  // The worker's own: every item so far in order, and their lists.
  std::vector<TItem> sorted_;
  std::vector<TIdListPtr> held_;
  std::unordered_set<std::string> typeKeys_;  // the keys whose type name was found

  std::mutex lock_;  // guards what follows
  TZQFillBatch handed_;
  bool orderChanged_ = false;
  bool changed_ = false;
};

class TListItem;
class TTreeNode;

// The timer (on the list's window) that shows what a fill admitted meanwhile.
constexpr UINT_PTR kZQFillShowTimer = 0x4B46;
// The timer that brings a fill's next slice after the input and paint that were waiting.
constexpr UINT_PTR kZQFillSliceTimer = 0x4B47;

// Asks for the next slice of a fill on wnd. A posted message comes before the
// user's input and the window's paint, so a chain of them would starve both:
// while either waits, the slice comes by kZQFillSliceTimer instead, after them.
void QueueFillSlice(HWND wnd, UINT message);

// A background fill as the window holds it.
struct TZQListFill {
  std::unique_ptr<TZQFillWorker> worker;
  std::vector<TZQFillEntry> waiting;  // handed over, not yet admitted from next on
  std::size_t next = 0;
  std::vector<TListItem*> bySequence;  // nil: left out, or not yet admitted
  std::vector<std::uint32_t> order;    // the worker's latest order
  bool orderChanged = false;
  bool unshown = false;  // admitted items or a new order not shown yet
  DWORD shownAt = 0;     // the tick of the last showing (0: none yet)
  bool done = false;
};

// A tree node's background expansion as the window holds it, all by sequence.
struct TZQTreeExpansion {
  enum TState : std::uint8_t { Waiting, Admitted, Inserted, Left };
  std::unique_ptr<TZQFillWorker> worker;
  std::vector<TZQFillEntry> entries;
  std::vector<TState> states;
  std::vector<TTreeNode*> nodes;     // the inserted ones
  std::vector<std::uint32_t> order;  // the worker's latest order
  TIdListPtr parentAbsolute;
  bool done = false;
  bool opened = false;  // the node was opened once its first children were in
};

}  // namespace korvane
