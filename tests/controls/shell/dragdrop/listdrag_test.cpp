#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/SysUtils.h"
#include "tests/controls/shell/dragdrop/DragFixture.h"
#include "tests/support/BlockData.h"
#include "tests/support/FillModes.h"
#include "tests/support/ListItems.h"
#include "tests/support/Platform.h"

using namespace korvane;
using test::Captions;
using test::ItemNamed;
using test::SelectOnly;

namespace {

POINT ItemCenter(TListItem* item) { return test::Center(item->DisplayRect(drLabel)); }

// root: alpha, beta, data.bin, notes.txt in a report view that does not watch the folder.
class ListDrag : public ::testing::TestWithParam<bool>, public test::DragForm {
protected:
  void SetUp() override {
    dir.Folder("alpha");
    dir.Folder("beta");
    dir.File("notes.txt", 5);
    dir.File("data.bin", 3000);
    list = new TZQShellList(form.Get());
    list->SetBounds(0, 0, 320, 260);
    list->SetParent(form.Get());
    list->SetViewStyle(vsReport);
    list->SetOptions(list->GetOptions() - TZQShellListOptions{zqsloDynamicRefresh});
    test::SetFillMode(list, GetParam());
    list->GetFolder()->SetPathName(dir.Path());
    ASSERT_EQ(test::Filled(list)->GetItems()->GetCount(), 4);
  }
  // Starts a drag as the list view reports one, with the button held for the script.
  void NotifyBeginDrag(UINT code, std::vector<std::function<void()>> script) {
    test::HeldButton button(code == LVN_BEGINRDRAG ? VK_RBUTTON : VK_LBUTTON);
    test::TimedSteps steps(std::move(script));
    NMLISTVIEW nm = {};
    nm.hdr.hwndFrom = list->GetHandle();
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list->GetHandle()));
    nm.hdr.code = code;
    nm.iItem = list->GetSelected() ? list->GetSelected()->GetIndex() : -1;
    SendMessageA(form->GetHandle(), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
  }
  POINT Background() const { return POINT{160, 240}; }
  test::TempDir dir;
  TZQShellList* list = nullptr;
};

}  // namespace

KORVANE_IN_BOTH_FILL_MODES(ListDrag);

TEST_P(ListDrag, SelectedItemsGoInIndexOrderAndTheListIsRefreshedAndSortedAfterTheDrop) {
  test::RecordingDropTarget target;
  test::DropWindow window(&target, DropRect());
  const POINT at = DropPoint();
  SelectOnly(list, {"notes.txt", "data.bin"});
  dir.File("middle.txt");  // unseen until a refresh: nothing watches the folder
  NotifyBeginDrag(LVN_BEGINDRAG, {[&] { SetCursorPos(at.x, at.y); }, [&] { SetCursorPos(at.x, at.y); },
                                  [&] { test::HeldButton(VK_LBUTTON).Release(); }});
  EXPECT_EQ(target.drops, 1);
  test::ExpectShellFormatsAndEffects(target);
  EXPECT_TRUE(AnsiSameText(target.text, dir / "data.bin" + "\r\n" + dir / "notes.txt" + "\r\n")) << target.text;
  // Refreshed, and the new item sorted into place.
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"alpha", "beta", "data.bin", "middle.txt", "notes.txt"}));

  // One selected item travels alone, also with the right button.
  SelectOnly(list, {"alpha"});
  NotifyBeginDrag(LVN_BEGINRDRAG, {[&] { SetCursorPos(at.x, at.y); }, [&] { SetCursorPos(at.x, at.y); },
                                   [&] { test::HeldButton(VK_RBUTTON).Release(); }});
  EXPECT_EQ(target.drops, 2);
  EXPECT_TRUE(AnsiSameText(target.text, dir / "alpha" + "\r\n")) << target.text;
}

