// The explorer sample: a shell combo across the top, a splitter holding a shell
// tree and a shell list below it, all three linked, a menu bar and a status line.
#pragma once
#include <string>

#include "korvane/controls/base/Uzqsplitter.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/dialogs/Fzqfolderbrowsedlg.h"
#include "korvane/dialogs/Fzqopendlg.h"
#include "korvane/dialogs/Uzqsysfolderdlg.h"
#include "korvane/host/Forms.h"
#include "korvane/host/Menus.h"
#include "korvane/host/StatusBar.h"

namespace korvane {

class TExplorerForm : public TForm {
public:
  explicit TExplorerForm(TComponent* AOwner);
  // Shows folder (a path) in all three controls.
  void OpenFolder(const std::string& folder);

  TZQShellCombo* Combo;
  TZQSplitter* Splitter;
  TZQShellTree* Tree;
  TZQShellList* List;
  TStatusBar* Status;
  TMainMenu* Menu;
  TMenuItem *FileOpen, *FileSaveAs, *FileBrowse, *FileExit;
  TZQOpenDlg* OpenDialog;
  TZQSaveDlg* SaveDialog;
  // File > Open... and Save As...: the chosen paths go to the status line.
  void OpenFile();
  void SaveFileAs();
  TMenuItem *ViewLarge, *ViewSmall, *ViewList, *ViewDetails, *ViewHidden, *ViewRefresh;
  TMenuItem *GoUp, *GoBrowse;
  TZQFolderBrowseDlg* FolderDialog;
  // Go > Browse for Folder (Korvane)...: the library's own folder dialog.
  void BrowseWithTree();

private:
  TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, TShortCut key, TNotifyEvent click);
  void BuildMenu();
  void SetStyle(TViewStyle style);
  void ToggleHidden();
  void BrowseForFolder();
  void UpdateStatus();
};

}  // namespace korvane
