// TZQSplitter: a windowed control that always holds two panes (TZQPane), side
// by side or stacked, with a bar between them the user drags, live or as an
// inverted outline. The bar keeps each pane at its minimum size and, when
// proportional, its share of the splitter's extent as the splitter resizes.
#pragma once
#include <functional>

#include "korvane/controls/base/zqgroup.h"

namespace korvane {

enum TZQSplitterStyle : std::uint8_t { zqstVertical, zqstHorizontal };
enum TZQFullDragMode : std::uint8_t { zqfdOff, zqfdOn, zqfdUser };
using TZQSplitterDragEvent = std::function<void(TObject* aSender, int aPosition)>;

class TZQPane : public TZQGroup {
public:
  explicit TZQPane(TComponent* AOwner);
  int GetMinSize() const { return minSize_; }
  void SetMinSize(int v) { minSize_ = v; }
  int GetIndex() const { return index_; }
  // 0 or 1: a pane's slot in its splitter. Any other value is a stream read error.
  void SetIndex(int v);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  bool GetActive() const { return active_; }
  void SetActive(bool v);  // design time: the active pane shows a dotted outline
  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;

private:
  int minSize_ = 20;
  int index_ = 0;
  bool active_ = false;
};

class TZQSplitter : public TCustomControl {
public:
  explicit TZQSplitter(TComponent* AOwner);

  TZQPane* GetPane(int index) const { return panes_[index & 1]; }
  void SwapPanes(bool adjust);
  void InitPanePos();
  void SetProportion(float proportion);
  float GetProportion() const { return proportion_; }
  bool IsFullDrag() const;
  int Extent();
  void FixProportion();
  void InternalSetPosition(int position, bool fix);
  void SetActivePane(int index);

  int GetPosition() const { return position_; }
  void SetPosition(int v) { InternalSetPosition(v, true); }
  TZQSplitterStyle GetStyle() const { return style_; }
  void SetStyle(TZQSplitterStyle v);
  int GetSplitterWidth() const { return splitterWidth_; }
  void SetSplitterWidth(int v);
  TZQFullDragMode GetFullDragMode() const { return fullDragMode_; }
  void SetFullDragMode(TZQFullDragMode v) { fullDragMode_ = v; }
  bool GetProportional() const { return proportional_; }
  void SetProportional(bool v) { proportional_ = v; }
  bool GetDragging() const { return dragging_; }
  // The panes' properties, stored with the panes.
  TColor GetPane1Color() const { return panes_[0]->GetColor(); }
  void SetPane1Color(TColor v) { panes_[0]->SetColor(v); }
  TColor GetPane2Color() const { return panes_[1]->GetColor(); }
  void SetPane2Color(TColor v) { panes_[1]->SetColor(v); }
  TZQFrameStyle GetPane1FrameStyle() const { return panes_[0]->GetFrameStyle(); }
  void SetPane1FrameStyle(TZQFrameStyle v) { panes_[0]->SetFrameStyle(v); }
  TZQFrameStyle GetPane2FrameStyle() const { return panes_[1]->GetFrameStyle(); }
  void SetPane2FrameStyle(TZQFrameStyle v) { panes_[1]->SetFrameStyle(v); }
  int GetPane1MinSize() const { return panes_[0]->GetMinSize(); }
  void SetPane1MinSize(int v) { panes_[0]->SetMinSize(v); }  // the bar stays where it is
  int GetPane2MinSize() const { return panes_[1]->GetMinSize(); }
  void SetPane2MinSize(int v) { panes_[1]->SetMinSize(v); }

  TNotifyEvent OnChange;
  TZQSplitterDragEvent OnSplitterDrag, OnSplitterDrop;

  void SetName(const std::string& NewName) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* Root) override;
  void WndProc(TMessage& Message) override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
  virtual void Change();
  virtual void InternalResize(bool force);
  virtual void SplitterDrag();
  virtual void SplitterDrop(int position);
  virtual void PaintSizingLine();
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Loaded() override;

private:
  void CreatePanes();
  int Along(int x, int y) const { return style_ == zqstVertical ? x : y; }
  int ClampDrag(int c);
  void SetDragCoordinate(int c);
  void BeginDrag(int x, int y);
  void EndDrag();
  std::string PaneName(int index) const;

  TZQPane* panes_[2] = {nullptr, nullptr};
  TZQSplitterStyle style_ = zqstVertical;
  int splitterWidth_ = 3;
  int position_ = 65;
  TZQFullDragMode fullDragMode_ = zqfdUser;
  bool proportional_ = true;
  float proportion_;
  bool dragging_ = false;
  int dragCoordinate_ = -1;
  int grabOffset_ = 0;
  TMouseButton dragButton_ = mbLeft;
  int activePane_ = 0;
};

}  // namespace korvane