TEST_P(ListDrag, EscapeDropsNothingAndOnlyAChangeThatArrivedMeanwhileRefreshes) {
  test::RecordingDropTarget target;
  test::DropWindow window(&target, DropRect());
  const POINT at = DropPoint();
  SelectOnly(list, {"notes.txt"});
  dir.File("middle.txt");
  NotifyBeginDrag(LVN_BEGINDRAG, {[&] { SetCursorPos(at.x, at.y); }, [&] { SetCursorPos(at.x, at.y); }});
  EXPECT_EQ(target.drops, 0);
  EXPECT_EQ(ItemNamed(list, "middle.txt"), nullptr);

  NotifyBeginDrag(LVN_BEGINDRAG, {[&] { SetCursorPos(at.x, at.y); },
                                  [&] { PostMessageA(list->GetHandle(), AM_CHANGENOTIFY, 0, 0); },
                                  [&] { EXPECT_EQ(ItemNamed(list, "middle.txt"), nullptr) << "during the drag"; }});
  EXPECT_EQ(target.drops, 0);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"alpha", "beta", "data.bin", "middle.txt", "notes.txt"}));

  // Without OLE dragging the notification starts nothing.
  list->SetOptions(list->GetOptions() - TZQShellListOptions{zqsloOleDrag});
  const int entered = target.enters;
  NotifyBeginDrag(LVN_BEGINDRAG, {[&] { SetCursorPos(at.x, at.y); }});
  EXPECT_EQ(target.enters, entered);
}

