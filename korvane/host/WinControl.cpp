#include <algorithm>
#include <map>
#include <unordered_map>

#include "korvane/host/Application.h"
#include "korvane/host/Controls.h"
#include "korvane/host/ControlsInternal.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/Screen.h"

namespace korvane {
namespace {

thread_local TWinControl* creatingControl = nullptr;

// The control of each window of this process. Every message is routed through
// it, so it must be cheap: a window property costs a server round trip under
// Wine. Windows of other processes are never in it.
class TWindowControls {
public:
  void Add(HWND wnd, TWinControl* control) {
    AcquireSRWLockExclusive(&lock_);
    controls_[wnd] = control;
    ReleaseSRWLockExclusive(&lock_);
  }
  void Remove(HWND wnd) {
    AcquireSRWLockExclusive(&lock_);
    controls_.erase(wnd);
    ReleaseSRWLockExclusive(&lock_);
  }
  TWinControl* Find(HWND wnd) {
    AcquireSRWLockShared(&lock_);
    const auto at = controls_.find(wnd);
    TWinControl* control = at == controls_.end() ? nullptr : at->second;
    ReleaseSRWLockShared(&lock_);
    return control;
  }

private:
  SRWLOCK lock_ = SRWLOCK_INIT;
  std::unordered_map<HWND, TWinControl*> controls_;
};

TWindowControls& WindowControls() {
  static TWindowControls* controls = new TWindowControls;  // outlives every window
  return *controls;
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

// The default window procedure of each registered class.
std::map<std::string, WNDPROC>& ClassProcs() {
  static std::map<std::string, WNDPROC> procs;
  return procs;
}

UINT NextChildId() {
  static UINT id = 100;
  if (++id >= 0xFFF0) id = 101;
  return id;
}

}  // namespace

using detail::IsMouseMessage;

// --- Window procedures

LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = WindowControls().Find(wnd);
  if (!control) return DefWindowProcA(wnd, msg, wParam, lParam);
  TMessage m = {msg, wParam, lParam, 0};
  GuardCallback(control, [&] { control->WndProc(m); });
  if (msg == WM_NCDESTROY) {
    WindowControls().Remove(wnd);
    SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control->defWndProc_));
    control->handle_ = nullptr;
  }
  return m.Result;
}

LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = creatingControl;
  if (!control) return DefWindowProcA(wnd, msg, wParam, lParam);
  creatingControl = nullptr;
  control->handle_ = wnd;
  WindowControls().Add(wnd, control);
  SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StdWndProc));
  return StdWndProc(wnd, msg, wParam, lParam);
}

LRESULT TWinControl::NativeQuery(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND wnd = GetHandle();
  return defWndProc_ ? CallWindowProcA(defWndProc_, wnd, msg, wParam, lParam) : SendMessageA(wnd, msg, wParam, lParam);
}

TWinControl* TWinControl::FindControl(HWND wnd) { return wnd ? WindowControls().Find(wnd) : nullptr; }

// --- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  DestroyHandle();
  // A parent frees the controls it holds, as their owner would.
  while (!controls_.empty()) {
    TControl* c = controls_.back();
    RemoveControl(c);
    c->Free();
  }
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  DestroyHandle();  // while the object is whole, so every level sees its window's last messages
}

