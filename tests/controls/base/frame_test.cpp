#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "korvane/controls/base/Uzqframe.h"
#include "korvane/host/StdCtrls.h"
#include "tests/support/Dib.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {
constexpr COLORREF kPaper = RGB(255, 0, 255);  // never a system colour
COLORREF Sys(int index) { return GetSysColor(index); }

// Draws one style into a fresh DIB at the inclusive rectangle (10, 10, 40, 30).
std::unique_ptr<test::Dib> Drawn(const std::function<void(TCanvas*, const RECT&)>& draw) {
  auto dib = std::make_unique<test::Dib>(60, 50, kPaper);
  TCanvas canvas;
  canvas.SetHandle(dib->Dc());
  canvas.GetBrush()->SetStyle(bsClear);
  draw(&canvas, RECT{10, 10, 40, 30});
  canvas.SetHandle(nullptr);
  return dib;
}

void ExpectPixels(const std::unique_ptr<test::Dib>& dib, const std::vector<std::pair<POINT, COLORREF>>& expected) {
  for (const auto& [p, c] : expected) EXPECT_EQ(dib->Pixel(p.x, p.y), c) << "at " << p.x << "," << p.y;
}

// Pixels of colour c inside r.
int Count(const TBitmap& bmp, const RECT& r, COLORREF c) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += bmp.PixelRGB(x, y) == c;
  return n;
}
}  // namespace

TEST(FrameStyles, EachStyleDrawsItsLinesAndCornersInTheSystemColours) {
  const COLORREF shadow = Sys(COLOR_BTNSHADOW), highlight = Sys(COLOR_BTNHIGHLIGHT), dark = Sys(COLOR_3DDKSHADOW),
                 face = Sys(COLOR_BTNFACE), frame = Sys(COLOR_WINDOWFRAME);
  // Lowered: shadow and dark shadow top-left, face and highlight bottom-right.
  ExpectPixels(Drawn(DrawLoweredFrame), {{{10, 29}, shadow}, {{10, 10}, shadow}, {{39, 10}, shadow},
                                         {{11, 28}, dark}, {{11, 11}, dark}, {{38, 11}, dark},
                                         {{11, 29}, face}, {{38, 29}, face}, {{39, 29}, face}, {{39, 11}, face},
                                         {{10, 30}, highlight}, {{40, 30}, highlight}, {{40, 10}, highlight},
                                         {{40, 9}, kPaper}, {{9, 10}, kPaper}, {{10, 31}, kPaper}, {{41, 30}, kPaper},
                                         {{12, 12}, kPaper}});
  ExpectPixels(Drawn(DrawRaisedFrame), {{{10, 10}, highlight}, {{39, 10}, highlight}, {{11, 11}, face},
                                        {{38, 29}, shadow}, {{39, 11}, shadow}, {{10, 30}, dark}, {{40, 10}, dark}});
  ExpectPixels(Drawn(DrawDintFrame), {{{10, 29}, shadow}, {{10, 10}, shadow}, {{39, 10}, shadow},
                                      {{10, 30}, highlight}, {{40, 30}, highlight}, {{40, 10}, highlight},
                                      {{11, 11}, kPaper}, {{40, 9}, kPaper}});
  ExpectPixels(Drawn(DrawBumpFrame), {{{10, 10}, highlight}, {{40, 30}, shadow}, {{11, 11}, kPaper}});
  ExpectPixels(Drawn(DrawSingleFrame), {{{10, 10}, frame}, {{40, 10}, frame}, {{40, 30}, frame}, {{10, 30}, frame},
                                        {{11, 11}, kPaper}, {{41, 30}, kPaper}, {{40, 31}, kPaper}});
  auto line = [&](auto routine) {
    return Drawn([&](TCanvas* c, const RECT& r) { routine(c, r, clBtnShadow, clBtnHighlight); });
  };
  ExpectPixels(line(DrawHorzLine), {{{10, 10}, shadow}, {{40, 10}, shadow}, {{10, 11}, highlight},
                                    {{40, 11}, highlight}, {{41, 10}, kPaper}, {{10, 12}, kPaper}, {{10, 30}, kPaper}});
  ExpectPixels(line(DrawVertLine), {{{10, 10}, shadow}, {{10, 30}, shadow}, {{11, 30}, highlight},
                                    {{10, 31}, kPaper}, {{12, 10}, kPaper}, {{40, 10}, kPaper}});
  ExpectPixels(line(DrawHorzEdge), {{{10, 10}, shadow}, {{40, 29}, shadow}, {{10, 11}, highlight},
                                    {{40, 30}, highlight}, {{10, 12}, kPaper}, {{10, 31}, kPaper}});
  ExpectPixels(line(DrawVertEdge), {{{10, 10}, shadow}, {{39, 30}, shadow}, {{11, 10}, highlight},
                                    {{40, 30}, highlight}, {{12, 10}, kPaper}, {{41, 10}, kPaper}});
  // Group, no caption: etched on all four sides, shadow outside-left/top and inside-right/bottom.
  ExpectPixels(Drawn([](TCanvas* c, const RECT& r) { DrawGroupFrame(c, r, "", true, clNone); }),
               {{{10, 20}, shadow}, {{11, 20}, highlight}, {{25, 10}, shadow}, {{25, 11}, highlight},
                {{39, 20}, shadow}, {{40, 20}, highlight}, {{25, 29}, shadow}, {{25, 30}, highlight},
                {{39, 29}, shadow}, {{40, 30}, highlight}, {{41, 20}, kPaper}, {{25, 31}, kPaper},
                {{12, 12}, kPaper}});
  // None draws nothing.
  EXPECT_EQ(Drawn([](TCanvas* c, const RECT& r) { DrawFrame(zqfsNone, c, r); })->CountNot(kPaper), 0);
}

