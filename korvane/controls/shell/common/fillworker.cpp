#include "korvane/controls/shell/common/fillworker.h"

#include <algorithm>
#include <cstdlib>

#include "korvane/controls/shell/common/itemtext.h"
#include "korvane/host/ComInit.h"

namespace korvane {

namespace {
constexpr DWORD kHandOverMs = 50;  // the longest a found item waits for a hand-over
constexpr ULONG kFetch = 64;       // items asked of the enumerator at once

// Waits for an object while answering messages other threads send to this one
// (one of them may be waiting for us); false when the time ran out first.
bool WaitAnsweringSent(HANDLE object, DWORD ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = ms == INFINITE ? INFINITE : static_cast<DWORD>(now >= deadline ? 0 : deadline - now);
    const DWORD woke = MsgWaitForMultipleObjects(1, &object, FALSE, left, QS_SENDMESSAGE);
    if (woke == WAIT_OBJECT_0) return true;
    if (woke != WAIT_OBJECT_0 + 1) return false;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // runs the sent messages
  }
}
}  // namespace

TZQFillWorker::TZQFillWorker(HWND notify, UINT message, PCItemIDList absolute, SHCONTF flags, SFGAOF attributes,
                             int sortValue, std::size_t firstBatch, unsigned extras)
    : notify_(notify),
      message_(message),
      absolute_(CopyIdList(nullptr, absolute)),
      flags_(flags),
      attributes_(attributes),
      sortValue_(sortValue),
      firstBatch_(std::max<std::size_t>(firstBatch, 1)),
      extras_(extras),
      ready_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
  DWORD id = 0;
  thread_.Reset(CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &id));
  if (thread_) {
    SetThreadPriority(thread_.Get(), THREAD_PRIORITY_BELOW_NORMAL);  // the window comes first
    ResumeThread(thread_.Get());
  } else {  // no thread: the fill ends at once, empty
    handed_.done = changed_ = true;
    handed_.result = HRESULT_FROM_WIN32(GetLastError());
    PostMessageA(notify_, message_, 0, 0);
    SetEvent(ready_.Get());
  }
}

TZQFillWorker::~TZQFillWorker() {
  cancel_ = true;
  if (thread_) WaitAnsweringSent(thread_.Get(), INFINITE);
}

bool TZQFillWorker::WaitReady(DWORD ms) const { return WaitAnsweringSent(ready_.Get(), ms); }

DWORD WINAPI TZQFillWorker::ThreadProc(LPVOID self) {
  static_cast<TZQFillWorker*>(self)->Run();
  return 0;
}

void TZQFillWorker::Run() {
  HRESULT result = S_OK;
  std::vector<TIdListPtr> pending;
  try {
    TComApartment apartment;
    {
      TComPtr<IShellFolder> folder;
      result = absolute_ ? ShellGetFolderFromIdList(absolute_.Get(), folder) : ShellGetDesktopFolder(folder);
      if (SUCCEEDED(result)) {
        TComPtr<IEnumIDList> items;
        result = folder->EnumObjects(nullptr, flags_, items.Put());
        if (result == S_OK && items) {
          DWORD last = GetTickCount();
          bool first = true;
          PITEMID_CHILD fetched[kFetch];
          for (;;) {
            CheckCancelled();
            ULONG got = 0;
            const HRESULT hr = items->Next(kFetch, fetched, &got);
            for (ULONG i = 0; i < got; ++i) pending.emplace_back(fetched[i]);
            if (hr != S_OK) {
              if (FAILED(hr) && hr != E_FAIL) result = hr;
              break;
            }
            // The first screenful at once, then batches as large as what is
            // already in (each merge stays linear), or whatever a slow folder
            // gave within the wait.
            const std::size_t due = first ? firstBatch_ : std::max(firstBatch_, sorted_.size());
            if (pending.size() >= due || GetTickCount() - last >= kHandOverMs) {
              HandOver(folder.Get(), pending, false, S_OK);
              first = false;
              last = GetTickCount();
            }
          }
        } else if (SUCCEEDED(result)) {
          result = S_OK;  // S_FALSE without an enumerator: an empty folder
        }
        HandOver(folder.Get(), pending, true, FAILED(result) ? result : S_OK);
        return;
      }
    }
  } catch (const TCancelled&) {
    return;
  } catch (...) {
    result = E_UNEXPECTED;
  }
  if (cancel_) return;
  std::lock_guard<std::mutex> guard(lock_);
  handed_.done = changed_ = true;
  handed_.result = FAILED(result) ? result : E_FAIL;
  if (!posted_.exchange(true)) PostMessageA(notify_, message_, 0, 0);
  SetEvent(ready_.Get());
}

