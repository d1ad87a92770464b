#include "korvane/controls/base/zqframe.h"

#include "korvane/host/PropInfo.h"

namespace korvane {

TZQCustomFrame::TZQCustomFrame(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 64, 48); }

const TClassInfo& TZQFrame::StaticClassInfo() {
  static const TClassInfo info =
      PublishCaptionColorFont(
          TPublish<TZQFrame>("TZQFrame", &TControl::StaticClassInfo())
          .Creatable()
          .Enum("Alignment", &TZQFrame::GetAlignment, &TZQFrame::SetAlignment, taCenter,
                {"taLeftJustify", "taRightJustify", "taCenter"})
          .Bool("DefaultDrawing", &TZQFrame::GetDefaultDrawing, &TZQFrame::SetDefaultDrawing, true)
          .Int("FrameSpace", &TZQFrame::GetFrameSpace, &TZQFrame::SetFrameSpace, 2)
          .Enum("FrameStyle", &TZQFrame::GetFrameStyle, &TZQFrame::SetFrameStyle, zqfsLowered, FrameStyleNames())
          .OfType("TZQFrameStyle"),
          clWindow)
          .Done();
  return info;
}

void TZQCustomFrame::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}

void TZQCustomFrame::SetDefaultDrawing(bool v) {
  defaultDrawing_ = v;
  Invalidate();
}

void TZQCustomFrame::SetFrameSpace(int v) {
  frameSpace_ = v;
  Invalidate();
}

void TZQCustomFrame::SetFrameStyle(TZQFrameStyle v) {
  frameStyle_ = v;
  Invalidate();
}

void TZQCustomFrame::InvalidateInterior() {
  TWinControl* parent = GetParent();
  if (!parent || !parent->HandleAllocated()) return;
  RECT r = GetBoundsRect();
  AdjustRectForFrame(frameStyle_, r);
  InvalidateRect(parent->GetHandle(), &r, GetColor() == clNone);
}

void TZQCustomFrame::Paint() {
  TCanvas* canvas = GetCanvas();
  const RECT client = {0, 0, GetWidth(), GetHeight()};
  const TColor colour = GetColor();
  if (colour != clNone) {
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(colour);
    if (defaultDrawing_ || IsDesigning()) canvas->FillRect(client);
  }
  canvas->GetBrush()->SetStyle(bsClear);
  const RECT r = {0, 0, client.right - 1, client.bottom - 1};
  canvas->SetFont(GetFont());
  if (frameStyle_ == zqfsGroup) {
    DrawGroupFrame(canvas, r, GetCaption(), GetEnabled(), colour);
    return;
  }
  DrawFrame(frameStyle_, canvas, r);
  if (defaultDrawing_) DrawFrameCaption(canvas, r, GetCaption(), alignment_, frameSpace_);
  if (OnPaint) OnPaint(this, canvas);
}

void TZQCustomFrame::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      TGraphicControl::WndProc(m);
      InvalidateInterior();
      return;
    default:
      break;
  }
  TGraphicControl::WndProc(m);
}

}  // namespace korvane
