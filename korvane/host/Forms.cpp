#include "korvane/host/Forms.h"

#include <vector>

#include "korvane/host/Application.h"
#include "korvane/host/Menus.h"
#include "korvane/host/ScopeExit.h"

namespace korvane {

static BOOL CALLBACK CollectEnabledWindow(HWND wnd, LPARAM list) {
  if (IsWindowVisible(wnd) && IsWindowEnabled(wnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
  return TRUE;
}

TTaskWindowsDisabled::TTaskWindowsDisabled(HWND except) {
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled_));
  for (HWND w : disabled_)
    if (w != except) EnableWindow(w, FALSE);
}

TTaskWindowsDisabled::~TTaskWindowsDisabled() {
  for (HWND w : disabled_)
    if (IsWindow(w)) EnableWindow(w, TRUE);
}

TCustomForm* GetParentForm(TControl* control) {
  if (!control) return nullptr;
  while (control->GetParent()) control = control->GetParent();
  return dynamic_cast<TCustomForm*>(control);
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetVisible(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  if (v == borderIcons_) return;
  borderIcons_ = v;
  RecreateWnd();
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN;
  p.ExStyle = 0;
  switch (borderStyle_) {
    case bsNone: p.Style |= WS_POPUP; break;
    case bsSingle: case bsToolWindow: p.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: case bsSizeToolWin: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: p.Style |= WS_POPUP | WS_CAPTION; p.ExStyle |= WS_EX_DLGMODALFRAME; break;
  }
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) p.ExStyle |= WS_EX_TOOLWINDOW;
  if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
    p.Style |= WS_SYSMENU;
    if (borderStyle_ != bsDialog) {
      if (borderIcons_.Contains(biMinimize)) p.Style |= WS_MINIMIZEBOX;
      if (borderIcons_.Contains(biMaximize)) p.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (!GetEnabled()) p.Style |= WS_DISABLED;
  p.WndParent = Application->GetHandle();
  p.ClassStyle = CS_DBLCLKS;
  // A form placed inside another control (a designer's surface) is a child window there.
  if (GetParent()) {
    p.Style = (p.Style & (WS_CAPTION | WS_BORDER | WS_DISABLED)) | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    p.ExStyle = 0;
    p.WndParent = GetParent()->GetHandle();
  }
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  AttachMenu(false);
  menu_ = menu;
  if (menu) menu->FreeNotification(this);
  AttachMenu(true);
}

void TCustomForm::AttachMenu(bool attach) {
  if (!menu_ || !HandleAllocated()) return;
  ::SetMenu(GetHandle(), attach ? menu_->GetHandle() : nullptr);
  menu_->attached_ = attach;
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == menu_) {
    AttachMenu(false);
    menu_ = nullptr;
  }
}

void TCustomForm::SetSizeGrip(bool v) {
  sizeGrip_ = v;
  if (!v) grip_.Reset();
  else if (HandleAllocated() && !grip_) PlaceSizeGrip();
}

void TCustomForm::PlaceSizeGrip() {
  constexpr int kGrip = 13;
  RECT client = {};
  ::GetClientRect(GetHandle(), &client);
  if (!grip_)
    grip_.Reset(CreateWindowExA(0, "SCROLLBAR", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | SBS_SIZEGRIP,
                                0, 0, kGrip, kGrip, GetHandle(), nullptr, GetModuleHandleA(nullptr), nullptr));
  SetWindowPos(grip_.Get(), HWND_TOP, client.right - kGrip, client.bottom - kGrip, kGrip, kGrip, SWP_NOACTIVATE);
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  AttachMenu(true);
  if (sizeGrip_) PlaceSizeGrip();
  if (position_ == poScreenCenter || position_ == poMainFormCenter || position_ == poOwnerFormCenter) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetBounds(work.left + (work.right - work.left - GetWidth()) / 2, work.top + (work.bottom - work.top - GetHeight()) / 2,
              GetWidth(), GetHeight());
  }
}

TWindowState TCustomForm::GetWindowState() const {
  if (auto* self = const_cast<TCustomForm*>(this); self->HandleAllocated()) {
    if (IsIconic(self->GetHandle())) return wsMinimized;
    if (IsZoomed(self->GetHandle())) return wsMaximized;
    return wsNormal;
  }
  return windowState_;
}

