// Controls: TControl (a rectangle on a parent, with font, colour, mouse and
// context-menu handling), TWinControl (a lazily created native window, its
// children, keyboard and focus, and the reflection of child notifications as
// CN_ messages), TCustomControl (a window that paints on a canvas) and
// TGraphicControl (a windowless control painted by its parent).
//
// Messages reach a control through one virtual WndProc(TMessage&) chain: each
// class handles its messages, then calls its base; TWinControl's base case is
// the window's default procedure. Perform calls WndProc directly.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "korvane/host/Component.h"
#include "korvane/host/Graphics.h"
#include "korvane/host/Messages.h"

namespace korvane {

// Adds (set) or removes the bits of the window's style, writing it only when it
// changes; answers the style after, 0 without a window.
LONG_PTR ChangeWindowStyle(HWND wnd, LONG_PTR bits, bool set);

class TWinControl;
class TPopupMenu;

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
enum TDragMode : std::uint8_t { dmManual, dmAutomatic };
enum TShiftStateE : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateE>;
using TCursor = short;
constexpr TCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeWE = -9, crSizeNS = -7,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15;
HCURSOR CursorHandle(TCursor cursor);

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, POINT MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, POINT MousePos, bool& Handled)>;
using TContextPopupEvent = std::function<void(TObject* Sender, POINT MousePos, bool& Handled)>;

// The parts of a hint "short|long": the short one is shown over the control,
// the long one in a status bar; a hint without '|' is both.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
// The control of this layer under a screen point, or nil.
TWinControl* FindVCLWindow(POINT screen);

// The shift state of the keyboard now (and of the mouse buttons in keys, from a mouse message).
TShiftState KeyboardShiftState();
TShiftState KeysToShiftState(WPARAM keys);

class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* GetParent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);
  int GetLeft() const { return left_; }
  int GetTop() const { return top_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  RECT GetBoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT GetClientRect();
  int GetClientWidth() { RECT r = GetClientRect(); return r.right - r.left; }
  int GetClientHeight() { RECT r = GetClientRect(); return r.bottom - r.top; }
  TAlign GetAlign() const { return align_; }
  void SetAlign(TAlign v);
  TAnchors GetAnchors() const { return anchors_; }
  void SetAnchors(TAnchors v);

  bool GetVisible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent.
  bool IsShowing() const;
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  bool GetParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TFont* GetFont() { return &font_; }
  void SetFont(TFont* v) { font_.Assign(v); }
  bool GetParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  std::string GetText() const { return text_; }
  void SetText(const std::string& v);
  std::string GetCaption() const { return GetText(); }
  void SetCaption(const std::string& v) { SetText(v); }
  TPopupMenu* GetPopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* v);
  const std::string& GetHint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  bool GetShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  bool GetParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v);
  // The help topic of the control (0: none), asked with F1 (WM_HELP).
  int GetHelpContext() const { return helpContext_; }
  void SetHelpContext(int v) { helpContext_ = v; }
  TCursor GetCursor() const { return cursor_; }
  void SetCursor(TCursor v) { cursor_ = v; }
  // Kept for the controls that read them (a tree's drag style); this layer has
  // no drag loop of its own.
  TDragMode GetDragMode() const { return dragMode_; }
  virtual void SetDragMode(TDragMode v) { dragMode_ = v; }
  TCursor GetDragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor v) { dragCursor_ = v; }

  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);
  POINT ClientToScreen(POINT p);
  POINT ScreenToClient(POINT p);
  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  TNotifyEvent OnClick, OnDblClick, OnResize;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown, OnMouseWheelUp;
  TContextPopupEvent OnContextPopup;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, POINT MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, POINT MousePos);
  virtual void DoContextPopup(POINT MousePos, bool& Handled);
  virtual void Resize();
  virtual void Changed() {}
  // The menu for a right click: PopupMenu, or the parent's.
  virtual TPopupMenu* GetPopupMenuToUse();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool IsDesigning() const { return GetComponentState().Contains(csDesigning); }

  // A change of bounds that TWinControl carries to its window.
  virtual void BoundsChanged() {}
  // Takes bounds the window already has (from WM_SIZE and WM_MOVE).
  void SetBoundsFields(int l, int t, int w, int h) { left_ = l, top_ = t, width_ = w, height_ = h; }
  // Anchor distances, taken when the parent's size is known.
  void UpdateAnchorRules();
  // Click on a left-button release inside the control (off for native buttons, which report their own).
  bool clickEvents_ = true;
  friend class TWinControl;

