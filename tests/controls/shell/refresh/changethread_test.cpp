#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/controls/shell/refresh/notify.h"
#include "korvane/host/ScopeExit.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {

constexpr UINT kNotify = WM_USER + 0x65;

// A message-only window whose notifications the test collects.
class Receiver {
public:
  Receiver() : wnd_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
  ~Receiver() { DestroyWindow(wnd_); }
  HWND Get() const { return wnd_; }
  // The slots posted within timeoutMs, at least until one arrives.
  std::vector<int> Collect(DWORD timeoutMs) {
    std::vector<int> slots;
    const DWORD end = GetTickCount() + timeoutMs;
    while (static_cast<int>(end - GetTickCount()) > 0) {
      MSG msg;
      while (PeekMessageA(&msg, wnd_, kNotify, kNotify, PM_REMOVE)) slots.push_back(static_cast<int>(msg.wParam));
      Sleep(10);
    }
    return slots;
  }

private:
  HWND wnd_;
};

bool Contains(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

}  // namespace

TEST(ChangeHandlerThread, SixtyThreeWatchesPostTheirSlotAndReArm) {
  test::TempDir dir;
  Receiver receiver;
  TChangeWatcher watcher = MakeChangeWatcher(receiver.Get(), kNotify);
  int slot = -1;
  EXPECT_FALSE(watcher->AddWatch("", FILE_NOTIFY_CHANGE_FILE_NAME, slot, false));
  EXPECT_FALSE(watcher->AddWatch(dir / "missing", FILE_NOTIFY_CHANGE_FILE_NAME, slot, false));

  std::vector<std::string> folders;
  for (int i = 0; i < 64; ++i) folders.push_back(dir.Folder("w" + std::to_string(i)));
  for (int i = 0; i < 63; ++i) {
    ASSERT_TRUE(watcher->AddWatch(folders[static_cast<std::size_t>(i)], FILE_NOTIFY_CHANGE_FILE_NAME, slot, false)) << i;
    EXPECT_EQ(slot, i);  // the lowest free slot
  }
  EXPECT_FALSE(watcher->AddWatch(folders[63], FILE_NOTIFY_CHANGE_FILE_NAME, slot, false));  // 63 and the command event
  EXPECT_FALSE(watcher->IsBroken());

  // A change in folder 40 posts slot 40; the handle re-arms for the next change.
  dir.File("w40\\one.txt");
  EXPECT_TRUE(Contains(receiver.Collect(1500), 40));
  dir.File("w40\\two.txt");
  const std::vector<int> again = receiver.Collect(1500);
  EXPECT_TRUE(Contains(again, 40));
  EXPECT_FALSE(Contains(again, 41));

  // Without watches nothing is posted; the first watch after takes slot 0 again.
  watcher->RemoveAllWatches();
  dir.File("w40\\three.txt");
  EXPECT_TRUE(receiver.Collect(700).empty());
  ASSERT_TRUE(watcher->AddWatch(folders[5], FILE_NOTIFY_CHANGE_FILE_NAME, slot, false));
  EXPECT_EQ(slot, 0);
  dir.File("w5\\four.txt");
  EXPECT_TRUE(Contains(receiver.Collect(1500), 0));

  // Quitting with watches active ends the worker at once, well inside the bound.
  EXPECT_TRUE(watcher->Stop(5000));
  EXPECT_FALSE(watcher->AddWatch(folders[6], FILE_NOTIFY_CHANGE_FILE_NAME, slot, false));
}

TEST(ChangeHandlerThread, AThousandWatchersLeaveNoHandleBehind) {
  test::TempDir dir;
  Receiver receiver;
  // The process's handle count; where the system does not tell (Wine answers 0),
  // the handle values that name an open handle, counted one by one.
  auto handles = [] {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0) return static_cast<std::uintptr_t>(count);
    std::uintptr_t open = 0;
    for (std::uintptr_t value = 4; value < 0x20000; value += 4) {
      DWORD flags = 0;
      open += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return open;
  };
  {  // one cycle first: what the system keeps once (thread pools, loaded modules) is not ours
    TChangeWatcher warm = MakeChangeWatcher(receiver.Get(), kNotify);
    int slot = -1;
    warm->AddWatch(dir.Path(), FILE_NOTIFY_CHANGE_FILE_NAME, slot, false);
  }
  const std::uintptr_t before = handles();
  ASSERT_GT(before, 0u);
  for (int i = 0; i < 1000; ++i) {
    TChangeWatcher watcher = MakeChangeWatcher(receiver.Get(), kNotify);
    int slot = -1;
    ASSERT_TRUE(watcher->AddWatch(dir.Path(), FILE_NOTIFY_CHANGE_FILE_NAME, slot, false)) << i;
    if (i % 2) watcher->RemoveAllWatches();  // half end with their watch removed, half with it active
  }
  EXPECT_LE(handles(), before + 4);  // a thousand cycles of three handles each would show
}

