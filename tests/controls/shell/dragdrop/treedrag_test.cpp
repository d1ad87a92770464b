#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/SysUtils.h"
#include "tests/controls/shell/dragdrop/DragFixture.h"
#include "tests/support/BlockData.h"
#include "tests/support/Platform.h"
#include "tests/support/TreeNodes.h"

using namespace korvane;
using test::Child;

namespace {

POINT NodeCenter(TTreeNode* node) { return test::Center(node->DisplayRect(true)); }

// root: alpha, beta, notes.txt; the tree shows root without watching it.
class TreeDrag : public ::testing::Test, public test::DragForm {
protected:
  void SetUp() override {
    dir.Folder("alpha");
    dir.Folder("beta");
    dir.File("notes.txt", 5);
    tree = new TZQShellTree(form.Get());
    tree->SetBounds(0, 0, 300, 260);
    tree->SetParent(form.Get());
    tree->SetOptions(tree->GetOptions() - TZQShellTreeOptions{zqstoDynamicRefresh});
    tree->GetBaseFolder()->SetPathName(dir.Path());
    top = tree->GetItems()->GetFirstNode();
    ASSERT_NE(top, nullptr);
    alpha = Child(top, "alpha");
    ASSERT_NE(alpha, nullptr);
  }
  // Drags alpha with the left button onto the drop window; the script ends the drag.
  void DragAlpha(std::vector<std::function<void()>> script) {
    test::HeldButton button(VK_LBUTTON);
    test::TimedSteps steps(std::move(script));
    tree->SetDragSourceNode(alpha);
    tree->OleBeginDrag(mbLeft);
  }
  test::TempDir dir;
  TZQShellTree* tree = nullptr;
  TTreeNode* top = nullptr;
  TTreeNode* alpha = nullptr;
};

}  // namespace

TEST_F(TreeDrag, ANodeDroppedOnAWindowOffersTheShellFormatsAndTheTreeRefreshes) {
  test::RecordingDropTarget target;
  test::DropWindow window(&target, DropRect());
  dir.Folder("gamma");  // unseen until a refresh: nothing watches the folder
  const POINT at = DropPoint();
  DragAlpha({[&] { SetCursorPos(at.x, at.y); }, [&] { SetCursorPos(at.x, at.y); },
             [&] { test::HeldButton(VK_LBUTTON).Release(); }});
  EXPECT_EQ(target.enters, 1);
  EXPECT_EQ(target.drops, 1);
  test::ExpectShellFormatsAndEffects(target);
  EXPECT_TRUE(AnsiSameText(target.text, dir / "alpha" + "\r\n")) << target.text;
  EXPECT_NE(Child(top, "gamma"), nullptr);  // the refresh after the drop
  EXPECT_EQ(tree->GetDropTarget(), nullptr);
}

TEST_F(TreeDrag, EscapeCancelsWithoutARefreshUnlessAChangeArrivedDuringTheDrag) {
  test::RecordingDropTarget target;
  test::DropWindow window(&target, DropRect());
  dir.Folder("gamma");
  const POINT at = DropPoint();
  DragAlpha({[&] { SetCursorPos(at.x, at.y); }, [&] { SetCursorPos(at.x, at.y); }});  // then Escape
  EXPECT_EQ(target.drops, 0);
  EXPECT_EQ(target.leaves, target.enters);
  EXPECT_EQ(Child(top, "gamma"), nullptr);

  // A change notified during the drag waits for its end, which refreshes although it was cancelled.
  DragAlpha({[&] { SetCursorPos(at.x, at.y); },
             [&] { PostMessageA(tree->GetHandle(), AM_CHANGENOTIFY, 0, 0); },
             [&] { EXPECT_EQ(Child(top, "gamma"), nullptr) << "refreshed during the drag"; }});
  EXPECT_EQ(target.drops, 0);
  EXPECT_NE(Child(top, "gamma"), nullptr);
}

