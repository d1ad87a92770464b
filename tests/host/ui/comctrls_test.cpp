#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "korvane/host/ComCtrls.h"
#include "korvane/host/ImgList.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {
class TImageTree : public TCustomTreeView {
public:
  using TCustomTreeView::TCustomTreeView;
  std::vector<std::string> asked;

protected:
  void GetImageIndex(TTreeNode* node) override {
    asked.push_back(node->GetText());
    node->SetImageIndex(static_cast<int>(node->GetText().size()));
    TCustomTreeView::GetImageIndex(node);
  }
};
}  // namespace

TEST(TreeView, NodesDataImagesAndDeletion) {
  test::TestForm form;
  auto* tree = new TImageTree(form.Get());
  tree->SetBounds(0, 0, 200, 200);
  tree->SetParent(form.Get());
  int a = 1, b = 2;
  TTreeNode* root = tree->GetItems()->AddChildObject(nullptr, "root", &a);
  TTreeNode* kid = tree->GetItems()->AddChildObject(root, "kid", &b);
  tree->GetItems()->AddChild(root, "second");
  EXPECT_EQ(tree->GetItems()->GetCount(), 3);
  EXPECT_EQ(root->GetCount(), 2);
  EXPECT_EQ(kid->GetParent(), root);
  EXPECT_EQ(kid->GetData(), &b);
  EXPECT_EQ(kid->GetLevel(), 1);
  EXPECT_EQ(root->GetNext(), kid);
  EXPECT_EQ(tree->GetItems()->GetItem(2)->GetText(), "second");
  root->Expand(false);
  EXPECT_TRUE(root->GetExpanded());
  test::Snapshot(*tree);  // painting asks the node for its image
  EXPECT_NE(std::find(tree->asked.begin(), tree->asked.end(), "kid"), tree->asked.end());
  EXPECT_EQ(kid->GetImageIndex(), 3);

  std::vector<std::string> deleted;
  tree->OnDeletion = [&](TObject*, TTreeNode* n) { deleted.push_back(n->GetText()); };
  kid->Delete();
  EXPECT_EQ(deleted, (std::vector<std::string>{"kid"}));
  EXPECT_EQ(root->GetCount(), 1);
  tree->GetItems()->Clear();
  EXPECT_EQ(deleted.size(), 3u);
  EXPECT_EQ(tree->GetItems()->GetCount(), 0);
}

TEST(TreeView, EventsSortingAndANewWindow) {
  test::TestForm form;
  auto* tree = new TCustomTreeView(form.Get());
  tree->SetParent(form.Get());
  TTreeNode* c = tree->GetItems()->AddChild(nullptr, "cherry");
  TTreeNode* a = tree->GetItems()->AddChild(nullptr, "apple");
  tree->GetItems()->AddChild(a, "seed");
  std::vector<std::string> log;
  tree->OnChange = [&](TObject*, TTreeNode* n) { log.push_back("change " + n->GetText()); };
  tree->OnExpanding = [&](TObject*, TTreeNode* n, bool& allow) {
    log.push_back("expanding " + n->GetText());
    allow = n->GetText() != "cherry";
  };
  c->SetSelected(true);
  EXPECT_EQ(tree->GetSelected(), c);
  a->Expand(false);
  EXPECT_TRUE(a->GetExpanded());
  EXPECT_EQ(log, (std::vector<std::string>{"change cherry", "expanding apple"}));
  tree->AlphaSort(true);
  EXPECT_EQ(tree->GetItems()->GetFirstNode(), a);

  // The control holds each node's text: what it shows and edits, also after a new window.
  const auto shown = [&](TTreeNode* n) {
    char text[64] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = n->GetItemId();
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tree->GetHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return std::string(text);
  };
  EXPECT_EQ(shown(a), "apple");
  c->SetText("cherry pie");
  EXPECT_EQ(shown(c), "cherry pie");

  int deletions = 0;
  tree->OnDeletion = [&](TObject*, TTreeNode*) { ++deletions; };
  tree->RecreateWnd();  // the same node objects come back, nothing is deleted
  EXPECT_EQ(deletions, 0);
  EXPECT_EQ(tree->GetItems()->GetFirstNode(), a);
  EXPECT_EQ(a->GetFirstChild()->GetText(), "seed");
  EXPECT_EQ(shown(a->GetFirstChild()), "seed");
  EXPECT_EQ(shown(c), "cherry pie");
  EXPECT_TRUE(a->GetExpanded());
  EXPECT_EQ(tree->GetSelected(), c);
}

