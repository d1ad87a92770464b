#include <algorithm>

#include "korvane/host/Application.h"
#include "korvane/host/Controls.h"
#include "korvane/host/Forms.h"
#include "korvane/host/ControlsInternal.h"
#include "korvane/host/Menus.h"
#include "korvane/host/PropInfo.h"

namespace korvane {

using detail::ButtonOf;
using detail::IsMouseMessage;

HCURSOR CursorHandle(TCursor cursor) {
  static const struct {
    TCursor c;
    LPCSTR id;
  } kCursors[] = {{crArrow, IDC_ARROW}, {crCross, IDC_CROSS},   {crIBeam, IDC_IBEAM},  {crSizeWE, IDC_SIZEWE},
                  {crSizeNS, IDC_SIZENS}, {crHourGlass, IDC_WAIT}, {crNoDrop, IDC_NO}, {crHSplit, IDC_SIZEWE},
                  {crVSplit, IDC_SIZENS}, {crDrag, IDC_ARROW}};
  for (const auto& k : kCursors)
    if (k.c == cursor) return LoadCursorA(nullptr, k.id);
  return LoadCursorA(nullptr, IDC_ARROW);
}

std::string GetShortHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

TWinControl* FindVCLWindow(POINT screen) {
  for (HWND wnd = WindowFromPoint(screen); wnd; wnd = GetParent(wnd))
    if (TWinControl* c = TWinControl::FindControl(wnd)) return c;
  return nullptr;
}

TShiftState KeyboardShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

// --- TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  font_.OnChange = [this](TObject*) { FontChangedByObject(); };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

const TClassInfo& TControl::StaticClassInfo() {
  static const TClassInfo info = TPublish<TControl>("TControl", &TComponent::StaticClassInfo())
                                     .Int("Left", &TControl::GetLeft, &TControl::SetLeft, 0)
                                     .Int("Top", &TControl::GetTop, &TControl::SetTop, 0)
                                     .Int("Width", &TControl::GetWidth, &TControl::SetWidth, 0)
                                     .Int("Height", &TControl::GetHeight, &TControl::SetHeight, 0)
                                     .Enum("Align", &TControl::GetAlign, &TControl::SetAlign, alNone,
                                           {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"})
                                     .Bool("Visible", &TControl::GetVisible, &TControl::SetVisible, true)
                                     .Bool("Enabled", &TControl::GetEnabled, &TControl::SetEnabled, true)
                                     .Str("Hint", &TControl::GetHint, &TControl::SetHint)
                                     .Done();
  return info;
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == parent_) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* w = dynamic_cast<TWinControl*>(Value)) SetParent(w);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  const bool resized = AWidth != width_ || AHeight != height_;
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  BoundsChanged();
  UpdateAnchorRules();
  if (parent_ && align_ != alNone) parent_->AlignControls();
  if (resized) Resize();
  if (!dynamic_cast<TWinControl*>(this) && parent_) parent_->Invalidate();
}

RECT TControl::GetClientRect() { return {0, 0, width_, height_}; }

void TControl::UpdateAnchorRules() {
  if (!parent_) return;
  RECT pr = parent_->GetClientRect();
  anchorRules_ = {left_, top_, (pr.right - pr.left) - (left_ + width_), (pr.bottom - pr.top) - (top_ + height_)};
}

void TControl::SetAlign(TAlign v) {
  if (v == align_) return;
  align_ = v;
  if (parent_) parent_->AlignControls();
}

void TControl::SetAnchors(TAnchors v) {
  anchors_ = v;
  UpdateAnchorRules();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Perform(CM_VISIBLECHANGED, v ? 1 : 0, 0);
  if (parent_) {
    parent_->AlignControls();
    if (!dynamic_cast<TWinControl*>(this)) parent_->Invalidate();
  }
}

bool TControl::IsShowing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor v) {
  parentColor_ = false;
  if (v == color_) return;
  color_ = v;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v && parent_) {
    color_ = parent_->GetColor();
    Perform(CM_COLORCHANGED, 0, 0);
  }
}

