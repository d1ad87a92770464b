// A 32-bit DIB with its DC (a host TBitmap), for drawing and reading pixels back.
#pragma once
#include <windows.h>

#include "korvane/host/Graphics.h"

namespace korvane::test {

class Dib {
public:
  Dib(int width, int height, COLORREF fill = RGB(255, 255, 255));
  HDC Dc() { return bitmap_.GetCanvas()->GetHandle(); }
  int Width() const { return bitmap_.GetWidth(); }
  int Height() const { return bitmap_.GetHeight(); }
  COLORREF Pixel(int x, int y) const { return bitmap_.PixelRGB(x, y); }
  // Pixels that differ from other's (same size).
  int CountDifferent(const Dib& other) const;
  int CountNot(COLORREF color) const;

private:
  TBitmap bitmap_;
};

}  // namespace korvane::test
