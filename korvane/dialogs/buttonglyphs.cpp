#include "korvane/dialogs/buttonglyphs.h"

#include <array>
#include <cstring>

namespace korvane {

namespace {
using TPicture = std::array<const char*, 16>;

// ' ' transparent, k black, d grey, g silver, w white, o olive, y yellow, b navy, c blue, G green, r red.
constexpr TPicture kUp = {
    "                ", "                ", "  oooo          ", " oyyyyo         ", "okkkkkkkkkkk    ",
    "oyyyyyyyyyyk    ", "oyyyykyyyyyk    ", "oyyykkkyyyyk    ", "oyykkkkkyyyk    ", "oyyyykyyyyyk    ",
    "oyyyykkkkyyk    ", "oyyyyyyyyyyk    ", "kkkkkkkkkkkk    ", "                ", "                ",
    "                "};
constexpr TPicture kDesktop = {
    "                ", " kkkkkkkkkkkkkk ", " kccccccccccccdk", " kcwcccccccccck ", " kccccccGGccccdk",
    " kcccccGGGGcccdk", " kccccGGGGGGccdk", " kccccccccccccdk", " kccccccccccccdk", " kddddddddddddd ",
    " kkkkkkkkkkkkkk ", "      kddk      ", "      kddk      ", "   kkkkkkkkkk   ", "   kggggggggk   ",
    "   kkkkkkkkkk   "};
constexpr TPicture kNewFolder = {
    "           y    ", "         y y y  ", "          yyy   ", "  oooo  yyyyyyy ", " oyyyyo   yyy   ",
    "okkkkkkkkky y y ", "oyyyyyyyyyyk y  ", "oyyyyyyyyyyk    ", "oyyyyyyyyyyk    ", "oyyyyyyyyyyk    ",
    "oyyyyyyyyyyk    ", "oyyyyyyyyyyk    ", "kkkkkkkkkkkk    ", "                ", "                ",
    "                "};
constexpr TPicture kTree = {
    "                ", " oooo           ", " oyyo           ", " oooo           ", "  d             ",
    "  d  oooo       ", "  dddoyyo       ", "  d  oooo       ", "  d    d        ", "  d    d  oooo  ",
    "  d    dddoyyo  ", "  d       oooo  ", "  d             ", "  d  oooo       ", "  dddoyyo       ",
    "     oooo       "};
constexpr TPicture kList = {
    "                ", "                ", " cc kkk  cc kkk ", " cc      cc     ", "                ",
    " cc kkk  cc kkk ", " cc      cc     ", "                ", " cc kkk  cc kkk ", " cc      cc     ",
    "                ", " cc kkk  cc kkk ", " cc      cc     ", "                ", "                ",
    "                "};
constexpr TPicture kDetails = {
    "                ", "                ", " cc kkkkk kk kk ", " cc             ", "                ",
    " cc kkkkk kk kk ", " cc             ", "                ", " cc kkkkk kk kk ", " cc             ",
    "                ", " cc kkkkk kk kk ", " cc             ", "                ", "                ",
    "                "};

constexpr TPicture kDelete = {
    "                ", "                ", "   rr      rr   ", "   rrr    rrr   ", "    rrr  rrr    ",
    "     rrrrrr     ", "      rrrr      ", "      rrrr      ", "     rrrrrr     ", "    rrr  rrr    ",
    "   rrr    rrr   ", "   rr      rr   ", "                ", "                ", "                ",
    "                "};

constexpr TColor kTransparent = 0xFF00FF;

TColor ColourOf(char c) {
  switch (c) {
    case 'k': return clBlack;
    case 'd': return 0x808080;
    case 'g': return 0xC0C0C0;
    case 'w': return clWhite;
    case 'o': return 0x008080;
    case 'y': return clYellow;
    case 'b': return clNavy;
    case 'c': return 0xFF8000;
    case 'G': return clGreen;
    case 'r': return 0x0000C0;
    default: return kTransparent;
  }
}

const TPicture& PictureOf(TZQDialogGlyph glyph) {
  switch (glyph) {
    case TZQDialogGlyph::UpOneLevel: return kUp;
    case TZQDialogGlyph::Desktop: return kDesktop;
    case TZQDialogGlyph::NewFolder: return kNewFolder;
    case TZQDialogGlyph::Tree: return kTree;
    case TZQDialogGlyph::List: return kList;
    case TZQDialogGlyph::Details: return kDetails;
    case TZQDialogGlyph::Delete: break;
  }
  return kDelete;
}
}  // namespace

void ZQDrawDialogGlyph(TBitmap& bitmap, TZQDialogGlyph glyph) {
  const TPicture& picture = PictureOf(glyph);
  bitmap.SetSize(16, 16);
  TCanvas* canvas = bitmap.GetCanvas();
  for (int y = 0; y < 16; ++y) {
    const std::size_t length = std::strlen(picture[y]);
    for (int x = 0; x < 16; ++x)
      canvas->SetPixel(x, y, ColourOf(static_cast<std::size_t>(x) < length ? picture[y][x] : ' '));
  }
}

}  // namespace korvane
