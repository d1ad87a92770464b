#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "korvane/controls/base/Uzqframe.h"
#include "korvane/controls/base/Uzqsplitter.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/FormFile.h"
#include "korvane/host/Forms.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/StdCtrls.h"
#include "tests/support/Dib.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {
// What the window's client area holds now, without repainting it first.
std::unique_ptr<test::Dib> RawShot(HWND wnd) {
  RECT r;
  GetClientRect(wnd, &r);
  auto dib = std::make_unique<test::Dib>(r.right, r.bottom);
  const TWindowDC dc(wnd);
  BitBlt(dib->Dc(), 0, 0, r.right, r.bottom, dc.Get(), 0, 0, SRCCOPY);
  GdiFlush();
  return dib;
}

// Columns in which two shots differ.
std::vector<int> ChangedColumns(const test::Dib& a, const test::Dib& b) {
  std::vector<int> columns;
  for (int x = 0; x < a.Width(); ++x)
    for (int y = 0; y < a.Height(); ++y)
      if (a.Pixel(x, y) != b.Pixel(x, y)) {
        columns.push_back(x);
        break;
      }
  return columns;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

struct SplitterFixture : ::testing::Test {
  void SetUp() override {
    splitter = new TZQSplitter(form.Get());
    splitter->SetParent(form.Get());
  }
  RECT Pane(int i) { return splitter->GetPane(i)->GetBoundsRect(); }
  test::TestForm form{420, 300};
  TZQSplitter* splitter = nullptr;
};
}  // namespace

TEST_F(SplitterFixture, NewSplitterLayoutClampingAndNames) {
  EXPECT_EQ(splitter->GetWidth(), 200);
  EXPECT_EQ(splitter->GetHeight(), 140);
  EXPECT_EQ(splitter->GetPosition(), 65);
  EXPECT_EQ(splitter->GetSplitterWidth(), 3);
  const RECT client = splitter->GetClientRect();
  EXPECT_EQ(Pane(0).left, 0);
  EXPECT_EQ(Pane(0).right, 65);
  EXPECT_EQ(Pane(1).left, 68);  // after the 3-pixel bar
  EXPECT_EQ(Pane(1).right, client.right);
  EXPECT_EQ(Pane(1).bottom, client.bottom);

  splitter->SetPane1MinSize(20);
  splitter->SetPane2MinSize(20);
  EXPECT_EQ(splitter->GetPosition(), 65);  // a minimum alone does not move the bar
  splitter->SetPosition(10);
  EXPECT_EQ(splitter->GetPosition(), 20);
  splitter->SetPosition(190);
  EXPECT_EQ(splitter->GetPosition(), 180);

  splitter->SetStyle(zqstHorizontal);
  splitter->SetPosition(50);
  EXPECT_EQ(Pane(0).bottom, 50);
  EXPECT_EQ(Pane(0).right, client.right);
  EXPECT_EQ(Pane(1).top, 53);

  splitter->SetName("Split");
  EXPECT_EQ(splitter->GetPane(0)->GetName(), "Split_pane1");
  EXPECT_EQ(splitter->GetPane(1)->GetName(), "Split_pane2");
}

TEST_F(SplitterFixture, ProportionalResizeAndSwappingPanes) {
  splitter->SetPosition(100);
  splitter->SetWidth(400);  // a real SetWindowPos: WM_SIZE lays out again
  EXPECT_EQ(splitter->GetPosition(), 200);
  EXPECT_EQ(Pane(1).left, 203);

  splitter->SetProportional(false);
  splitter->SetWidth(200);
  EXPECT_EQ(splitter->GetPosition(), 200);  // kept as stored...
  EXPECT_EQ(Pane(0).right, 180);            // ...and clamped for the layout only (pane 2's minimum of 20)
  splitter->SetWidth(400);
  EXPECT_EQ(Pane(0).right, 200);  // the stored position comes back

  splitter->SetWidth(200);
  splitter->SetProportional(true);
  splitter->SetPosition(50);
  TZQPane* first = splitter->GetPane(0);
  TZQPane* second = splitter->GetPane(1);
  splitter->SwapPanes(true);
  EXPECT_EQ(splitter->GetPosition(), 150);
  EXPECT_EQ(splitter->GetPane(0), second);
  EXPECT_EQ(second->GetIndex(), 0);
  EXPECT_EQ(first->GetIndex(), 1);
  EXPECT_EQ(first->GetBoundsRect().left, 153);
}