const TClassInfo& TWinControl::StaticClassInfo() {
  static const TClassInfo info = TPublish<TWinControl>("TWinControl", &TControl::StaticClassInfo())
                                     .Bool("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop, false)
                                     .Done();
  return info;
}

void TWinControl::InsertControl(TControl* AControl) {
  controls_.push_back(AControl);
  AControl->parent_ = this;
  if (AControl->parentFont_) {
    AControl->font_.Assign(&font_);
    AControl->parentFont_ = true;
  }
  if (AControl->parentColor_) AControl->color_ = GetColor();
  if (AControl->parentShowHint_) AControl->showHint_ = GetShowHint();
  AControl->UpdateAnchorRules();
  if (auto* w = dynamic_cast<TWinControl*>(AControl); w && HandleAllocated()) w->HandleNeeded();
  // While a form file is read the children are aligned once, in Loaded: per child it would be quadratic.
  if (!GetComponentState().Contains(csLoading)) AlignControls();
  if (!dynamic_cast<TWinControl*>(AControl)) AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
  const auto it = std::find(controls_.begin(), controls_.end(), AControl);
  if (it == controls_.end()) return;
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) w->DestroyHandle();
  else AControl->Invalidate();
  if (mouseControl_ == AControl) mouseControl_ = nullptr;
  controls_.erase(it);
  AControl->parent_ = nullptr;
  AlignControls();
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->visible_ || (!allowDisabled && !c->enabled_)) continue;
    const RECT r = c->GetBoundsRect();
    if (PtInRect(&r, p) && !dynamic_cast<TWinControl*>(c)) return c;
  }
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->visible_ || (!allowDisabled && !c->enabled_)) continue;
    const RECT r = c->GetBoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (GetParent()) GetParent()->HandleNeeded();
  if (!handle_) CreateHandle();
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  if (!handle_) return;
  ApplyFont();
  for (TControl* c : std::vector<TControl*>(controls_))
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
  AlignControls();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = GetText();
  Params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (GetVisible()) Params.Style |= WS_VISIBLE;
  if (!GetEnabled()) Params.Style |= WS_DISABLED;
  if (tabStop_) Params.Style |= WS_TABSTOP;
  Params.X = GetLeft();
  Params.Y = GetTop();
  Params.Width = GetWidth();
  Params.Height = GetHeight();
  Params.WndParent = GetParent() ? GetParent()->GetHandle() : nullptr;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* systemClass) { Params.SubClassName = systemClass; }

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD)) throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
  auto& procs = ClassProcs();
  auto known = procs.find(params.WinClassName);
  if (known == procs.end()) {
    WNDCLASSA wc = {};
    WNDPROC original = DefWindowProcA;
    if (!params.SubClassName.empty()) {
      if (!GetClassInfoA(nullptr, params.SubClassName.c_str(), &wc)) RaiseLastOSError();
      original = wc.lpfnWndProc;
    } else {
      wc.style = params.ClassStyle;
      wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
      wc.hbrBackground = params.Background;
    }
    wc.lpfnWndProc = InitWndProc;
    wc.hInstance = ThisModule();
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) RaiseLastOSError();
    known = procs.emplace(params.WinClassName, original).first;
  }
  defWndProc_ = known->second;
  CreateWindowHandle(params);
  if (!handle_) RaiseLastOSError();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  creatingControl = this;
  const HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId())) : nullptr;
  HWND wnd = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.WndParent, id, ThisModule(), nullptr);
  creatingControl = nullptr;
  if (!wnd) handle_ = nullptr;
}

void TWinControl::DestroyWnd() {
  if (handle_) DestroyWindow(handle_);
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : std::vector<TControl*>(controls_))
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
  handle_ = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  HandleNeeded();
}

LONG_PTR ChangeWindowStyle(HWND wnd, LONG_PTR bits, bool set) {
  if (!wnd) return 0;
  const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
  const LONG_PTR changed = set ? (style | bits) : (style & ~bits);
  if (changed != style) SetWindowLongPtrA(wnd, GWL_STYLE, changed);
  return changed;
}

void TWinControl::ChangeStyleBit(DWORD& style, DWORD bit, bool on) {
  style = on ? (style | bit) : (style & ~bit);
  if (!handle_) return;
  ChangeWindowStyle(handle_, bit, on);
  Invalidate();
}

void TWinControl::ApplyClientEdge(bool on) {
  if (!handle_) return;
  const LONG_PTR ex = GetWindowLongPtrA(handle_, GWL_EXSTYLE);
  SetWindowLongPtrA(handle_, GWL_EXSTYLE, on ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE)));
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinControl::ApplyFont() {
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont()->GetHandle()), 1);
}

HBRUSH TWinControl::BackgroundBrush() {
  if (!brush_) brush_.Reset(CreateSolidBrush(ColorToRGB(GetColor())));
  return static_cast<HBRUSH>(brush_.Get());
}

RECT TWinControl::GetClientRect() {
  RECT r = {0, 0, GetWidth(), GetHeight()};
  if (handle_) ::GetClientRect(handle_, &r);
  return r;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) { TControl::SetBounds(ALeft, ATop, AWidth, AHeight); }