// Under Wine the shell's type name of a file costs some 25 ms: asked here, once per key,
// it is known before the window paints the item.
void TZQFillWorker::FindTypeName(IShellFolder* folder, PCUITEMID_CHILD relative,
                                 std::vector<std::pair<std::string, std::string>>& names) {
  std::string key;
  if (!FileTypeKey(folder, relative, key) || !typeKeys_.insert(key).second) return;
  const TIdListPtr absolute(ConcatIdLists(nullptr, absolute_ ? absolute_.Get() : EmptyIdList(), relative));
  std::string name;
  if (absolute) GetFileTypeName(absolute.Get(), SFGAO_FILESYSTEM, name);
  names.emplace_back(std::move(key), std::move(name));
}

void TZQFillWorker::HandOver(IShellFolder* folder, std::vector<TIdListPtr>& pending, bool done, HRESULT result) {
  std::vector<std::pair<std::string, std::string>> typeNames;
  std::vector<TZQFillEntry> fresh;
  fresh.reserve(pending.size());
  std::vector<TItem> batch;
  batch.reserve(pending.size());
  for (TIdListPtr& relative : pending) {
    CheckCancelled();
    TZQFillEntry entry;
    entry.attributes = attributes_;
    PCUITEMID_CHILD child = relative.Get();
    if (FAILED(folder->GetAttributesOf(1, &child, &entry.attributes))) entry.attributes = 0;
    if (extras_ & zqfxNames) entry.name = GetItemDisplayName(folder, relative.Get(), SHGDN_INFOLDER);
    if (extras_ & zqfxTypeNames) FindTypeName(folder, relative.Get(), typeNames);
    entry.sequence = static_cast<std::uint32_t>(held_.size());
    entry.relative = TIdListPtr(CopyIdList(nullptr, relative.Get()));
    batch.push_back({relative.Get(), entry.sequence});
    held_.push_back(std::move(relative));
    fresh.push_back(std::move(entry));
  }
  pending.clear();

  // The batch sorted, then merged after equal items already in: the order of
  // a stable sort of everything in enumeration order.
  const bool ordered = sortValue_ != 0;
  if (ordered) {
    const LPARAM column = std::abs(sortValue_) - 1;
    const bool descending = sortValue_ < 0;
    unsigned calls = 0;
    const auto less = [&](const TItem& a, const TItem& b) {
      if ((++calls & 0xFF) == 0) CheckCancelled();
      const HRESULT hr = folder->CompareIDs(column, a.relative, b.relative);
      if (FAILED(hr)) return false;
      const int order = static_cast<std::int16_t>(HRESULT_CODE(hr));
      return descending ? order > 0 : order < 0;
    };
    std::stable_sort(batch.begin(), batch.end(), less);
    std::vector<TItem> merged;
    merged.reserve(sorted_.size() + batch.size());
    std::merge(sorted_.begin(), sorted_.end(), batch.begin(), batch.end(), std::back_inserter(merged), less);
    sorted_.swap(merged);
  } else {
    sorted_.insert(sorted_.end(), batch.begin(), batch.end());
  }
  std::vector<std::uint32_t> order(sorted_.size());
  for (std::size_t i = 0; i < sorted_.size(); ++i) order[i] = sorted_[i].sequence;
  CheckCancelled();

  std::lock_guard<std::mutex> guard(lock_);
  for (TZQFillEntry& entry : fresh) handed_.fresh.push_back(std::move(entry));
  for (auto& name : typeNames) handed_.typeNames.push_back(std::move(name));
  handed_.order.swap(order);
  handed_.done = done;
  handed_.result = result;
  orderChanged_ = changed_ = true;
  if (!posted_.exchange(true)) PostMessageA(notify_, message_, 0, 0);
  SetEvent(ready_.Get());
}

void QueueFillSlice(HWND wnd, UINT message) {
  if (HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT)) != 0) SetTimer(wnd, kZQFillSliceTimer, USER_TIMER_MINIMUM, nullptr);
  else PostMessageA(wnd, message, 0, 0);
}

bool TZQFillWorker::Take(TZQFillBatch& batch) {
  std::lock_guard<std::mutex> guard(lock_);
  posted_ = false;
  if (!changed_) return false;
  batch.fresh = std::move(handed_.fresh);
  handed_.fresh.clear();
  batch.typeNames = std::move(handed_.typeNames);
  handed_.typeNames.clear();
  batch.order.clear();
  if (orderChanged_) batch.order.swap(handed_.order);
  batch.done = handed_.done;
  batch.result = handed_.result;
  changed_ = orderChanged_ = false;
  return true;
}

}  // namespace korvane
