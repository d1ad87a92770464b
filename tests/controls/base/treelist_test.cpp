#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "korvane/controls/base/Uzqtreelist.h"
#include "korvane/host/Menus.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {
struct Stage {
  DWORD stage;
  bool hasItem;
};

TZQTreeView* MakeTree(test::TestForm& form, int nodes = 3) {
  auto* tree = new TZQTreeView(form.Get());
  tree->SetBounds(0, 0, 200, 150);
  tree->SetColor(clWhite);
  tree->SetParent(form.Get());
  for (int i = 0; i < nodes; ++i) tree->GetItems()->AddChild(nullptr, "NodeWWWWWW" + std::to_string(i));
  return tree;
}

// Pixels inside r that are not the background.
int Ink(const TBitmap& b, const RECT& r, COLORREF background) {
  int n = 0;
  for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, b.GetHeight()); ++y)
    for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, b.GetWidth()); ++x)
      if (b.PixelRGB(x, y) != background) ++n;
  return n;
}

bool Reddish(COLORREF c) { return GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90; }
}  // namespace

TEST(ZQCustomDraw, TheItemEventSeesItemPrePaintOnlyAndTheExEventEveryStage) {
  test::TestForm form;
  TZQTreeView* tree = MakeTree(form);
  std::vector<Stage> plain, ex;
  tree->OnZQCustomDraw = [&](TObject* s, TZQCustomDraw* cd, TTreeNode* n) {
    EXPECT_EQ(s, tree);
    plain.push_back({cd->GetRawDrawStage(), n != nullptr});
  };
  test::Snapshot(*tree);
  ASSERT_FALSE(plain.empty());
  for (const Stage& s : plain) {
    EXPECT_EQ(s.stage, static_cast<DWORD>(CDDS_ITEMPREPAINT));
    EXPECT_TRUE(s.hasItem);
  }
  tree->OnZQCustomDraw = nullptr;
  tree->OnZQCustomDrawEx = [&](TObject*, TZQCustomDraw* cd, TTreeNode* n) {
    ex.push_back({cd->GetRawDrawStage(), n != nullptr});
    EXPECT_EQ(cd->IsItem(), n != nullptr);
  };
  test::Snapshot(*tree);
  bool prePaint = false, itemPrePaint = false;
  for (const Stage& s : ex) {
    prePaint = prePaint || s.stage == CDDS_PREPAINT;
    itemPrePaint = itemPrePaint || s.stage == CDDS_ITEMPREPAINT;
    if (!(s.stage & CDDS_ITEM)) {
      EXPECT_FALSE(s.hasItem);
    }
  }
  EXPECT_TRUE(prePaint);
  EXPECT_TRUE(itemPrePaint);
}

TEST(ZQCustomDraw, SkipDefaultLeavesTheItemUnpaintedAndAFontColourReachesTheText) {
  test::TestForm form;
  TZQTreeView* tree = MakeTree(form);
  TTreeNode* second = tree->GetItems()->GetItem(1);
  auto shot = test::Snapshot(*tree);
  const RECT text = second->DisplayRect(true);
  const COLORREF white = RGB(255, 255, 255);
  ASSERT_GT(Ink(*shot, text, white), 0);  // drawn by default

  tree->OnZQCustomDraw = [&](TObject*, TZQCustomDraw* cd, TTreeNode* n) {
    if (n == second) cd->SkipDefault = true;
  };
  shot = test::Snapshot(*tree);
  EXPECT_EQ(Ink(*shot, text, white), 0);
  EXPECT_GT(Ink(*shot, tree->GetItems()->GetItem(0)->DisplayRect(true), white), 0);

  tree->OnZQCustomDraw = [&](TObject*, TZQCustomDraw* cd, TTreeNode* n) {
    if (n == second) cd->GetFont()->SetColor(clRed);
  };
  shot = test::Snapshot(*tree);
  int red = 0, redElsewhere = 0;
  for (int y = 0; y < shot->GetHeight(); ++y)
    for (int x = 0; x < shot->GetWidth(); ++x) {
      if (!Reddish(shot->PixelRGB(x, y))) continue;
      const POINT p = {x, y};
      (PtInRect(&text, p) ? red : redElsewhere)++;
    }
  EXPECT_GT(red, 0);
  EXPECT_EQ(redElsewhere, 0);
}