TEST_F(SplitterFixture, OutlineDragChangesOnlyTheBarUntilReleaseAndCancelRestores) {
  splitter->SetFullDragMode(zqfdOff);
  splitter->SetColor(clBlack);  // the bar's own colour, so the inverted outline shows
  HWND wnd = splitter->GetHandle();
  test::Pump(20);
  std::vector<int> drags, drops;
  int changes = 0;
  splitter->OnSplitterDrag = [&](TObject*, int p) { drags.push_back(p); };
  splitter->OnSplitterDrop = [&](TObject*, int p) { drops.push_back(p); };
  splitter->OnChange = [&](TObject*) { ++changes; };
  const auto before = RawShot(wnd);

  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(66, 50));  // grabbed 1 pixel into the bar
  SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, At(121, 50));
  EXPECT_TRUE(splitter->GetDragging());
  EXPECT_EQ(Pane(1).left, 68);  // nothing laid out during the drag
  const auto during = RawShot(wnd);
  const auto changed = ChangedColumns(*before, *during);
  ASSERT_FALSE(changed.empty());
  for (int x : changed) EXPECT_TRUE((x >= 65 && x < 68) || (x >= 120 && x < 123)) << x;  // only the two bars
  EXPECT_EQ(drags.back(), 121);

  SendMessageA(wnd, WM_LBUTTONUP, 0, At(121, 50));
  EXPECT_FALSE(splitter->GetDragging());
  EXPECT_EQ(splitter->GetPosition(), 120);
  EXPECT_EQ(Pane(1).left, 123);
  EXPECT_EQ(drops, (std::vector<int>{120}));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(drags.back(), -1);  // the outline is erased at the end
  test::Pump(20);
  const auto released = RawShot(wnd);
  const auto fresh = test::Snapshot(*splitter);
  int different = 0;
  for (int y = 0; y < released->Height(); ++y)
    for (int x = 0; x < released->Width(); ++x) different += released->Pixel(x, y) != fresh->PixelRGB(x, y);
  EXPECT_EQ(different, 0);  // no outline left behind

  // Cancel mode mid-drag: the old position and the old picture.
  const auto settled = RawShot(wnd);
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(121, 50));
  SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, At(60, 50));
  SendMessageA(wnd, WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(splitter->GetDragging());
  EXPECT_EQ(splitter->GetPosition(), 120);
  EXPECT_TRUE(ChangedColumns(*settled, *RawShot(wnd)).empty());

  // A release without a move drops but changes nothing.
  drops.clear();
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(121, 50));
  SendMessageA(wnd, WM_LBUTTONUP, 0, At(121, 50));
  EXPECT_EQ(drops, (std::vector<int>{120}));
  EXPECT_EQ(changes, 1);
}

TEST_F(SplitterFixture, FullDragMovesThePanesAtEachStep) {
  splitter->SetFullDragMode(zqfdOn);
  HWND wnd = splitter->GetHandle();
  std::vector<int> positions;
  splitter->OnChange = [&](TObject*) { positions.push_back(splitter->GetPosition()); };
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(65, 50));
  SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, At(80, 50));
  EXPECT_EQ(Pane(1).left, 83);  // live
  SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, At(90, 50));
  SendMessageA(wnd, WM_LBUTTONUP, 0, At(90, 50));
  EXPECT_EQ(positions, (std::vector<int>{80, 90}));

  // The system's setting decides for zqfdUser.
  BOOL saved = TRUE;
  SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &saved, 0);
  splitter->SetFullDragMode(zqfdUser);
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
  EXPECT_FALSE(splitter->IsFullDrag());
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  EXPECT_TRUE(splitter->IsFullDrag());
  SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, saved, nullptr, 0);
}

