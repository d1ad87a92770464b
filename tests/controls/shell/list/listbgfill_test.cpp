#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Forms.h"
#include "tests/support/ListItems.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {

constexpr int kFiles = 3000;

// One folder of a few thousand files and three sub-folders for every test, made in a
// shuffled order; the shell's name order is the sub-folders, then the files, by name.
class ListBackgroundFill : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    big_ = new test::TempDir;
    std::vector<int> numbers(kFiles);
    for (int i = 0; i < kFiles; ++i) numbers[static_cast<std::size_t>(i)] = (i * 7919) % kFiles;  // 7919 is prime
    for (int n : numbers) {
      char name[16];
      std::snprintf(name, sizeof name, "f%04d.txt", n);
      const HANDLE h = CreateFileA((*big_ / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
      CloseHandle(h);
    }
    for (const char* d : {"d2", "d0", "d1"}) big_->Folder(d);
  }
  static void TearDownTestSuite() {
    delete big_;
    big_ = nullptr;
  }
  static std::vector<std::string> Expected() {
    std::vector<std::string> names = {"d0", "d1", "d2"};
    for (int i = 0; i < kFiles; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "f%04d", i);  // shown without the known extension, as Explorer does
      names.push_back(name);
    }
    return names;
  }
  TZQShellList* MakeList(bool background) {
    auto* list = new TZQShellList(form.Get());
    list->SetParent(form.Get());
    list->SetBounds(0, 0, 300, 200);
    list->SetViewStyle(vsReport);
    TZQShellListOptions options = list->GetOptions();
    if (background) options.Include(zqsloBackgroundFill);
    options.Exclude(zqsloDynamicRefresh);
    list->SetOptions(options);
    list->HandleNeeded();
    return list;
  }
  static std::vector<std::string> Names(TZQShellList* list) {
    std::vector<std::string> names = test::Captions(list);
    for (std::string& n : names)  // the extension is shown or not as the prefix's settings say
      if (n.size() > 4 && n.compare(n.size() - 4, 4, ".txt") == 0) n.resize(n.size() - 4);
    return names;
  }
  static test::TempDir* big_;
  test::TestForm form{320, 220};
};
test::TempDir* ListBackgroundFill::big_ = nullptr;

int ThreadCount() {
  const HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snap, &entry); more; more = Thread32Next(snap, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  CloseHandle(snap);
  return count;
}

DWORD HandleCount() {
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return count;
}
}  // namespace

// SetFolder returns before the items are in, the window answers another thread
// while they come, and the list ends as a synchronous fill of the folder does.
TEST_F(ListBackgroundFill, TheWindowAnswersWhileItFillsAndEndsInTheFoldersOrder) {
  TZQShellList* sync = MakeList(false);
  sync->GetFolder()->SetPathName(big_->Path());
  const std::vector<std::string> expected = Expected();
  ASSERT_EQ(Names(sync), expected);
  sync->Free();  // its first paint would be waited for below
  test::Pump(50);

  TZQShellList* list = MakeList(true);
  int starts = 0, completes = 0;
  list->OnFillStart = [&](TObject*) { ++starts; };
  list->OnFillComplete = [&](TObject*) { ++completes; };
  list->GetFolder()->SetPathName(big_->Path());
  EXPECT_TRUE(list->IsFilling());
  EXPECT_EQ(completes, 0);

  // Another thread sends a message every 5 ms while this one takes the fill in.
  std::atomic<bool> stop{false};
  std::atomic<DWORD> longest{0};
  std::atomic<int> answered{0};
  std::atomic<bool> finished{false};
  const HWND wnd = form->GetHandle();
  std::thread sender([&] {
    while (!stop) {
      const DWORD before = GetTickCount();
      DWORD_PTR result = 0;
      if (SendMessageTimeoutA(wnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) ++answered;
      longest = std::max<DWORD>(longest, GetTickCount() - before);
      Sleep(5);
    }
    finished = true;
  });
  const bool ended = test::PumpUntil([&] { return !list->IsFilling(); }, 20000);
  stop = true;
  test::PumpUntil([&] { return finished.load(); });  // its last message is answered too
  sender.join();
  ASSERT_TRUE(ended);
  EXPECT_GT(answered.load(), 0);
  EXPECT_LT(longest.load(), 100u);
  EXPECT_TRUE(list->WaitForFill(0));
  EXPECT_EQ(Names(list), expected);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(completes, 1);
  EXPECT_EQ(list->GetItems()->GetItem(0), list->GetItemFocused());
}

// Another folder mid-fill: the list ends with exactly that folder's items, and a
// bounded wait takes every item in.
TEST_F(ListBackgroundFill, AnotherFolderMidFillShowsOnlyItsItems) {
  test::TempDir small;
  small.File("one.txt");
  small.File("two.txt");
  small.Folder("sub");
  TZQShellList* list = MakeList(true);
  list->GetFolder()->SetPathName(big_->Path());
  test::Pump(30);  // some of the first folder's items may be in
  list->GetFolder()->SetPathName(small.Path());
  ASSERT_TRUE(list->WaitForFill(10000));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"sub", "one", "two"}));
  test::Pump(300);  // nothing of the first fill arrives late
  EXPECT_EQ(Names(list), (std::vector<std::string>{"sub", "one", "two"}));
  EXPECT_EQ(list->GetFolder()->GetPathName(), small.Path());
}

// Destroying the form mid-fill ends the worker: no thread and no handle stays.
TEST_F(ListBackgroundFill, DestroyingTheFormMidFillLeavesNoThreadOrHandle) {
  {  // one fill first: what the shell and COM keep for the process is made once
    TZQShellList* list = MakeList(true);
    list->GetFolder()->SetPathName(big_->Path());
    ASSERT_TRUE(list->WaitForFill(20000));
    list->Free();
  }
  test::Pump(100);
  const int threads = ThreadCount();
  const DWORD handles = HandleCount();
  for (int round = 0; round < 3; ++round) {
    test::TestForm other{320, 220};
    auto* list = new TZQShellList(other.Get());
    list->SetParent(other.Get());
    TZQShellListOptions options = list->GetOptions();
    options.Include(zqsloBackgroundFill);
    options.Exclude(zqsloDynamicRefresh);
    list->SetOptions(options);
    list->GetFolder()->SetPathName(big_->Path());
    EXPECT_TRUE(list->IsFilling());
    test::Pump(round * 20);
  }  // the form goes here, its list with it
  test::Pump(100);
  EXPECT_EQ(ThreadCount(), threads);
  EXPECT_EQ(HandleCount(), handles);
}
