// TScreen: the screen's size and the application-wide cursor. A cursor other
// than crDefault shows over every control of the application.
#pragma once
#include "korvane/host/Controls.h"

namespace korvane {

class TScreen : public TComponent {
public:
  explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
  TCursor GetCursor() const;
  void SetCursor(TCursor value);
  int GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
  int GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }
  int GetPixelsPerInch() const { return TFont::PixelsPerInch(); }
};

extern TScreen* const Screen;

// The screen cursor, read by every control's WM_SETCURSOR.
TCursor ScreenCursorValue();

// Shows a cursor (the hourglass by default) for a scope and puts back the one before.
class TCursorScope {
public:
  explicit TCursorScope(TCursor cursor = crHourGlass) : saved_(Screen->GetCursor()) { Screen->SetCursor(cursor); }
  ~TCursorScope() { Screen->SetCursor(saved_); }
  TCursorScope(const TCursorScope&) = delete;
  TCursorScope& operator=(const TCursorScope&) = delete;

private:
  TCursor saved_;
};

}  // namespace korvane
