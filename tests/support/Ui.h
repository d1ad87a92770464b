// UI test harness: a shown test form, bounded message pumping, and what a
// window shows read back as pixels or saved as a PNG screenshot.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "korvane/host/Forms.h"
#include "korvane/host/Graphics.h"

namespace korvane::test {

// Runs the thread's messages until cond holds or timeoutMs passes; answers cond().
bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs = 5000);
// Runs the thread's messages for ms milliseconds.
void Pump(DWORD ms);

// What the window shows now (its whole window, frame included, or only the client area).
std::unique_ptr<TBitmap> Snapshot(HWND wnd, bool clientOnly = true);
inline std::unique_ptr<TBitmap> Snapshot(TWinControl& control, bool clientOnly = true) {
  return Snapshot(control.GetHandle(), clientOnly);
}
// Saves what the window shows as a PNG (frame included).
void SaveScreenshot(HWND wnd, const std::string& path);

// A form of the given client size, shown, freed with the fixture.
class TestForm {
public:
  explicit TestForm(int clientWidth = 400, int clientHeight = 300, const std::string& caption = "Test");
  ~TestForm();
  TestForm(const TestForm&) = delete;
  TestForm& operator=(const TestForm&) = delete;
  TForm* operator->() const { return form_; }
  TForm& operator*() const { return *form_; }
  TForm* Get() const { return form_; }

private:
  TForm* form_;
};

// A root of a test's own that a form file is written from or read into (on the stack, not shown).
struct TTestRoot : TForm {
  using TForm::TForm;
};

}  // namespace korvane::test