TEST(ListView, ReportItemsColumnsAndDeletion) {
  test::TestForm form;
  auto* list = new TCustomListView(form.Get());
  list->SetBounds(0, 0, 300, 200);
  list->SetParent(form.Get());
  list->SetViewStyle(vsReport);
  list->GetColumns()->Add()->SetCaption("Name");
  TListColumn* size = list->GetColumns()->Add();
  size->SetCaption("Size");
  size->SetAlignment(taRightJustify);
  for (const char* n : {"delta", "alpha", "charlie"}) {
    TListItem* item = list->GetItems()->Add();
    item->SetCaption(n);
    item->GetSubItems()->Add(std::to_string(std::string(n).size()) + " B");
  }
  ASSERT_EQ(list->GetItems()->GetCount(), 3);
  char buf[32] = {};
  LVITEMA lv = {};
  lv.iSubItem = 1;
  lv.pszText = buf;
  lv.cchTextMax = sizeof buf;
  SendMessageA(list->GetHandle(), LVM_GETITEMTEXTA, 2, reinterpret_cast<LPARAM>(&lv));
  EXPECT_STREQ(buf, "7 B");  // the sub-item, asked for through LVN_GETDISPINFO

  std::vector<std::string> selected;
  list->OnSelectItem = [&](TObject*, TListItem* i, bool s) {
    if (s) selected.push_back(i->GetCaption());
  };
  list->GetItems()->GetItem(1)->SetSelected(true);
  EXPECT_EQ(selected, (std::vector<std::string>{"alpha"}));
  EXPECT_EQ(list->GetSelected()->GetCaption(), "alpha");
  list->AlphaSort();
  EXPECT_EQ(list->GetItems()->GetItem(0)->GetCaption(), "alpha");

  int clicked = -1;
  list->OnColumnClick = [&](TObject*, TListColumn* c) { clicked = c->GetIndex(); };
  NMLISTVIEW nm = {};
  nm.hdr.hwndFrom = list->GetHandle();
  nm.hdr.code = LVN_COLUMNCLICK;
  nm.iItem = -1;
  nm.iSubItem = 1;
  SendMessageA(form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  EXPECT_EQ(clicked, 1);

  std::vector<std::string> deleted;
  list->OnDeletion = [&](TObject*, TListItem* i) { deleted.push_back(i->GetCaption()); };
  list->RecreateWnd();
  EXPECT_TRUE(deleted.empty());
  EXPECT_EQ(list->GetItems()->GetCount(), 3);
  EXPECT_EQ(list->GetColumns()->GetItem(1)->GetCaption(), "Size");
  list->GetItems()->Delete(0);
  EXPECT_EQ(deleted, (std::vector<std::string>{"alpha"}));
  list->GetItems()->Clear();
  EXPECT_EQ(deleted.size(), 3u);
}

// Items keep knowing where they stand through insertion in the middle,
// sorting and deletion; state given at insertion is the native item's state.
TEST(ListView, ItemsKnowTheirPlaceAndStartWithTheirState) {
  test::TestForm form;
  auto* list = new TCustomListView(form.Get());
  list->SetParent(form.Get());
  list->SetViewStyle(vsReport);
  std::vector<TListItem*> items;
  for (const char* n : {"d", "b", "e", "a"}) {
    items.push_back(list->GetItems()->Add());
    items.back()->SetCaption(n);
  }
  TListItem* c = list->GetItems()->Insert(2);
  c->SetCaption("c");
  // The native order, read by index, is what each item answers.
  auto expectPlaces = [&] {
    for (int i = 0; i < list->GetItems()->GetCount(); ++i) {
      LVITEMA lv = {};
      lv.mask = LVIF_PARAM;
      lv.iItem = i;
      SendMessageA(list->GetHandle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&lv));
      EXPECT_EQ(reinterpret_cast<TListItem*>(lv.lParam)->GetIndex(), i);
    }
  };
  expectPlaces();
  EXPECT_EQ(items[2]->GetIndex(), 3);  // moved down by the insertion
  list->AlphaSort();
  EXPECT_EQ(items[3]->GetIndex(), 0);
  EXPECT_EQ(items[2]->GetIndex(), 4);
  expectPlaces();
  list->GetItems()->Delete(0);
  list->GetItems()->Delete(1);
  expectPlaces();
  EXPECT_EQ(items[2]->GetIndex(), 2);

  int marker = 0;
  TListItem* shortcut = list->GetItems()->AddObject(&marker, {1, true});
  const int at = shortcut->GetIndex();
  const UINT state = static_cast<UINT>(
      SendMessageA(list->GetHandle(), LVM_GETITEMSTATE, static_cast<WPARAM>(at), LVIS_OVERLAYMASK | LVIS_CUT));
  EXPECT_EQ(state & LVIS_OVERLAYMASK, static_cast<UINT>(INDEXTOOVERLAYMASK(2)));
  EXPECT_TRUE(state & LVIS_CUT);
  EXPECT_EQ(shortcut->GetOverlayIndex(), 1);
  EXPECT_EQ(shortcut->GetData(), &marker);
  shortcut->SetOverlayIndex(-1);
  EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETITEMSTATE, static_cast<WPARAM>(at), LVIS_OVERLAYMASK), 0);

  // The live items are the ones the native control holds, through deletion and a new window.
  auto liveMatchesNative = [&] {
    std::vector<TListItem*> live = list->GetItems()->GetLiveItems(), native;
    for (int i = 0; i < list->GetItems()->GetCount(); ++i) {
      LVITEMA lv = {};
      lv.mask = LVIF_PARAM;
      lv.iItem = i;
      SendMessageA(list->GetHandle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&lv));
      native.push_back(reinterpret_cast<TListItem*>(lv.lParam));
    }
    std::sort(live.begin(), live.end());
    std::sort(native.begin(), native.end());
    EXPECT_EQ(live, native);
  };
  liveMatchesNative();
  EXPECT_EQ(list->GetItems()->GetLiveItems().size(), 4u);
  list->GetItems()->Delete(1);
  liveMatchesNative();
  list->RecreateWnd();
  list->HandleNeeded();
  liveMatchesNative();
  EXPECT_EQ(list->GetItems()->GetLiveItems().size(), 3u);
  list->GetItems()->Clear();
  EXPECT_TRUE(list->GetItems()->GetLiveItems().empty());
}