void TCustomForm::SetWindowState(TWindowState v) {
  windowState_ = v;
  if (HandleAllocated() && GetVisible())
    ShowWindow(GetHandle(), v == wsMinimized ? SW_MINIMIZE : v == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

TWinControl* TCustomForm::GetActiveControl() {
  TWinControl* c = FindControl(GetFocus());
  return c && GetParentForm(c) == this && c != this ? c : nullptr;
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caHide) Hide();
  else if (action == caMinimize) SetWindowState(wsMinimized);
  else if (action == caFree) Release();
}

void TCustomForm::Release() { PostMessageA(GetHandle(), CM_RELEASE, 0, 0); }

namespace {
// Sends m to the controls below w, depth first, until one answers non-zero.
bool AskControls(TWinControl* w, const TMessage& m) {
  for (int i = 0; i < w->GetControlCount(); ++i) {
    TControl* c = w->GetControl(i);
    if (c->Perform(m.Msg, m.WParam, m.LParam)) return true;
    if (auto* child = dynamic_cast<TWinControl*>(c); child && AskControls(child, m)) return true;
  }
  return false;
}
}  // namespace

TModalResult TCustomForm::ShowModal() {
  if (GetVisible() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
  HandleNeeded();
  // The other windows of the thread are disabled while the form runs.
  const TTaskWindowsDisabled disabled(GetHandle());
  modal_ = true;
  modalResult_ = mrNone;
  const auto restore = ScopeExit([this] { modal_ = false; });
  Show();
  ShowWindow(GetHandle(), SW_SHOW);
  SetForegroundWindow(GetHandle());
  for (;;) {
    Application->HandleMessage();
    if (Application->GetTerminated()) {
      modalResult_ = mrCancel;
      break;
    }
    if (modalResult_ != mrNone) {
      bool canClose = false;
      try {
        canClose = CloseQuery();
      } catch (...) {  // the form stays open; the application shows what went wrong
        Application->HandleException(this);
      }
      if (canClose) {
        TCloseAction action = caHide;
        DoClose(action);
        if (action != caNone) break;
      }
      modalResult_ = mrNone;
    }
  }
  Hide();
  return modalResult_;
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
      if (menu_ && m.LParam == 0 && HIWORD(m.WParam) == 0 && menu_->DispatchCommand(LOWORD(m.WParam))) return;
      break;
    case WM_INITMENUPOPUP:
      if (menu_) menu_->UpdatePopup(reinterpret_cast<HMENU>(m.WParam));
      break;
    case WM_DESTROY:
      AttachMenu(false);  // the menu outlives the window
      grip_.Reset();
      break;
    case WM_SIZE:
      if (grip_) PlaceSizeGrip();
      break;
    case WM_GETMINMAXINFO: {
      TWinControl::WndProc(m);
      auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
      if (constraints_.MinWidth > 0) info->ptMinTrackSize.x = constraints_.MinWidth;
      if (constraints_.MinHeight > 0) info->ptMinTrackSize.y = constraints_.MinHeight;
      if (constraints_.MaxWidth > 0) info->ptMaxTrackSize.x = constraints_.MaxWidth;
      if (constraints_.MaxHeight > 0) info->ptMaxTrackSize.y = constraints_.MaxHeight;
      return;
    }
    case WM_CLOSE:
      Close();
      return;
    case CM_RELEASE:
      Free();
      return;
    case CM_VISIBLECHANGED:
      if (HandleAllocated() || GetVisible()) {
        if (GetVisible()) {
          HandleNeeded();
          ShowWindow(GetHandle(), windowState_ == wsMaximized ? SW_SHOWMAXIMIZED
                                  : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                                : SW_SHOWNORMAL);
          DoShow();
        } else {
          ShowWindow(GetHandle(), SW_HIDE);
          DoHide();
        }
      }
      return;
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) != WA_INACTIVE) {
        if (OnActivate) OnActivate(this);
      } else if (OnDeactivate) {
        OnDeactivate(this);
      }
      break;
    case CM_DIALOGKEY: {
      const WPARAM key = m.WParam;
      if (key == VK_TAB && (KeyboardShiftState() * TShiftState{ssCtrl, ssAlt}).Empty()) {
        SelectNext(GetActiveControl(), !KeyboardShiftState().Contains(ssShift));
        m.Result = 1;
        return;
      }
      // Default and cancel buttons answer Return and Escape.
      m.Result = AskControls(this, m) ? 1 : 0;
      return;
    }
    case CM_DIALOGCHAR:  // the control whose accelerator it is takes it
      m.Result = AskControls(this, m) ? 1 : 0;
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace korvane
