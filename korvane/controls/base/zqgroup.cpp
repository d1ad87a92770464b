#include "korvane/controls/base/zqgroup.h"

#include "korvane/host/Application.h"
#include "korvane/host/PropInfo.h"

namespace korvane {


TZQCustomGroup::TZQCustomGroup(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 64, 48); }

const TClassInfo& TZQGroup::StaticClassInfo() {
  static const TClassInfo info =
      PublishCaptionColorFont(
          TPublish<TZQGroup>("TZQGroup", &TWinControl::StaticClassInfo())
          .Creatable()
          .Enum("Alignment", &TZQGroup::GetAlignment, &TZQGroup::SetAlignment, taCenter,
                {"taLeftJustify", "taRightJustify", "taCenter"})
          .Bool("DefaultDrawing", &TZQGroup::GetDefaultDrawing, &TZQGroup::SetDefaultDrawing, true)
          .Int("FrameSpace", &TZQGroup::GetFrameSpace, &TZQGroup::SetFrameSpace, 2)
          .Enum("FrameStyle", &TZQGroup::GetFrameStyle, &TZQGroup::SetFrameStyle, zqfsGroup, FrameStyleNames())
          .OfType("TZQFrameStyle"),
          clWindow)
          .Done();
  return info;
}

void TZQCustomGroup::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}

void TZQCustomGroup::SetDefaultDrawing(bool v) {
  defaultDrawing_ = v;
  Invalidate();
}

void TZQCustomGroup::SetFrameSpace(int v) {
  frameSpace_ = v;
  Invalidate();
}

void TZQCustomGroup::SetFrameStyle(TZQFrameStyle v) {
  if (v == frameStyle_) return;
  frameStyle_ = v;
  frameChanged_ = true;
  if (HandleAllocated()) RecreateWnd();
}

void TZQCustomGroup::EnableAllChildren(bool enabled) {
  for (int i = 0; i < GetControlCount(); ++i) GetControl(i)->SetEnabled(enabled);
}

void TZQCustomGroup::RepaintNonClient() {
  if (HandleAllocated())
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TZQCustomGroup::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.ClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
  p.ExStyle |= WS_EX_CONTROLPARENT;  // dialog navigation enters the children
}

int TZQCustomGroup::CaptionHeight() {
  if (GetCaption().empty()) return 2;
  const TWindowDC screen(nullptr);
  const TSelectObject font(screen.Get(), GetFont()->GetHandle());
  SIZE size = {};
  GetTextExtentPoint32A(screen.Get(), "0", 1, &size);
  return size.cy;
}

void TZQCustomGroup::CalcNonClient(TMessage& m) {
  RECT* r = m.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0] : reinterpret_cast<RECT*>(m.LParam);
  if (frameStyle_ == zqfsGroup) {
    r->top += CaptionHeight();
    r->left += 2;
    r->right -= 2;
    r->bottom -= 2;
  } else {
    AdjustRectForFrame(frameStyle_, *r);
  }
  if (m.WParam && (!GetCaption().empty() || IsDesigning() || frameChanged_)) {
    m.Result = WVR_HREDRAW | WVR_VREDRAW;
    frameChanged_ = false;
  }
}

void TZQCustomGroup::PaintFrame() {
  const TWindowDC dc(GetHandle(), true);
  RECT window, client;
  GetWindowRect(GetHandle(), &window);
  ::GetClientRect(GetHandle(), &client);
  MapWindowPoints(GetHandle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  ExcludeClipRect(dc.Get(), client.left, client.top, client.right, client.bottom);
  OffsetRect(&window, -window.left, -window.top);
  TCanvas* canvas = GetCanvas();
  const HDC previous = canvas->HandleAllocated() ? canvas->GetHandle() : nullptr;
  canvas->SetHandle(dc.Get());
  GuardCallback(this, [&] { PaintNonClient(canvas, window); });
  canvas->SetHandle(previous);
}

void TZQCustomGroup::PaintNonClient(TCanvas* canvas, const RECT& rect) {
  const TColor colour = GetColor();
  if (colour != clNone) canvas->GetBrush()->SetColor(colour);
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->SetFont(GetFont());
  const RECT r = {rect.left, rect.top, rect.right - 1, rect.bottom - 1};
  if (frameStyle_ == zqfsGroup) DrawGroupFrame(canvas, r, GetCaption(), GetEnabled(), colour);
  else DrawFrame(frameStyle_, canvas, r);
}

void TZQCustomGroup::Paint() {
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  if (GetColor() != clNone) {
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(GetColor());
  } else {
    canvas->GetBrush()->SetStyle(bsClear);
  }
  if (defaultDrawing_ && frameStyle_ != zqfsGroup)
    DrawFrameCaption(canvas, GetClientRect(), GetCaption(), alignment_, frameSpace_);
  if (OnPaint) OnPaint(this, canvas);
}

void TZQCustomGroup::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE:
      TCustomControl::WndProc(m);
      CalcNonClient(m);
      return;
    case WM_NCPAINT:
      TCustomControl::WndProc(m);
      PaintFrame();
      return;
    case WM_ERASEBKGND:
      // Without default drawing OnPaint paints it all; clNone is no colour to fill with.
      if ((IsDesigning() || defaultDrawing_) && GetColor() != clNone) {
        RECT r;
        ::GetClientRect(GetHandle(), &r);
        const TGdiObject brush(CreateSolidBrush(ColorToRGB(GetColor())));
        FillRect(reinterpret_cast<HDC>(m.WParam), &r, static_cast<HBRUSH>(brush.Get()));
      }
      m.Result = 1;
      return;
    case CM_ENABLEDCHANGED:
      TCustomControl::WndProc(m);
      Invalidate();
      EnableAllChildren(GetEnabled());
      if (frameStyle_ == zqfsGroup) RepaintNonClient();
      return;
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
      TCustomControl::WndProc(m);
      Invalidate();
      if (frameStyle_ == zqfsGroup) RepaintNonClient();
      return;
    case CM_FONTCHANGED:
      TCustomControl::WndProc(m);
      if (frameStyle_ == zqfsGroup) RepaintNonClient();
      else Invalidate();
      return;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

}  // namespace korvane
