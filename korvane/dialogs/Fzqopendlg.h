// The form-based dialog components. TZQDialog holds what outlives one
// execution (the window's size and state, the title) and saves it to a stream
// or the registry; TZQFormDialog runs the execution cycle over a dialog form
// built afresh for each run and destroyed after it. TZQFileDlg and its Open and
// Save branches ask for files with the form TZQFrmOpenDlg.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "korvane/dialogs/opendlgform.h"
#include "korvane/host/Component.h"
#include "korvane/host/Forms.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Screen.h"
#include "korvane/host/Strings.h"

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

// Asks for one or more files. Everything typed is checked by the form
// according to Options; the component keeps the settings and the result.
class TZQFileDlg : public TZQFormDialog<TZQFrmOpenDlg> {
public:
  explicit TZQFileDlg(TComponent* AOwner);
  ~TZQFileDlg() override;

  // While an execution runs, the accessors below read and write the live form.
  std::string GetFilename();
  void SetFilename(const std::string& v);  // Files becomes exactly that name
  TStrings* GetFiles() { return files_.get(); }  // the chosen full paths
  TStrings* GetHistoryList() { return historyList_.get(); }  // kept for the application
  void SetHistoryList(TStrings* v) { historyList_->Assign(v); }
  TZQOpenOptions GetOptions() const { return options_; }
  void SetOptions(TZQOpenOptions v);
  const std::string& GetDefaultExt() const { return defaultExt_; }  // without its dot
  void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
  const std::string& GetFilter() const { return filter_; }  // "Text files|*.txt|All files|*.*"
  void SetFilter(const std::string& v);
  int GetFilterIndex();  // 1-based; during an execution 0 when the form has no types
  void SetFilterIndex(int v);
  THelpContext GetHelpContext() const { return helpContext_; }
  void SetHelpContext(THelpContext v) { helpContext_ = v; }
  const std::string& GetInitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& v) { initialDir_ = v; }
  int GetFormSplitterPos();  // -1: the tree pane was never sized
  void SetFormSplitterPos(int v);
  const TZQShAddItemEvent& GetOnAddListItem() const { return onAddListItem_; }
  void SetOnAddListItem(TZQShAddItemEvent v);
  const TZQShAddItemEvent& GetOnAddTreeItem() const { return onAddTreeItem_; }
  void SetOnAddTreeItem(TZQShAddItemEvent v);

  void WriteStateToStream(TStream& stream) override;

  TZQShAddItemEvent OnAddComboItem;  // kept only: the shell combo has no item filter
  TNotifyEvent OnFolderChanged, OnSelectionChanged, OnTypeChanged;
  TZQShLvCustomDrawEvent OnLvCustomDrawSh, OnLvCustomDrawShEx;
  TZQShTvCustomDrawEvent OnTvCustomDrawSh, OnTvCustomDrawShEx;
  THelpEvent OnHelp;

protected:
  bool DoExecute() override;
  TZQFrmOpenDlg* CreateForm() override;
  void InitForm(TZQFrmOpenDlg& form) override;
  void SaveFormSettings(TZQFrmOpenDlg& form) override;
  [[noreturn]] void RefuseExecution() override;
  void PrepareExecution() override;
  static constexpr std::size_t kFileStateSize = kStateSize + 5;
  std::size_t StateSize() const override { return kFileStateSize; }
  void ApplyState(const std::uint8_t* record) override;
  // The dialog's own caption and OK button text when Title is empty.
  virtual std::string DefaultCaption() const = 0;
  virtual std::string OkButtonCaption() const = 0;

private:
  std::unique_ptr<TStringList> historyList_;
  std::unique_ptr<TStringList> files_;
  TZQOpenOptions options_ = TZQOpenOptions::FromMask(ZQ_OPEN_DIALOG_DEFAULT_OPTIONS);
  std::string defaultExt_;
  std::string filter_;
  int filterIndex_ = 1;
  THelpContext helpContext_ = 0;
  std::string initialDir_;
  int formSplitterPos_ = -1;
  TZQShAddItemEvent onAddListItem_, onAddTreeItem_;
};

class TZQCustomOpenDlg : public TZQFileDlg {
public:
  using TZQFileDlg::TZQFileDlg;

protected:
  std::string DefaultCaption() const override;
  std::string OkButtonCaption() const override;
};

class TZQOpenDlg : public TZQCustomOpenDlg {
public:
  using TZQCustomOpenDlg::TZQCustomOpenDlg;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TZQCustomSaveDlg : public TZQFileDlg {
public:
  using TZQFileDlg::TZQFileDlg;

protected:
  std::string DefaultCaption() const override;
  std::string OkButtonCaption() const override;
};

class TZQSaveDlg : public TZQCustomSaveDlg {
public:
  using TZQCustomSaveDlg::TZQCustomSaveDlg;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