// Owner-data: the control holds only a count; texts and states come from the
// items by index, and selection and focus stay with their items as they move.
TEST(ListView, OwnerDataItemsMoveWithTheirSelectionAndFocus) {
  test::TestForm form;
  auto* list = new TCustomListView(form.Get());
  list->SetParent(form.Get());
  list->SetViewStyle(vsReport);
  list->GetColumns()->Add()->SetCaption("Name");
  list->SetOwnerData(true);
  ASSERT_TRUE(GetWindowLongPtrA(list->GetHandle(), GWL_STYLE) & LVS_OWNERDATA);
  std::vector<std::string> inserted, deleted;
  list->OnInsert = [&](TObject*, TListItem* i) { inserted.push_back(i->GetCaption()); };
  list->OnDeletion = [&](TObject*, TListItem* i) { deleted.push_back(i->GetCaption()); };
  const auto text = [&](int index) {
    const HWND wnd = list->GetHandle();
    char buf[32] = {};
    LVITEMA lv = {};
    lv.pszText = buf;
    lv.cchTextMax = sizeof buf;
    SendMessageA(wnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&lv));
    return std::string(buf);
  };
  const auto next = [&](int from, UINT flags) {
    return static_cast<int>(SendMessageA(list->GetHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(from), flags));
  };
  for (const char* n : {"d", "b", "e"}) {
    list->GetItems()->Add();  // the caption is set once the item is there, as an application does
    list->GetItems()->GetItem(list->GetItems()->GetCount() - 1)->SetCaption(n);
  }
  const HWND wnd = list->GetHandle();
  EXPECT_EQ(SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(text(2), "e");
  TListItem* b = list->GetItems()->GetItem(1);
  b->SetSelected(true);
  b->SetFocused(true);
  TListItem* a = list->GetItems()->Insert(0);
  a->SetCaption("a");
  EXPECT_EQ(b->GetIndex(), 2);
  EXPECT_EQ(next(-1, LVNI_SELECTED), 2);  // the control's selection moved with the item
  EXPECT_EQ(next(-1, LVNI_FOCUSED), 2);
  EXPECT_EQ(next(2, LVNI_SELECTED), -1);

  // States the control asks for, by index.
  b->SetCut(true);
  b->SetOverlayIndex(1);
  const UINT state = static_cast<UINT>(SendMessageA(wnd, LVM_GETITEMSTATE, 2, LVIS_CUT | LVIS_OVERLAYMASK | LVIS_SELECTED));
  EXPECT_EQ(state, LVIS_CUT | static_cast<UINT>(INDEXTOOVERLAYMASK(2)) | LVIS_SELECTED);

  // A new order: sorted, one item left out, one new; the selection follows b.
  list->AlphaSort();
  EXPECT_EQ(text(0) + text(1) + text(2) + text(3), "abde");
  EXPECT_EQ(next(-1, LVNI_SELECTED), 1);
  int marker = 0;
  TListItem* c = list->GetItems()->NewObject(&marker, {});
  c->SetCaption("c");
  std::vector<TListItem*> order;
  for (int i = 0; i < 4; ++i)
    if (list->GetItems()->GetItem(i)->GetCaption() != "d") order.push_back(list->GetItems()->GetItem(i));
  order.insert(order.begin() + 2, c);
  deleted.clear();
  inserted.clear();
  list->GetItems()->SetOrder(order);
  EXPECT_EQ(text(0) + text(1) + text(2) + text(3), "abce");
  EXPECT_EQ(deleted, (std::vector<std::string>{"d"}));
  EXPECT_EQ(inserted, (std::vector<std::string>{"c"}));
  EXPECT_EQ(next(-1, LVNI_SELECTED), 1);
  EXPECT_EQ(next(-1, LVNI_FOCUSED), 1);

  // Deleting above the selection, a new window, and back to native items: all kept.
  list->GetItems()->Delete(0);
  EXPECT_EQ(next(-1, LVNI_SELECTED), 0);
  list->RecreateWnd();
  EXPECT_EQ(list->GetItems()->GetCount(), 3);
  list->SetOwnerData(false);
  EXPECT_FALSE(GetWindowLongPtrA(list->GetHandle(), GWL_STYLE) & LVS_OWNERDATA);
  EXPECT_EQ(list->GetItems()->GetItem(1)->GetData(), &marker);
  EXPECT_EQ(text(0) + text(1) + text(2), "bce");
  deleted.clear();
  list->GetItems()->Clear();
  EXPECT_EQ(deleted.size(), 3u);
  EXPECT_TRUE(list->GetItems()->GetLiveItems().empty());
}

