#include "korvane/host/StatusBar.h"

#include <commctrl.h>

namespace korvane {

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 200, 22);
  SetAlign(alBottom);
}

void TStatusBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, STATUSCLASSNAMEA);
  p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP;  // the form's layout places it
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(GetHandle(), SB_SIMPLE, TRUE, 0);
  SendMessageA(GetHandle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text_.c_str()));
}

void TStatusBar::SetSimpleText(const std::string& v) {
  text_ = v;
  if (HandleAllocated()) SendMessageA(GetHandle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text_.c_str()));
}

}  // namespace korvane
