#include "tests/support/Dib.h"

namespace korvane::test {

Dib::Dib(int width, int height, COLORREF fill) : bitmap_(width, height) {
  TCanvas* c = bitmap_.GetCanvas();
  c->GetBrush()->SetColor(static_cast<TColor>(fill));
  c->FillRect({0, 0, width, height});
  GdiFlush();
}

int Dib::CountDifferent(const Dib& other) const {
  int n = 0;
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x)
      if (Pixel(x, y) != other.Pixel(x, y)) ++n;
  return n;
}

int Dib::CountNot(COLORREF color) const {
  int n = 0;
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x)
      if (Pixel(x, y) != color) ++n;
  return n;
}

}  // namespace korvane::test
