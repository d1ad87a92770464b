// TZQFrmOpenDlg: the window TZQOpenDlg and TZQSaveDlg build for each run: a
// shell combo, a shell tree and list in a splitter, the file name box and the
// file type combo. The component hands its settings in through the accessors
// below and reads the result back after the form closes.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "korvane/controls/base/Uzqframe.h"
#include "korvane/controls/base/Uzqimagecombo.h"
#include "korvane/controls/base/Uzqsplitter.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/dialogs/openoptions.h"
#include "korvane/host/Forms.h"
#include "korvane/host/StdCtrls.h"
#include "korvane/host/Strings.h"

namespace korvane {

class TZQFrmOpenDlg : public TForm {
public:
  explicit TZQFrmOpenDlg(TComponent* AOwner);
  ~TZQFrmOpenDlg() override;

  TLabel* LookInTxt;
  TZQShellCombo* ZQShellCombo1;
  TZQGroup* SplitterContainer;
  TZQSplitter* ZQSplitter1;
  TZQShellTree* ZQShellTree1;
  TZQShellList* ZQShellList1;
  TPanel* Panel1;
  TLabel* FileNameTxt;
  TEdit* FileNameEdt;
  TLabel* FilesOfTypeTxt;
  TZQCombobox* FileTypesCbx;
  TButton* OpenBtn;
  TButton* CancelBtn;
  TCheckBox* ReadOnlyChk;
  TButton* HelpBtn;

  // Before the form is shown the name box's text; afterwards the first chosen file, or empty.
  std::string GetFilename();
  void SetFilename(const std::string& v);
  // The validated full paths the form closed with (empty after Cancel).
  std::unique_ptr<TStringList> GetFiles() const;
  std::unique_ptr<TStringList> GetSelectedFiles() const { return GetFiles(); }
  // 0 without types, else the selected type's index plus 1.
  int GetFilterIndex();
  // 1..count selects that type and applies its mask as if the user chose it;
  // any other value selects the first type without applying it.
  void SetFilterIndex(int v);
  void SetFilter(const std::string& v);  // adds the pairs behind the types there
  const std::string& GetFilter() const { return filter_; }
  void SetInitialDir(const std::string& v);
  const std::string& GetInitialDir() const { return initialDir_; }
  void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
  const std::string& GetDefaultExt() const { return defaultExt_; }
  TZQOpenOptions GetOptions() const { return options_; }
  void SetOptions(TZQOpenOptions v);
  int GetFormSplitterPos() const { return ZQSplitter1->GetPosition(); }
  void SetFormSplitterPos(int v) { ZQSplitter1->SetPosition(v); }
  THelpContext GetDialogHelpContext() const { return helpContext_; }
  void SetDialogHelpContext(THelpContext v) { helpContext_ = v; }
  bool GetShown() const { return shown_; }

  // The component's handlers of each role, fired with the form as sender.
  TNotifyEvent OnTypeChanged, OnFolderChanged, OnSelectionChanged, OnFormShow, OnFormClose;
  THelpEvent OnDialogHelp;

  // The type combo's choice: drops a user filter and gives the list the type's mask.
  void FileTypesCbxSelEndOk(TObject* Sender);

protected:
  virtual void DoOnFormClose();
  virtual void DoOnFolderChanged();
  virtual void DoOnSelectionChanged();
  virtual void DoOnFormShow();
  virtual void DoOnTypeChanged();
  virtual void DoTranslation();
  void DoShow() override;
  void DoHide() override;
  // The chosen files, for the form's own checks.
  TStringList& SelectedFiles() { return *selectedFiles_; }
  void SetShown(bool v) { shown_ = v; }

private:
  TZQOpenOptions options_ = TZQOpenOptions::FromMask(ZQ_OPEN_DIALOG_DEFAULT_OPTIONS);
  std::string defaultExt_;
  std::string initialDir_;
  std::string filter_;
  std::string userFilter_;  // a wildcard pattern the user typed; empty: none
  std::vector<std::string> masks_;  // each type's mask, by its index in the type combo
  std::unique_ptr<TStringList> selectedFiles_;
  bool shown_ = false;
  THelpContext helpContext_ = 0;
};

}  // namespace korvane
