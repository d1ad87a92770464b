#include "tests/support/DragDrive.h"

#include <map>

namespace korvane::test {

namespace {
std::map<UINT_PTR, TimedSteps*>& Timers() {
  static std::map<UINT_PTR, TimedSteps*> timers;
  return timers;
}
}  // namespace

TimedSteps::TimedSteps(std::vector<std::function<void()>> steps, UINT everyMs) : steps_(std::move(steps)) {
  timer_ = SetTimer(nullptr, 0, everyMs, &TimedSteps::Tick);
  Timers()[timer_] = this;
}

TimedSteps::~TimedSteps() {
  KillTimer(nullptr, timer_);
  Timers().erase(timer_);
}

void CALLBACK TimedSteps::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  const auto found = Timers().find(id);
  if (found == Timers().end()) return;
  TimedSteps* self = found->second;
  if (self->Done()) {
    PostThreadMessageA(GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
    return;
  }
  self->steps_[self->next_++]();
}

POINT ScreenPoint(HWND wnd, POINT client) {
  ClientToScreen(wnd, &client);
  return client;
}

void PointAt(HWND wnd, POINT client) {
  const POINT p = ScreenPoint(wnd, client);
  SetCursorPos(p.x, p.y);
}

void MakeTopmost(HWND wnd) {
  SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HRESULT RecordingDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  ++enters;
  offered = *effect;
  formats.clear();
  IEnumFORMATETC* e = nullptr;
  if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, &e)) && e) {
    FORMATETC f;
    while (e->Next(1, &f, nullptr) == S_OK) formats.push_back(f.cfFormat);
    e->Release();
  }
  *effect &= answer;
  return S_OK;
}

HRESULT RecordingDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  ++overs;
  *effect &= answer;
  return S_OK;
}

HRESULT RecordingDropTarget::DragLeave() {
  ++leaves;
  return S_OK;
}

HRESULT RecordingDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  ++drops;
  FORMATETC f = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  if (SUCCEEDED(data->GetData(&f, &medium))) {
    if (const char* p = static_cast<const char*>(GlobalLock(medium.hGlobal))) {
      text = p;
      GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
  }
  *effect &= answer;
  return S_OK;
}

namespace {
// A plain window class: a static control answers hit tests as transparent, so
// the drag loop would look past it.
const char* DropWindowClass() {
  static const char* name = [] {
    WNDCLASSA c = {};
    c.lpfnWndProc = DefWindowProcA;
    c.hInstance = GetModuleHandleA(nullptr);
    c.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    c.lpszClassName = "KorvaneTestDropWindow";
    RegisterClassA(&c);
    return c.lpszClassName;
  }();
  return name;
}
}  // namespace

DropWindow::DropWindow(IDropTarget* target, RECT r)
    : wnd_(CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, DropWindowClass(), "drop here", WS_POPUP | WS_VISIBLE, r.left,
                           r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr)) {
  RegisterDragDrop(wnd_, target);
}

DropWindow::~DropWindow() {
  RevokeDragDrop(wnd_);
  DestroyWindow(wnd_);
}

}  // namespace korvane::test