// An image list named before the window exists is installed when it is made,
// follows into a new window, and is dropped when the list is freed.
TEST(ImageListSlots, InstalledOnCreationAndDroppedWhenTheListIsFreed) {
  test::TestForm form;
  auto* list = new TCustomListView(form.Get());
  auto* tree = new TCustomTreeView(form.Get());
  auto* large = new TImageList(form.Get());
  auto* small = new TImageList(form.Get());
  large->SetSize(32, 32);
  small->SetSize(16, 16);
  list->SetLargeImages(large);
  list->SetSmallImages(small);
  tree->SetImages(small);
  tree->SetStateImages(large);
  list->SetParent(form.Get());
  tree->SetParent(form.Get());
  auto installed = [](TWinControl* c, UINT msg, WPARAM slot) {
    return reinterpret_cast<HIMAGELIST>(SendMessageA(c->GetHandle(), msg, slot, 0));
  };
  EXPECT_EQ(installed(list, LVM_GETIMAGELIST, LVSIL_NORMAL), large->GetHandle());
  EXPECT_EQ(installed(list, LVM_GETIMAGELIST, LVSIL_SMALL), small->GetHandle());
  EXPECT_EQ(installed(tree, TVM_GETIMAGELIST, TVSIL_NORMAL), small->GetHandle());
  EXPECT_EQ(installed(tree, TVM_GETIMAGELIST, TVSIL_STATE), large->GetHandle());

  tree->RecreateWnd();
  EXPECT_EQ(installed(tree, TVM_GETIMAGELIST, TVSIL_NORMAL), small->GetHandle());

  delete small;
  EXPECT_EQ(list->GetSmallImages(), nullptr);
  EXPECT_EQ(tree->GetImages(), nullptr);
  EXPECT_EQ(installed(list, LVM_GETIMAGELIST, LVSIL_SMALL), nullptr);
  EXPECT_EQ(installed(tree, TVM_GETIMAGELIST, TVSIL_NORMAL), nullptr);
  EXPECT_EQ(installed(list, LVM_GETIMAGELIST, LVSIL_NORMAL), large->GetHandle());
  EXPECT_EQ(list->GetLargeImages(), large);
}