TEST(ChangeHandlerThread, ANamedWatchTellsTheFoldersOfItsChanges) {
  test::TempDir dir;
  dir.Folder("sub");
  Receiver receiver;
  TChangeWatcher watcher = MakeChangeWatcher(receiver.Get(), kNotify);
  int named = -1, plain = -1;
  ASSERT_TRUE(watcher->AddWatch(dir.Path(), FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, named, true, true));
  ASSERT_TRUE(watcher->AddWatch(dir / "sub", FILE_NOTIFY_CHANGE_FILE_NAME, plain, false));
  std::vector<std::string> folders;
  EXPECT_TRUE(watcher->TakeChangedFolders(named, folders));  // nothing yet, but it could tell
  EXPECT_TRUE(folders.empty());

  dir.File("top.txt");
  dir.Folder("made");
  ASSERT_TRUE(Contains(receiver.Collect(500), named));
  ASSERT_TRUE(watcher->TakeChangedFolders(named, folders));
  EXPECT_EQ(folders, (std::vector<std::string>{dir.Path()}));  // both entries are in the watched folder, named once
  folders.clear();
  EXPECT_TRUE(watcher->TakeChangedFolders(named, folders));
  EXPECT_TRUE(folders.empty());  // taken

  // A change inside a sub-folder names that folder. (Wine's change handles do not see into sub-folders, but
  // its ReadDirectoryChangesW does.)
  dir.File("sub\\inner.txt");
  const std::vector<int> slots = receiver.Collect(500);
  EXPECT_TRUE(Contains(slots, plain));
  EXPECT_TRUE(Contains(slots, named));
  ASSERT_TRUE(watcher->TakeChangedFolders(named, folders));
  EXPECT_EQ(folders, (std::vector<std::string>{dir / "sub"}));
  // A plain watch cannot tell.
  EXPECT_FALSE(watcher->TakeChangedFolders(plain, folders));
  EXPECT_FALSE(watcher->TakeChangedFolders(-1, folders));
}

// Changes that never rest restart the wait, but the merge still comes: at the latest the
// delay plus the slow delay after the first change.
TEST(ChangeDelay, ChangesThatNeverRestStillLetTheWaitElapse) {
  ZQSH_CHANGE_NOTIFY_DELAY = 400;
  ZQSH_CHANGE_NOTIFY_FASTDELAY = 200;
  const auto restore = ScopeExit([] {
    ZQSH_CHANGE_NOTIFY_DELAY = 2000;
    ZQSH_CHANGE_NOTIFY_FASTDELAY = 400;
  });
  for (const bool focused : {true, false}) {
    TTimer timer(nullptr);
    timer.SetEnabled(false);
    DWORD elapsedAt = 0;
    timer.OnTimer = [&](TObject*) {
      timer.SetEnabled(false);
      if (!elapsedAt) elapsedAt = GetTickCount();
    };
    DWORD waitStart = 0;
    const DWORD first = GetTickCount();
    // A change every 50 ms for 3 s, each well inside the delay.
    while (!elapsedAt && GetTickCount() - first < 3000) {
      RestartChangeTimer(&timer, focused, waitStart);
      test::Pump(50);
    }
    ASSERT_NE(elapsedAt, 0u) << "focused " << focused;
    const DWORD limit = (focused ? 200u : 400u) + 400u;
    EXPECT_GE(elapsedAt - first, limit) << "focused " << focused;
    // Generous for a loaded machine, yet well short of the 3 s a wait that kept restarting would take.
    EXPECT_LT(elapsedAt - first, limit + 1000u) << "focused " << focused;
  }
}
