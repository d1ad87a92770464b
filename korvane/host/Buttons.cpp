#include "korvane/host/Buttons.h"

namespace korvane {

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 23, 22); }

TBitmap* TSpeedButton::GetGlyph() {
  if (!glyph_) glyph_ = std::make_unique<TBitmap>();
  return glyph_.get();
}

void TSpeedButton::SetFlat(bool v) {
  flat_ = v;
  Invalidate();
}

void TSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (!v && !allowAllUp_) {
    // The last button down of a group stays down unless the group allows all up.
    bool otherDown = false;
    if (GetParent())
      for (int i = 0; i < GetParent()->GetControlCount(); ++i)
        if (auto* b = dynamic_cast<TSpeedButton*>(GetParent()->GetControl(i)); b && b != this && b->groupIndex_ == groupIndex_ && b->down_)
          otherDown = true;
    if (!otherDown) return;
  }
  down_ = v;
  if (v && GetParent())
    for (int i = 0; i < GetParent()->GetControlCount(); ++i)
      if (auto* b = dynamic_cast<TSpeedButton*>(GetParent()->GetControl(i)); b && b != this && b->groupIndex_ == groupIndex_ && b->down_) {
        b->down_ = false;
        b->Invalidate();
      }
  Invalidate();
}

void TSpeedButton::Click() {
  if (groupIndex_ != 0) SetDown(allowAllUp_ ? !down_ : true);
  TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && GetEnabled()) {
    pressed_ = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (pressed_) {
    pressed_ = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::WndProc(TMessage& m) {
  if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_ENABLEDCHANGED) Invalidate();
  TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint() {
  TCanvas* c = GetCanvas();
  RECT r = {0, 0, GetWidth(), GetHeight()};
  c->GetBrush()->SetColor(clBtnFace);
  c->FillRect(r);
  const bool sunken = down_ || pressed_;
  if (!flat_ || sunken) DrawEdge(c->GetHandle(), &r, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  const int shift = sunken ? 1 : 0;
  if (glyph_ && glyph_->GetWidth() > 0) {
    const int x = (GetWidth() - glyph_->GetWidth()) / 2 + shift, y = (GetHeight() - glyph_->GetHeight()) / 2 + shift;
    TransparentBlt(c->GetHandle(), x, y, glyph_->GetWidth(), glyph_->GetHeight(), glyph_->GetCanvas()->GetHandle(), 0, 0,
                   glyph_->GetWidth(), glyph_->GetHeight(), glyph_->PixelRGB(0, glyph_->GetHeight() - 1));
  } else if (!GetCaption().empty()) {
    c->SetFont(GetFont());
    if (!GetEnabled()) c->GetFont()->SetColor(clGrayText);
    c->GetBrush()->SetStyle(bsClear);
    OffsetRect(&r, shift, shift);
    c->DrawText(GetCaption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

}  // namespace korvane
