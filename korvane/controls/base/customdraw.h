// TZQCustomDraw: one NM_CUSTOMDRAW notification seen as an object. A handler
// changes Font or Brush, sets SkipDefault, or assigns Result; Apply turns
// that into the notification's answer and record.
#pragma once
#include <memory>

#include "korvane/host/Graphics.h"

namespace korvane {

enum TZQCustomDrawStage : std::uint8_t {
  zqcdsUnknown, zqcdsPrePaint, zqcdsPostPaint, zqcdsPreErase, zqcdsItemPrePaint, zqcdsItemPostPaint,
  zqcdsItemPreErase, zqcdsItemPostErase
};

class TZQCustomDraw : public TObject {
public:
  TZQCustomDraw(TFont* sourceFont, NMCUSTOMDRAW* record, LRESULT* result);
  ~TZQCustomDraw() override;
  TZQCustomDraw(const TZQCustomDraw&) = delete;
  TZQCustomDraw& operator=(const TZQCustomDraw&) = delete;

  virtual void Reset(NMCUSTOMDRAW* record, LRESULT* result);
  virtual void CreateFont();
  virtual void CreateBrush();
  virtual void Apply() = 0;

  TZQCustomDrawStage GetDrawStage() const;
  DWORD GetRawDrawStage() const { return record_->dwDrawStage; }
  RECT GetRect() const { return record_->rc; }
  HDC GetHandle() const { return record_->hdc; }
  bool IsItem() const { return (record_->dwDrawStage & CDDS_ITEM) != 0; }
  TCanvas* GetCanvas();
  TFont* GetFont();
  void SetFont(TFont* v) { GetFont()->Assign(v); }
  TBrush* GetBrush();
  void SetBrush(TBrush* v) { GetBrush()->Assign(v); }
  LRESULT GetResult() const { return *result_; }
  void SetResult(LRESULT v);

  bool NotifyItems = false;
  bool SkipDefault = false;

protected:
  NMCUSTOMDRAW* record_;
  LRESULT* result_;
  bool resultSet_ = false;
  bool fontChanged_ = false;
  bool brushChanged_ = false;
  TFont* sourceFont_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TCanvas> canvas_;
  // The item pre-paint work shared by both views: font, text colours.
  void ApplyItemColours(COLORREF& clrText, COLORREF& clrTextBk);
};

class TZQTvCustomDraw : public TZQCustomDraw {
public:
  using TZQCustomDraw::TZQCustomDraw;
  NMTVCUSTOMDRAW* MpTvCd() const { return reinterpret_cast<NMTVCUSTOMDRAW*>(record_); }
  void Apply() override;
};

class TZQLvCustomDraw : public TZQCustomDraw {
public:
  using TZQCustomDraw::TZQCustomDraw;
  NMLVCUSTOMDRAW* MpLvCd() const { return reinterpret_cast<NMLVCUSTOMDRAW*>(record_); }
  void Apply() override;
};

}  // namespace korvane