TEST(SplitterFormFile, PanesAndTheirControlsRoundTripAndABadIndexBuildsNothing) {
  RegisterClass(TZQSplitter::StaticClassInfo());
  RegisterClass(TEdit::StaticClassInfo());
  std::string text;
  {
    test::TTestRoot source(nullptr);
    source.SetName("Form1");
    auto* splitter = new TZQSplitter(&source);
    splitter->SetName("Split");
    splitter->SetParent(&source);
    splitter->SetPosition(80);
    splitter->SetPane2MinSize(30);
    splitter->SetPane2FrameStyle(zqfsRaised);
    for (int i = 0; i < 2; ++i) {
      auto* edit = new TEdit(&source);
      edit->SetName("Edit" + std::to_string(i + 1));
      edit->SetParent(splitter->GetPane(i));
    }
    text = ComponentToText(&source);
  }
  EXPECT_NE(text.find("object Split_pane2: TZQPane"), std::string::npos) << text;
  // A pane's own default (lowered) is not stored; another style is, once.
  const auto style = text.find("FrameStyle");
  ASSERT_NE(style, std::string::npos) << text;
  EXPECT_EQ(text.compare(style, 25, "FrameStyle = zqfsRaised\r\n"), 0) << text;
  EXPECT_EQ(text.find("FrameStyle", style + 1), std::string::npos) << text;

  test::TTestRoot target(nullptr);
  target.SetBounds(0, 0, 400, 300);
  TextToComponent(text, &target);
  auto* splitter = dynamic_cast<TZQSplitter*>(target.FindComponent("Split"));
  ASSERT_NE(splitter, nullptr);
  EXPECT_EQ(splitter->GetPosition(), 80);
  EXPECT_EQ(splitter->GetPane(0)->GetName(), "Split_pane1");
  EXPECT_EQ(splitter->GetPane(1)->GetMinSize(), 30);
  EXPECT_EQ(splitter->GetPane(0)->GetFrameStyle(), zqfsLowered);
  EXPECT_EQ(splitter->GetPane(1)->GetFrameStyle(), zqfsRaised);
  EXPECT_EQ(splitter->GetControlCount(), 2);  // the stored panes, not four
  EXPECT_EQ(target.FindComponent("Edit1")->GetOwner(), &target);
  EXPECT_EQ(dynamic_cast<TControl*>(target.FindComponent("Edit2"))->GetParent(), splitter->GetPane(1));

  std::string bad = text;
  const auto at = bad.find("Index = 1");
  ASSERT_NE(at, std::string::npos) << text;
  bad.replace(at, 9, "Index = 2");
  test::TTestRoot other(nullptr);
  EXPECT_THROW(TextToComponent(bad, &other), EReadError);
  EXPECT_EQ(other.GetComponentCount(), 0);  // nothing half built
}

TEST(SplitterFormFile, GroupsAndFramesKeepCaptionColourAndFont) {
  RegisterClass(TZQGroup::StaticClassInfo());
  RegisterClass(TZQFrame::StaticClassInfo());
  const std::string text =
      "object Form1: TTestRoot\r\n"
      "  object Group1: TZQGroup\r\n    Caption = 'Options'\r\n    Color = clBtnFace\r\n"
      "    Font.Name = 'Tahoma'\r\n    Font.Style = [fsBold]\r\n    ParentFont = False\r\n  end\r\n"
      "  object Frame1: TZQFrame\r\n    Caption = 'Ready'\r\n    Color = clNone\r\n  end\r\n"
      "end\r\n";
  test::TTestRoot root(nullptr);
  TextToComponent(text, &root);
  auto* group = dynamic_cast<TZQGroup*>(root.FindComponent("Group1"));
  auto* frame = dynamic_cast<TZQFrame*>(root.FindComponent("Frame1"));
  ASSERT_TRUE(group && frame);
  EXPECT_EQ(group->GetCaption(), "Options");
  EXPECT_EQ(group->GetColor(), static_cast<TColor>(0x8000000F));  // COLOR_BTNFACE as a system colour
  EXPECT_EQ(group->GetFont()->GetName(), "Tahoma");
  EXPECT_TRUE(group->GetFont()->GetStyle().Contains(fsBold));
  EXPECT_EQ(frame->GetCaption(), "Ready");
  EXPECT_EQ(frame->GetColor(), clNone);

  const std::string written = ComponentToText(&root);
  for (const char* line : {"Caption = 'Options'", "Color = clBtnFace", "Font.Name = 'Tahoma'",
                           "Font.Style = [fsBold]", "Caption = 'Ready'", "Color = clNone"})
    EXPECT_NE(written.find(line), std::string::npos) << line << "\n" << written;
  EXPECT_EQ(written.find("Font.", written.find("Frame1")), std::string::npos) << written;  // the parent's font
  test::TTestRoot bad(nullptr);
  EXPECT_THROW(TextToComponent("object F: TTestRoot\r\n  object G: TZQGroup\r\n    Color = clNoSuchColour\r\n"
                               "  end\r\nend\r\n",
                               &bad),
               EReadError);
}

