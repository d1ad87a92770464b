#include "korvane/host/Screen.h"

namespace korvane {

static TCursor screenCursor = crDefault;

TCursor ScreenCursorValue() { return screenCursor; }

TCursor TScreen::GetCursor() const { return screenCursor; }

void TScreen::SetCursor(TCursor value) {
  if (value == screenCursor) return;
  screenCursor = value;
  POINT p;
  GetCursorPos(&p);
  ::SetCursor(CursorHandle(value == crDefault ? crArrow : value));
}

static TScreen& Instance() {
  static TScreen screen(nullptr);
  return screen;
}

TScreen* const Screen = &Instance();

}  // namespace korvane
