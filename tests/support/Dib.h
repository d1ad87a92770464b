// A 32-bit top-down DIB section with a memory DC, for drawing and reading pixels back.
#pragma once
#include <windows.h>

#include <cstdint>

namespace korvane::test {

class Dib {
public:
  Dib(int width, int height, COLORREF fill = RGB(255, 255, 255));
  ~Dib();
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF Pixel(int x, int y) const;  // as RGB()
  // Pixels that differ from other's (same size).
  int CountDifferent(const Dib& other) const;
  int CountNot(COLORREF color) const;

private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

}  // namespace korvane::test
