#include "korvane/controls/base/framedraw.h"

namespace korvane {

namespace {
void Line(TCanvas* canvas, TColor colour, std::initializer_list<POINT> points) {
  canvas->GetPen()->SetColor(colour);
  canvas->Polyline(std::vector<POINT>(points));
}

// The two-pixel frames: outer top-left, inner top-left, inner bottom-right, outer bottom-right.
void TwoPixelFrame(TCanvas* canvas, const RECT& r, TColor outerTopLeft, TColor innerTopLeft, TColor innerBottomRight,
                   TColor outerBottomRight) {
  const LONG L = r.left, T = r.top, R = r.right, B = r.bottom;
  Line(canvas, outerTopLeft, {{L, B - 1}, {L, T}, {R, T}});
  Line(canvas, innerTopLeft, {{L + 1, B - 2}, {L + 1, T + 1}, {R - 1, T + 1}});
  Line(canvas, innerBottomRight, {{L + 1, B - 1}, {R - 1, B - 1}, {R - 1, T}});
  Line(canvas, outerBottomRight, {{L, B}, {R, B}, {R, T - 1}});
}

void OnePixelFrame(TCanvas* canvas, const RECT& r, TColor topLeft, TColor bottomRight) {
  const LONG L = r.left, T = r.top, R = r.right, B = r.bottom;
  Line(canvas, topLeft, {{L, B - 1}, {L, T}, {R, T}});
  Line(canvas, bottomRight, {{L, B}, {R, B}, {R, T - 1}});
}
}  // namespace

const std::vector<std::string>& FrameStyleNames() {
  static const std::vector<std::string> names = {"zqfsNone", "zqfsGroup", "zqfsLowered", "zqfsRaised",
                                                 "zqfsDint", "zqfsBump", "zqfsSingle", "zqfsHorzLine",
                                                 "zqfsHorzEdge", "zqfsVertLine", "zqfsVertEdge"};
  return names;
}

void DrawLoweredFrame(TCanvas* canvas, const RECT& r) {
  TwoPixelFrame(canvas, r, clBtnShadow, cl3DDkShadow, clBtnFace, clBtnHighlight);
}

void DrawRaisedFrame(TCanvas* canvas, const RECT& r) {
  TwoPixelFrame(canvas, r, clBtnHighlight, clBtnFace, clBtnShadow, cl3DDkShadow);
}

void DrawDintFrame(TCanvas* canvas, const RECT& r) { OnePixelFrame(canvas, r, clBtnShadow, clBtnHighlight); }

void DrawBumpFrame(TCanvas* canvas, const RECT& r) { OnePixelFrame(canvas, r, clBtnHighlight, clBtnShadow); }

void DrawSingleFrame(TCanvas* canvas, const RECT& r) {
  canvas->GetPen()->SetColor(clWindowFrame);
  canvas->Rectangle(r.left, r.top, r.right + 1, r.bottom + 1);
}

void DrawHorzLine(TCanvas* canvas, const RECT& r, TColor colour1, TColor colour2) {
  Line(canvas, colour1, {{r.left, r.top}, {r.right + 1, r.top}});
  Line(canvas, colour2, {{r.left, r.top + 1}, {r.right + 1, r.top + 1}});
}

void DrawVertLine(TCanvas* canvas, const RECT& r, TColor colour1, TColor colour2) {
  Line(canvas, colour1, {{r.left, r.top}, {r.left, r.bottom + 1}});
  Line(canvas, colour2, {{r.left + 1, r.top}, {r.left + 1, r.bottom + 1}});
}

void DrawHorzEdge(TCanvas* canvas, const RECT& r, TColor colour1, TColor colour2) {
  Line(canvas, colour1, {{r.left, r.top}, {r.right + 1, r.top}});
  Line(canvas, colour1, {{r.left, r.bottom - 1}, {r.right + 1, r.bottom - 1}});
  Line(canvas, colour2, {{r.left, r.top + 1}, {r.right + 1, r.top + 1}});
  Line(canvas, colour2, {{r.left, r.bottom}, {r.right + 1, r.bottom}});
}

void DrawVertEdge(TCanvas* canvas, const RECT& r, TColor colour1, TColor colour2) {
  Line(canvas, colour1, {{r.left, r.top}, {r.left, r.bottom + 1}});
  Line(canvas, colour1, {{r.right - 1, r.top}, {r.right - 1, r.bottom + 1}});
  Line(canvas, colour2, {{r.left + 1, r.top}, {r.left + 1, r.bottom + 1}});
  Line(canvas, colour2, {{r.right, r.top}, {r.right, r.bottom + 1}});
}

void DrawGroupFrame(TCanvas* canvas, const RECT& r, const std::string& caption, bool enabled, TColor colour) {
  // clNone is no colour: nothing is filled and the caption is drawn transparent.
  const bool opaque = colour != clNone;
  if (opaque) {
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(colour);
    canvas->FillRect({r.left, r.top, r.right + 1, r.bottom + 1});
  }
  const int h = caption.empty() ? 2 : canvas->TextHeight("0");
  RECT frame = r;
  frame.top += h / 2 - 1;
  canvas->GetBrush()->SetStyle(bsClear);
  // Etched: the highlight one pixel right of and below the shadow on every side. Only the left and top
  // move in, so both rectangles end inside the inclusive frame rectangle.
  canvas->GetPen()->SetColor(clBtnHighlight);
  canvas->Rectangle(frame.left + 1, frame.top + 1, frame.right + 1, frame.bottom + 1);
  canvas->GetPen()->SetColor(clBtnShadow);
  canvas->Rectangle(frame.left, frame.top, frame.right, frame.bottom);
  if (caption.empty()) return;

  RECT text = {frame.left + 8, r.top, frame.right - 8, r.top + h};
  const UINT flags = DT_LEFT | DT_END_ELLIPSIS | DT_SINGLELINE;
  if (opaque) {
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(colour);  // erases the frame line behind the caption
  }
  std::string s = caption;  // the brush decides: opaque in the colour, clear for clNone
  if (enabled) {
    canvas->DrawText(s, text, flags);
    return;
  }
  const TColor fontColour = canvas->GetFont()->GetColor();
  RECT shifted = {text.left + 1, text.top + 1, text.right + 1, text.bottom + 1};
  canvas->GetFont()->SetColor(clBtnHighlight);
  canvas->DrawText(s, shifted, flags);
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->GetFont()->SetColor(clBtnShadow);
  canvas->DrawText(s, text, flags);
  canvas->GetFont()->SetColor(fontColour);
}

void DrawFrame(TZQFrameStyle style, TCanvas* canvas, const RECT& r) {
  switch (style) {
    case zqfsGroup: DrawGroupFrame(canvas, r, std::string(), true, canvas->GetBrush()->GetColor()); break;
    case zqfsLowered: DrawLoweredFrame(canvas, r); break;
    case zqfsRaised: DrawRaisedFrame(canvas, r); break;
    case zqfsDint: DrawDintFrame(canvas, r); break;
    case zqfsBump: DrawBumpFrame(canvas, r); break;
    case zqfsSingle: DrawSingleFrame(canvas, r); break;
    case zqfsHorzLine: DrawHorzLine(canvas, r, clBtnShadow, clBtnHighlight); break;
    case zqfsHorzEdge: DrawHorzEdge(canvas, r, clBtnShadow, clBtnHighlight); break;
    case zqfsVertLine: DrawVertLine(canvas, r, clBtnShadow, clBtnHighlight); break;
    case zqfsVertEdge: DrawVertEdge(canvas, r, clBtnShadow, clBtnHighlight); break;
    case zqfsNone: break;
  }
}

void AdjustRectForFrame(TZQFrameStyle style, RECT& r) {
  switch (style) {
    case zqfsLowered: case zqfsRaised: InflateRect(&r, -2, -2); break;
    case zqfsDint: case zqfsBump: case zqfsSingle: InflateRect(&r, -1, -1); break;
    case zqfsHorzLine: r.top += 2; break;
    case zqfsVertLine: r.left += 2; break;
    case zqfsHorzEdge: r.top += 2, r.bottom -= 2; break;
    case zqfsVertEdge: r.left += 2, r.right -= 2; break;
    case zqfsNone: case zqfsGroup: break;
  }
}

void DrawFrameCaption(TCanvas* canvas, RECT r, const std::string& caption, TAlignment alignment, int frameSpace) {
  static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  r.left += frameSpace;
  r.right -= frameSpace;
  std::string s = caption;
  canvas->DrawText(s, r, kAlign[alignment] | DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
}

}  // namespace korvane
