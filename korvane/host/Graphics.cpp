#include "korvane/host/Graphics.h"

#include <cstdio>
#include <cstring>

#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"

namespace korvane {

bool IsSystemColor(TColor color) { return color < 0; }

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

const TIdentTable& ColorIdents() {
  static const TIdentTable idents = {
      {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clNavy", clNavy},
      {"clGray", clGray}, {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clBlue", clBlue},
      {"clYellow", clYellow}, {"clWhite", clWhite}, {"clScrollBar", clScrollBar}, {"clBackground", clBackground},
      {"clActiveCaption", clActiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
      {"clCaptionText", clCaptionText}, {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText},
      {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText},
      {"clBtnText", clBtnText}, {"clBtnHighlight", clBtnHighlight}, {"cl3DDkShadow", cl3DDkShadow},
      {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText}, {"clInfoBk", clInfoBk}, {"clNone", clNone},
      {"clDefault", clDefault}};
  return idents;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// --- TFont

int TFont::PixelsPerInch() {
  static const int ppi = [] {
    TWindowDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
  }();
  return ppi;
}

TFont::TFont() : name_("MS Sans Serif"), height_(-MulDiv(8, PixelsPerInch(), 72)) {}

const TClassInfo& TFont::StaticClassInfo() {
  static const TClassInfo info =
      TPublish<TFont>("TFont", &TPersistent::StaticClassInfo())
          .Int("Charset", &TFont::GetCharset, &TFont::SetCharset, DEFAULT_CHARSET)
          .Int("Color", &TFont::GetColor, &TFont::SetColor, clWindowText)
          .Idents(ColorIdents())
          .Int("Height", &TFont::GetHeight, &TFont::SetHeight, -MulDiv(8, PixelsPerInch(), 72))
          .Str("Name", &TFont::GetName, &TFont::SetName)
          .Set("Style", &TFont::GetStyle, &TFont::SetStyle, 0, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
          .Done();
  return info;
}

void TFont::Changed() {
  handle_.Reset();
  TGraphicsObject::Changed();
}

HFONT TFont::GetHandle() {
  if (!handle_) {
    LOGFONTA lf = {};
    lf.lfHeight = height_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic);
    lf.lfUnderline = style_.Contains(fsUnderline);
    lf.lfStrikeOut = style_.Contains(fsStrikeOut);
    lf.lfCharSet = charset_;
    lf.lfQuality = DEFAULT_QUALITY;
    std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    handle_.Reset(CreateFontIndirectA(&lf));
  }
  return static_cast<HFONT>(handle_.Get());
}

void TFont::SetHandle(HFONT font) {
  LOGFONTA lf = {};
  if (!font || !GetObjectA(font, sizeof lf, &lf)) return;
  name_ = lf.lfFaceName;
  height_ = lf.lfHeight;
  style_ = {};
  if (lf.lfWeight >= FW_BOLD) style_.Include(fsBold);
  if (lf.lfItalic) style_.Include(fsItalic);
  if (lf.lfUnderline) style_.Include(fsUnderline);
  if (lf.lfStrikeOut) style_.Include(fsStrikeOut);
  charset_ = lf.lfCharSet;
  Changed();
}

void TFont::SetName(const std::string& v) {
  if (v == name_ || v.empty()) return;
  name_ = v;
  Changed();
}

int TFont::GetSize() const { return -MulDiv(height_, 72, PixelsPerInch()); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch(), 72)); }

void TFont::SetHeight(int v) {
  if (v == height_) return;
  height_ = v;
  Changed();
}

void TFont::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  TGraphicsObject::Changed();  // the colour is not part of the GDI font
}

void TFont::SetStyle(TFontStyles v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TFont::SetCharset(BYTE v) {
  if (v == charset_) return;
  charset_ = v;
  Changed();
}

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    if (f == this) return;
    name_ = f->name_;
    height_ = f->height_;
    color_ = f->color_;
    style_ = f->style_;
    charset_ = f->charset_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

// --- TBrush

void TBrush::Changed() {
  handle_.Reset();
  TGraphicsObject::Changed();
}

HBRUSH TBrush::GetHandle() {
  if (!handle_) {
    if (style_ == bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
  }
  return static_cast<HBRUSH>(handle_.Get());
}

void TBrush::SetColor(TColor v) {
  if (v == color_ && style_ == bsSolid) return;
  color_ = v;
  style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    if (b == this) return;
    color_ = b->color_;
    style_ = b->style_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

// --- TPen

void TPen::Changed() {
  handle_.Reset();
  TGraphicsObject::Changed();
}

HPEN TPen::GetHandle() {
  if (!handle_) {
    static const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_NULL};
    handle_.Reset(CreatePen(kStyles[style_], width_, ColorToRGB(color_)));
  }
  return static_cast<HPEN>(handle_.Get());
}

void TPen::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}

void TPen::SetWidth(int v) {
  if (v == width_) return;
  width_ = v;
  Changed();
}

void TPen::SetStyle(TPenStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    if (p == this) return;
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

// --- TCanvas

TCanvas::TCanvas() {
  font_.OnChange = [this](TObject*) { selected_ &= ~kFont; };
  brush_.OnChange = [this](TObject*) { selected_ &= ~kBrush; };
  pen_.OnChange = [this](TObject*) { selected_ &= ~kPen; };
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::GetHandle() {
  if (!dc_) CreateHandle();
  return dc_;
}

void TCanvas::Deselect() {
  if (!dc_) return;
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (oldBrush_) SelectObject(dc_, oldBrush_);
  if (oldPen_) SelectObject(dc_, oldPen_);
  oldFont_ = oldBrush_ = oldPen_ = nullptr;
  selected_ = 0;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  Deselect();
  dc_ = dc;
}

void TCanvas::Require(unsigned what) {
  HDC dc = GetHandle();
  if (!dc) throw Exception("Canvas does not allow drawing");
  if ((what & kFont) && !(selected_ & kFont)) {
    HGDIOBJ old = SelectObject(dc, font_.GetHandle());
    if (!oldFont_) oldFont_ = old;
    SetTextColor(dc, ColorToRGB(font_.GetColor()));
    selected_ |= kFont;
  }
  if ((what & kBrush) && !(selected_ & kBrush)) {
    HGDIOBJ old = SelectObject(dc, brush_.GetHandle());
    if (!oldBrush_) oldBrush_ = old;
    if (brush_.GetStyle() == bsClear) {
      SetBkMode(dc, TRANSPARENT);
    } else {
      SetBkColor(dc, ColorToRGB(brush_.GetColor()));
      SetBkMode(dc, OPAQUE);
    }
    selected_ |= kBrush;
  }
  if ((what & kPen) && !(selected_ & kPen)) {
    HGDIOBJ old = SelectObject(dc, pen_.GetHandle());
    if (!oldPen_) oldPen_ = old;
    selected_ |= kPen;
  }
}

void TCanvas::FillRect(const RECT& r) {
  Require(kBrush);
  ::FillRect(dc_, &r, brush_.GetHandle());
}

void TCanvas::FrameRect(const RECT& r) {
  Require(kBrush);
  ::FrameRect(dc_, &r, brush_.GetHandle());
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Require(kBrush | kPen);
  ::Rectangle(dc_, x1, y1, x2, y2);
}

void TCanvas::MoveTo(int x, int y) {
  Require(0);
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Require(kPen);
  ::LineTo(dc_, x, y);
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
  Require(kPen);
  ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  Require(kFont | kBrush);
  ::TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text) {
  Require(kFont | kBrush);
  const UINT opaque = brush_.GetStyle() == bsClear ? 0 : ETO_OPAQUE;
  ExtTextOutA(dc_, x, y, ETO_CLIPPED | opaque, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, RECT& r, UINT flags) {
  Require(kFont | kBrush);
  return ::DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &r, flags);
}

SIZE TCanvas::TextExtent(const std::string& text) {
  Require(kFont);
  SIZE s = {};
  GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &s);
  return s;
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  Require(0);
  BitBlt(dc_, x, y, bitmap.GetWidth(), bitmap.GetHeight(), bitmap.GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

TColor TCanvas::GetPixel(int x, int y) {
  Require(0);
  return static_cast<TColor>(::GetPixel(dc_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor c) {
  Require(0);
  ::SetPixel(dc_, x, y, ColorToRGB(c));
}

// --- TBitmap

TBitmap::~TBitmap() {
  canvas_.SetHandle(nullptr);
  if (dc_ && old_) SelectObject(dc_.Get(), old_);
}

void TBitmap::SetSize(int width, int height) {
  canvas_.SetHandle(nullptr);
  if (dc_ && old_) SelectObject(dc_.Get(), old_);
  old_ = nullptr;
  bitmap_.Reset();
  bits_ = nullptr;
  width_ = width;
  height_ = height;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  if (!dc_) dc_.Reset(CreateCompatibleDC(nullptr));
  bitmap_.Reset(CreateDIBSection(dc_.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_) RaiseLastOSError();
  bits_ = static_cast<std::uint32_t*>(bits);
  std::memset(bits_, 0xFF, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  old_ = SelectObject(dc_.Get(), bitmap_.Get());
}

TCanvas* TBitmap::GetCanvas() {
  if (dc_ && !canvas_.HandleAllocated()) canvas_.SetHandle(dc_.Get());
  return &canvas_;
}

COLORREF TBitmap::PixelRGB(int x, int y) const {
  GdiFlush();
  const std::uint32_t v = bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

namespace {

class TFileOut {
public:
  explicit TFileOut(const std::string& path) : f_(std::fopen(path.c_str(), "wb")) {
    if (!f_) throw EWriteError("Cannot create file \"" + path + "\"");
  }
  ~TFileOut() {
    if (f_) std::fclose(f_);
  }
  void Write(const void* p, std::size_t n) {
    if (n && std::fwrite(p, 1, n, f_) != n) throw EWriteError("Stream write error");
  }

private:
  std::FILE* f_;
};

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n, std::uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Be32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

void Chunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& data) {
  Be32(png, static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  png.insert(png.end(), body.begin(), body.end());
  Be32(png, Crc32(body.data(), body.size()));
}

}  // namespace

void TBitmap::SaveToBmpFile(const std::string& path) const {
  GdiFlush();
  const std::uint32_t imageSize = static_cast<std::uint32_t>(width_) * static_cast<std::uint32_t>(height_) * 4;
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + imageSize;
  ih.biSize = sizeof ih;
  ih.biWidth = width_;
  ih.biHeight = -height_;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  ih.biCompression = BI_RGB;
  ih.biSizeImage = imageSize;
  TFileOut out(path);
  out.Write(&fh, sizeof fh);
  out.Write(&ih, sizeof ih);
  out.Write(bits_, imageSize);
}

void TBitmap::SaveToPngFile(const std::string& path) const {
  GdiFlush();
  // Rows of filter byte 0 + RGB, in zlib "stored" blocks: no compressor needed.
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(height_) * (static_cast<std::size_t>(width_) * 3 + 1));
  for (int y = 0; y < height_; ++y) {
    raw.push_back(0);
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t v = bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
      raw.push_back(static_cast<std::uint8_t>(v >> 16));
      raw.push_back(static_cast<std::uint8_t>(v >> 8));
      raw.push_back(static_cast<std::uint8_t>(v));
    }
  }
  std::vector<std::uint8_t> z = {0x78, 0x01};
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  for (std::size_t at = 0; at < raw.size() || at == 0;) {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
    const bool last = at + n >= raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(n));
    z.push_back(static_cast<std::uint8_t>(n >> 8));
    z.push_back(static_cast<std::uint8_t>(~n));
    z.push_back(static_cast<std::uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at), raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
    if (last) break;
  }
  Be32(z, (b << 16) | a);
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> ihdr;
  Be32(ihdr, static_cast<std::uint32_t>(width_));
  Be32(ihdr, static_cast<std::uint32_t>(height_));
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  Chunk(png, "IHDR", ihdr);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", {});
  TFileOut out(path);
  out.Write(png.data(), png.size());
}

std::unique_ptr<TBitmap> CaptureWindow(HWND wnd, bool clientOnly) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Application->ProcessMessages();
  RECT r;
  if (clientOnly) GetClientRect(wnd, &r);
  else GetWindowRect(wnd, &r);
  auto bitmap = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
  const TWindowDC source(wnd, !clientOnly);
  BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, bitmap->GetWidth(), bitmap->GetHeight(), source.Get(), 0, 0, SRCCOPY);
  GdiFlush();
  return bitmap;
}

}  // namespace korvane
