// TZQFolderBrowseDlg: picks a folder from the library's own shell tree in a
// modal window (TZQFrmFolderBrowseDlg): virtual folders, hidden items, context
// menus, drag and drop, folders made and deleted in place, a status line the
// application writes, and an OK button it may disable while the user moves.
#pragma once
#include <memory>
#include <string>

#include "korvane/dialogs/dialogbase.h"
#include "korvane/dialogs/folderbrowseform.h"

namespace korvane {

class TZQCustomFolderBrowseDlg : public TZQFormDialog<TZQFrmFolderBrowseDlg> {
public:
  explicit TZQCustomFolderBrowseDlg(TComponent* AOwner);
  ~TZQCustomFolderBrowseDlg() override;

  TZQShellLocator* GetBaseFolder() { return baseFolder_.get(); }
  void SetBaseFolder(TZQShellLocator* v) { baseFolder_->Assign(v); }
  TZQFolderBrowseDlgOptions GetOptions() const { return options_; }
  void SetOptions(TZQFolderBrowseDlgOptions v) { options_ = v; }
  // The folder the dialog opens with, and the user's choice after OK. During a
  // run it still names the folder the dialog opened with: the live selection is
  // reported through OnSelChange.
  TZQShellLocator* GetSelectedFolder() { return selectedFolder_.get(); }
  void SetSelectedFolder(TZQShellLocator* v) { selectedFolder_->Assign(v); }
  std::string GetSelectedPathName() { return selectedFolder_->GetPathName(); }
  void SetSelectedPathName(const std::string& v) { selectedFolder_->SetPathName(v); }
  // The OK button of the live form; raises "TZQFolderBrowseDlg form not active" outside a run.
  bool GetOkEnabled() const;
  void SetOkEnabled(bool v);
  // Kept, and shown at once while the form is up.
  const std::string& GetStatus() const { return status_; }
  void SetStatus(const std::string& v);

  TZQShAddItemEvent OnAddItem;
  TZQFolderBrowseSelChangeEvent OnSelChange;
  TZQShTvCustomDrawEvent OnTvCustomDrawSh, OnTvCustomDrawShEx;

protected:
  TZQFrmFolderBrowseDlg* CreateForm() override;
  void InitForm(TZQFrmFolderBrowseDlg& form) override;
  void SaveFormSettings(TZQFrmFolderBrowseDlg& form) override;
  [[noreturn]] void RefuseExecution() override;

private:
  TZQFrmFolderBrowseDlg& LiveForm() const;
  std::unique_ptr<TZQShellLocator> baseFolder_, selectedFolder_;
  TZQFolderBrowseDlgOptions options_ = TZQFolderBrowseDlgOptions::FromMask(ZQ_FOLDER_BROWSE_DEFAULT_OPTIONS);
  std::string status_;
};

class TZQFolderBrowseDlg : public TZQCustomFolderBrowseDlg {
public:
  using TZQCustomFolderBrowseDlg::TZQCustomFolderBrowseDlg;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
