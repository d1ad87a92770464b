// Driving OLE drag and drop headless: OLE's drag loop reads the mouse buttons
// from the thread's keyboard state and the pointer from the cursor position,
// and dispatches timers; a drag is scripted through those three.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/ComFake.h"

namespace korvane::test {

// A mouse button (or a key) held down in the thread's keyboard state, released with the scope.
class HeldButton {
public:
  explicit HeldButton(int vk) : vk_(vk) { Set(0x80); }
  ~HeldButton() { Release(); }
  HeldButton(const HeldButton&) = delete;
  HeldButton& operator=(const HeldButton&) = delete;
  void Release() { Set(0); }

private:
  void Set(BYTE v) {
    BYTE state[256];
    GetKeyboardState(state);
    state[vk_] = v;
    SetKeyboardState(state);
  }
  int vk_;
};

// Runs the steps in order from a timer of the test's thread, one every
// everyMs, also inside the modal loops the thread enters (a drag, a menu).
// After the last step it posts Escape, so that a drag the script did not end
// is cancelled instead of hanging.
class TimedSteps {
public:
  explicit TimedSteps(std::vector<std::function<void()>> steps, UINT everyMs = 150);
  ~TimedSteps();
  TimedSteps(const TimedSteps&) = delete;
  TimedSteps& operator=(const TimedSteps&) = delete;
  // Every step ran.
  bool Done() const { return next_ >= steps_.size(); }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
  std::vector<std::function<void()>> steps_;
  std::size_t next_ = 0;
  UINT_PTR timer_ = 0;
};

// Moves the pointer to the middle of a client-area rectangle or a point of a window.
void PointAt(HWND wnd, POINT client);
POINT ScreenPoint(HWND wnd, POINT client);

// A drop target of the test: records what it was offered and answers
// `answer` (within the offered effects) on every event.
class RecordingDropTarget : public TComFake<RecordingDropTarget, IDropTarget> {
public:
  DWORD answer = DROPEFFECT_COPY;
  int enters = 0, overs = 0, leaves = 0, drops = 0;
  DWORD offered = 0;                // the effects of the last DragEnter
  std::vector<CLIPFORMAT> formats;  // enumerated at the last DragEnter
  std::string text;                 // CF_TEXT of the dropped data

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
};

// A topmost popup window at a screen rectangle with a drop target registered.
class DropWindow {
public:
  DropWindow(IDropTarget* target, RECT screen);
  ~DropWindow();
  DropWindow(const DropWindow&) = delete;
  DropWindow& operator=(const DropWindow&) = delete;
  HWND Handle() const { return wnd_; }

private:
  HWND wnd_;
};

// A drop source of the test: goes on until drop or cancel is set, or Escape.
class ScriptedDropSource : public TComFake<ScriptedDropSource, IDropSource> {
public:
  bool drop = false, cancel = false;
  DWORD feedback = 0;  // the effect the target under the pointer last answered
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    if (escape || cancel) return DRAGDROP_S_CANCEL;
    return drop ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
    feedback = effect;
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
};

// Makes a window topmost, so that the drag loop finds it under the pointer
// while other test processes show windows of their own.
void MakeTopmost(HWND wnd);

}  // namespace korvane::test
