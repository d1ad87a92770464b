#include "korvane/host/Application.h"

#include "korvane/host/Controls.h"
#include "korvane/host/Forms.h"
#include "korvane/host/Menus.h"

namespace korvane {

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name = path;
  name = name.substr(name.find_last_of("\\/") + 1);
  title_ = name.substr(0, name.rfind('.'));
}

void TApplication::HandleException(TObject* Sender) {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const Exception& e) {
    if (OnException) OnException(Sender, e);
    else ShowException(e);
  } catch (const std::exception& e) {
    const Exception wrapped(e.what());
    if (OnException) OnException(Sender, wrapped);
    else ShowException(wrapped);
  } catch (...) {
    const Exception unknown("Unknown exception");
    if (OnException) OnException(Sender, unknown);
    else ShowException(unknown);
  }
}

bool TApplication::HelpContext(int context) {
  bool callHelp = true;
  if (OnHelp) {
    const bool handled = OnHelp(HELP_CONTEXT, static_cast<ULONG_PTR>(context), callHelp);
    if (handled || !callHelp) return handled;
  }
  if (helpFile_.empty()) return false;
  return WinHelpA(handle_, helpFile_.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(context)) != 0;
}

void TApplication::ShowException(const Exception& E) {
  std::string text = E.Message();
  if (!text.empty() && text.back() != '.') text += '.';
  MessageBoxA(handle_, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

// Tab, Return, Escape and the arrows go to the form as CM_DIALOGKEY unless the
// focused control wants them; the form may consume them.
static bool IsDialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  switch (msg.wParam) {
    case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: break;
    default: return false;
  }
  TWinControl* control = TWinControl::FindControl(msg.hwnd);
  if (!control || control->Perform(CM_WANTSPECIALKEY, msg.wParam, msg.lParam)) return false;
  const LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (code & DLGC_WANTALLKEYS) return false;
  if (msg.wParam == VK_TAB && (code & DLGC_WANTTAB)) return false;
  if (msg.wParam != VK_TAB && msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE && (code & DLGC_WANTARROWS))
    return false;
  TControl* top = control;
  while (top->GetParent()) top = top->GetParent();
  return top->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam) != 0;
}

namespace {
// An Alt+character: the accelerator of a control of the window's form.
bool IsDialogChar(const MSG& msg) {
  if (msg.message != WM_SYSCHAR) return false;
  TControl* top = TWinControl::FindControl(msg.hwnd);
  if (!top) return false;
  while (top->GetParent()) top = top->GetParent();
  return top->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
}

// A key of an item of the menu bar of the form msg goes to.
bool IsMenuKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  TWinControl* control = TWinControl::FindControl(msg.hwnd);
  TCustomForm* form = control ? GetParentForm(control) : nullptr;
  return form && form->GetMenu() && form->GetMenu()->IsShortCut(static_cast<WORD>(msg.wParam), KeyboardShiftState());
}
}  // namespace

bool TApplication::ProcessMessage(MSG& msg) {
  bool handled = false;
  GuardCallback(this, [&] { handled = IsMenuKey(msg) || IsDialogKey(msg) || IsDialogChar(msg); });
  if (!handled) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      break;
    }
    ProcessMessage(msg);
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    terminated_ = true;
    return;
  }
  ProcessMessage(msg);
}

void TApplication::Run() {
  while (!terminated_) {
    HandleMessage();
    if (auto* form = dynamic_cast<TControl*>(mainForm_); form && !form->GetVisible()) terminated_ = true;
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

static TApplication& Instance() {
  static TApplication app(nullptr);
  return app;
}

TApplication* const Application = &Instance();

}  // namespace korvane