TEST_P(ListDrag, HoveringMarksFolderItemsAndTheBackgroundDropsIntoTheFolder) {
  test::TempDir other;
  other.File("incoming.txt", 4);
  TComPtr<IDataObject> inner = test::ShellDataOf(other.Path(), {"incoming.txt"});
  test::CountingData data(inner.Get());
  test::ScriptedDropSource source;
  const HWND wnd = list->GetHandle();
  TListItem* alpha = ItemNamed(list, "alpha");
  TListItem* notes = ItemNamed(list, "notes.txt");
  bool alphaMarked = false, notesMarked = true, anyMarkedOverBackground = true;
  DWORD overAlpha = 0, overBackground = 0;
  auto marked = [&] {
    for (int i = 0; i < list->GetItems()->GetCount(); ++i)
      if (list->GetItems()->GetItem(i)->GetDropTarget()) return true;
    return false;
  };
  test::TimedSteps steps({
      [&] { test::PointAt(wnd, ItemCenter(alpha)); },
      [&] { test::PointAt(wnd, ItemCenter(alpha)); },
      [&] {
        alphaMarked = alpha->GetDropTarget();
        overAlpha = source.feedback;
        test::PointAt(wnd, ItemCenter(notes));
      },
      [&] {
        notesMarked = notes->GetDropTarget();
        test::PointAt(wnd, Background());
      },
      [&] {
        anyMarkedOverBackground = marked();
        overBackground = source.feedback;
        test::PointAt(wnd, ItemCenter(alpha));
      },
      [&] { source.drop = true; },
  });
  test::HeldButton control(VK_CONTROL);  // a copy, which a folder offers for any shell data
  DWORD effect = DROPEFFECT_NONE;
  EXPECT_EQ(DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
  control.Release();
  EXPECT_TRUE(alphaMarked);
  EXPECT_EQ(overAlpha, static_cast<DWORD>(DROPEFFECT_COPY));
  // Windows gives a text document no drop target: the folder's own takes the
  // drop and nothing is marked. Wine answers the folder's target for any item
  // asked about, so the document is marked as a target.
  EXPECT_EQ(notesMarked, test::WindowsElseWine(false, true));
  EXPECT_FALSE(anyMarkedOverBackground);
  EXPECT_EQ(overBackground, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_FALSE(marked());
  EXPECT_EQ(data.Refs(), 1u);
  // Windows copies the file into alpha. Wine: a folder's drop target takes
  // the drop but copies nothing (its Drop is a stub).
  const bool arrived = GetFileAttributesA((dir / "alpha\\incoming.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
  EXPECT_EQ(arrived, test::WindowsElseWine(true, false));
}

TEST_P(ListDrag, ItsOwnItemsOnItsOwnBackgroundAreRefusedExceptARightDragWhichCopies) {
  test::RecordingDropTarget target;
  target.answer = DROPEFFECT_NONE;
  test::DropWindow window(&target, DropRect());
  const POINT at = DropPoint();
  SelectOnly(list, {"notes.txt"});
  auto* object = new TDataObject_shlv(list);
  object->AddRef();
  const TComPtr<IDataObject> data = TComPtr<IDataObject>::Attach(object);
  const POINT background = test::ScreenPoint(list->GetHandle(), Background());
  DWORD left = 1, right = 0, rightOver = 0;
  // The list's own drag goes on over the drop window; the list is asked directly meanwhile.
  NotifyBeginDrag(LVN_BEGINDRAG, {[&] { SetCursorPos(at.x, at.y); }, [&] {
                                    DWORD e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
                                    list->OnDropTarget_DragEnter(data.Get(), MK_LBUTTON, background, e);
                                    left = e;
                                    list->OnDropTarget_DragLeave();
                                    e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
                                    list->OnDropTarget_DragEnter(data.Get(), MK_RBUTTON, background, e);
                                    right = e;
                                    e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
                                    list->OnDropTarget_DragOver(MK_RBUTTON, background, e);
                                    rightOver = e;
                                    list->OnDropTarget_DragLeave();
                                  }});
  EXPECT_EQ(left, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(right, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(rightOver & ~static_cast<DWORD>(DROPEFFECT_SCROLL), static_cast<DWORD>(DROPEFFECT_COPY));
  // Another source's data over the background goes to the folder itself.
  test::HeldButton control(VK_CONTROL);
  DWORD e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  list->OnDropTarget_DragEnter(data.Get(), MK_LBUTTON | MK_CONTROL, background, e);
  EXPECT_EQ(e, static_cast<DWORD>(DROPEFFECT_COPY));
  list->OnDropTarget_DragLeave();
}

TEST_P(ListDrag, NearTheBottomTheListScrollsAtMostEveryDelayAndForeignBadDataDropsNothing) {
  for (int i = 0; i < 60; ++i) dir.File("many" + std::to_string(100 + i) + ".txt");
  list->RefreshItems();
  ASSERT_GT(list->GetItems()->GetCount(), 60);
  SelectOnly(list, {"notes.txt"});
  auto* object = new TDataObject_shlv(list);
  object->AddRef();
  const TComPtr<IDataObject> data = TComPtr<IDataObject>::Attach(object);
  const ULONG before = test::RefCount(data.Get());
  RECT client;
  GetClientRect(list->GetHandle(), &client);
  const POINT nearBottom = test::ScreenPoint(list->GetHandle(), POINT{client.right / 2, client.bottom - 4});
  DWORD effect = DROPEFFECT_COPY;
  list->OnDropTarget_DragEnter(data.Get(), MK_LBUTTON, nearBottom, effect);
  auto topIndex = [&] { return static_cast<int>(SendMessageA(list->GetHandle(), LVM_GETTOPINDEX, 0, 0)); };
  int scrolls = 0, top = topIndex();
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 350) {
    effect = DROPEFFECT_COPY;
    list->OnDropTarget_DragOver(MK_LBUTTON, nearBottom, effect);
    EXPECT_TRUE(effect & DROPEFFECT_SCROLL);
    if (topIndex() != top) ++scrolls, top = topIndex();
  }
  EXPECT_GE(scrolls, 2);
  EXPECT_LE(scrolls, 4);  // one line per 100 ms at most
  list->OnDropTarget_DragLeave();
  EXPECT_EQ(test::RefCount(data.Get()), before);

  TIdListPtr drives;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives), S_OK);
  const test::Bytes good = test::Cida(test::ListBytes(drives.Get()), {{6, 0, 'x', 'y', 'z', 'w', 0, 0}});
  test::Bytes hugeCount = good, offsetPastEnd = good;
  hugeCount[3] = 0x7F;
  offsetPastEnd[9] = 0xFF;
  const POINT overAlpha = test::ScreenPoint(list->GetHandle(), ItemCenter(ItemNamed(list, "alpha")));
  auto* target = new TDropTarget_shlv(list);
  target->AddRef();
  for (const test::Bytes& block : {hugeCount, offsetPastEnd}) {
    test::TBlockData bad(block);
    for (POINT p : {overAlpha, test::ScreenPoint(list->GetHandle(), Background())}) {
      DWORD e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
      EXPECT_EQ(target->DragEnter(&bad, MK_LBUTTON, POINTL{p.x, p.y}, &e), S_OK);
      EXPECT_EQ(e & 7, 0u);
      e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
      EXPECT_EQ(target->Drop(&bad, 0, POINTL{p.x, p.y}, &e), S_OK);
      EXPECT_EQ(e, static_cast<DWORD>(DROPEFFECT_NONE));
    }
  }
  EXPECT_EQ(target->Release(), 0u);
}
