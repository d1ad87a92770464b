#include "korvane/controls/shell/refresh/changethread.h"

#include <algorithm>

namespace korvane {

TChangeHandlerThread::TChangeHandlerThread(HWND target, UINT message)
    : TThread(true),
      commandEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      replyEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      target_(target),
      message_(message),
      slots_(kSlots),
      changes_(kSlots) {
  if (commandEvent_ && replyEvent_) Start();
  else broken_ = true;
}

TChangeHandlerThread::~TChangeHandlerThread() { Stop(INFINITE); }

void TChangeHandlerThread::CloseSlot(int slot) {
  const auto at = static_cast<std::size_t>(slot);
  slots_[at] = TWatch();
  const std::lock_guard<std::mutex> lock(changesLock_);
  changes_[at] = TChanges();
}

TChangeHandlerThread::TNamedWatch::~TNamedWatch() {
  if (armed) {
    // The read writes into the buffer until it ends: cancelled, and waited for.
    DWORD bytes = 0;
    CancelIoEx(directory.Get(), &overlapped);
    GetOverlappedResult(directory.Get(), &overlapped, &bytes, TRUE);
  }
}

bool TChangeHandlerThread::TNamedWatch::Open(const std::string& path, DWORD notifyFilter, bool watchSubtree) {
  root = path;
  if (root.empty() || root.back() != '\\') root += '\\';
  filter = notifyFilter;
  subtree = watchSubtree;
  directory = TFileHandle(CreateFileA(path.c_str(), FILE_LIST_DIRECTORY,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
  if (!directory) return false;
  event = TKernelHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  overlapped.hEvent = event.Get();
  return event && Arm();
}

bool TChangeHandlerThread::TNamedWatch::Arm() {
  ResetEvent(overlapped.hEvent);
  armed = ReadDirectoryChangesW(directory.Get(), buffer.data(), static_cast<DWORD>(buffer.size() * sizeof(DWORD)),
                                subtree, filter, nullptr, &overlapped, nullptr) != FALSE;
  return armed;
}

void TChangeHandlerThread::ReadChanges(int slot) {
  TNamedWatch& watch = *slots_[static_cast<std::size_t>(slot)].named;
  DWORD bytes = 0;
  const bool read = GetOverlappedResult(watch.directory.Get(), &watch.overlapped, &bytes, FALSE) != FALSE;
  watch.armed = false;
  {
    const std::lock_guard<std::mutex> lock(changesLock_);
    TChanges& changes = changes_[static_cast<std::size_t>(slot)];
    // No bytes: more changes than the buffer held; the folders cannot be told.
    if (!read || bytes == 0) changes.unknown = true;
    const auto* base = reinterpret_cast<const BYTE*>(watch.buffer.data());
    for (DWORD offset = 0; !changes.unknown && offset + sizeof(FILE_NOTIFY_INFORMATION) <= bytes;) {
      const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(base + offset);
      const int chars = static_cast<int>(std::min<DWORD>(info->FileNameLength, bytes - offset) / sizeof(WCHAR));
      // The entry's folder: the part of its name up to the last separator.
      int last = chars;
      while (last > 0 && info->FileName[last - 1] != L'\\') --last;
      std::string folder = watch.root;
      if (last > 1) {
        const int n = WideCharToMultiByte(CP_ACP, 0, info->FileName, last - 1, nullptr, 0, nullptr, nullptr);
        std::string part(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(CP_ACP, 0, info->FileName, last - 1, part.data(), n, nullptr, nullptr);
        folder += part;
      } else if (folder.size() > 3) {
        folder.pop_back();  // the watched folder itself; a drive root keeps its separator
      }
      if (std::find(changes.folders.begin(), changes.folders.end(), folder) == changes.folders.end())
        changes.folders.push_back(std::move(folder));
      if (changes.folders.size() > kMaxNamedFolders) changes.unknown = true;
      if (info->NextEntryOffset == 0) break;
      offset += info->NextEntryOffset;
    }
    if (changes.unknown) changes.folders.clear();
  }
  if (target_) PostMessageA(target_, message_, static_cast<WPARAM>(slot), 0);
  if (!watch.Arm()) CloseSlot(slot);
}

bool TChangeHandlerThread::TakeChangedFolders(int slot, std::vector<std::string>& folders) {
  if (slot < 0 || slot >= kSlots) return false;
  const std::lock_guard<std::mutex> lock(changesLock_);
  TChanges& changes = changes_[static_cast<std::size_t>(slot)];
  const bool known = changes.named && !changes.unknown;
  for (std::string& f : changes.folders)
    if (std::find(folders.begin(), folders.end(), f) == folders.end()) folders.push_back(std::move(f));
  changes.folders.clear();
  changes.unknown = false;
  return known;
}

bool TChangeHandlerThread::Send(TCommand command) {
  if (broken_ || stopped_) return false;
  command_ = command;
  ResetEvent(replyEvent_.Get());
  SetEvent(commandEvent_.Get());
  if (WaitForSingleObject(replyEvent_.Get(), kCommandTimeoutMs) == WAIT_OBJECT_0) return true;
  broken_ = true;
  return false;
}

bool TChangeHandlerThread::AddWatch(const std::string& path, DWORD filter, int& slot, bool subtree, bool named) {
  if (path.empty() || broken_ || stopped_) return false;
  TWatch watch;
  if (named) {
    watch.named = std::make_unique<TNamedWatch>();
    if (!watch.named->Open(path, filter, subtree)) return false;
  } else {
    watch.plain = TChangeNotification(FindFirstChangeNotificationA(path.c_str(), subtree, filter));
    if (!watch.plain) return false;
  }
  pending_ = std::move(watch);
  if (!Send(TCommand::Add)) return false;  // the worker may still adopt it: it stays the worker's
  if (resultSlot_ < 0) {
    pending_ = TWatch();  // no free slot: not adopted
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
    SetEvent(commandEvent_.Get());
  }
  return WaitFor(timeoutMs);
}

void TChangeHandlerThread::Execute() {
  int failures = 0;
  for (;;) {
    HANDLE wait[MAXIMUM_WAIT_OBJECTS];
    int slotOf[MAXIMUM_WAIT_OBJECTS];
    DWORD count = 0;
    wait[count++] = commandEvent_.Get();
    for (int i = 0; i < kSlots; ++i)
      if (const TWatch& watch = slots_[static_cast<std::size_t>(i)]; watch) {
        slotOf[count] = i;
        wait[count++] = watch.Wait();
      }
    const DWORD r = WaitForMultipleObjects(count, wait, FALSE, INFINITE);
    if (r == WAIT_OBJECT_0) {
      failures = 0;
      switch (command_.load()) {
        case TCommand::Add: {
          const auto free = std::find_if(slots_.begin(), slots_.end(), [](const TWatch& w) { return !w; });
          if (free == slots_.end()) {
            resultSlot_ = -1;
          } else {
            const bool named = pending_.named != nullptr;
            *free = std::move(pending_);
            resultSlot_ = static_cast<int>(free - slots_.begin());
            const auto at = static_cast<std::size_t>(resultSlot_);
            const std::lock_guard<std::mutex> lock(changesLock_);
            changes_[at] = TChanges();
            changes_[at].named = named;
          }
          break;
        }
        case TCommand::RemoveAll:
          for (int i = 0; i < kSlots; ++i) CloseSlot(i);
          break;
        case TCommand::Quit:
          return;
      }
      SetEvent(replyEvent_.Get());
    } else if (r > WAIT_OBJECT_0 && r < WAIT_OBJECT_0 + count) {
      failures = 0;
      const int slot = slotOf[r - WAIT_OBJECT_0];
      const TWatch& watch = slots_[static_cast<std::size_t>(slot)];
      if (watch.named) {
        ReadChanges(slot);
        continue;
      }
      if (target_) PostMessageA(target_, message_, static_cast<WPARAM>(slot), 0);
      if (!FindNextChangeNotification(watch.plain.Get())) CloseSlot(slot);
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