private:
  void WMContextMenu(TMessage& m);
  void FontChangedByObject();

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_ = {akLeft, akTop};
  RECT anchorRules_ = {};  // distances to the parent's right and bottom edges
  bool visible_ = true, enabled_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = false;
  TFont font_;
  bool parentFont_ = true;
  std::string text_;
  TPopupMenu* popupMenu_ = nullptr;
  std::string hint_;
  bool showHint_ = false, parentShowHint_ = true;
  TCursor cursor_ = crDefault;
  int helpContext_ = 0;
  TDragMode dragMode_ = dmManual;
  TCursor dragCursor_ = crDrag;
  bool clicked_ = false;
};

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // The registered class: WinClassName, made from SubClassName's system class
  // when that is set (a superclassed control), else from WindowClass.
  std::string WinClassName;
  std::string SubClassName;
  UINT ClassStyle = CS_DBLCLKS;
  HBRUSH Background = nullptr;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  void BeforeDestruction() override;

  HWND GetHandle();  // creates the window when needed
  bool HandleAllocated() const { return handle_ != nullptr; }
  HWND AllocatedHandle() const { return handle_; }  // nil until the window exists; never creates it
  void HandleNeeded();
  void RecreateWnd();
  void DestroyHandle();

  int GetControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* GetControl(int index) const { return controls_.at(static_cast<std::size_t>(index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  // The visible, enabled child control at a client point (windowless ones first).
  TControl* ControlAtPos(POINT p, bool allowDisabled = false);

  bool CanFocus();
  bool Focused();
  virtual void SetFocus();
  int GetTabOrder() const;
  void SetTabOrder(int v);
  bool GetTabStop() const { return tabStop_; }
  void SetTabStop(bool v) { tabStop_ = v; }
  void SelectNext(TWinControl* current, bool forward);

  RECT GetClientRect() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;
  void Invalidate() override;
  void Update() override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // Asks the native control directly, past the WndProc chain: for queries no
  // class of this layer answers itself, made in bulk (one per item).
  LRESULT NativeQuery(UINT msg, WPARAM wParam, LPARAM lParam);
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* Root) override;
  void AlignControls();

  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter, OnExit;

  // The control that owns a window made by this layer, or nil.
  static TWinControl* FindControl(HWND wnd);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
  virtual void CreateParams(TCreateParams& Params);
  void CreateSubClass(TCreateParams& Params, const char* systemClass);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void CreateHandle();
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc);
  void BoundsChanged() override;
  // Applies font and colour to the window (WM_SETFONT); called after creation and on change.
  virtual void ApplyFont();
  HBRUSH BackgroundBrush();
  // Sets or clears a window style bit kept in style, and in the live window.
  void ChangeStyleBit(DWORD& style, DWORD bit, bool on);
  // The sunken client edge (WS_EX_CLIENTEDGE) of the live window, its frame redrawn.
  void ApplyClientEdge(bool on);
  // A form that sees its controls' keys first answers true.
  virtual bool WantsKeyPreview() const { return false; }
  // KeyDown through the form's preview; true when the key was consumed.
  bool DoKeyDown(WORD& key);

private:
  friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK InitWndProc(HWND, UINT, WPARAM, LPARAM);
  bool DoControlMsg(HWND child, TMessage& m);
  void MouseToGraphicChild(TMessage& m);
  void UpdateShowing();

  HWND handle_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;
  bool tabStop_ = false;
  TControl* mouseControl_ = nullptr;  // the windowless child being clicked
  TGdiObject brush_;
  bool aligning_ = false;
};

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  TCanvas* GetCanvas() { return &canvas_; }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

private:
  TCanvas canvas_;
};

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* AOwner);
  TCanvas* GetCanvas() { return &canvas_; }
  void WndProc(TMessage& Message) override;

protected:
  virtual void Paint() {}

private:
  TCanvas canvas_;
};

// Publishes a control's Caption, Color, Font, ParentColor and ParentFont, in the order form files
// write them. The font is stored only when the control does not take its parent's.
template <class C>
TPublish<C>& PublishCaptionColorFont(TPublish<C>& p, TColor defaultColor) {
  return p.Str("Caption", &C::GetCaption, &C::SetCaption)
      .Int("Color", &C::GetColor, &C::SetColor, defaultColor)
      .Idents(ColorIdents())
      .Object("Font", &C::GetFont)
      .StoredWhen([](const C& c) { return !c.GetParentFont(); })
      .Bool("ParentColor", &C::GetParentColor, &C::SetParentColor, false)
      .Bool("ParentFont", &C::GetParentFont, &C::SetParentFont, true);
}

}  // namespace korvane
