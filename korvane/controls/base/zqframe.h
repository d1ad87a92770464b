// TZQCustomFrame: a window-less control that draws a frame style inside its
// bounds, optionally with an aligned caption (with zqfsNone only the caption:
// a status text).
#pragma once
#include "korvane/controls/base/zqgroup.h"

namespace korvane {

class TZQCustomFrame : public TGraphicControl {
public:
  explicit TZQCustomFrame(TComponent* AOwner);

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool GetDefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool v);
  int GetFrameSpace() const { return frameSpace_; }
  void SetFrameSpace(int v);
  TZQFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TZQFrameStyle v);
  // Invalidates the area inside the frame on the parent (erasing it when the
  // frame has no colour of its own, so the old caption goes).
  void InvalidateInterior();

  TZQFramePaintEvent OnPaint;
  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;

private:
  TAlignment alignment_ = taCenter;
  bool defaultDrawing_ = true;
  int frameSpace_ = 2;
  TZQFrameStyle frameStyle_ = zqfsLowered;
};

class TZQFrame : public TZQCustomFrame {
public:
  using TZQCustomFrame::TZQCustomFrame;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
