#include "korvane/controls/base/headerglyphs.h"

namespace korvane {
namespace {
struct TBox {
  int left, top, w, h;
};

TBox Prepare(TCanvas* canvas, const RECT& r, TColor background) {
  const int h = (r.bottom - r.top - 1) | 1;
  const TBox box = {r.left, r.top, h + 1, h};
  if (background != clNone) {
    canvas->GetBrush()->SetColor(background);
    canvas->FillRect({box.left, box.top, box.left + box.w, box.top + box.h});
  }
  return box;
}
}  // namespace

void DrawDownArrow(TCanvas* canvas, const RECT& r, TColor background, TColor shadow, TColor highlight) {
  const TBox b = Prepare(canvas, r, background);
  canvas->GetPen()->SetColor(shadow);
  canvas->Polyline({{b.left + (b.w - 1) / 2, b.top + b.h - 1}, {b.left, b.top + 1}, {b.left, b.top}, {b.left + b.w - 1, b.top}});
  canvas->GetPen()->SetColor(highlight);
  canvas->Polyline({{b.left + (b.w - 1) / 2 + 1, b.top + b.h - 1}, {b.left + b.w, b.top - 1}});
}

void DrawUpArrow(TCanvas* canvas, const RECT& r, TColor background, TColor shadow, TColor highlight) {
  const TBox b = Prepare(canvas, r, background);
  canvas->GetPen()->SetColor(shadow);
  canvas->Polyline({{b.left + b.w / 2 - 1, b.top}, {b.left, b.top + b.h - 2}, {b.left, b.top + b.h - 1}});
  canvas->GetPen()->SetColor(highlight);
  canvas->Polyline({{b.left, b.top + b.h - 1}, {b.left + b.w - 1, b.top + b.h - 1}, {b.left + (b.w - 1) / 2 + 1, b.top - 1}});
}

}  // namespace korvane