TEST_F(TreeDrag, TheBeginDragNotificationStartsADragOnlyWithTheOptionAndNotForTheTopNode) {
  test::RecordingDropTarget target;
  test::DropWindow window(&target, DropRect());
  const POINT at = DropPoint();
  auto notify = [&](TTreeNode* node, UINT code) {
    NMTREEVIEWA nm = {};
    nm.hdr.hwndFrom = tree->GetHandle();
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(tree->GetHandle()));
    nm.hdr.code = code;
    nm.itemNew.hItem = node->GetItemId();
    nm.itemNew.mask = TVIF_HANDLE;
    test::HeldButton left(VK_LBUTTON), right(VK_RBUTTON);
    if (code == TVN_BEGINDRAGA) right.Release();
    else left.Release();
    test::TimedSteps steps({[&] { SetCursorPos(at.x, at.y); }, [&] {
                              EXPECT_EQ(tree->GetDropTarget(), node) << "the dragged node is marked";
                              test::HeldButton(VK_LBUTTON).Release();
                              test::HeldButton(VK_RBUTTON).Release();
                            }});
    SendMessageA(form->GetHandle(), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
  };
  notify(alpha, TVN_BEGINDRAGA);
  EXPECT_EQ(target.drops, 1);
  notify(alpha, TVN_BEGINRDRAGA);  // the right button drags too
  EXPECT_EQ(target.drops, 2);
  EXPECT_EQ(tree->GetDropTarget(), nullptr);
  notify(top, TVN_BEGINDRAGA);  // the top-level node has no parent to hand it over from
  EXPECT_EQ(target.enters, 2);
  tree->SetOptions(tree->GetOptions() - TZQShellTreeOptions{zqstoOleDrag});
  EXPECT_TRUE(GetWindowLongA(tree->GetHandle(), GWL_STYLE) & TVS_DISABLEDRAGDROP);
  notify(alpha, TVN_BEGINDRAGA);
  EXPECT_EQ(target.enters, 2);
}

