#include "tests/support/Ui.h"

#include "korvane/host/Application.h"

namespace korvane::test {

bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!cond()) {
    if (GetTickCount() - start >= timeoutMs) return cond();
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  Application->ProcessMessages();
}

std::unique_ptr<TBitmap> Snapshot(HWND wnd, bool clientOnly) { return CaptureWindow(wnd, clientOnly); }

void SaveScreenshot(HWND wnd, const std::string& path) { Snapshot(wnd, false)->SaveToPngFile(path); }

TestForm::TestForm(int clientWidth, int clientHeight, const std::string& caption) : form_(new TForm(nullptr)) {
  form_->SetCaption(caption);
  RECT r = {0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, FALSE, 0);
  form_->SetBounds(40, 40, r.right - r.left, r.bottom - r.top);
  form_->Show();
  Pump(20);
}

TestForm::~TestForm() { form_->Free(); }

}  // namespace korvane::test
