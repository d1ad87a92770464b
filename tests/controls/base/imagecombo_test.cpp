#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "korvane/controls/base/Uzqimagecombo.h"
#include "korvane/host/Handles.h"
#include "tests/support/Dib.h"
#include "tests/support/Platform.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {
// A 16 x 16 icon of one colour, fully opaque.
TIconHandle SolidIcon(COLORREF colour) {
  test::Dib colourBits(16, 16, colour);
  test::Dib mask(16, 16, RGB(0, 0, 0));
  const TGdiObject c(CreateCompatibleBitmap(colourBits.Dc(), 16, 16));
  const TGdiObject m(CreateBitmap(16, 16, 1, 1, nullptr));
  {
    const TMemoryDC dc(CreateCompatibleDC(nullptr));
    const TSelectObject sel(dc.Get(), c.Get());
    BitBlt(dc.Get(), 0, 0, 16, 16, colourBits.Dc(), 0, 0, SRCCOPY);
  }
  {
    const TMemoryDC dc(CreateCompatibleDC(nullptr));
    const TSelectObject sel(dc.Get(), m.Get());
    PatBlt(dc.Get(), 0, 0, 16, 16, BLACKNESS);  // black mask: every pixel opaque
  }
  ICONINFO info = {TRUE, 0, 0, static_cast<HBITMAP>(m.Get()), static_cast<HBITMAP>(c.Get())};
  return TIconHandle(CreateIconIndirect(&info));
}

struct ImageComboFixture : ::testing::Test {
  void SetUp() override {
    images = new TImageList(form.Get());
    images->SetSize(16, 16);
    images->AddIcon(SolidIcon(RGB(255, 0, 0)).Get());
    images->AddIcon(SolidIcon(RGB(0, 0, 255)).Get());
    ASSERT_TRUE(images->Overlay(1, 0));
    combo = new TZQImageCombo(form.Get());
    combo->SetParent(form.Get());
    combo->SetImageList(images);
    combo->OnDeleteImageItem = [this](TObject*, TZQImageComboItem* item) { deleted.push_back(item); };
  }
  // Draws entry index into a fresh DIB as the control asks for it.
  void Draw(test::Dib& dib, int index, UINT state) {
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_COMBOBOX;
    dis.itemID = static_cast<UINT>(index);
    dis.itemState = state;
    dis.hwndItem = combo->GetHandle();
    dis.hDC = dib.Dc();
    dis.rcItem = {0, 0, dib.Width(), dib.Height()};
    combo->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  }
  test::TestForm form;
  TImageList* images = nullptr;
  TZQImageCombo* combo = nullptr;
  std::vector<TZQImageComboItem*> deleted;
};
}  // namespace

TEST_F(ImageComboFixture, EntriesAreIndentedOnlyInTheDroppedListAndOnlyTheTextIsHighlighted) {
  const COLORREF window = GetSysColor(COLOR_WINDOW), highlight = GetSysColor(COLOR_HIGHLIGHT);
  TZQImageComboItem* item = combo->AddItem("alpha", 0, 2);
  EXPECT_EQ(item->GetEntryIndex(), 0);
  test::Dib list(200, 18), box(200, 18);
  Draw(list, 0, 0);
  // Indent 2 x 12 pixels + 2: the image spans 26..41 in the list.
  EXPECT_EQ(list.Pixel(26, 9), RGB(255, 0, 0));
  EXPECT_EQ(list.Pixel(41, 9), RGB(255, 0, 0));
  EXPECT_EQ(list.Pixel(25, 9), window);
  EXPECT_EQ(list.Pixel(42, 9), window);
  Draw(box, 0, ODS_COMBOBOXEDIT);  // the closed box: no indentation
  EXPECT_EQ(box.Pixel(2, 9), RGB(255, 0, 0));
  EXPECT_EQ(box.Pixel(1, 9), window);

  // Selected: the text rectangle from 16 + 4 + 1 = 21 is highlighted, the rest of the row is not.
  test::Dib selected(200, 18);
  Draw(selected, 0, ODS_SELECTED | ODS_COMBOBOXEDIT);
  EXPECT_EQ(selected.Pixel(21, 1), highlight);
  EXPECT_EQ(selected.Pixel(20, 1), window);
  EXPECT_EQ(selected.Pixel(190, 9), window);

  // The overlay is drawn over the image.
  item->SetOverlayIndex(0);
  test::Dib overlaid(200, 18);
  Draw(overlaid, 0, ODS_COMBOBOXEDIT);
  EXPECT_EQ(overlaid.Pixel(9, 9), RGB(0, 0, 255));

  // No caption: only the image; no image (-1) with a list: the text still starts after its width.
  item->SetCaption("");
  test::Dib bare(200, 18);
  Draw(bare, 0, ODS_SELECTED | ODS_COMBOBOXEDIT);
  EXPECT_EQ(bare.Pixel(21, 1), window);
  item->SetCaption("alpha");
  item->SetImageIndex(-1);
  item->SetOverlayIndex(-1);
  test::Dib noImage(200, 18);
  Draw(noImage, 0, ODS_SELECTED | ODS_COMBOBOXEDIT);
  EXPECT_EQ(noImage.Pixel(9, 9), window);
  EXPECT_EQ(noImage.Pixel(21, 1), highlight);
}

