// The sort arrows of a list header, drawn with lines in a w x h box at the
// rectangle's top-left corner (h = rect height - 1, made odd; w = h + 1).
#pragma once
#include "korvane/host/Graphics.h"

namespace korvane {

void DrawDownArrow(TCanvas* canvas, const RECT& r, TColor background, TColor shadow, TColor highlight);
void DrawUpArrow(TCanvas* canvas, const RECT& r, TColor background, TColor shadow, TColor highlight);

}  // namespace korvane