void TWinControl::BoundsChanged() {
  if (handle_)
    SetWindowPos(handle_, nullptr, GetLeft(), GetTop(), GetWidth(), GetHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  AlignControls();
}

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  RECT r = GetClientRect();
  static const TAlign kOrder[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign a : kOrder) {
    for (TControl* c : controls_) {
      if (c->align_ != a || !c->visible_) continue;
      int l = c->left_, t = c->top_, w = c->width_, h = c->height_;
      switch (a) {
        case alTop: l = r.left; t = r.top; w = r.right - r.left; r.top += h; break;
        case alBottom: l = r.left; t = r.bottom - h; w = r.right - r.left; r.bottom -= h; break;
        case alLeft: l = r.left; t = r.top; h = r.bottom - r.top; r.left += w; break;
        case alRight: l = r.right - w; t = r.top; h = r.bottom - r.top; r.right -= w; break;
        case alClient: l = r.left; t = r.top; w = r.right - r.left; h = r.bottom - r.top; break;
        default: break;
      }
      c->SetBounds(l, t, std::max(w, 0), std::max(h, 0));
    }
  }
  // Anchored controls keep their distances to the edges they are anchored to.
  const RECT cr = GetClientRect();
  const int cw = cr.right - cr.left, ch = cr.bottom - cr.top;
  for (TControl* c : controls_) {
    if (c->align_ != alNone || (!c->anchors_.Contains(akRight) && !c->anchors_.Contains(akBottom))) continue;
    const RECT rule = c->anchorRules_;
    int l = c->left_, t = c->top_, w = c->width_, h = c->height_;
    if (c->anchors_.Contains(akRight)) {
      if (c->anchors_.Contains(akLeft)) w = cw - rule.right - l;
      else l = cw - rule.right - w;
    }
    if (c->anchors_.Contains(akBottom)) {
      if (c->anchors_.Contains(akTop)) h = ch - rule.bottom - t;
      else t = ch - rule.bottom - h;
    }
    const RECT keep = rule;
    c->SetBounds(l, t, std::max(w, 0), std::max(h, 0));
    c->anchorRules_ = keep;
  }
  aligning_ = false;
}

bool TWinControl::CanFocus() {
  for (TControl* c = this; c; c = c->GetParent())
    if (!c->GetVisible() || !c->GetEnabled()) return false;
  return true;
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (CanFocus()) ::SetFocus(GetHandle());
}

int TWinControl::GetTabOrder() const {
  if (!GetParent()) return -1;
  int order = 0;
  for (TControl* c : GetParent()->controls_) {
    if (c == this) return order;
    if (dynamic_cast<TWinControl*>(c)) ++order;
  }
  return -1;
}

void TWinControl::SetTabOrder(int v) {
  TWinControl* p = GetParent();
  if (!p || v < 0) return;
  auto& list = p->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  int order = 0;
  auto at = list.begin();
  for (; at != list.end(); ++at) {
    if (!dynamic_cast<TWinControl*>(*at)) continue;
    if (order++ == v) break;
  }
  list.insert(at, this);
}

void TWinControl::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> stops;
  std::function<void(TWinControl*)> collect = [&](TWinControl* w) {
    for (TControl* c : w->controls_)
      if (auto* child = dynamic_cast<TWinControl*>(c)) {
        if (child->tabStop_ && child->CanFocus()) stops.push_back(child);
        collect(child);
      }
  };
  collect(this);
  if (stops.empty()) return;
  auto it = std::find(stops.begin(), stops.end(), current);
  std::size_t i = it == stops.end() ? (forward ? stops.size() - 1 : 0) : static_cast<std::size_t>(it - stops.begin());
  i = forward ? (i + 1) % stops.size() : (i + stops.size() - 1) % stops.size();
  stops[i]->SetFocus();
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* Root) {
  for (TControl* c : controls_)
    if (c->GetOwner() == Root) proc(c);
  if (Root == this) {
    for (int i = 0; i < GetComponentCount(); ++i)
      if (!GetComponent(i)->HasParent()) proc(GetComponent(i));
  }
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    if (dynamic_cast<TWinControl*>(c) || !c->GetVisible()) continue;
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, c->GetLeft(), c->GetTop(), nullptr);
    IntersectClipRect(dc, 0, 0, c->GetWidth(), c->GetHeight());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

