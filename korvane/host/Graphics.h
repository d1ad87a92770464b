// Colours, fonts, brushes, pens, canvases and bitmaps over GDI. A TColor is an
// RGB value, or a system colour (COLOR_x | 0x80000000, negative), clNone or
// clDefault. Fonts, brushes and pens make their GDI object on demand and
// remake it after a change, telling OnChange.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "korvane/host/Handles.h"
#include "korvane/host/Persistent.h"
#include "korvane/host/PropInfo.h"

namespace korvane {

using TColor = std::int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0x80000000);
constexpr TColor SysColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index)); }
constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR), clBackground = SysColor(COLOR_BACKGROUND),
                 clActiveCaption = SysColor(COLOR_ACTIVECAPTION), clMenu = SysColor(COLOR_MENU),
                 clWindow = SysColor(COLOR_WINDOW), clWindowFrame = SysColor(COLOR_WINDOWFRAME),
                 clMenuText = SysColor(COLOR_MENUTEXT), clWindowText = SysColor(COLOR_WINDOWTEXT),
                 clCaptionText = SysColor(COLOR_CAPTIONTEXT), clHighlight = SysColor(COLOR_HIGHLIGHT),
                 clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT), clBtnFace = SysColor(COLOR_BTNFACE),
                 clBtnShadow = SysColor(COLOR_BTNSHADOW), clGrayText = SysColor(COLOR_GRAYTEXT),
                 clBtnText = SysColor(COLOR_BTNTEXT), clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT),
                 cl3DDkShadow = SysColor(COLOR_3DDKSHADOW), cl3DLight = SysColor(COLOR_3DLIGHT),
                 clInfoText = SysColor(COLOR_INFOTEXT), clInfoBk = SysColor(COLOR_INFOBK);
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clNavy = 0x800000,
                 clGray = 0x808080, clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clBlue = 0xFF0000,
                 clYellow = 0x00FFFF, clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// The colours' names as form files write them ("clBtnFace").
const TIdentTable& ColorIdents();

// The RGB value of a colour (system colours looked up now).
COLORREF ColorToRGB(TColor color);
bool IsSystemColor(TColor color);

class TGraphicsObject : public TPersistent {
public:
  TNotifyEvent OnChange;

protected:
  virtual void Changed();
};

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

class TFont : public TGraphicsObject {
public:
  TFont();
  HFONT GetHandle();
  void SetHandle(HFONT font);  // takes the font's description; the handle stays the caller's
  const std::string& GetName() const { return name_; }
  void SetName(const std::string& v);
  int GetSize() const;
  void SetSize(int points);
  int GetHeight() const { return height_; }
  void SetHeight(int v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  TFontStyles GetStyle() const { return style_; }
  void SetStyle(TFontStyles v);
  BYTE GetCharset() const { return charset_; }
  void SetCharset(BYTE v);
  void Assign(TPersistent* Source) override;
  static int PixelsPerInch();
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
  void Changed() override;

private:
  std::string name_;
  int height_;
  TColor color_ = clWindowText;
  TFontStyles style_;
  BYTE charset_ = DEFAULT_CHARSET;
  TGdiObject handle_;
};

enum TBrushStyle : std::uint8_t { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
public:
  HBRUSH GetHandle();
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  TBrushStyle GetStyle() const { return style_; }
  void SetStyle(TBrushStyle v);
  void Assign(TPersistent* Source) override;

protected:
  void Changed() override;

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TGdiObject handle_;
};

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psClear };

class TPen : public TGraphicsObject {
public:
  HPEN GetHandle();
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  int GetWidth() const { return width_; }
  void SetWidth(int v);
  TPenStyle GetStyle() const { return style_; }
  void SetStyle(TPenStyle v);
  void Assign(TPersistent* Source) override;

protected:
  void Changed() override;

private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TGdiObject handle_;
};

class TBitmap;

// Drawing on a device context. The canvas selects its font, brush and pen
// into the context when a drawing call needs them, and puts the context's own
// objects back when the handle changes or the canvas goes.
class TCanvas : public TPersistent {
public:
  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC GetHandle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }
  TFont* GetFont() { return &font_; }
  void SetFont(TFont* v) { font_.Assign(v); }
  TBrush* GetBrush() { return &brush_; }
  void SetBrush(TBrush* v) { brush_.Assign(v); }
  TPen* GetPen() { return &pen_; }
  void SetPen(TPen* v) { pen_.Assign(v); }

  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void Rectangle(int x1, int y1, int x2, int y2);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const std::vector<POINT>& points);
  void TextOut(int x, int y, const std::string& text);
  void TextRect(const RECT& r, int x, int y, const std::string& text);
  int DrawText(const std::string& text, RECT& r, UINT flags);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  void Draw(int x, int y, TBitmap& bitmap);
  TColor GetPixel(int x, int y);
  void SetPixel(int x, int y, TColor c);

protected:
  virtual void CreateHandle() {}

private:
  enum : unsigned { kFont = 1, kBrush = 2, kPen = 4 };
  void Require(unsigned what);
  void Deselect();

  HDC dc_ = nullptr;
  unsigned selected_ = 0;
  HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
  TFont font_;
  TBrush brush_;
  TPen pen_;
};

// A 32-bit device-independent bitmap with its own canvas.
class TBitmap : public TPersistent {
public:
  TBitmap() = default;
  TBitmap(int width, int height) { SetSize(width, height); }
  ~TBitmap() override;
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void SetSize(int width, int height);
  HBITMAP GetHandle() const { return static_cast<HBITMAP>(bitmap_.Get()); }
  TCanvas* GetCanvas();
  // Top-down BGRA pixels, Width * Height of them.
  const std::uint32_t* Bits() const { return bits_; }
  COLORREF PixelRGB(int x, int y) const;
  void SaveToBmpFile(const std::string& path) const;
  void SaveToPngFile(const std::string& path) const;

private:
  int width_ = 0, height_ = 0;
  TGdiObject bitmap_;
  TMemoryDC dc_;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  TCanvas canvas_;
};

// What a window shows now, repainted first: the whole window (frame included)
// or only its client area.
std::unique_ptr<TBitmap> CaptureWindow(HWND wnd, bool clientOnly);

}  // namespace korvane
