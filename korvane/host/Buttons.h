// TSpeedButton: a windowless tool button with a caption or a glyph, flat or
// raised, that can stay down within a group.
#pragma once
#include <memory>

#include "korvane/host/Controls.h"

namespace korvane {

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* AOwner);
  bool GetDown() const { return down_; }
  void SetDown(bool v);
  int GetGroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v) { groupIndex_ = v; }
  bool GetAllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v) { allowAllUp_ = v; }
  bool GetFlat() const { return flat_; }
  void SetFlat(bool v);
  // The glyph: its bottom-left pixel's colour is transparent.
  TBitmap* GetGlyph();
  void Click() override;
  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  bool down_ = false, pressed_ = false, flat_ = false, allowAllUp_ = false;
  int groupIndex_ = 0;
  std::unique_ptr<TBitmap> glyph_;
};

}  // namespace korvane
