#include "tests/support/Dib.h"

#include <stdexcept>

namespace korvane::test {

Dib::Dib(int width, int height, COLORREF fill) : width_(width), height_(height) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dc_ || !bitmap_) throw std::runtime_error("cannot create a DIB section");
  bits_ = static_cast<std::uint32_t*>(bits);
  old_ = SelectObject(dc_, bitmap_);
  HBRUSH brush = CreateSolidBrush(fill);
  RECT r = {0, 0, width, height};
  FillRect(dc_, &r, brush);
  DeleteObject(brush);
  GdiFlush();
}

Dib::~Dib() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF Dib::Pixel(int x, int y) const {
  GdiFlush();
  const std::uint32_t v = bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Dib::CountDifferent(const Dib& other) const {
  int n = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (Pixel(x, y) != other.Pixel(x, y)) ++n;
  return n;
}

int Dib::CountNot(COLORREF color) const {
  int n = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (Pixel(x, y) != color) ++n;
  return n;
}

}  // namespace korvane::test
