// TZQCustomGroup: a windowed container that draws its frame style in the
// non-client area, so its children are placed inside the frame (the group
// style reserves its caption's height at the top).
#pragma once
#include <functional>

#include "korvane/controls/base/framedraw.h"
#include "korvane/host/Controls.h"

namespace korvane {

using TZQFramePaintEvent = std::function<void(TObject* aSender, TCanvas* aCanvas)>;

class TZQCustomGroup : public TCustomControl {
public:
  explicit TZQCustomGroup(TComponent* AOwner);

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool GetDefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool v);
  int GetFrameSpace() const { return frameSpace_; }
  void SetFrameSpace(int v);
  TZQFrameStyle GetFrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TZQFrameStyle v);  // a new style re-creates the window: the client area changes
  void EnableAllChildren(bool enabled);
  void RepaintNonClient();  // recalculates and repaints the frame

  TZQFramePaintEvent OnPaint;
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  virtual void PaintNonClient(TCanvas* canvas, const RECT& rect);

private:
  int CaptionHeight();  // the text height of "0" in the font, 2 without a caption
  void CalcNonClient(TMessage& m);
  void PaintFrame();

  TAlignment alignment_ = taCenter;
  bool defaultDrawing_ = true;
  int frameSpace_ = 2;
  bool frameChanged_ = false;
  TZQFrameStyle frameStyle_ = zqfsGroup;
};

class TZQGroup : public TZQCustomGroup {
public:
  using TZQCustomGroup::TZQCustomGroup;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