TEST(ListView, IconsFilledInOneUpdateAreArrangedForTheScrollBarTheyBring) {
  test::TestForm form{600, 300};
  auto* list = new TCustomListView(form.Get());
  list->SetParent(form.Get());
  list->SetViewStyle(vsIcon);
  list->GetIconOptions()->SetAutoArrange(true);
  list->HandleNeeded();
  const HWND wnd = list->GetHandle();
  ASSERT_TRUE(GetWindowLongA(wnd, GWL_STYLE) & LVS_AUTOARRANGE);
  // A width where ten columns fit until the vertical scroll bar takes its room.
  const int spacing = LOWORD(SendMessageA(wnd, LVM_GETITEMSPACING, FALSE, 0));
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, 0, FALSE, static_cast<DWORD>(GetWindowLongA(wnd, GWL_EXSTYLE)));
  list->SetBounds(0, 0, 10 * spacing + 4 + (frame.right - frame.left), 280);
  {
    TListItemsUpdate bracket(list->GetItems());
    for (int i = 0; i < 300; ++i) list->GetItems()->Add()->SetCaption("i" + std::to_string(i));
  }
  RECT client;
  GetClientRect(wnd, &client);
  ASSERT_LT(client.right, 10 * spacing) << "the scroll bar came";
  std::vector<POINT> before(300);
  int widest = 0;
  for (int i = 0; i < 300; ++i) {
    SendMessageA(wnd, LVM_GETITEMPOSITION, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&before[static_cast<std::size_t>(i)]));
    widest = std::max(widest, static_cast<int>(before[static_cast<std::size_t>(i)].x));
  }
  EXPECT_LE(widest + spacing, client.right + spacing / 2) << "an icon column lies under the scroll bar";
  UpdateWindow(wnd);
  for (int i = 0; i < 300; i += 7) {
    POINT after;
    SendMessageA(wnd, LVM_GETITEMPOSITION, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&after));
    EXPECT_EQ(after.x, before[static_cast<std::size_t>(i)].x) << i;  // the paint moved nothing
    EXPECT_EQ(after.y, before[static_cast<std::size_t>(i)].y) << i;
  }
}