namespace {
// A report list whose header is drawn by the package.
struct HeaderFixture {
  explicit HeaderFixture(test::TestForm& form) {
    list = new TZQListView(form.Get());
    list->SetBounds(0, 0, 380, 200);
    list->SetParent(form.Get());
    list->SetViewStyle(vsReport);
    TListColumn* name = list->GetColumns()->Add();
    name->SetCaption("Name");
    name->SetWidth(150);
    TListColumn* size = list->GetColumns()->Add();
    size->SetCaption("Size");
    size->SetWidth(120);
    size->SetAlignment(taRightJustify);
    TListColumn* narrow = list->GetColumns()->Add();
    narrow->SetCaption("N");
    narrow->SetWidth(18);
    test::Pump(20);
  }
  RECT Item(int i) {
    RECT r;
    SendMessageA(list->GetHeaderHandle(), HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    InflateRect(&r, -2, -2);
    return r;
  }
  // The columns (x) where arrow shadow pixels are, inside column i.
  std::vector<int> ShadowColumns(const TBitmap& b, int i) {
    const RECT r = Item(i);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    std::vector<int> xs;
    for (int x = r.left; x < r.right; ++x)
      for (int y = r.top; y < r.bottom; ++y)
        if (b.PixelRGB(x, y) == shadow) {
          xs.push_back(x);
          break;
        }
    return xs;
  }
  TZQListView* list;
};
}  // namespace

TEST(ZQListHeader, TheSortArrowStandsWhereEachModePutsIt) {
  test::TestForm form(400, 220);
  HeaderFixture h(form);
  ASSERT_TRUE(h.list->GetHeaderHandle());
  HDITEMA item = {};
  item.mask = HDI_FORMAT;
  SendMessageA(h.list->GetHeaderHandle(), HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(item.fmt & HDF_OWNERDRAW);
  EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);

  // No sort column: captions only, in every mode.
  for (TZQLvHeaderSortDisplayMode mode : {zqlvNone, zqlvLeftAlign, zqlvRightOfText, zqlvRightAlign}) {
    h.list->SetHeaderSortDisplayMode(mode);
    auto shot = test::Snapshot(h.list->GetHeaderHandle());
    for (int c = 0; c < 3; ++c) EXPECT_TRUE(h.ShadowColumns(*shot, c).empty()) << mode << " " << c;
  }

  h.list->SetHeaderSortColumn(0);
  const RECT name = h.Item(0);
  h.list->SetHeaderSortDisplayMode(zqlvLeftAlign);
  auto shot = test::Snapshot(h.list->GetHeaderHandle());
  std::vector<int> xs = h.ShadowColumns(*shot, 0);
  ASSERT_FALSE(xs.empty());
  EXPECT_LT(xs.front(), name.left + 8);  // at the left edge of the text area

  h.list->SetHeaderSortDisplayMode(zqlvRightAlign);
  shot = test::Snapshot(h.list->GetHeaderHandle());
  xs = h.ShadowColumns(*shot, 0);
  ASSERT_FALSE(xs.empty());
  EXPECT_GT(xs.front(), name.right - 30);  // at the right edge

  h.list->SetHeaderSortDisplayMode(zqlvRightOfText);
  shot = test::Snapshot(h.list->GetHeaderHandle());
  xs = h.ShadowColumns(*shot, 0);
  ASSERT_FALSE(xs.empty());
  EXPECT_GT(xs.front(), name.left + 20);   // after "Name"
  EXPECT_LT(xs.back(), name.left + 90);

  // A right-justified sort column: the arrow right of its text area, the caption left of it.
  h.list->SetHeaderSortColumn(1);
  shot = test::Snapshot(h.list->GetHeaderHandle());
  EXPECT_TRUE(h.ShadowColumns(*shot, 0).empty());
  const RECT size = h.Item(1);
  xs = h.ShadowColumns(*shot, 1);
  ASSERT_FALSE(xs.empty());
  EXPECT_GT(xs.front(), size.right - 30);

  // A column not wider than twice the glyph box gets no arrow.
  h.list->SetHeaderSortColumn(2);
  shot = test::Snapshot(h.list->GetHeaderHandle());
  EXPECT_TRUE(h.ShadowColumns(*shot, 2).empty());

  // Descending points up: its highlight runs along the bottom; ascending's shadow along the top.
  h.list->SetHeaderSortColumn(0);
  h.list->SetHeaderSortDisplayMode(zqlvLeftAlign);
  auto rowCount = [&](const TBitmap& b, COLORREF colour) {
    int best = 0;
    for (int y = name.top; y < name.bottom; ++y) {
      int n = 0;
      for (int x = name.left; x < name.left + 20; ++x) n += b.PixelRGB(x, y) == colour;
      best = std::max(best, n);
    }
    return best;
  };
  auto asc = test::Snapshot(h.list->GetHeaderHandle());
  h.list->SetHeaderSortDirection(zqsdDesc);
  auto desc = test::Snapshot(h.list->GetHeaderHandle());
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_GE(rowCount(*asc, shadow), 6);   // the down arrow's top edge
  EXPECT_GE(rowCount(*desc, light), 6);   // the up arrow's bottom edge
  EXPECT_LT(rowCount(*desc, shadow), 6);

  // Back to plain string items, keeping their justification.
  h.list->SetHeaderSortDisplayMode(zqlvNone);
  SendMessageA(h.list->GetHeaderHandle(), HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_FALSE(item.fmt & HDF_OWNERDRAW);
  EXPECT_TRUE(item.fmt & HDF_STRING);
  EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
}

// Columns changed in code, and header items reset behind the list's back
// (the header notifies with its Unicode codes), keep the package's drawing.
TEST(ZQListHeader, TheArrowSurvivesColumnsChangedInCode) {
  test::TestForm form(400, 220);
  HeaderFixture h(form);
  h.list->SetHeaderSortColumn(0);
  h.list->GetColumns()->GetItem(0)->SetWidth(170);
  h.list->GetColumns()->GetItem(1)->SetCaption("Bytes");
  h.list->GetColumns()->GetItem(1)->SetAlignment(taCenter);
  auto ownerDrawn = [&](int i) {
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    SendMessageA(h.list->GetHeaderHandle(), HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    return (item.fmt & HDF_OWNERDRAW) != 0;
  };
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(ownerDrawn(i)) << i;
  auto shot = test::Snapshot(h.list->GetHeaderHandle());
  EXPECT_FALSE(h.ShadowColumns(*shot, 0).empty());

  HDITEMA plain = {};
  plain.mask = HDI_FORMAT;
  plain.fmt = HDF_STRING | HDF_LEFT;
  SendMessageA(h.list->GetHeaderHandle(), HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&plain));
  EXPECT_TRUE(ownerDrawn(0));
  shot = test::Snapshot(h.list->GetHeaderHandle());
  EXPECT_FALSE(h.ShadowColumns(*shot, 0).empty());
}

// Column changes inside an update bracket reach the control at its end, and the
// header is owner-drawn again then (arrow pixels).
TEST(ZQListHeader, ColumnsChangedInABracketReachTheControlAtItsEnd) {
  test::TestForm form(400, 220);
  HeaderFixture h(form);
  h.list->SetHeaderSortColumn(1);
  TListColumns* columns = h.list->GetColumns();
  auto bracket = std::make_unique<TListColumnsUpdate>(columns);
  columns->GetItem(1)->SetWidth(90);
  columns->GetItem(1)->SetCaption("Bytes");
  TListColumn* added = columns->Add();
  added->SetCaption("Added");
  added->SetWidth(40);
  EXPECT_EQ(columns->GetItem(1)->GetWidth(), 90);  // the value set, not the control's old one
  EXPECT_EQ(SendMessageA(h.list->GetHandle(), LVM_GETCOLUMNWIDTH, 1, 0), 120);
  bracket.reset();

  EXPECT_EQ(SendMessageA(h.list->GetHandle(), LVM_GETCOLUMNWIDTH, 1, 0), 90);
  EXPECT_EQ(SendMessageA(h.list->GetHandle(), LVM_GETCOLUMNWIDTH, 3, 0), 40);
  char text[32] = {};
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT | LVCF_FMT;
  col.pszText = text;
  col.cchTextMax = sizeof text;
  SendMessageA(h.list->GetHandle(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&col));
  EXPECT_STREQ(text, "Bytes");
  EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
  for (int i = 0; i < 4; ++i) {
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    SendMessageA(h.list->GetHeaderHandle(), HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(item.fmt & HDF_OWNERDRAW) << i;
  }
  const auto shot = test::Snapshot(h.list->GetHeaderHandle());
  EXPECT_FALSE(h.ShadowColumns(*shot, 1).empty());
}

TEST(ZQContextMenus, KeysWithoutASelectionPopThePlainMenuAtTheCorner) {
  test::TestForm form;
  TZQTreeView* tree = MakeTree(form);
  auto* menu = new TPopupMenu(form.Get());
  auto* item = new TMenuItem(form.Get());
  item->SetCaption("Plain");
  menu->GetItems()->Add(item);
  tree->SetPopupMenu(menu);
  int popups = 0, events = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  tree->OnNodeContextMenu = [&](TObject*, TTreeNode*, POINT&, TPopupMenu*&) { ++events; };
  ASSERT_EQ(tree->GetSelected(), nullptr);
  {
    test::ModalDriver driver(test::FindMenuWindow, test::CancelMenu);
    SendMessageA(tree->GetHandle(), WM_KEYDOWN, VK_APPS, 0);
    EXPECT_TRUE(driver.Acted());
  }
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(events, 0);
  const POINT corner = tree->ClientToScreen({0, 0});
  EXPECT_EQ(menu->GetPopupPoint().x, corner.x);
  EXPECT_EQ(menu->GetPopupPoint().y, corner.y);
  EXPECT_EQ(menu->GetPopupComponent(), tree);

  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  {
    test::ModalDriver driver(test::FindMenuWindow, test::CancelMenu);
    SendMessageA(tree->GetHandle(), WM_KEYDOWN, VK_F10, 0);
    EXPECT_TRUE(driver.Acted());
  }
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(popups, 2);
  EXPECT_EQ(events, 0);

  // With a selected node the event fires, at the centre of its text.
  TTreeNode* node = tree->GetItems()->GetItem(1);
  node->SetSelected(true);
  POINT at = {};
  tree->OnNodeContextMenu = [&](TObject*, TTreeNode* n, POINT& p, TPopupMenu*& m) {
    EXPECT_EQ(n, node);
    at = p;
    m = nullptr;  // no menu at all
  };
  SendMessageA(tree->GetHandle(), WM_KEYDOWN, VK_APPS, 0);
  const RECT r = node->DisplayRect(true);
  EXPECT_EQ(at.x, (r.left + r.right) / 2);
  EXPECT_EQ(at.y, (r.top + r.bottom) / 2);
  EXPECT_EQ(popups, 2);
}

TEST(ZQContextMenus, AHandlerClearingTheMenuSuppressesEveryMenuOfThatRightClick) {
  test::TestForm form;
  auto* list = new TZQListView(form.Get());
  list->SetBounds(0, 0, 300, 200);
  list->SetParent(form.Get());
  list->SetViewStyle(vsReport);
  list->GetColumns()->Add()->SetWidth(200);
  for (int i = 0; i < 3; ++i) list->GetItems()->Add()->SetCaption("item " + std::to_string(i));
  TListItem* target = list->GetItems()->GetItem(0);
  target->SetSelected(true);
  target->SetFocused(true);
  auto* menu = new TPopupMenu(form.Get());
  auto* mi = new TMenuItem(form.Get());
  mi->SetCaption("Auto");
  menu->GetItems()->Add(mi);
  list->SetPopupMenu(menu);
  int popups = 0, events = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  const RECT r = target->DisplayRect(drLabel);
  const POINT inside = {r.left + 5, (r.top + r.bottom) / 2};
  const POINT screen = list->ClientToScreen(inside);
  SetCursorPos(screen.x, screen.y);
  auto rightClick = [&] {
    PostMessageA(list->GetHandle(), WM_RBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
    SendMessageA(list->GetHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(inside.x, inside.y));
    test::Pump(50);
  };
  list->OnItemContextMenu = [&](TObject*, TListItem* item, POINT&, TPopupMenu*& m) {
    ++events;
    EXPECT_EQ(item, target);
    m = nullptr;
  };
  rightClick();
  EXPECT_EQ(events, 1);
  EXPECT_EQ(popups, 0);  // neither the event's menu nor the host's automatic one

  list->OnItemContextMenu = [&](TObject*, TListItem*, POINT&, TPopupMenu*&) { ++events; };
  {
    test::ModalDriver driver(test::FindMenuWindow, test::CancelMenu);
    rightClick();
  }
  EXPECT_EQ(events, 2);
  EXPECT_EQ(popups, 1);  // shown once, not a second time by the host
}

TEST(ZQScreenshot, AFormWithATreeAndAReportList) {
  test::TestForm form(520, 300, "Korvane tree and list");
  auto* tree = new TZQTreeView(form.Get());
  tree->SetBounds(8, 8, 180, 284);
  tree->SetParent(form.Get());
  TTreeNode* root = tree->GetItems()->AddChild(nullptr, "Desktop");
  TTreeNode* pc = tree->GetItems()->AddChild(root, "My Computer");
  tree->GetItems()->AddChild(pc, "(C:)");
  tree->GetItems()->AddChild(root, "Documents");
  tree->FullExpand();
  auto* list = new TZQListView(form.Get());
  list->SetBounds(196, 8, 316, 284);
  list->SetParent(form.Get());
  list->SetViewStyle(vsReport);
  for (auto [caption, width] : {std::pair{"Name", 130}, {"Size", 70}, {"Type", 100}}) {
    TListColumn* c = list->GetColumns()->Add();
    c->SetCaption(caption);
    c->SetWidth(width);
  }
  list->GetColumns()->GetItem(1)->SetAlignment(taRightJustify);
  for (auto [name, size, type] : {std::tuple{"readme.txt", "1KB", "Text Document"}, {"photo.png", "240KB", "PNG Image"}}) {
    TListItem* i = list->GetItems()->Add();
    i->SetCaption(name);
    i->GetSubItems()->Add(size);
    i->GetSubItems()->Add(type);
  }
  list->SetHeaderSortColumn(0);
  list->OnZQCustomDraw = [](TObject*, TZQCustomDraw* cd, TListItem* item) {
    if (item && item->GetIndex() == 1) cd->GetFont()->SetColor(clNavy);
  };
  test::Pump(50);
  // Into the build folder, whatever the current directory.
  std::string path = std::string(KORVANE_SCREENSHOT_DIR) + "\\treelist.png";
  for (char& c : path)
    if (c == '/') c = '\\';
  if (path[0] == '\\') path = "Z:" + path;
  test::SaveScreenshot(form->GetHandle(), path);
  WIN32_FILE_ATTRIBUTE_DATA fad;
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &fad)) << path;
  EXPECT_GT(fad.nFileSizeLow, 10000u);
  auto shot = test::Snapshot(*form);
  EXPECT_GT(Ink(*shot, {8, 8, 188, 292}, GetSysColor(COLOR_WINDOW)), 200);  // the tree shows its nodes
}

TEST(ZQTreeView, EachImageRequestRunsTheHookAndFiresTheEventsOnce) {
  test::TestForm form;
  struct TCounting : TZQTreeView {
    using TZQTreeView::TZQTreeView;
    int hook = 0;
    void GetImageIndex(TTreeNode* node) override {
      ++hook;
      TZQTreeView::GetImageIndex(node);
    }
  };
  auto* tree = new TCounting(form.Get());
  tree->SetParent(form.Get());
  tree->GetItems()->AddChild(nullptr, "only");
  int events = 0, selectedEvents = 0;
  tree->OnGetImageIndex = [&](TObject*, TTreeNode* n) {
    ++events;
    n->SetImageIndex(4);
  };
  tree->OnGetSelectedIndex = [&](TObject*, TTreeNode* n) {
    ++selectedEvents;
    n->SetSelectedIndex(5);
  };
  NMTVDISPINFOA di = {};
  di.hdr.hwndFrom = tree->GetHandle();
  di.hdr.code = TVN_GETDISPINFOA;
  di.item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  di.item.hItem = tree->GetItems()->GetFirstNode()->GetItemId();
  tree->hook = 0;
  SendMessageA(form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&di));
  EXPECT_EQ(events, 1);
  EXPECT_EQ(selectedEvents, 1);
  EXPECT_EQ(di.item.iImage, 4);
  EXPECT_EQ(di.item.iSelectedImage, 5);
  EXPECT_GE(tree->hook, 1);
  EXPECT_NE(tree->OnGetImageIndex, nullptr);  // restored after the host's handling
}

namespace {
COLORREF Colour(TWinControl* c, UINT msg) { return static_cast<COLORREF>(SendMessageA(c->GetHandle(), msg, 0, 0)); }
}  // namespace

TEST(ZQColours, ColoursReachTheNativeControls) {
  test::TestForm form;
  TZQTreeView* tree = MakeTree(form, 1);
  tree->SetColor(static_cast<TColor>(RGB(10, 20, 30)));
  EXPECT_EQ(Colour(tree, TVM_GETBKCOLOR), RGB(10, 20, 30));
  tree->SetColor(clNone);
  EXPECT_EQ(Colour(tree, TVM_GETBKCOLOR), CLR_NONE);  // a COLORREF: 0xFFFFFFFF on every architecture
  tree->GetFont()->SetColor(clMaroon);
  EXPECT_EQ(Colour(tree, TVM_GETTEXTCOLOR), RGB(128, 0, 0));
  tree->SetColor(clWindow);
  SendMessageA(tree->GetHandle(), TVM_SETBKCOLOR, 0, RGB(1, 2, 3));  // stale after a system colour change
  SendMessageA(tree->GetHandle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(Colour(tree, TVM_GETBKCOLOR), GetSysColor(COLOR_WINDOW));

  auto* list = new TZQListView(form.Get());
  list->SetParent(form.Get());
  list->SetColor(static_cast<TColor>(RGB(40, 50, 60)));
  EXPECT_EQ(Colour(list, LVM_GETBKCOLOR), RGB(40, 50, 60));
  EXPECT_EQ(Colour(list, LVM_GETTEXTBKCOLOR), RGB(40, 50, 60));
}
