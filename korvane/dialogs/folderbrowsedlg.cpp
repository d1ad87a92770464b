#include "korvane/dialogs/Fzqfolderbrowsedlg.h"

#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/PropInfo.h"
#include "korvane/shell/Uzqshconsts.h"

namespace korvane {

TZQCustomFolderBrowseDlg::TZQCustomFolderBrowseDlg(TComponent* AOwner)
    : TZQFormDialog(AOwner),
      baseFolder_(std::make_unique<TZQShellLocator>()),
      selectedFolder_(std::make_unique<TZQShellLocator>()) {}

TZQCustomFolderBrowseDlg::~TZQCustomFolderBrowseDlg() = default;

TZQFrmFolderBrowseDlg& TZQCustomFolderBrowseDlg::LiveForm() const {
  if (TZQFrmFolderBrowseDlg* form = GetForm()) return *form;
  throw Exception("TZQFolderBrowseDlg form not active");
}

bool TZQCustomFolderBrowseDlg::GetOkEnabled() const { return LiveForm().GetOkEnabled(); }

void TZQCustomFolderBrowseDlg::SetOkEnabled(bool v) { LiveForm().SetOkEnabled(v); }

void TZQCustomFolderBrowseDlg::SetStatus(const std::string& v) {
  status_ = v;
  if (TZQFrmFolderBrowseDlg* form = GetForm()) form->SetStatus(v);
}

TZQFrmFolderBrowseDlg* TZQCustomFolderBrowseDlg::CreateForm() { return new TZQFrmFolderBrowseDlg(Application); }

[[noreturn]] void TZQCustomFolderBrowseDlg::RefuseExecution() {
  throw Exception("TZQFolderBrowseDlg form already active");
}

void TZQCustomFolderBrowseDlg::InitForm(TZQFrmFolderBrowseDlg& form) {
  form.OnSelChange = OnSelChange;
  form.ZQShellTree1->OnAddItem = OnAddItem;
  form.ZQShellTree1->OnCustomDrawSh = OnTvCustomDrawSh;
  form.ZQShellTree1->OnCustomDrawShEx = OnTvCustomDrawShEx;
  form.OnFormShow = OnFormShow;
  form.OnFormClose = OnFormClose;
  form.SetStatus(status_);
  ApplyFormGeometry(form);
  form.SetOptions(options_);
  form.SetCaption(GetTitle().empty() ? LoadResString(SBrowseForFolder) : GetTitle());
  form.ZQShellTree1->SetBaseFolder(baseFolder_.get());
  form.ZQShellTree1->SetSelectedFolder(selectedFolder_.get());
}

void TZQCustomFolderBrowseDlg::SaveFormSettings(TZQFrmFolderBrowseDlg& form) {
  SaveFormGeometry(form);
  if (form.GetModalResult() == mrOk) selectedFolder_->Assign(form.ZQShellTree1->GetSelectedFolder());
}

const TClassInfo& TZQFolderBrowseDlg::StaticClassInfo() {
  using C = TZQFolderBrowseDlg;
  static const TClassInfo info =
      TPublish<C>("TZQFolderBrowseDlg", &TComponent::StaticClassInfo())
          .Creatable()
          .Str("Title", &C::GetTitle, &C::SetTitle)
          .Int("FormWidth", &C::GetFormWidth, &C::SetFormWidth, -1)
          .Int("FormHeight", &C::GetFormHeight, &C::SetFormHeight, -1)
          .Enum("FormWindowState", &C::GetFormWindowState, &C::SetFormWindowState, wsNormal,
                {"wsNormal", "wsMinimized", "wsMaximized"})
          .Object("BaseFolder", &C::GetBaseFolder)
          .OfType("TZQShellLocator")
          .Set("Options", &C::GetOptions, &C::SetOptions, ZQ_FOLDER_BROWSE_DEFAULT_OPTIONS,
               {"zqfbCreateDeleteButtons", "zqfbContextMenus", "zqfbReadOnly", "zqfbIncludeNonFolders", "zqfbOleDrag",
                "zqfbOleDrop", "zqfbCreateFolderIcon", "zqfbDeleteFolderIcon", "zqfbVirtualFolders", "zqfbShowHidden"})
          .Done();
  return info;
}

}  // namespace korvane