TEST(FrameStyles, TheAreaInsideEachFrame) {
  const std::map<TZQFrameStyle, RECT> expected = {
      {zqfsNone, {10, 10, 40, 30}},    {zqfsGroup, {10, 10, 40, 30}},    {zqfsLowered, {12, 12, 38, 28}},
      {zqfsRaised, {12, 12, 38, 28}},  {zqfsDint, {11, 11, 39, 29}},     {zqfsBump, {11, 11, 39, 29}},
      {zqfsSingle, {11, 11, 39, 29}},  {zqfsHorzLine, {10, 12, 40, 30}}, {zqfsHorzEdge, {10, 12, 40, 28}},
      {zqfsVertLine, {12, 10, 40, 30}}, {zqfsVertEdge, {12, 10, 38, 30}}};
  for (const auto& [style, want] : expected) {
    RECT r = {10, 10, 40, 30};
    AdjustRectForFrame(style, r);
    EXPECT_TRUE(EqualRect(&r, &want)) << static_cast<int>(style);
  }
}

TEST(Group, TheFrameTakesTheNonClientAreaAndTheChildrenFollowTheEnabledState) {
  test::TestForm form;
  auto* group = new TZQGroup(form.Get());
  group->SetBounds(10, 10, 100, 80);
  group->SetParent(form.Get());
  group->SetColor(clBtnFace);
  auto client = [&] {
    RECT r;
    ::GetClientRect(group->GetHandle(), &r);
    return SIZE{r.right, r.bottom};
  };
  EXPECT_EQ(client().cx, 96);  // no caption: 2 at the top, 2 on the other sides
  EXPECT_EQ(client().cy, 76);
  group->SetCaption("Options");
  SIZE zero = {}, caption = {};
  {
    const TWindowDC screen(nullptr);
    const TSelectObject font(screen.Get(), group->GetFont()->GetHandle());
    GetTextExtentPoint32A(screen.Get(), "0", 1, &zero);
    GetTextExtentPoint32A(screen.Get(), "Options", 7, &caption);
  }
  EXPECT_EQ(client().cy, 80 - zero.cy - 2);  // the caption's height at the top
  group->SetFrameStyle(zqfsSingle);
  EXPECT_EQ(client().cx, 98);
  EXPECT_EQ(client().cy, 78);
  group->SetFrameStyle(zqfsLowered);
  EXPECT_EQ(client().cx, 96);
  group->SetFrameStyle(zqfsGroup);

  // Disabled: the children too, and the caption embossed (highlight under shadow, no text colour).
  auto* child = new TEdit(form.Get());
  child->SetParent(group);
  const RECT captionArea = {8, 0, 8 + caption.cx, zero.cy};  // the text's own cells, over the frame line
  auto shot = test::Snapshot(group->GetHandle(), false);
  const COLORREF text = Sys(COLOR_WINDOWTEXT);
  EXPECT_GT(Count(*shot, captionArea, text), 5);
  EXPECT_EQ(Count(*shot, captionArea, Sys(COLOR_BTNHIGHLIGHT)), 0);
  group->SetEnabled(false);
  EXPECT_FALSE(child->GetEnabled());
  shot = test::Snapshot(group->GetHandle(), false);
  EXPECT_EQ(Count(*shot, captionArea, text), 0);
  EXPECT_GT(Count(*shot, captionArea, Sys(COLOR_BTNHIGHLIGHT)), 5);
  EXPECT_GT(Count(*shot, captionArea, Sys(COLOR_BTNSHADOW)), 5);
  group->SetEnabled(true);
  EXPECT_TRUE(child->GetEnabled());
}

