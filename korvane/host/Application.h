// TApplication: the process's application object. It owns the main window
// handle handed to shell calls as their owner, pumps messages, and receives
// every exception caught at a Win32 or COM callback boundary.
#pragma once
#include <functional>
#include <string>

#include "korvane/host/Component.h"
#include "korvane/host/Exceptions.h"

namespace korvane {

using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;

class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* AOwner);

  HWND GetHandle() const { return handle_; }
  void SetHandle(HWND value) { handle_ = value; }
  const std::string& GetTitle() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }

  // Handles the exception being caught (call it from a catch block): EAbort is
  // ignored; others go to OnException when set, else to ShowException.
  void HandleException(TObject* Sender);
  // A message box with the title and the exception's message.
  void ShowException(const Exception& E);
  // Dispatches every message waiting in this thread's queue.
  void ProcessMessages();
  // Waits for one message and dispatches it (with dialog keys routed to forms).
  void HandleMessage();
  // Runs messages until Terminate (or the main form closes).
  void Run();
  void Terminate();
  bool GetTerminated() const { return terminated_; }
  TComponent* GetMainForm() const { return mainForm_; }
  void SetMainForm(TComponent* form) { mainForm_ = form; }

  TExceptionEvent OnException;
  // Help: OnHelp answers when set (true: handled); otherwise WinHelp on HelpFile.
  const std::string& GetHelpFile() const { return helpFile_; }
  void SetHelpFile(const std::string& v) { helpFile_ = v; }
  bool HelpContext(int context);
  std::function<bool(UINT Command, ULONG_PTR Data, bool& CallHelp)> OnHelp;

private:
  bool ProcessMessage(MSG& msg);
  HWND handle_ = nullptr;
  std::string title_;
  std::string helpFile_;
  bool terminated_ = false;
  TComponent* mainForm_ = nullptr;
};

// The application object, created with the process.
extern TApplication* const Application;

// Runs f at a callback boundary: an exception goes to Application->HandleException
// and never on into the caller. Answers false when f raised.
template <class F>
bool GuardCallback(TObject* sender, F&& f) noexcept {
  try {
    f();
    return true;
  } catch (...) {
    try {
      Application->HandleException(sender);
    } catch (...) {
    }
    return false;
  }
}

}  // namespace korvane