void TControl::FontChangedByObject() {
  parentFont_ = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v && parent_) {
    font_.Assign(parent_->GetFont());
    parentFont_ = true;
  }
}

void TControl::SetText(const std::string& v) {
  if (v == text_) return;
  text_ = v;
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* v) {
  popupMenu_ = v;
  if (v) v->FreeNotification(this);
}

void TControl::SetShowHint(bool v) {
  showHint_ = v;
  parentShowHint_ = false;
}

void TControl::SetParentShowHint(bool v) {
  parentShowHint_ = v;
  if (v && parent_) showHint_ = parent_->GetShowHint();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m = {Msg, WParam, LParam, 0};
  WndProc(m);
  return m.Result;
}

POINT TControl::ClientToScreen(POINT p) {
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated()) {
    ::ClientToScreen(w->GetHandle(), &p);
    return p;
  }
  if (parent_) return parent_->ClientToScreen({p.x + left_, p.y + top_});
  return {p.x + left_, p.y + top_};
}

POINT TControl::ScreenToClient(POINT p) {
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated()) {
    ::ScreenToClient(w->GetHandle(), &p);
    return p;
  }
  const POINT origin = ClientToScreen({0, 0});
  return {p.x - origin.x, p.y - origin.y};
}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  RECT r = GetBoundsRect();
  InvalidateRect(parent_->GetHandle(), &r, TRUE);
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (!handled) handled = WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, POINT MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, POINT MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::DoContextPopup(POINT MousePos, bool& Handled) {
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

TPopupMenu* TControl::GetPopupMenuToUse() { return popupMenu_ ? popupMenu_ : (parent_ ? parent_->GetPopupMenuToUse() : nullptr); }

void TControl::WMContextMenu(TMessage& m) {
  POINT pt = {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
  const bool keyboard = pt.x == -1 && pt.y == -1;
  bool handled = false;
  DoContextPopup(keyboard ? pt : ScreenToClient(pt), handled);
  m.Result = handled ? 1 : 0;
  if (handled) return;
  TPopupMenu* menu = GetPopupMenuToUse();
  if (menu && menu->GetAutoPopup()) {
    menu->SetPopupComponent(this);
    if (keyboard) pt = ClientToScreen({0, 0});
    menu->Popup(pt.x, pt.y);
    m.Result = 1;
  }
  if (m.Result == 0) DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::WndProc(TMessage& m) {
  if (IsDesigning() && IsMouseMessage(m.Msg) && m.Msg != WM_MOUSEMOVE && !Perform(CM_DESIGNHITTEST, m.WParam, m.LParam)) {
    // The designer handles the mouse.
    if (TCustomForm* form = GetParentForm(this); form && form->OnDesignMouse) form->OnDesignMouse(this, m);
    return;
  }
  const int x = static_cast<short>(LOWORD(m.LParam)), y = static_cast<short>(HIWORD(m.LParam));
  switch (m.Msg) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      MouseDown(ButtonOf(m.Msg), KeysToShiftState(m.WParam), x, y);
      if (m.Msg == WM_LBUTTONDOWN) clicked_ = true;
      break;
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: {
      TShiftState s = KeysToShiftState(m.WParam);
      s.Include(ssDouble);
      MouseDown(ButtonOf(m.Msg), s, x, y);
      if (m.Msg == WM_LBUTTONDBLCLK) DblClick();
      break;
    }
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
      MouseUp(ButtonOf(m.Msg), KeysToShiftState(m.WParam), x, y);
      if (m.Msg == WM_LBUTTONUP && clicked_) {
        clicked_ = false;
        const RECT r = GetClientRect();
        const POINT p = {x, y};
        if (clickEvents_ && PtInRect(&r, p)) Click();
      }
      break;
    case WM_MOUSEMOVE:
      MouseMove(KeysToShiftState(m.WParam), x, y);
      break;
    case WM_CONTEXTMENU:
      WMContextMenu(m);
      return;
    default:
      break;
  }
  DefaultHandler(m);
}


}  // namespace korvane
