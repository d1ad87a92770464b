#include "korvane/controls/base/customdraw.h"

namespace korvane {

TZQCustomDraw::TZQCustomDraw(TFont* sourceFont, NMCUSTOMDRAW* record, LRESULT* result)
    : record_(record), result_(result), sourceFont_(sourceFont) {
  Reset(record, result);
}

TZQCustomDraw::~TZQCustomDraw() {
  if (canvas_) canvas_->SetHandle(nullptr);
}

void TZQCustomDraw::Reset(NMCUSTOMDRAW* record, LRESULT* result) {
  record_ = record;
  result_ = result;
  resultSet_ = false;
  font_.reset();
  brush_.reset();
  CreateBrush();
  CreateFont();
}

void TZQCustomDraw::CreateFont() {
  font_ = std::make_unique<TFont>();
  if (sourceFont_) font_->Assign(sourceFont_);
  font_->SetColor(static_cast<TColor>(GetTextColor(record_->hdc)));
  fontChanged_ = false;  // the notification is attached after the initial values
  font_->OnChange = [this](TObject*) { fontChanged_ = true; };
}

void TZQCustomDraw::CreateBrush() {
  brush_ = std::make_unique<TBrush>();
  brush_->SetColor(static_cast<TColor>(GetBkColor(record_->hdc)));
  brushChanged_ = false;
  brush_->OnChange = [this](TObject*) { brushChanged_ = true; };
}

TZQCustomDrawStage TZQCustomDraw::GetDrawStage() const {
  switch (record_->dwDrawStage) {
    case CDDS_PREPAINT: return zqcdsPrePaint;
    case CDDS_POSTPAINT: return zqcdsPostPaint;
    case CDDS_ITEMPREPAINT: return zqcdsItemPrePaint;
    case CDDS_ITEMPOSTPAINT: return zqcdsItemPostPaint;
    default: return zqcdsUnknown;
  }
}

TCanvas* TZQCustomDraw::GetCanvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TCanvas>();
    canvas_->SetHandle(record_->hdc);
  }
  return canvas_.get();
}

TFont* TZQCustomDraw::GetFont() {
  if (!font_) CreateFont();
  return font_.get();
}

TBrush* TZQCustomDraw::GetBrush() {
  if (!brush_) CreateBrush();
  return brush_.get();
}

void TZQCustomDraw::SetResult(LRESULT v) {
  *result_ = v;
  resultSet_ = true;
}

void TZQCustomDraw::ApplyItemColours(COLORREF& clrText, COLORREF& clrTextBk) {
  if (fontChanged_ && font_) {
    HFONT handle = font_->GetHandle();
    if (handle != GetCurrentObject(record_->hdc, OBJ_FONT)) {
      SelectObject(record_->hdc, handle);
      *result_ |= CDRF_NEWFONT;
    }
    clrText = ColorToRGB(font_->GetColor());
  }
  if (brushChanged_ && brush_) clrTextBk = ColorToRGB(brush_->GetColor());
}

void TZQTvCustomDraw::Apply() {
  if (!resultSet_) *result_ = 0;
  switch (GetDrawStage()) {
    case zqcdsPrePaint:
      if (!resultSet_) *result_ |= NotifyItems ? CDRF_NOTIFYITEMDRAW : 0;
      return;
    case zqcdsItemPrePaint:
      if (SkipDefault) {
        if (!resultSet_) *result_ |= CDRF_SKIPDEFAULT;
        return;
      }
      ApplyItemColours(MpTvCd()->clrText, MpTvCd()->clrTextBk);
      return;
    default:
      return;
  }
}

void TZQLvCustomDraw::Apply() {
  *result_ = 0;  // a value a handler assigned is not kept
  switch (GetDrawStage()) {
    case zqcdsPrePaint:
      *result_ |= NotifyItems ? CDRF_NOTIFYITEMDRAW : 0;
      return;
    case zqcdsItemPrePaint:
      if (SkipDefault) {
        *result_ |= CDRF_SKIPDEFAULT;
        return;
      }
      ApplyItemColours(MpLvCd()->clrText, MpLvCd()->clrTextBk);
      return;
    default:
      return;
  }
}

}  // namespace korvane
