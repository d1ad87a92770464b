// TZQFrmFolderBrowseDlg: the window TZQFolderBrowseDlg builds for each run: a
// shell tree to pick a folder from, a status line the application writes, small
// new-folder and delete buttons, and optionally Create and Delete buttons.
#pragma once
#include <functional>
#include <string>

#include "korvane/controls/base/Uzqframe.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Buttons.h"
#include "korvane/host/Forms.h"
#include "korvane/host/StdCtrls.h"

namespace korvane {

enum TZQFolderBrowseDlgOption : std::uint8_t {
  zqfbCreateDeleteButtons, zqfbContextMenus, zqfbReadOnly, zqfbIncludeNonFolders, zqfbOleDrag, zqfbOleDrop,
  zqfbCreateFolderIcon, zqfbDeleteFolderIcon, zqfbVirtualFolders, zqfbShowHidden
};
using TZQFolderBrowseDlgOptions = TSet<TZQFolderBrowseDlgOption>;
constexpr std::uint64_t ZQ_FOLDER_BROWSE_DEFAULT_OPTIONS = 706;

// The tree's new selection: the node's absolute list, valid only during the call.
using TZQFolderBrowseSelChangeEvent = std::function<void(TObject* aSender, PItemIDList aNewSel)>;

class TZQFrmFolderBrowseDlg : public TForm {
public:
  explicit TZQFrmFolderBrowseDlg(TComponent* AOwner);

  TSpeedButton* CreateNewFolderBtn;
  TSpeedButton* DeleteFolderBtn;
  TZQFrame* StatusTxt;
  TZQShellTree* ZQShellTree1;
  TPanel* ButtonPanel;
  TButton* OkBtn;
  TButton* CancelBtn;
  TButton* CreateBtn;
  TButton* DeleteBtn;

  TZQFolderBrowseDlgOptions GetOptions() const { return options_; }
  void SetOptions(TZQFolderBrowseDlgOptions v);
  std::string GetSelectedPathname() { return ZQShellTree1->GetSelectedPathName(); }
  void SetSelectedPathname(const std::string& v) { ZQShellTree1->SetSelectedPathName(v); }
  std::string GetStatus() const { return StatusTxt->GetCaption(); }
  void SetStatus(const std::string& v) { StatusTxt->SetCaption(v); }
  bool GetOkEnabled() const { return OkBtn->GetEnabled(); }
  void SetOkEnabled(bool v) { OkBtn->SetEnabled(v); }

  TZQFolderBrowseSelChangeEvent OnSelChange;
  TNotifyEvent OnFormShow, OnFormClose;

  void FormCreate(TObject* Sender);
  void FormResize(TObject* Sender);
  void ZQShellTree1Change(TObject* Sender, TTreeNode* Node);
  void CreateBtnClick(TObject* Sender);
  void DeleteBtnClick(TObject* Sender);
  void ZQShellTree1AddItem(TObject*, IShellFolder*, PItemIDList, PItemIDList, int, BOOL&) {}

protected:
  virtual void DoTranslation();
  void CreateWnd() override;
  void DoShow() override;
  void DoHide() override;

private:
  TZQFolderBrowseDlgOptions options_ = TZQFolderBrowseDlgOptions::FromMask(ZQ_FOLDER_BROWSE_DEFAULT_OPTIONS);
  bool hadAutoFill_ = false;  // the tree fills when the form shows, not while its window is built
};

}  // namespace korvane
