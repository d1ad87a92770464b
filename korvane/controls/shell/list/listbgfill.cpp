// The shell list's background fill: a worker enumerates and orders the folder
// (listworker.h); the window takes its hand-overs as they come, admits the new
// items a few milliseconds at a time and shows every admitted item so far in
// the worker's order. A new fill, the window's end or the control's cancels.
#include <algorithm>

#include "korvane/controls/shell/list/shelllist.h"
#include "korvane/controls/shell/common/itemtext.h"
#include "korvane/host/Application.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Stopwatch.h"

namespace korvane {

namespace {
constexpr double kSliceMs = 8;  // the longest the window admits items at a time
constexpr std::size_t kFirstBatch = 64;  // at least a screenful
// The items shown change at most this often: a new count costs the native
// control a scroll-bar update (under Wine some 20 ms, whatever the count).
constexpr DWORD kShowEveryMs = 50;

}  // namespace

void TZQCustomShellList::StartBackgroundFill(IShellFolder* folder, PCItemIDList absolute) {
  FillStart();
  FlushFileTypeNames();
  MakeFolderCurrent(folder, absolute);
  const int perPage = static_cast<int>(SendMessageA(GetHandle(), LVM_GETCOUNTPERPAGE, 0, 0));
  auto fill = std::make_unique<TZQListFill>();
  const std::size_t firstBatch = std::max<std::size_t>(kFirstBatch, perPage > 0 ? perPage : 0);
  fill->worker = std::make_unique<TZQFillWorker>(GetHandle(), AM_FILLBATCH, absolute, EnumFlags(), kZQItemAttributes,
                                                 sortValue_, firstBatch, zqfxTypeNames);
  fill_ = std::move(fill);
}

void TZQCustomShellList::FillTimerElapsed() {
  KillTimer(GetHandle(), kZQFillShowTimer);
  ContinueFill(false);
}

void TZQCustomShellList::CancelFill() {
  if (!fill_) return;
  if (HandleAllocated()) {
    KillTimer(GetHandle(), kZQFillShowTimer);
    KillTimer(GetHandle(), kZQFillSliceTimer);
  }
  if (fillDepth_ > 0) retiredFills_.push_back(std::move(fill_));  // its taking is on the stack
  else fill_.reset();
  FilterPostApply();
}

void TZQCustomShellList::ContinueFill(bool everything) {
  TZQListFill* const fill = fill_.get();
  if (!fill) return;
  ++fillDepth_;
  const auto leave = ScopeExit([this] {
    if (--fillDepth_ == 0) retiredFills_.clear();
  });
  const auto current = [&] { return fill_.get() == fill; };  // a handler may have begun another fill

  TZQFillBatch batch;
  if (fill->worker->Take(batch)) {
    AddFileTypeNames(batch.typeNames);
    if (fill->waiting.empty()) fill->next = 0;
    for (TZQFillEntry& entry : batch.fresh) fill->waiting.push_back(std::move(entry));
    if (!batch.order.empty()) {
      fill->order.swap(batch.order);
      fill->orderChanged = true;
    }
    fill->done = batch.done;
  }

  // A due showing goes alone: its cost (the native control's, mostly) does not add to a slice's.
  const auto showDue = [&] {
    return fill->unshown && (fill->shownAt == 0 || GetTickCount() - fill->shownAt >= kShowEveryMs);
  };
  if (!everything && showDue()) {
    ShowFill(*fill);
    if (current() && !fill->waiting.empty()) QueueFillSlice(GetHandle(), AM_FILLBATCH);
    return;
  }

  const TStopwatch slice;
  bool admitted = false;
  while (fill->next < fill->waiting.size()) {
    if (!everything && (fill->next & 31) == 0 && slice.ElapsedMs() >= kSliceMs) break;
    TZQFillEntry& entry = fill->waiting[fill->next++];
    if (entry.sequence >= fill->bySequence.size()) fill->bySequence.resize(entry.sequence + 1, nullptr);
    bool admit = false;
    GuardCallback(this, [&] { admit = Admits(folderAbsolute_.Get(), entry.relative.Get(), entry.attributes); });
    if (!current()) return;
    if (!admit) continue;
    auto record = std::make_unique<TZQShListData>(this);
    record->SetData(entry.relative.Release());
    fill->bySequence[entry.sequence] = GetItems()->NewObject(record.get(), StateOf(entry.attributes));
    record.release();  // the item's now
    admitted = true;
  }
  if (fill->next == fill->waiting.size()) fill->waiting.clear();
  fill->unshown = fill->unshown || admitted || fill->orderChanged;
  fill->orderChanged = false;
  const bool last = fill->done && fill->waiting.empty();
  if (fill->unshown) {
    if (everything || last || fill->shownAt == 0) {  // the first screenful and the end at once
      ShowFill(*fill);
      if (!current()) return;
    } else if (fill->waiting.empty()) {  // else the next slice shows it when due
      SetTimer(GetHandle(), kZQFillShowTimer, kShowEveryMs - std::min(kShowEveryMs, GetTickCount() - fill->shownAt),
               nullptr);
    }
  }
  if (last) FinishFill();
  else if (!fill->waiting.empty() && !everything) QueueFillSlice(GetHandle(), AM_FILLBATCH);  // the rest after what waits
}

// Every admitted item so far, in the worker's latest order.
void TZQCustomShellList::ShowFill(TZQListFill& fill) {
  fill.unshown = false;
  fill.shownAt = GetTickCount() | 1;
  std::vector<TListItem*> order;
  order.reserve(fill.order.size());
  for (std::uint32_t sequence : fill.order)
    if (sequence < fill.bySequence.size() && fill.bySequence[sequence]) order.push_back(fill.bySequence[sequence]);
  {
    TListItemsUpdate bracket(GetItems());
    GetItems()->SetOrder(std::move(order));
  }
  if (fill_.get() != &fill) return;
  if (!GetItemFocused() && GetItems()->GetCount() > 0) GetItems()->GetItem(0)->SetFocused(true);
}

void TZQCustomShellList::FinishFill() {
  CancelFill();  // the worker has ended; its thread is joined
  if (sortValue_ == 0) SortList();
  if (options_.Contains(zqsloDynamicRefresh)) InstallChangeHandler();
  GuardCallback(this, [this] { FillComplete(); });
  RunPendingRefresh();  // a change that came during the fill
}

bool TZQCustomShellList::WaitForFill(DWORD ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  while (fill_) {
    ContinueFill(true);
    if (!fill_) break;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    fill_->worker->WaitReady(static_cast<DWORD>(deadline - now));
  }
  return true;
}

}  // namespace korvane
