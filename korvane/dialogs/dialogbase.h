// The base of the form-based dialog components. TZQDialog holds what outlives
// one execution (the window's size and state, the title) and saves it to a
// stream or the registry; TZQFormDialog runs the execution cycle over a dialog
// form built afresh for each run and destroyed after it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "korvane/host/Component.h"
#include "korvane/host/Forms.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Screen.h"

namespace korvane {

class TStream;

class TZQDialog : public TComponent {
public:
  explicit TZQDialog(TComponent* AOwner);

  // True when the user closed the dialog with OK. Raises "<class name> already
  // executing" when called while running.
  bool Execute();
  bool GetExecuting() const { return executing_; }

  // 0 or less: the form keeps its designed size.
  int GetFormWidth() const { return formWidth_; }
  void SetFormWidth(int v) { formWidth_ = v; }
  int GetFormHeight() const { return formHeight_; }
  void SetFormHeight(int v) { formHeight_ = v; }
  TWindowState GetFormWindowState() const { return formWindowState_; }
  void SetFormWindowState(TWindowState v) { formWindowState_ = v; }
  const std::string& GetTitle() const { return title_; }  // empty: the dialog's own caption
  void SetTitle(const std::string& v) { title_ = v; }

  // The state as one REG_BINARY value. Reading a value that is missing or too
  // short raises the stream's read error; one not binary, the registry's.
  void ReadStateFromRegistry(HKEY root, const std::string& key, const std::string& name);
  void WriteStateToRegistry(HKEY root, const std::string& key, const std::string& name);
  // A little-endian record at the stream's position, no header: width and
  // height (4 bytes each), the window state (1 byte), then the descendants'
  // fields. The whole record is read before any of it is applied: a short one
  // raises the stream's read error and changes nothing.
  virtual void ReadStateFromStream(TStream& stream);
  virtual void WriteStateToStream(TStream& stream);

  TNotifyEvent OnInitialized;  // the form is built and filled, not yet shown
  TNotifyEvent OnFormShow;     // handed to the form
  TNotifyEvent OnFormClose;    // handed to the form

protected:
  virtual void DoInitialized();
  virtual bool DoExecute() = 0;
  // The record's length and how a complete record read from storage is applied;
  // a descendant appends its fields behind those of its base.
  static constexpr std::size_t kStateSize = 9;
  virtual std::size_t StateSize() const { return kStateSize; }
  virtual void ApplyState(const std::uint8_t* record);
  // The window's size from its restored placement, and its state.
  void SaveFormGeometry(TCustomForm& form);
  void ApplyFormGeometry(TCustomForm& form) const;

private:
  int formWidth_ = -1;
  int formHeight_ = -1;
  TWindowState formWindowState_ = wsNormal;
  std::string title_;
  bool executing_ = false;
};

// The execution cycle of a dialog over a form of class F: the form is built,
// filled from the component, shown modally, read back (after OK and Cancel
// alike) and destroyed on every path, under the hourglass until it shows.
template <class F>
class TZQFormDialog : public TZQDialog {
public:
  using TZQDialog::TZQDialog;
  F* GetForm() const { return form_; }  // the live form during an execution, else nil

protected:
  virtual F* CreateForm() = 0;  // a new form, owned by the application object
  virtual void InitForm(F& form) = 0;
  virtual void SaveFormSettings(F& form) = 0;
  [[noreturn]] virtual void RefuseExecution() = 0;  // raises: a form is live already
  virtual void PrepareExecution() {}

  bool DoExecute() override {
    if (form_) RefuseExecution();
    const TCursorScope hourglass(crHourGlass);
    PrepareExecution();
    F* form = CreateForm();
    const auto end = ScopeExit([&] {
      form_ = nullptr;
      form->Free();
    });
    InitForm(*form);
    form_ = form;
    DoInitialized();
    const bool ok = form->ShowModal() == mrOk;
    SaveFormSettings(*form);
    return ok;
  }

private:
  F* form_ = nullptr;
};

}  // namespace korvane
