#include "korvane/dialogs/opendlgform.h"

#include "korvane/dialogs/buttonglyphs.h"
#include "korvane/dialogs/filefilter.h"
#include "korvane/shell/Uzqshconsts.h"

namespace korvane {

namespace {
constexpr int kClientWidth = 451, kClientHeight = 265;
constexpr int kMinWidth = 459, kMinHeight = 274;

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

TSpeedButton* MakeToolButton(TComponent* owner, TWinControl* parent, int left, int height, TZQDialogGlyph glyph,
                             TNotifyEvent onClick) {
  auto* button = Place(new TSpeedButton(owner), parent, left, 4, 23, height);
  button->SetFlat(true);
  ZQDrawDialogGlyph(*button->GetGlyph(), glyph);
  button->OnClick = std::move(onClick);
  return button;
}

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const std::string& caption, TNotifyEvent onClick = nullptr) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  item->OnClick = std::move(onClick);
  parent->Add(item);
  return item;
}
}  // namespace

TZQFrmOpenDlg::TZQFrmOpenDlg(TComponent* AOwner)
    : TForm(AOwner), selectedFiles_(std::make_unique<TStringList>()) {
  SetCaption(LoadResString(SOpenCaption));
  SetBorderIcons({biSystemMenu, biMaximize});
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  SetShowHint(true);
  GetFont()->SetName("MS Sans Serif");
  GetFont()->SetHeight(-11);
  // The designed client area, 451 x 265, whatever the frame takes.
  SetBounds(0, 0, kMinWidth, kMinHeight + 18);
  HandleNeeded();
  SetBounds(0, 0, GetWidth() + kClientWidth - GetClientWidth(), GetHeight() + kClientHeight - GetClientHeight());
  GetConstraints().MinWidth = kMinWidth;
  GetConstraints().MinHeight = kMinHeight;
  BuildControls();
  BuildPopupMenu();
  SetSizeGrip(true);
  OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
  OnResize = [this](TObject* sender) { FormResize(sender); };
  FormResize(this);
}

