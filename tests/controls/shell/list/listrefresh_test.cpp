#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

#include <fstream>
#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Forms.h"
#include "tests/support/ChangeDelays.h"
#include "tests/support/FillModes.h"
#include "tests/support/ListItems.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"

using namespace korvane;
using test::Captions;

namespace {

int IndexOf(TCustomListView* list, const std::string& caption) {
  const std::vector<std::string> all = Captions(list);
  const auto at = std::find(all.begin(), all.end(), caption);
  return at == all.end() ? -1 : static_cast<int>(at - all.begin());
}

void Append(const std::string& path, std::size_t bytes) {
  std::ofstream(path, std::ios::app | std::ios::binary) << std::string(bytes, 'x');
}

// A report list of root: a.txt, b.txt, c.txt, d.txt (5 bytes each). Fills
// and merges are counted apart: a merge fires OnFillStart without FillList.
class ListRefresh : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    for (const char* n : {"a.txt", "b.txt", "c.txt", "d.txt"}) dir.File(n, 5);
    list = new TZQShellList(form.Get());
    list->SetBounds(0, 0, 400, 280);
    list->SetViewStyle(vsReport);
    list->SetParent(form.Get());
    list->OnFillStart = [this](TObject*) { ++starts; };
    test::SetFillMode(list, GetParam());
    list->GetFolder()->SetPathName(dir.Path());
    ASSERT_EQ(Captions(test::Filled(list)), (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "d.txt"}));
    starts = 0;
  }
  void TearDown() override {
    ZQSH_CHANGE_NOTIFY_DELAY = 2000;
    ZQSH_CHANGE_NOTIFY_FASTDELAY = 400;
  }
  test::TempDir dir;
  test::TestForm form{420, 300};
  TZQShellList* list = nullptr;
  int starts = 0;
};

}  // namespace

KORVANE_IN_BOTH_FILL_MODES(ListRefresh);

TEST_P(ListRefresh, ABurstOfChangesGivesOneMergeAfterTheLastWithoutTheFocus) {
  ASSERT_FALSE(list->Focused());
  dir.File("e.txt");
  test::Pump(300);
  dir.File("f.txt");
  test::Pump(300);
  dir.File("g.txt");
  test::Pump(1000);
  EXPECT_EQ(starts, 0);  // 2000 ms after the last change, not yet
  ASSERT_TRUE(test::PumpUntil([&] { return starts > 0; }, 6000));
  test::Pump(300);
  EXPECT_EQ(starts, 1);
  // New items are appended after the shown ones, without a new sort.
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt", "g.txt"}));
}

TEST_P(ListRefresh, FocusedADeletionGoesSoonAndSelectionFocusAndModifiedItemsStay) {
  list->SetFocus();
  ASSERT_TRUE(test::PumpUntil([&] { return list->Focused(); }, 2000));
  list->GetItems()->GetItem(IndexOf(list, "c.txt"))->SetSelected(true);
  list->GetItems()->GetItem(IndexOf(list, "d.txt"))->SetFocused(true);
  TZQShListData* cRecord = list->GetShListData(IndexOf(list, "c.txt"));
  ASSERT_EQ(test::ItemText(list, IndexOf(list, "c.txt"), 1), "1KB");

  // A modified file is the same item: its place, selection and record stay; its texts are new.
  ZQSH_CHANGE_NOTIFY_DELAY = 60000;  // only the focused delay can end within the wait below
  Append(dir / "c.txt", 3000);
  DeleteFileA((dir / "b.txt").c_str());
  const bool gone = test::PumpUntil([&] { return IndexOf(list, "b.txt") < 0; }, 5000);
  // Test processes share one desktop: those that take the focus do not run beside this one (CTest's lock).
  ASSERT_TRUE(gone) << "the list " << (list->Focused() ? "kept" : "lost") << " the focus";
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"a.txt", "c.txt", "d.txt"}));
  TListItem* c = list->GetItems()->GetItem(1);
  EXPECT_TRUE(c->GetSelected());
  EXPECT_EQ(list->GetShListData(1), cRecord);
  EXPECT_EQ(test::ItemText(list, 1, 1), "3KB");
  EXPECT_EQ(list->GetItemFocused(), list->GetItems()->GetItem(2));
  EXPECT_EQ(list->GetSelCount(), 1);

  // A renamed file is another item: it leaves its place and comes back at the end.
  MoveFileA((dir / "a.txt").c_str(), (dir / "z-renamed.txt").c_str());
  const bool back = test::PumpUntil([&] { return IndexOf(list, "z-renamed.txt") >= 0; }, 3000);
  ASSERT_TRUE(back) << "the list " << (list->Focused() ? "kept" : "lost") << " the focus";
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"c.txt", "d.txt", "z-renamed.txt"}));
}

