#include <cstring>

#include "korvane/dialogs/Fzqopendlg.h"
#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Format.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/Streams.h"
#include "korvane/shell/Uzqshconsts.h"

namespace korvane {

TZQFileDlg::TZQFileDlg(TComponent* AOwner)
    : TZQFormDialog(AOwner), historyList_(std::make_unique<TStringList>()), files_(std::make_unique<TStringList>()) {}

TZQFileDlg::~TZQFileDlg() = default;

bool TZQFileDlg::DoExecute() { return TZQFormDialog::DoExecute(); }

std::string TZQFileDlg::GetFilename() {
  if (TZQFrmOpenDlg* form = GetForm()) return form->GetFilename();
  return files_->GetCount() > 0 ? files_->Get(0) : std::string();
}

void TZQFileDlg::SetFilename(const std::string& v) {
  files_->Clear();
  files_->Add(v);
  if (TZQFrmOpenDlg* form = GetForm()) form->SetFilename(v);
}

void TZQFileDlg::SetOptions(TZQOpenOptions v) {
  options_ = v;
  if (TZQFrmOpenDlg* form = GetForm()) form->SetOptions(v);
}

void TZQFileDlg::SetFilter(const std::string& v) {
  filter_ = v;
  if (TZQFrmOpenDlg* form = GetForm()) form->SetFilter(v);
}

int TZQFileDlg::GetFilterIndex() {
  if (TZQFrmOpenDlg* form = GetForm()) return form->GetFilterIndex();
  return filterIndex_;
}

void TZQFileDlg::SetFilterIndex(int v) {
  filterIndex_ = v;
  if (TZQFrmOpenDlg* form = GetForm()) form->SetFilterIndex(v);
}

int TZQFileDlg::GetFormSplitterPos() {
  if (TZQFrmOpenDlg* form = GetForm()) return form->GetFormSplitterPos();
  return formSplitterPos_;
}

void TZQFileDlg::SetFormSplitterPos(int v) {
  formSplitterPos_ = v;
  if (TZQFrmOpenDlg* form = GetForm()) form->SetFormSplitterPos(v);
}

void TZQFileDlg::SetOnAddListItem(TZQShAddItemEvent v) {
  onAddListItem_ = std::move(v);
  if (TZQFrmOpenDlg* form = GetForm()) form->ZQShellList1->OnAddItem = onAddListItem_;
}

void TZQFileDlg::SetOnAddTreeItem(TZQShAddItemEvent v) {
  onAddTreeItem_ = std::move(v);
  if (TZQFrmOpenDlg* form = GetForm()) form->ZQShellTree1->OnAddItem = onAddTreeItem_;
}

TZQFrmOpenDlg* TZQFileDlg::CreateForm() { return new TZQFrmOpenDlg(Application); }

[[noreturn]] void TZQFileDlg::RefuseExecution() { throw Exception(Format("%s already executing", GetName())); }

void TZQFileDlg::PrepareExecution() {
  if (GetComponentState().Contains(csDesigning)) files_->Clear();
}

void TZQFileDlg::InitForm(TZQFrmOpenDlg& form) {
  form.ZQShellList1->OnAddItem = onAddListItem_;
  form.ZQShellTree1->OnAddItem = onAddTreeItem_;
  form.ZQShellList1->OnCustomDrawSh = OnLvCustomDrawSh;
  form.ZQShellList1->OnCustomDrawShEx = OnLvCustomDrawShEx;
  form.ZQShellTree1->OnCustomDrawSh = OnTvCustomDrawSh;
  form.ZQShellTree1->OnCustomDrawShEx = OnTvCustomDrawShEx;
  form.OnFormClose = OnFormClose;
  form.OnFormShow = OnFormShow;
  form.OnTypeChanged = OnTypeChanged;
  form.OnFolderChanged = OnFolderChanged;
  form.OnSelectionChanged = OnSelectionChanged;
  form.SetInitialDir(initialDir_);
  form.SetFilename(GetFilename());
  form.SetDefaultExt(defaultExt_);
  form.SetOptions(options_);
  ApplyFormGeometry(form);
  form.SetFilter(filter_);
  form.SetFilterIndex(filterIndex_);
  form.SetFormSplitterPos(formSplitterPos_);
  form.LookInTxt->SetCaption(ZQLoadStr(LoadResString(SLookIn)));
  form.FilesOfTypeTxt->SetCaption(ZQLoadStr(LoadResString(SFilesOfType)));
  form.SetDialogHelpContext(helpContext_);
  form.OnDialogHelp = OnHelp;
  form.SetCaption(GetTitle().empty() ? DefaultCaption() : GetTitle());
  form.OpenBtn->SetCaption(OkButtonCaption());
}

void TZQFileDlg::SaveFormSettings(TZQFrmOpenDlg& form) {
  options_ = form.GetOptions();
  // Files the user chose come back only with OK.
  if (form.GetModalResult() == mrOk) files_->Assign(form.GetFiles().get());
  else files_->Clear();
  SaveFormGeometry(form);
  filterIndex_ = form.GetFilterIndex();
  formSplitterPos_ = form.GetFormSplitterPos();
}

void TZQFileDlg::WriteStateToStream(TStream& stream) {
  TZQDialog::WriteStateToStream(stream);
  const std::uint8_t tree = options_.Contains(zqofShowTree) ? 1 : 0;
  const std::int32_t splitter = formSplitterPos_;
  stream.WriteBuffer(&tree, sizeof tree);
  stream.WriteBuffer(&splitter, sizeof splitter);
}

void TZQFileDlg::ApplyState(const std::uint8_t* record) {
  TZQDialog::ApplyState(record);
  if (record[kStateSize] != 0) options_.Include(zqofShowTree);
  else options_.Exclude(zqofShowTree);
  std::int32_t splitter = 0;
  std::memcpy(&splitter, record + kStateSize + 1, sizeof splitter);
  formSplitterPos_ = splitter;
}

std::string TZQCustomOpenDlg::DefaultCaption() const { return LoadResString(SOpenCaption); }
std::string TZQCustomOpenDlg::OkButtonCaption() const { return LoadResString(SOpenButton); }
std::string TZQCustomSaveDlg::DefaultCaption() const { return LoadResString(SSaveAsCaption); }
std::string TZQCustomSaveDlg::OkButtonCaption() const { return LoadResString(SSaveButton); }

namespace {
const std::vector<std::string>& OpenOptionNames() {
  static const std::vector<std::string> names = {
      "zqofAllowMultiselect", "zqofCreatePrompt", "zqofExtensionDifferent", "zqofFileMustExist", "zqofHideReadOnly",
      "zqofNoChangeDir", "zqofNoDereferenceLinks", "zqofNoReadOnlyReturn", "zqofNoTestFileCreate", "zqofNoValidate",
      "zqofOverwritePrompt", "zqofReadOnly", "zqofPathMustExist", "zqofShareAware", "zqofShowHelp", "zqofAllowTree",
      "zqofShowTree", "zqofShowHints", "zqofHideFoldersInListWhenTreeVisible", "zqofOleDrag", "zqofOleDrop",
      "zqofShowHidden"};
  return names;
}

// The published properties of both dialogs, in their order; the Save dialog names DefaultExt first.
template <class C>
TClassInfo PublishFileDialog(const char* name, bool defaultExtFirst) {
  TPublish<C> p(name, &TComponent::StaticClassInfo());
  p.Creatable();
  if (defaultExtFirst) p.Str("DefaultExt", &C::GetDefaultExt, &C::SetDefaultExt);
  p.Str("Title", &C::GetTitle, &C::SetTitle)
      .Set("Options", &C::GetOptions, &C::SetOptions, ZQ_OPEN_DIALOG_DEFAULT_OPTIONS, OpenOptionNames())
      .Str("Filter", &C::GetFilter, &C::SetFilter)
      .Int("FilterIndex", &C::GetFilterIndex, &C::SetFilterIndex, 1)
      .Int("FormWidth", &C::GetFormWidth, &C::SetFormWidth, -1)
      .Int("FormHeight", &C::GetFormHeight, &C::SetFormHeight, -1)
      .Enum("FormWindowState", &C::GetFormWindowState, &C::SetFormWindowState, wsNormal,
            {"wsNormal", "wsMinimized", "wsMaximized"})
      .Int("FormSplitterPos", &C::GetFormSplitterPos, &C::SetFormSplitterPos, -1)
      .Int("HelpContext", &C::GetHelpContext, &C::SetHelpContext, 0)
      .Object("HistoryList", &C::GetHistoryList)
      .OfType("TStrings")
      .StoredWhen([](const C&) { return false; })
      .Str("InitialDir", &C::GetInitialDir, &C::SetInitialDir);
  if (!defaultExtFirst) p.Str("DefaultExt", &C::GetDefaultExt, &C::SetDefaultExt);
  return p.Done();
}
}  // namespace

const TClassInfo& TZQOpenDlg::StaticClassInfo() {
  static const TClassInfo info = PublishFileDialog<TZQOpenDlg>("TZQOpenDlg", false);
  return info;
}

const TClassInfo& TZQSaveDlg::StaticClassInfo() {
  static const TClassInfo info = PublishFileDialog<TZQSaveDlg>("TZQSaveDlg", true);
  return info;
}

}  // namespace korvane