void TZQFrmOpenDlg::BuildControls() {
  ZQShellCombo1 = Place(new TZQShellCombo(this), this, 72, 4, 193, 22);
  ZQShellCombo1->SetOptions(TZQShellComboOptions{zqscoAutofill});
  ZQShellCombo1->SetDropDownCount(16);
  ZQShellCombo1->SetHelpContext(28456);
  LookInTxt = MakeLabel(this, this, 8, 8, "Look &in:", ZQShellCombo1);
  UpOneLevelBtn = MakeToolButton(this, this, 272, 22, TZQDialogGlyph::UpOneLevel,
                                 [this](TObject* s) { UpOneLevelBtnClick(s); });
  ShowDesktopBtn = MakeToolButton(this, this, 304, 22, TZQDialogGlyph::Desktop,
                                  [this](TObject* s) { ShowDesktopBtnClick(s); });
  ShowDesktopBtn->SetHint("Show Desktop");
  CreateNewFolderBtn = MakeToolButton(this, this, 336, 22, TZQDialogGlyph::NewFolder,
                                      [this](TObject* s) { CreateNewFolderBtnClick(s); });
  ShowTreeBtn = MakeToolButton(this, this, 368, 23, TZQDialogGlyph::Tree, [this](TObject* s) { ShowTreeBtnClick(s); });
  ShowTreeBtn->SetGroupIndex(2);
  ShowTreeBtn->SetAllowAllUp(true);
  ListBtn = MakeToolButton(this, this, 400, 22, TZQDialogGlyph::List, [this](TObject* s) { ViewBtnClick(s); });
  ListBtn->SetGroupIndex(1);
  ListBtn->SetTag(vsList);
  ListBtn->SetDown(true);
  DetailsBtn = MakeToolButton(this, this, 423, 22, TZQDialogGlyph::Details, [this](TObject* s) { ViewBtnClick(s); });
  DetailsBtn->SetGroupIndex(1);
  DetailsBtn->SetTag(vsReport);

  SplitterContainer = Place(new TZQGroup(this), this, 2, 30, 447, 153);
  SplitterContainer->SetFrameStyle(zqfsNone);
  ZQSplitter1 = new TZQSplitter(this);
  ZQSplitter1->SetParent(SplitterContainer);
  ZQSplitter1->SetAlign(alClient);
  ZQSplitter1->SetSplitterWidth(5);
  ZQSplitter1->SetColor(clBtnFace);
  ZQSplitter1->SetPosition(141);
  ZQSplitter1->GetPane(0)->SetMinSize(4);
  ZQSplitter1->GetPane(1)->SetMinSize(60);

  ZQShellTree1 = new TZQShellTree(this);
  ZQShellTree1->SetOptions(
      {zqstoAutoFill, zqstoDefaultKeyHandling, zqstoContextMenus, zqstoDynamicRefresh, zqstoBackgroundFill});
  ZQShellTree1->SetBorderStyle(bsNone);
  ZQShellTree1->SetShowRoot(false);
  ZQShellTree1->SetDragMode(dmAutomatic);
  ZQShellTree1->SetHideSelection(false);
  ZQShellTree1->SetIndent(19);
  ZQShellTree1->SetAlign(alClient);
  ZQShellTree1->SetTabStop(false);
  ZQShellTree1->SetParent(ZQSplitter1->GetPane(0));
  ZQShellTree1->OnChange = [this](TObject* s, TTreeNode* node) { ZQShellTree1Change(s, node); };
  ZQShellList1 = new TZQShellList(this);
  ZQShellList1->SetOptions(
      {zqsloAutoFill, zqsloDefaultKeyHandling, zqsloContextMenus, zqsloDynamicRefresh, zqsloBackgroundFill});
  ZQShellList1->SetBorderStyle(bsNone);
  ZQShellList1->SetReadOnly(false);
  ZQShellList1->SetHideSelection(false);
  ZQShellList1->SetViewStyle(vsList);
  ZQShellList1->SetHelpContext(28549);
  ZQShellList1->SetAlign(alClient);
  ZQShellList1->SetParent(ZQSplitter1->GetPane(1));
  ZQShellList1->OnChange = [this](TObject* s, TListItem* item, TItemChange change) {
    ZQShellList1Change(s, item, change);
  };
  ZQShellList1->OnFolderChanged = [this](TObject* s) { ZQShellList1FolderChanged(s); };
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
  FileNameEdt->OnChange = [this](TObject* s) { FileNameEdtChange(s); };
  FileNameCbx = Place(new TComboBox(this), Panel1, 88, 6, 277, 21);
  FileNameCbx->SetVisible(false);
  FileNameCbx->SetTabStop(false);
  FileNameTxt = MakeLabel(this, Panel1, 8, 10, "File &name:", FileNameEdt);
  FileTypesCbx = Place(new TZQCombobox(this), Panel1, 88, 34, 277, 21);
  FileTypesCbx->SetStyle(csDropDownList);
  FileTypesCbx->OnSelEndOk = [this](TObject* sender) { FileTypesCbxSelEndOk(sender); };
  FilesOfTypeTxt = MakeLabel(this, Panel1, 8, 38, "Files of &type:", FileTypesCbx);
  OpenBtn = Place(new TButton(this), Panel1, 372, 4, 75, 23);
  OpenBtn->SetCaption("&Open");
  OpenBtn->SetDefault(true);
  OpenBtn->SetModalResult(mrOk);
  OpenBtn->SetHelpContext(28529);
  CancelBtn = Place(new TButton(this), Panel1, 372, 32, 75, 23);
  CancelBtn->SetCaption("Cancel");
  CancelBtn->SetCancel(true);
  CancelBtn->SetModalResult(mrCancel);
  CancelBtn->SetHelpContext(28444);
  ReadOnlyChk = Place(new TCheckBox(this), Panel1, 88, 60, 233, 17);
  ReadOnlyChk->SetCaption("Open as &read-only");
  ReadOnlyChk->OnClick = [this](TObject* s) { ReadOnlyChkClick(s); };
  HelpBtn = Place(new TButton(this), Panel1, 372, 60, 75, 23);
  HelpBtn->SetCaption("&Help");
  HelpBtn->SetVisible(false);
  HelpBtn->OnClick = [this](TObject* s) { HelpBtnClick(s); };
  FileNameEdt->SetTabOrder(0);
  FileTypesCbx->SetTabOrder(1);
}