TEST_F(ImageComboFixture, HeightFollowsFontAndImagesAndEntriesSurviveIt) {
  for (int i = 0; i < 3; ++i) combo->AddItem("entry", 0, i);
  EXPECT_GE(combo->GetItemHeight(), 16);  // never below the image list's height
  combo->GetFont()->SetHeight(-30);
  TEXTMETRICA tm = {};
  {
    const TWindowDC screen(nullptr);
    const TSelectObject sel(screen.Get(), combo->GetFont()->GetHandle());
    GetTextMetricsA(screen.Get(), &tm);
  }
  EXPECT_EQ(combo->GetItemHeight(), tm.tmHeight + 2);
  // The selection field took the same height; Wine answers it with 2 added for its border.
  EXPECT_EQ(SendMessageA(combo->GetHandle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0),
            test::WindowsElseWine(tm.tmHeight + 2, tm.tmHeight + 4));
  combo->SetItemHeight2(40);
  EXPECT_EQ(combo->GetItemHeight(), 40);
  combo->RecreateWnd();
  EXPECT_TRUE(deleted.empty());  // no entry is lost to a change of height or a new window
  ASSERT_EQ(SendMessageA(combo->GetHandle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(combo->GetImageComboItem(2)->GetIndent(), 2);

  // The new window's font sized the entries again; without auto-sizing a font leaves them.
  EXPECT_EQ(combo->GetItemHeight(), tm.tmHeight + 2);
  combo->SetAutoSizeHeight(false);
  combo->SetItemHeight2(40);
  combo->GetFont()->SetHeight(-12);
  EXPECT_EQ(combo->GetItemHeight(), 40);
}

TEST_F(ImageComboFixture, EveryEntryIsFreedOnceWhenRemovedClearedOrDestroyed) {
  TZQImageComboItem* a = combo->AddItem("a", 0, 0);
  TZQImageComboItem* b = combo->AddItem("b", 0, 0);
  TZQImageComboItem* c = combo->AddItem("c", 0, 0);
  combo->GetItems()->Delete(1);
  EXPECT_EQ(deleted, (std::vector<TZQImageComboItem*>{b}));
  combo->GetItems()->Clear();
  ASSERT_EQ(deleted.size(), 3u);
  EXPECT_NE(std::find(deleted.begin(), deleted.end(), a), deleted.end());
  EXPECT_NE(std::find(deleted.begin(), deleted.end(), c), deleted.end());
  deleted.clear();
  combo->AddItem("d", 0, 0);
  combo->AddItem("e", 0, 0);
  std::vector<TZQImageComboItem*> atDestruction;
  combo->OnDeleteImageItem = [&](TObject*, TZQImageComboItem* item) { atDestruction.push_back(item); };
  combo->Free();
  EXPECT_EQ(atDestruction.size(), 2u);
}

TEST(ZQCombobox, EndOfDropDownNotificationsAndOwnerDrawnHeightOnly) {
  test::TestForm form;
  auto* combo = new TZQCombobox(form.Get());
  combo->SetParent(form.Get());
  std::vector<std::string> seen;
  combo->OnSelEndOk = [&](TObject*) { seen.push_back("ok"); };
  combo->OnSelEndCancel = [&](TObject*) { seen.push_back("cancel"); };
  combo->OnCloseUp = [&](TObject*) { seen.push_back("closeup"); };
  const HWND wnd = combo->GetHandle();
  for (WORD code : {CBN_SELENDOK, CBN_SELENDCANCEL, CBN_CLOSEUP})
    SendMessageA(form->GetHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), code), reinterpret_cast<LPARAM>(wnd));
  EXPECT_EQ(seen, (std::vector<std::string>{"ok", "cancel", "closeup"}));

  const int before = combo->GetItemHeight();
  combo->SetItemHeight2(before + 10);  // not owner-drawn: nothing changes
  EXPECT_EQ(combo->GetItemHeight(), before);
  int deletions = 0;
  combo->OnDeleteItem = [&](TObject*, void*) { ++deletions; };
  TObject data;
  combo->GetItems()->AddObject("x", &data);
  combo->GetItems()->Delete(0);
  EXPECT_EQ(deletions, 1);  // the entry's object reached the hook
}