TEST_P(ListRefresh, AFilteredEmptyListFillsTheOptionAndTheIgnoreFlagStopMerges) {
  list->SetFileFilter("*.none");
  ASSERT_EQ(test::Filled(list)->GetItems()->GetCount(), 0);
  starts = 0;
  list->SetFocus();
  dir.File("x.none");
  ASSERT_TRUE(test::PumpUntil([&] { return list->GetItems()->GetCount() == 1; }, 3000));
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"x.none"}));
  list->SetFileFilter("");
  test::Filled(list);

  // Off: no watching. On: watching again.
  TZQShellListOptions options = list->GetOptions();
  options.Exclude(zqsloDynamicRefresh);
  list->SetOptions(options);
  starts = 0;
  dir.File("y.txt");
  test::Pump(1200);
  EXPECT_EQ(starts, 0);
  EXPECT_LT(IndexOf(list, "y.txt"), 0);
  options.Include(zqsloDynamicRefresh);
  list->SetOptions(options);
  dir.File("z.txt");
  ASSERT_TRUE(test::PumpUntil([&] { return IndexOf(list, "z.txt") >= 0; }, 3000));
  EXPECT_GE(IndexOf(list, "y.txt"), 0);  // the merge finds everything new

  // The list's own change is not acted on.
  list->SetIgnoreNextChange(true);
  starts = 0;
  dir.File("own.txt");
  test::Pump(1200);
  EXPECT_EQ(starts, 0);
}

TEST_P(ListRefresh, SynchronizeRunsAPendingMergeAndADeviceArrivalMerges) {
  list->SetFocus();
  dir.File("e.txt");
  ASSERT_TRUE(test::PumpUntil([&] { return list->GetRefreshTimer()->GetEnabled(); }, 3000));
  list->Synchronize(true);  // what opening an item does first
  EXPECT_FALSE(list->GetRefreshTimer()->GetEnabled());
  EXPECT_GE(IndexOf(list, "e.txt"), 0);

  // A device arrival (posted as the system would) merges what changed meanwhile.
  TZQShellListOptions options = list->GetOptions();
  options.Exclude(zqsloDynamicRefresh);
  list->SetOptions(options);
  dir.File("f.txt");
  test::Pump(200);
  starts = 0;
  SendMessageA(ZQDeviceChangeHandler()->GetHandle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
  ASSERT_TRUE(test::PumpUntil([&] { return starts > 0; }, 2000));  // handed on from the message loop
  EXPECT_EQ(starts, 1);
  EXPECT_GE(IndexOf(list, "f.txt"), 0);
}

TEST(ListRefreshBurst, TenThousandChangesGiveOneMerge) {
  test::TempDir dir;
  dir.File("a.txt");
  test::TestForm form{300, 200};
  auto* list = new TZQShellList(form.Get());
  list->SetParent(form.Get());
  list->GetFolder()->SetPathName(dir.Path());
  test::PumpUntil([&] { return list->GetItems()->GetCount() == 1; });
  const test::ChangeDelays delays(300);
  int merges = 0;
  list->OnFillStart = [&](TObject*) { ++merges; };
  dir.File("b.txt");
  // The watcher posts one message per change; a burst restarts the delay each time.
  for (int i = 0; i < 10000; ++i) PostMessageA(list->GetHandle(), AM_CHANGENOTIFY, 0, 0);
  EXPECT_TRUE(test::PumpUntil([&] { return list->GetItems()->GetCount() == 2; }, 10000));
  test::Pump(600);
  EXPECT_EQ(merges, 1);
}

// A merge of a few changes repaints the rows it changed; one of many repaints everything.
TEST_P(ListRefresh, AMergeRepaintsTheRowsItChanged) {
  TZQShellListOptions options = list->GetOptions();
  options.Exclude(zqsloDynamicRefresh);
  list->SetOptions(options);
  const HWND wnd = list->GetHandle();
  auto rowInvalid = [&](int index) {
    RECT row = {};
    row.left = LVIR_BOUNDS;
    SendMessageA(wnd, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    const bool invalid = GetUpdateRgn(wnd, update, FALSE) != NULLREGION && RectInRegion(update, &row);
    DeleteObject(update);
    return invalid;
  };
  UpdateWindow(wnd);
  ASSERT_FALSE(rowInvalid(2));

  Append(dir / "c.txt", 3000);
  list->RefreshItems();
  EXPECT_TRUE(rowInvalid(IndexOf(list, "c.txt")));
  UpdateWindow(wnd);
  EXPECT_EQ(test::ItemText(list, IndexOf(list, "c.txt"), 1), "3KB");

  for (int i = 0; i < 12; ++i) dir.File("new" + std::to_string(i) + ".txt");
  list->RefreshItems();
  EXPECT_TRUE(rowInvalid(0));
  EXPECT_EQ(list->GetItems()->GetCount(), 16);
}
