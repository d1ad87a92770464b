#include "tests/support/Ui.h"

#include "host/Application.h"
#include "host/Handles.h"

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

std::unique_ptr<TBitmap> Snapshot(HWND wnd, bool clientOnly) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Application->ProcessMessages();
  RECT r;
  if (clientOnly) GetClientRect(wnd, &r);
  else GetWindowRect(wnd, &r);
  auto bitmap = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
  const TWindowDC src(wnd, !clientOnly);
  BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, bitmap->GetWidth(), bitmap->GetHeight(), src.Get(), 0, 0, SRCCOPY);
  GdiFlush();
  return bitmap;
}

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
