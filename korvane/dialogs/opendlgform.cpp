#include "korvane/dialogs/opendlgform.h"

#include "korvane/dialogs/filefilter.h"
#include "korvane/shell/Uzqshconsts.h"

namespace korvane {

namespace {
constexpr int kClientWidth = 451, kClientHeight = 265;

template <class C>
C* Place(C* control, TWinControl* parent, int left, int top, int width, int height) {
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

TLabel* MakeLabel(TComponent* owner, TWinControl* parent, int left, int top, const std::string& caption,
                  TWinControl* focus) {
  auto* label = new TLabel(owner);
  label->SetParent(parent);
  label->SetLeft(left);
  label->SetTop(top);
  label->SetCaption(caption);
  label->SetFocusControl(focus);
  return label;
}
}  // namespace

TZQFrmOpenDlg::TZQFrmOpenDlg(TComponent* AOwner)
    : TForm(AOwner), selectedFiles_(std::make_unique<TStringList>()) {
  SetCaption(LoadResString(SOpenCaption));
  SetBorderIcons({biSystemMenu, biMaximize});
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  SetShowHint(true);
  // The designed client area, 451 x 265, whatever the frame takes.
  SetBounds(0, 0, 459, 292);
  HandleNeeded();
  SetBounds(0, 0, GetWidth() + kClientWidth - GetClientWidth(), GetHeight() + kClientHeight - GetClientHeight());
  GetConstraints().MinWidth = 459;
  GetConstraints().MinHeight = 274;
  SetSizeGrip(true);

  ZQShellCombo1 = Place(new TZQShellCombo(this), this, 72, 4, 193, 22);
  ZQShellCombo1->SetOptions(TZQShellComboOptions{zqscoAutofill});
  LookInTxt = MakeLabel(this, this, 8, 8, "Look &in:", ZQShellCombo1);

  SplitterContainer = Place(new TZQGroup(this), this, 2, 30, 447, 153);
  SplitterContainer->SetFrameStyle(zqfsNone);
  ZQSplitter1 = new TZQSplitter(this);
  ZQSplitter1->SetParent(SplitterContainer);
  ZQSplitter1->SetAlign(alClient);
  ZQSplitter1->SetSplitterWidth(5);
  ZQSplitter1->SetPosition(141);
  ZQSplitter1->GetPane(0)->SetMinSize(4);
  ZQSplitter1->GetPane(1)->SetMinSize(60);

  ZQShellTree1 = new TZQShellTree(this);
  ZQShellTree1->SetOptions({zqstoAutoFill, zqstoDefaultKeyHandling, zqstoContextMenus, zqstoDynamicRefresh});
  ZQShellTree1->SetHideSelection(false);
  ZQShellTree1->SetAlign(alClient);
  ZQShellTree1->SetParent(ZQSplitter1->GetPane(0));
  ZQShellList1 = new TZQShellList(this);
  ZQShellList1->SetOptions({zqsloAutoFill, zqsloDefaultKeyHandling, zqsloContextMenus, zqsloDynamicRefresh});
  ZQShellList1->SetHideSelection(false);
  ZQShellList1->SetViewStyle(vsList);
  ZQShellList1->SetAlign(alClient);
  ZQShellList1->SetParent(ZQSplitter1->GetPane(1));
  ZQShellCombo1->SetShellList(ZQShellList1);
  // A double-clicked file acts as OK.
  ZQShellList1->OnDblClickOpen = [this](TObject*, bool& handled) {
    SetModalResult(mrOk);
    handled = true;
  };

  Panel1 = new TPanel(this);
  Panel1->SetParent(this);
  Panel1->SetBevelOuter(bvNone);
  Panel1->SetHeight(84);
  Panel1->SetAlign(alBottom);
  FileNameEdt = Place(new TEdit(this), Panel1, 88, 6, 277, 21);
  FileNameTxt = MakeLabel(this, Panel1, 8, 10, "File &name:", FileNameEdt);
  FileTypesCbx = Place(new TZQCombobox(this), Panel1, 88, 34, 277, 21);
  FileTypesCbx->SetStyle(csDropDownList);
  FileTypesCbx->OnSelEndOk = [this](TObject* sender) { FileTypesCbxSelEndOk(sender); };
  FilesOfTypeTxt = MakeLabel(this, Panel1, 8, 38, "Files of &type:", FileTypesCbx);
  OpenBtn = Place(new TButton(this), Panel1, 372, 4, 75, 23);
  OpenBtn->SetCaption("&Open");
  OpenBtn->SetDefault(true);
  OpenBtn->SetModalResult(mrOk);
  CancelBtn = Place(new TButton(this), Panel1, 372, 32, 75, 23);
  CancelBtn->SetCaption("Cancel");
  CancelBtn->SetCancel(true);
  CancelBtn->SetModalResult(mrCancel);
  ReadOnlyChk = Place(new TCheckBox(this), Panel1, 88, 60, 233, 17);
  ReadOnlyChk->SetCaption("Open as &read-only");
  HelpBtn = Place(new TButton(this), Panel1, 372, 60, 75, 23);
  HelpBtn->SetCaption("&Help");
  HelpBtn->SetVisible(false);
  FileNameEdt->SetTabOrder(0);
  FileTypesCbx->SetTabOrder(1);
}

TZQFrmOpenDlg::~TZQFrmOpenDlg() = default;

std::string TZQFrmOpenDlg::GetFilename() {
  if (!shown_) return FileNameEdt->GetText();
  return selectedFiles_->GetCount() > 0 ? selectedFiles_->Get(0) : std::string();
}

void TZQFrmOpenDlg::SetFilename(const std::string& v) { FileNameEdt->SetText(v); }

std::unique_ptr<TStringList> TZQFrmOpenDlg::GetFiles() const {
  auto files = std::make_unique<TStringList>();
  files->Assign(selectedFiles_.get());
  return files;
}

int TZQFrmOpenDlg::GetFilterIndex() {
  if (FileTypesCbx->GetItems()->GetCount() == 0) return 0;
  return FileTypesCbx->GetItemIndex() + 1;
}

void TZQFrmOpenDlg::SetFilterIndex(int v) {
  const int count = FileTypesCbx->GetItems()->GetCount();
  if (v >= 1 && v <= count) {
    FileTypesCbx->SetItemIndex(v - 1);
    FileTypesCbxSelEndOk(FileTypesCbx);
  } else if (count > 0) {
    FileTypesCbx->SetItemIndex(0);
  }
}

void TZQFrmOpenDlg::SetFilter(const std::string& v) {
  filter_ = v;
  for (TZQFilterPair& pair : ZQParseFileFilter(v)) {
    FileTypesCbx->GetItems()->Add(pair.description);
    masks_.push_back(std::move(pair.mask));
  }
}

void TZQFrmOpenDlg::SetInitialDir(const std::string& v) {
  initialDir_ = v;
  ZQShellList1->GetFolder()->SetPathName(v);
}

void TZQFrmOpenDlg::SetOptions(TZQOpenOptions v) {
  options_ = v;
  auto pick = [&v](auto set, auto member, TZQOpenOption option) {
    return v.Contains(option) ? set + decltype(set){member} : set - decltype(set){member};
  };
  TZQShellTreeOptions tree = ZQShellTree1->GetOptions();
  TZQShellListOptions list = ZQShellList1->GetOptions();
  tree = pick(tree, zqstoOleDrag, zqofOleDrag);
  list = pick(list, zqsloOleDrag, zqofOleDrag);
  tree = pick(tree, zqstoOleDrop, zqofOleDrop);
  list = pick(list, zqsloOleDrop, zqofOleDrop);
  tree = pick(tree, zqstoShowHidden, zqofShowHidden);
  list = pick(list, zqsloShowHidden, zqofShowHidden);
  list = pick(list, zqsloHideFoldersWhenLinkedToTree, zqofHideFoldersInListWhenTreeVisible);
  ZQShellList1->SetMultiSelect(v.Contains(zqofAllowMultiselect));
  ZQShellTree1->SetOptions(tree);
  ZQShellList1->SetOptions(list);
  ReadOnlyChk->SetVisible(!v.Contains(zqofHideReadOnly));
  HelpBtn->SetVisible(v.Contains(zqofShowHelp));
  SetShowHint(v.Contains(zqofShowHints));
}

void TZQFrmOpenDlg::FileTypesCbxSelEndOk(TObject*) {
  if (!userFilter_.empty()) FileNameEdt->SetText(std::string());
  userFilter_.clear();
  const int index = FileTypesCbx->GetItemIndex();
  if (index >= 0 && static_cast<std::size_t>(index) < masks_.size()) ZQShellList1->SetFileFilter(masks_[index]);
  if (shown_) DoOnTypeChanged();
}

void TZQFrmOpenDlg::DoShow() {
  TForm::DoShow();
  DoTranslation();
  shown_ = true;
  DoOnFormShow();
}

void TZQFrmOpenDlg::DoHide() {
  DoOnFormClose();
  shown_ = false;
  TForm::DoHide();
}

void TZQFrmOpenDlg::DoTranslation() {
  CancelBtn->SetCaption(LoadResString(SCancelButton));
  HelpBtn->SetCaption(LoadResString(SHelpButton));
  ReadOnlyChk->SetCaption(LoadResString(SOpenAsReadOnly));
  FileNameTxt->SetCaption(LoadResString(SFileName));
}

void TZQFrmOpenDlg::DoOnFormClose() {
  if (OnFormClose) OnFormClose(this);
}
void TZQFrmOpenDlg::DoOnFolderChanged() {
  if (OnFolderChanged) OnFolderChanged(this);
}
void TZQFrmOpenDlg::DoOnSelectionChanged() {
  if (OnSelectionChanged) OnSelectionChanged(this);
}
void TZQFrmOpenDlg::DoOnFormShow() {
  if (OnFormShow) OnFormShow(this);
}
void TZQFrmOpenDlg::DoOnTypeChanged() {
  if (OnTypeChanged) OnTypeChanged(this);
}

}  // namespace korvane