TEST(SplitterScreenshot, GroupsAndFramesInTwoPanes) {
  test::TestForm form(520, 320, "Splitter");
  auto* splitter = new TZQSplitter(form.Get());
  splitter->SetBounds(0, 0, 520, 320);
  splitter->SetParent(form.Get());
  splitter->SetPosition(260);
  const char* names[] = {"None", "Group", "Lowered", "Raised", "Dint", "Bump", "Single", "HorzLine",
                         "HorzEdge", "VertLine", "VertEdge"};
  for (int s = zqfsNone; s <= zqfsVertEdge; ++s) {
    auto* group = new TZQGroup(form.Get());
    group->SetBounds(6 + (s % 3) * 82, 6 + (s / 3) * 74, 76, 66);
    group->SetColor(clBtnFace);
    group->SetFrameStyle(static_cast<TZQFrameStyle>(s));
    group->SetCaption(names[s]);
    group->SetParent(splitter->GetPane(0));
    auto* frame = new TZQFrame(form.Get());
    frame->SetBounds(6 + (s % 3) * 82, 6 + (s / 3) * 74, 76, 66);
    frame->SetColor(clBtnFace);
    frame->SetFrameStyle(static_cast<TZQFrameStyle>(s));
    frame->SetCaption(names[s]);
    frame->SetParent(splitter->GetPane(1));
  }
  test::Pump(50);
  test::SaveScreenshot(form->GetHandle(), std::string(KORVANE_SCREENSHOT_DIR) + "\\splitter.png");
  EXPECT_EQ(splitter->GetPane(1)->GetBoundsRect().left, 263);
}

TEST_F(SplitterFixture, AtDesignTimeTheClickedPaneIsActiveWithADottedOutline) {
  splitter->SetDesigning(true);
  splitter->GetPane(0)->SetColor(clWhite);
  splitter->GetPane(1)->SetColor(clWhite);
  EXPECT_TRUE(splitter->GetPane(0)->GetActive());
  // A click inside pane 2 reaches the splitter as WM_PARENTNOTIFY.
  SendMessageA(splitter->GetHandle(), WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0), At(120, 40));
  EXPECT_FALSE(splitter->GetPane(0)->GetActive());
  EXPECT_TRUE(splitter->GetPane(1)->GetActive());
  EXPECT_EQ(splitter->GetPane(1)->Perform(CM_DESIGNHITTEST, 0, At(5, 5)), 0);  // clicks go to the designer
  const auto active = test::Snapshot(*splitter->GetPane(1));
  const auto inactive = test::Snapshot(*splitter->GetPane(0));
  int dark = 0, darkInactive = 0;  // the dotted line along the top edge of the client area
  for (int x = 0; x < 20; ++x) {
    dark += active->PixelRGB(x, 0) == RGB(0, 0, 0);
    darkInactive += inactive->PixelRGB(x, 0) == RGB(0, 0, 0);
  }
  EXPECT_GT(dark, 5);
  EXPECT_EQ(darkInactive, 0);
}