bool TWinControl::DoControlMsg(HWND child, TMessage& m) {
  TWinControl* c = FindControl(child);
  if (!c || c == this) return false;
  m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

void TWinControl::MouseToGraphicChild(TMessage& m) {
  const POINT p = {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
  TControl* target = mouseControl_;
  if (!target) {
    TControl* hit = ControlAtPos(p);
    if (hit && !dynamic_cast<TWinControl*>(hit)) target = hit;
  }
  if (!target) return;
  if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
    mouseControl_ = target;
    SetCapture(handle_);
  }
  const LPARAM local = MAKELPARAM(p.x - target->GetLeft(), p.y - target->GetTop());
  m.Result = target->Perform(m.Msg, m.WParam, local);
  if (m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP) {
    mouseControl_ = nullptr;
    if (GetCapture() == handle_) ReleaseCapture();
  }
  m.Msg = 0;  // handled by the windowless child
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (handle_ && m.Msg != 0) m.Result = CallWindowProcA(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NOTIFY:
      if (DoControlMsg(reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom, m)) return;
      break;
    case WM_COMMAND:
      if (m.LParam && DoControlMsg(reinterpret_cast<HWND>(m.LParam), m)) return;
      break;
    case WM_HSCROLL: case WM_VSCROLL:
      if (m.LParam && DoControlMsg(reinterpret_cast<HWND>(m.LParam), m)) return;
      break;
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN: case WM_CTLCOLORSTATIC:
      if (DoControlMsg(reinterpret_cast<HWND>(m.LParam), m)) return;
      break;
    case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX: case CN_CTLCOLORBTN: case CN_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
      SetBkColor(dc, ColorToRGB(GetColor()));
      m.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (dis->CtlType != ODT_MENU && DoControlMsg(dis->hwndItem, m)) return;
      break;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (mis->CtlType != ODT_MENU && DoControlMsg(GetDlgItem(handle_, static_cast<int>(mis->CtlID)), m)) return;
      break;
    }
    case WM_DELETEITEM: {
      auto* d = reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam);
      if (DoControlMsg(d->hwndItem, m)) return;
      break;
    }
    case WM_PAINT:
      if (defWndProc_ != DefWindowProcA) {  // a native control paints itself, then the windowless children
        DefaultHandler(m);
        if (std::any_of(controls_.begin(), controls_.end(), [](TControl* c) { return !dynamic_cast<TWinControl*>(c); })) {
          if (m.WParam) {
            PaintControls(reinterpret_cast<HDC>(m.WParam));
          } else {
            TWindowDC dc(handle_);
            PaintControls(dc.Get());
          }
        }
        return;
      }
      if (m.WParam) {  // painted into a given DC
        PaintWindow(reinterpret_cast<HDC>(m.WParam));
        PaintControls(reinterpret_cast<HDC>(m.WParam));
      } else {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle_, &ps);
        PaintWindow(dc);
        PaintControls(dc);
        EndPaint(handle_, &ps);
      }
      return;
    case WM_PRINTCLIENT:
      if (defWndProc_ == DefWindowProcA) {
        PaintWindow(reinterpret_cast<HDC>(m.WParam));
        PaintControls(reinterpret_cast<HDC>(m.WParam));
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (defWndProc_ == DefWindowProcA) {
        RECT r;
        ::GetClientRect(handle_, &r);
        FillRect(reinterpret_cast<HDC>(m.WParam), &r, BackgroundBrush());
        m.Result = 1;
        return;
      }
      break;
    case WM_SIZE: case WM_MOVE: {
      if (handle_ && !IsIconic(handle_)) {
        RECT r;
        GetWindowRect(handle_, &r);
        POINT tl = {r.left, r.top};
        if (GetParent() && GetParent()->HandleAllocated()) ::ScreenToClient(GetParent()->GetHandle(), &tl);
        const bool resized = (r.right - r.left) != GetWidth() || (r.bottom - r.top) != GetHeight();
        SetBoundsFields(tl.x, tl.y, r.right - r.left, r.bottom - r.top);
        if (m.Msg == WM_SIZE) {
          AlignControls();
          if (resized) Resize();
        }
      }
      break;
    }
    case WM_KEYDOWN: case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(m.WParam);
      if (DoKeyDown(key)) return;
      m.WParam = key;
      break;
    }
    case WM_KEYUP: case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(m.WParam);
      KeyUp(key, KeyboardShiftState());
      if (key == 0) return;
      m.WParam = key;
      break;
    }
    case WM_CHAR: {
      char key = static_cast<char>(m.WParam);
      KeyPress(key);
      if (key == 0) return;
      m.WParam = static_cast<unsigned char>(key);
      break;
    }
    case WM_MOUSEWHEEL: {
      const POINT screen = {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      if (DoMouseWheel(KeysToShiftState(LOWORD(m.WParam)), static_cast<short>(HIWORD(m.WParam)), screen)) {
        m.Result = 1;
        return;
      }
      break;
    }
    case WM_SETFOCUS:
      if (OnEnter) OnEnter(this);
      break;
    case WM_KILLFOCUS:
      if (OnExit) OnExit(this);
      break;
    case WM_SETCURSOR:
      if (ScreenCursorValue() != crDefault) {
        ::SetCursor(CursorHandle(ScreenCursorValue()));
        m.Result = 1;
        return;
      }
      if (GetCursor() != crDefault && LOWORD(m.LParam) == HTCLIENT) {
        ::SetCursor(CursorHandle(GetCursor()));
        m.Result = 1;
        return;
      }
      break;
    case WM_SYSCOLORCHANGE:
      brush_.Reset();
      Perform(CM_SYSCOLORCHANGE, 0, 0);
      for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated()) SendMessageA(w->handle_, WM_SYSCOLORCHANGE, 0, 0);
      break;
    case CM_FONTCHANGED:
      ApplyFont();
      for (TControl* c : controls_)
        if (c->parentFont_) {
          c->font_.Assign(&font_);
          c->parentFont_ = true;
        }
      Invalidate();
      return;
    case CM_COLORCHANGED:
      brush_.Reset();
      for (TControl* c : controls_)
        if (c->parentColor_) {
          c->color_ = GetColor();
          c->Perform(CM_COLORCHANGED, 0, 0);
        }
      Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      if (handle_) EnableWindow(handle_, GetEnabled());
      return;
    case CM_VISIBLECHANGED:
      if (handle_) ShowWindow(handle_, GetVisible() ? SW_SHOWNA : SW_HIDE);
      return;
    case CM_TEXTCHANGED:
      if (handle_) SetWindowTextA(handle_, GetText().c_str());
      return;
    default:
      if (IsMouseMessage(m.Msg) && m.Msg != WM_MOUSEMOVE && !IsDesigning()) {
        MouseToGraphicChild(m);
        if (m.Msg == 0) return;
      } else if (m.Msg == WM_MOUSEMOVE && mouseControl_) {
        MouseToGraphicChild(m);
        return;
      }
      break;
  }
  TControl::WndProc(m);
}

bool TWinControl::DoKeyDown(WORD& key) {
  const TShiftState shift = KeyboardShiftState();
  // A form with KeyPreview sees its controls' keys first.
  TControl* top = this;
  while (top->GetParent()) top = top->GetParent();
  if (auto* form = dynamic_cast<TWinControl*>(top); form && form != this && form->WantsKeyPreview()) {
    form->KeyDown(key, shift);
    if (key == 0) return true;
  }
  KeyDown(key, shift);
  return key == 0;
}

// --- TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TCustomControl::PaintWindow(HDC dc) {
  canvas_.SetHandle(dc);
  GuardCallback(this, [&] { Paint(); });
  canvas_.SetHandle(nullptr);
}

// --- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT && m.WParam) {
    canvas_.SetHandle(reinterpret_cast<HDC>(m.WParam));
    GuardCallback(this, [&] { Paint(); });
    canvas_.SetHandle(nullptr);
    return;
  }
  TControl::WndProc(m);
}

}  // namespace korvane