void TZQFrmOpenDlg::BuildPopupMenu() {
  LvPopup = new TPopupMenu(this);
  TMenuItem* root = LvPopup->GetItems();
  View1Mitm = AddItem(this, root, "&View");
  const auto view = [this](TObject* s) { ViewBtnClick(s); };
  LargeIcons1Mitm = AddItem(this, View1Mitm, "Lar&ge Icons", view);
  Smallicons1MItm = AddItem(this, View1Mitm, "S&mall Icons", view);
  List1Mitm = AddItem(this, View1Mitm, "&List", view);
  Details1Mitm = AddItem(this, View1Mitm, "&Details", view);
  int tag = vsIcon;
  for (TMenuItem* item : {LargeIcons1Mitm, Smallicons1MItm, List1Mitm, Details1Mitm}) {
    item->SetRadioItem(true);
    item->SetTag(tag++);
  }
  LargeIcons1Mitm->SetEnabled(false);
  Smallicons1MItm->SetEnabled(false);
  List1Mitm->SetChecked(true);
  AddItem(this, root, "-");
  Paste1Mitm = AddItem(this, root, "&Paste", [this](TObject* s) { Paste1MitmClick(s); });
  AddItem(this, root, "-");
  New1Mitm = AddItem(this, root, "Ne&w");
  Folder1Mitm = AddItem(this, New1Mitm, "&Folder", [this](TObject* s) { CreateNewFolderBtnClick(s); });
  AddItem(this, root, "-");
  Properties1Mitm = AddItem(this, root, "P&roperties", [this](TObject* s) { Properties1MitmClick(s); });
  ZQShellList1->SetPopupMenu(LvPopup);
}

TZQFrmOpenDlg::~TZQFrmOpenDlg() = default;

void TZQFrmOpenDlg::FormResize(TObject*) {
  const int width = GetClientWidth();
  const int top = ZQShellCombo1->GetTop() + ZQShellCombo1->GetHeight() + 4;
  SplitterContainer->SetBounds(4, top, width - 8, Panel1->GetTop() - top);
  const int x = Panel1->GetClientWidth() - OpenBtn->GetWidth() - 16;
  for (TButton* button : {OpenBtn, CancelBtn, HelpBtn}) button->SetLeft(x);
  for (TWinControl* box : {static_cast<TWinControl*>(FileNameCbx), static_cast<TWinControl*>(FileNameEdt),
                           static_cast<TWinControl*>(FileTypesCbx)})
    box->SetWidth(x - box->GetLeft() - 8);
  // A hidden tree keeps its pane and bar out of sight at any size.
  if (ZQSplitter1->GetPane(0)->GetMinSize() < 0) ZQSplitter1->SetPosition(-ZQSplitter1->GetSplitterWidth());
}

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
  if (shown_ && !v.empty()) ZQShellCombo1->GetSelectedFolder()->SetPathName(v);
}

int TZQFrmOpenDlg::GetFormSplitterPos() const {
  return splitterPending_ ? pendingSplitterPos_ : ZQSplitter1->GetPosition();
}

void TZQFrmOpenDlg::SetFormSplitterPos(int v) {
  if (!GetVisible()) {
    splitterPending_ = true;
    pendingSplitterPos_ = v;
    return;
  }
  splitterPending_ = false;
  ZQSplitter1->SetPosition(v);
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
  // The box shows the option the next run returns.
  if (ReadOnlyChk->GetChecked() != v.Contains(zqofReadOnly)) ReadOnlyChk->SetChecked(v.Contains(zqofReadOnly));
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

void TZQFrmOpenDlg::ApplyUserFilter(const std::string& pattern) {
  userFilter_ = pattern;
  ZQShellList1->SetFileFilter(pattern);
  ZQShellList1->FillItems();
}

}  // namespace korvane