TEST_F(TreeDrag, DroppingOntoNodesGoesThroughTheFolderTargetKeptWhileThePointerStays) {
  TComPtr<IDataObject> shellData = test::ShellDataOf(dir.Path(), {"notes.txt"});
  ASSERT_TRUE(shellData);
  test::CountingData data(shellData.Get());
  test::ScriptedDropSource source;
  TTreeNode* beta = Child(top, "beta");
  const HWND wnd = tree->GetHandle();
  int asksOnEntry = -1;
  TTreeNode* markedOverBeta = nullptr;
  TTreeNode* markedOverNothing = alpha;
  DWORD overBeta = 0, overNothing = 1;
  test::TimedSteps steps({
      [&] { test::PointAt(wnd, NodeCenter(beta)); },
      [&] { asksOnEntry = data.gets + data.queries; },
      [&] { test::PointAt(wnd, NodeCenter(beta)); },
      [&] {
        markedOverBeta = tree->GetDropTarget();
        overBeta = source.feedback;
        // Many moves over one node: its target was asked for once and entered once.
        EXPECT_EQ(data.gets + data.queries, asksOnEntry);
        test::PointAt(wnd, POINT{150, 250});  // below the last node
      },
      [&] {
        markedOverNothing = tree->GetDropTarget();
        overNothing = source.feedback;
        test::PointAt(wnd, NodeCenter(beta));
      },
      [&] { source.drop = true; },
  });
  // Control held: a copy, which a folder offers for any shell data.
  test::HeldButton control(VK_CONTROL);
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
  control.Release();
  EXPECT_EQ(hr, DRAGDROP_S_DROP);
  EXPECT_EQ(markedOverBeta, beta);
  EXPECT_EQ(overBeta, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(markedOverNothing, nullptr);
  EXPECT_EQ(overNothing, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(tree->GetDropTarget(), nullptr);
  EXPECT_EQ(data.Refs(), 1u);
  // Windows copies or moves the file into beta. Wine: a folder's drop target
  // takes the drop but copies nothing (its Drop is a stub).
  const bool arrived = GetFileAttributesA((dir / "beta\\notes.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
  EXPECT_EQ(arrived, test::WindowsElseWine(true, false));
}

TEST_F(TreeDrag, NearTheBottomTheTreeScrollsAtMostEveryDelayAndLeaveGivesEveryReferenceBack) {
  for (int i = 0; i < 40; ++i) dir.Folder("many" + std::to_string(100 + i));
  tree->RefreshNodes();
  ASSERT_GT(top->GetCount(), 40);
  auto* object = new TDataObject_shtv(tree, alpha);
  object->AddRef();
  const TComPtr<IDataObject> data = TComPtr<IDataObject>::Attach(object);
  const ULONG before = test::RefCount(data.Get());
  const HWND wnd = tree->GetHandle();
  RECT client;
  GetClientRect(wnd, &client);
  const POINT nearBottom = test::ScreenPoint(wnd, POINT{client.right / 2, client.bottom - 4});
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(tree->OnDropTarget_DragEnter(data.Get(), MK_LBUTTON, nearBottom, effect), S_OK);
  EXPECT_GT(test::RefCount(data.Get()), before);  // held while it hovers
  int scrolls = 0;
  TTreeNode* topItem = tree->GetTopItem();
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 350) {
    effect = DROPEFFECT_COPY;
    tree->OnDropTarget_DragOver(MK_LBUTTON, nearBottom, effect);
    EXPECT_TRUE(effect & DROPEFFECT_SCROLL);
    if (tree->GetTopItem() != topItem) ++scrolls, topItem = tree->GetTopItem();
  }
  EXPECT_GE(scrolls, 2);
  EXPECT_LE(scrolls, 4);  // one line per 100 ms at most
  EXPECT_EQ(tree->OnDropTarget_DragLeave(), S_OK);
  EXPECT_EQ(test::RefCount(data.Get()), before);
  EXPECT_EQ(tree->GetDropTarget(), nullptr);

  // A drop on empty space drops nothing and says so.
  test::TempDir other;
  auto* small = new TZQShellTree(form.Get());
  small->SetBounds(0, 0, 300, 260);
  small->SetParent(form.Get());
  small->GetBaseFolder()->SetPathName(other.Path());
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  const POINT empty = test::ScreenPoint(small->GetHandle(), POINT{150, 200});
  EXPECT_EQ(small->OnDropTarget_DragEnter(data.Get(), MK_LBUTTON, empty, effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(small->OnDropTarget_Drop(data.Get(), 0, empty, effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(test::RefCount(data.Get()), before);
}

TEST_F(TreeDrag, ForeignDataWithBadCountsOrOffsetsDropsNothing) {
  TIdListPtr drives;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives), S_OK);
  const test::Bytes parent = test::ListBytes(drives.Get());
  const test::Bytes item = {6, 0, 'x', 'y', 'z', 'w', 0, 0};  // any item
  const test::Bytes good = test::Cida(parent, {item});
  test::Bytes hugeCount = good;
  hugeCount[3] = 0x7F;
  test::Bytes offsetPastEnd = good;
  offsetPastEnd[9] = 0xFF;
  TTreeNode* beta = Child(top, "beta");
  const POINT over = test::ScreenPoint(tree->GetHandle(), NodeCenter(beta));
  auto* target = new TDropTarget_shtv(tree);
  target->AddRef();
  for (const test::Bytes& block : {hugeCount, offsetPastEnd}) {
    test::TBlockData data(block);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON, POINTL{over.x, over.y}, &effect), S_OK);
    EXPECT_EQ(effect & 7, 0u) << block.size();
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragOver(MK_LBUTTON, POINTL{over.x, over.y}, &effect);
    EXPECT_EQ(effect & 7, 0u) << block.size();
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(&data, 0, POINTL{over.x, over.y}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << block.size();
  }
  // Well laid out, but the parent is a file, which binds to no folder: the
  // attributes of the items cannot be asked, and nothing is dropped.
  TIdListPtr file;
  ASSERT_EQ(ShellGetIdListFromPath(dir / "notes.txt", file), S_OK);
  test::TBlockData unbindable(test::Cida(test::ListBytes(file.Get()), {item}));
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  target->DragEnter(&unbindable, MK_LBUTTON, POINTL{over.x, over.y}, &effect);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->Drop(&unbindable, 0, POINTL{over.x, over.y}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(target->Release(), 0u);
}

TEST_F(TreeDrag, DataThatNamesNoItemOrIsSwappedAtTheDropNeverReachesTheShell) {
  TIdListPtr folder, file;
  ASSERT_EQ(ShellGetIdListFromPath(dir.Path(), folder), S_OK);
  ASSERT_EQ(ShellGetIdListFromPath(dir / "notes.txt", file), S_OK);
  TZQIdListArray levels(file.Get());
  const test::Bytes parent = test::ListBytes(folder.Get());
  const test::Bytes good = test::Cida(parent, {test::ListBytes(levels.GetItem(levels.GetCount() - 1))});
  test::Bytes hugeCount = good;
  hugeCount[3] = 0x7F;
  const POINTL over = [&] {
    const POINT p = test::ScreenPoint(tree->GetHandle(), NodeCenter(Child(top, "beta")));
    return POINTL{p.x, p.y};
  }();
  const DWORD keys = MK_LBUTTON | MK_CONTROL;  // a copy, which the shell's folder target offers for real items
  auto* target = new TDropTarget_shtv(tree);
  target->AddRef();
  {
    test::TBlockData real(good);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(&real, keys, over, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));  // the shell answers for data that names items
    // Another object at the drop, on the same place: it is checked like the one entered.
    test::TBlockData swapped(hugeCount);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->Drop(&swapped, 0, over, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  }
  // S_OK from GetData, but no block: a null handle, another medium, or a block of no items.
  const test::Bytes noItems = test::Cida(parent, {});
  const struct {
    test::Bytes block;
    test::TBlockData::TMedium medium;
  } cases[] = {{good, test::TBlockData::kNullGlobal},
               {good, test::TBlockData::kStream},
               {good, test::TBlockData::kNullMedium},
               {noItems, test::TBlockData::kGlobal}};
  for (const auto& c : cases) {
    test::TBlockData data(c.block, true, c.medium);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(&data, keys, over, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << c.medium;
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->Drop(&data, 0, over, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << c.medium;
  }
  EXPECT_EQ(target->Release(), 0u);
}

TEST_F(TreeDrag, ATargetOutlivingItsTreeAnswersNoneAndTheHoveredDataIsReleased) {
  auto* object = new TDataObject_shtv(tree, alpha);
  object->AddRef();
  const TComPtr<IDataObject> data = TComPtr<IDataObject>::Attach(object);
  const ULONG before = test::RefCount(data.Get());
  auto* target = new TDropTarget_shtv(tree);
  target->AddRef();
  {
    TZQDropRegistration registration;
    ASSERT_TRUE(registration.Register(form->GetHandle(), TComPtr<TZQShellDropTarget>::Share(target)));
    DWORD effect = DROPEFFECT_COPY;
    const POINT over = test::ScreenPoint(tree->GetHandle(), NodeCenter(alpha));
    target->DragEnter(data.Get(), MK_LBUTTON, POINTL{over.x, over.y}, &effect);
  }
  delete tree;  // mid-hover: the tree lets the data go
  tree = nullptr;
  EXPECT_EQ(test::RefCount(data.Get()), before);
  DWORD effect = DROPEFFECT_COPY;
  EXPECT_EQ(target->DragEnter(data.Get(), MK_LBUTTON, POINTL{0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(target->Release(), 0u);
}

TEST_F(TreeDrag, DropsReachTheTreeOnlyWhileTheOptionIsOnAndNeverInDesignMode) {
  auto* object = new TDataObject_shtv(tree, alpha);
  object->AddRef();
  const TComPtr<IDataObject> data = TComPtr<IDataObject>::Attach(object);
  const HWND wnd = tree->GetHandle();
  TTreeNode* beta = Child(top, "beta");
  // A drag over beta answers whether the tree's registered target saw it.
  auto hovered = [&] {
    test::ScriptedDropSource source;
    TTreeNode* marked = nullptr;
    test::TimedSteps steps({[&] { test::PointAt(wnd, NodeCenter(beta)); },
                            [&] { test::PointAt(wnd, NodeCenter(beta)); },
                            [&] {
                              marked = tree->GetDropTarget();
                              source.cancel = true;
                            }});
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data.Get(), &source, DROPEFFECT_COPY, &effect);
    return marked == beta;
  };
  EXPECT_TRUE(hovered());
  tree->SetOptions(tree->GetOptions() - TZQShellTreeOptions{zqstoOleDrop});
  EXPECT_FALSE(hovered());
  tree->SetOptions(tree->GetOptions() + TZQShellTreeOptions{zqstoOleDrop});
  EXPECT_TRUE(hovered());

  // A tree in design mode registers nothing, on creation or when the option comes on.
  auto* designed = new TZQShellTree(form.Get());
  designed->SetDesigning(true);
  designed->SetOptions(designed->GetOptions() - TZQShellTreeOptions{zqstoOleDrop});
  designed->SetBounds(0, 0, 300, 260);
  designed->SetParent(form.Get());
  designed->HandleNeeded();
  designed->SetOptions(designed->GetOptions() + TZQShellTreeOptions{zqstoOleDrop});
  test::RecordingDropTarget probe;
  EXPECT_EQ(RegisterDragDrop(designed->GetHandle(), &probe), S_OK) << "the window had a target already";
  RevokeDragDrop(designed->GetHandle());
  EXPECT_EQ(RegisterDragDrop(wnd, &probe), DRAGDROP_E_ALREADYREGISTERED);
}