namespace {
// A frame painted alone into a DIB of its size.
std::unique_ptr<test::Dib> PaintFrame(TZQFrame* frame) {
  auto dib = std::make_unique<test::Dib>(frame->GetWidth(), frame->GetHeight(), kPaper);
  frame->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dib->Dc()), 0);
  return dib;
}
int FirstInkColumn(const test::Dib& dib, COLORREF ink) {
  for (int x = 0; x < dib.Width(); ++x)
    for (int y = 0; y < dib.Height(); ++y)
      if (dib.Pixel(x, y) == ink) return x;
  return -1;
}
int LastInkColumn(const test::Dib& dib, COLORREF ink) {
  for (int x = dib.Width() - 1; x >= 0; --x)
    for (int y = 0; y < dib.Height(); ++y)
      if (dib.Pixel(x, y) == ink) return x;
  return -1;
}
}  // namespace

TEST(Frame, CaptionAlignedInsideAndNoColourMeansNoFill) {
  test::TestForm form;
  auto* frame = new TZQFrame(form.Get());
  frame->SetBounds(0, 0, 200, 24);
  frame->SetParent(form.Get());
  frame->SetFrameStyle(zqfsNone);
  frame->SetCaption("Ready");
  frame->SetColor(clBtnFace);
  frame->GetFont()->SetColor(clBlack);
  frame->SetAlignment(taLeftJustify);
  const auto left = PaintFrame(frame);
  EXPECT_EQ(left->Pixel(100, 2), Sys(COLOR_BTNFACE));  // the background is filled
  const int leftStart = FirstInkColumn(*left, RGB(0, 0, 0));
  EXPECT_GE(leftStart, 2);  // after FrameSpace
  EXPECT_LT(leftStart, 10);
  frame->SetAlignment(taRightJustify);
  const int rightEnd = LastInkColumn(*PaintFrame(frame), RGB(0, 0, 0));
  EXPECT_GT(rightEnd, 185);
  EXPECT_LE(rightEnd, 199 - 2);
  frame->SetAlignment(taCenter);
  const auto centred = PaintFrame(frame);
  const int a = FirstInkColumn(*centred, RGB(0, 0, 0)), b = LastInkColumn(*centred, RGB(0, 0, 0));
  EXPECT_NEAR((a + b) / 2, 100, 3);

  // A caption longer than the frame ends inside it.
  frame->SetAlignment(taLeftJustify);
  frame->SetCaption(std::string(80, 'W'));
  EXPECT_LE(LastInkColumn(*PaintFrame(frame), RGB(0, 0, 0)), 199 - 2);

  // clNone: nothing filled, the caption drawn over what is there.
  frame->SetColor(clNone);
  frame->SetCaption("Ready");
  const auto clear = PaintFrame(frame);
  EXPECT_EQ(clear->Pixel(150, 2), kPaper);
  EXPECT_GE(FirstInkColumn(*clear, RGB(0, 0, 0)), 0);
  frame->SetFrameStyle(zqfsGroup);
  EXPECT_EQ(PaintFrame(frame)->Pixel(150, 20), kPaper);  // the group style fills nothing either
}

TEST(Frame, OnPaintFollowsEveryStyleButTheGroup) {
  test::TestForm form;
  auto* frame = new TZQFrame(form.Get());
  frame->SetParent(form.Get());
  int painted = 0;
  frame->OnPaint = [&](TObject*, TCanvas*) { ++painted; };
  for (int s = zqfsNone; s <= zqfsVertEdge; ++s) {
    frame->SetFrameStyle(static_cast<TZQFrameStyle>(s));
    const int before = painted;
    PaintFrame(frame);
    EXPECT_EQ(painted - before, s == zqfsGroup ? 0 : 1) << s;
  }
}

TEST(Frame, ScreenshotOfGroupsAndFramesInEveryStyle) {
  test::TestForm form(560, 300, "Frames");
  const char* names[] = {"None", "Group", "Lowered", "Raised", "Dint", "Bump", "Single", "HorzLine",
                         "HorzEdge", "VertLine", "VertEdge"};
  for (int s = zqfsNone; s <= zqfsVertEdge; ++s) {
    auto* group = new TZQGroup(form.Get());
    group->SetBounds(8 + (s % 6) * 90, 8 + (s / 6) * 70, 84, 60);
    group->SetColor(clBtnFace);
    group->SetFrameStyle(static_cast<TZQFrameStyle>(s));
    group->SetCaption(names[s]);
    group->SetParent(form.Get());
    auto* frame = new TZQFrame(form.Get());
    frame->SetBounds(8 + (s % 6) * 90, 150 + (s / 6) * 70, 84, 60);
    frame->SetColor(clBtnFace);
    frame->SetFrameStyle(static_cast<TZQFrameStyle>(s));
    frame->SetCaption(names[s]);
    frame->SetParent(form.Get());
  }
  test::Pump(50);
  test::SaveScreenshot(form->GetHandle(), std::string(KORVANE_SCREENSHOT_DIR) + "\\frames.png");
  const auto shot = test::Snapshot(form->GetHandle(), false);
  EXPECT_GT(shot->GetWidth(), 500);
}
