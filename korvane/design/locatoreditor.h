// TFrmShellLocatorEditor: the dialog behind a TZQShellLocator property in the
// designer. The location is nothing, a special folder, a path or an item
// browsed to in the namespace; OK writes the choice into the locator.
#pragma once
#include <array>
#include <string>

#include "korvane/controls/shell/common/shelllocator.h"
#include "korvane/dialogs/Fzqfolderbrowsedlg.h"
#include "korvane/host/ComboBox.h"
#include "korvane/host/Forms.h"
#include "korvane/host/StdCtrls.h"

namespace korvane {

class TFrmShellLocatorEditor : public TForm {
public:
  explicit TFrmShellLocatorEditor(TComponent* AOwner);
  ~TFrmShellLocatorEditor() override;

  TRadioButton* DontUseAnythingRdo;
  TRadioButton* UseCSIDLRdo;
  TRadioButton* UsePathnameRdo;
  TRadioButton* UsePidlRdo;
  TComboBox* ComboBox1;
  TEdit* PathNameEdt;
  TLabel* ItemTxt;
  TButton* BrowseBtn;
  TButton* OkBtn;
  TButton* CancelBtn;
  TButton* HelpBtn;
  TZQFolderBrowseDlg* BrowseDlg;  // "Select an item"

  struct TSpecialFolder {
    const char* Text;
    TCSIDL Value;
  };
  static const std::array<TSpecialFolder, 23>& SpecialFolders();
  // The help file and context the Help button opens ("ZQShCtrl.hlp", 30000).
  static void SetHelpInfo(const std::string& helpFile, int helpContext);

  // Loads the locator (not owned); closing with OK writes the choice back into it.
  void SetLocator(TZQShellLocator* locator);

  void BrowseBtnClick(TObject* Sender);
  void HelpBtnClick(TObject* Sender);
  void KindClick(TObject* Sender);  // a radio button: enables its own input
  void FormCloseQuery(TObject* Sender, bool& CanClose);

private:
  bool WriteBack();  // false when the choice cannot be taken (the form stays open)
  TZQShellLocator* locator_ = nullptr;
  bool browsed_ = false;  // the item was browsed to in this run (the Desktop's list is empty too)
  bool loading_ = false;
};

// Edits locator in the dialog; true when it was closed with OK.
bool ZQEditShellLocator(TZQShellLocator& locator);

}  // namespace korvane
