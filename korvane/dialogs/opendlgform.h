// TZQFrmOpenDlg: the window TZQOpenDlg and TZQSaveDlg build for each run: a
// shell combo, a shell tree and list in a splitter, the file name box and the
// file type combo. The component hands its settings in through the accessors
// below and reads the result back after the form closes.
//
// Split by concern: opendlgform.cpp (construction, accessors, layout),
// opendlgshow.cpp (showing, translation, the tree, views, keys, buttons, the
// list and name box events), opendlgclose.cpp (closing: what the typed text
// stands for, and its checks).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "korvane/controls/base/Uzqframe.h"
#include "korvane/controls/base/Uzqimagecombo.h"
#include "korvane/controls/base/Uzqsplitter.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/dialogs/openoptions.h"
#include "korvane/host/Buttons.h"
#include "korvane/host/ComboBox.h"
#include "korvane/host/Forms.h"
#include "korvane/host/Menus.h"
#include "korvane/host/StdCtrls.h"
#include "korvane/host/Strings.h"

namespace korvane {

class TZQFrmOpenDlg : public TForm {
public:
  explicit TZQFrmOpenDlg(TComponent* AOwner);
  ~TZQFrmOpenDlg() override;

  TLabel* LookInTxt;
  TZQShellCombo* ZQShellCombo1;
  TSpeedButton* UpOneLevelBtn;
  TSpeedButton* ShowDesktopBtn;
  TSpeedButton* CreateNewFolderBtn;
  TSpeedButton* ShowTreeBtn;
  TSpeedButton* ListBtn;
  TSpeedButton* DetailsBtn;
  TZQGroup* SplitterContainer;
  TZQSplitter* ZQSplitter1;
  TZQShellTree* ZQShellTree1;
  TZQShellList* ZQShellList1;
  TPanel* Panel1;
  TLabel* FileNameTxt;
  TEdit* FileNameEdt;
  TComboBox* FileNameCbx;
  TLabel* FilesOfTypeTxt;
  TZQCombobox* FileTypesCbx;
  TButton* OpenBtn;
  TButton* CancelBtn;
  TCheckBox* ReadOnlyChk;
  TButton* HelpBtn;
  TPopupMenu* LvPopup;
  TMenuItem *View1Mitm, *LargeIcons1Mitm, *Smallicons1MItm, *List1Mitm, *Details1Mitm;
  TMenuItem *Paste1Mitm, *New1Mitm, *Folder1Mitm, *Properties1Mitm;

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
  // Kept until the form shows, which opens it; while shown the list goes there at once.
  void SetInitialDir(const std::string& v);
  const std::string& GetInitialDir() const { return initialDir_; }
  void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
  const std::string& GetDefaultExt() const { return defaultExt_; }
  TZQOpenOptions GetOptions() const { return options_; }
  void SetOptions(TZQOpenOptions v);
  // Before showing, the position is kept and applied once the window has its
  // final size and state (a negative one with the tree shown gives 200).
  int GetFormSplitterPos() const;
  void SetFormSplitterPos(int v);
  THelpContext GetDialogHelpContext() const { return helpContext_; }
  void SetDialogHelpContext(THelpContext v) { helpContext_ = v; }
  bool GetShown() const { return shown_; }

  // Shows or hides the tree pane, relinking combo, tree and list.
  void ShowTree(bool visible);
  // A wildcard pattern the user typed, applied to the list until a type is chosen.
  void ApplyUserFilter(const std::string& pattern);
  // Turns the typed text into the chosen files; false (none chosen) when a name was refused,
  // named a folder (the list moved there) or the text named nothing.
  bool ParseInputString(const std::string& text);

  // The component's handlers of each role, fired with the form as sender.
  TNotifyEvent OnTypeChanged, OnFolderChanged, OnSelectionChanged, OnFormShow, OnFormClose;
  THelpEvent OnDialogHelp;

  // Handlers of the form's controls.
  void ViewBtnClick(TObject* Sender);
  void ZQShellList1Change(TObject* Sender, TListItem* Item, TItemChange Change);
  void UpOneLevelBtnClick(TObject* Sender);
  void ShowTreeBtnClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void ZQShellTree1Change(TObject* Sender, TTreeNode* Node);
  void FileTypesCbxSelEndOk(TObject* Sender);
  void CreateNewFolderBtnClick(TObject* Sender);
  void FileNameEdtChange(TObject* Sender);
  void Paste1MitmClick(TObject* Sender);
  void Properties1MitmClick(TObject* Sender);
  void HelpBtnClick(TObject* Sender);
  void ReadOnlyChkClick(TObject* Sender);
  void ZQShellList1FolderChanged(TObject* Sender);
  void FormResize(TObject* Sender);
  void ShowDesktopBtnClick(TObject* Sender);
  void WndProc(TMessage& Message) override;

protected:
  virtual void DoOnFormClose();
  virtual void DoOnFolderChanged();
  virtual void DoOnSelectionChanged();
  virtual void DoOnFormShow();
  virtual void DoOnTypeChanged();
  virtual void DoTranslation();
  void DoShow() override;
  void DoHide() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;  // F4, F5, F12
  // The chosen files, for the form's own checks.
  TStringList& SelectedFiles() { return *selectedFiles_; }
  void SetShown(bool v) { shown_ = v; }

private:
  void BuildControls();
  void BuildPopupMenu();
  void ShowFirstFolder();
  void UpdateNameFromSelection();  // the coalesced answer to selection changes
  // Moves the list to path when it names a shell folder that is not a file; true then.
  bool NavigateIfFolder(const std::string& path);
  // One typed name to a full path, or refuses it (a message, false).
  bool AcceptName(const std::string& name, const std::string& base, bool single, std::string& full);
  bool Refuse(int stringId, const std::string& text);
  std::string ListFolderPath();
  std::string Say(int stringId, const std::string& text);

  TZQOpenOptions options_ = TZQOpenOptions::FromMask(ZQ_OPEN_DIALOG_DEFAULT_OPTIONS);
  std::string defaultExt_;
  std::string initialDir_;
  std::string filter_;
  std::string userFilter_;  // a wildcard pattern the user typed; empty: none
  std::vector<std::string> masks_;  // each type's mask, by its index in the type combo
  std::unique_ptr<TStringList> selectedFiles_;
  bool shown_ = false;
  bool listName_ = false;         // the name box holds what the list's selection put there
  bool namesPending_ = false;     // a selection change waits for its posted answer
  bool splitterPending_ = false;  // a position kept for the show step
  int pendingSplitterPos_ = -1;
  THelpContext helpContext_ = 0;
};

}  // namespace korvane
