#include "korvane/dialogs/folderbrowseform.h"

#include "korvane/dialogs/buttonglyphs.h"
#include "korvane/host/Application.h"
#include "korvane/shell/Uzqshconsts.h"

namespace korvane {

namespace {
constexpr int kClientWidth = 358, kClientHeight = 313;
constexpr int kMinWidth = 366, kMinHeight = 340;

TButton* MakeButton(TComponent* owner, TWinControl* parent, int left, const std::string& caption, TNotifyEvent click) {
  auto* button = new TButton(owner);
  button->SetParent(parent);
  button->SetBounds(left, 6, 75, 23);
  button->SetCaption(caption);
  button->OnClick = std::move(click);
  return button;
}

TSpeedButton* MakeIconButton(TComponent* owner, TWinControl* parent, int left, TZQDialogGlyph glyph, TNotifyEvent click) {
  auto* button = new TSpeedButton(owner);
  button->SetParent(parent);
  button->SetBounds(left, 3, 23, 22);
  button->SetFlat(true);
  button->SetShowHint(true);
  ZQDrawDialogGlyph(*button->GetGlyph(), glyph);
  button->OnClick = std::move(click);
  return button;
}
}  // namespace

TZQFrmFolderBrowseDlg::TZQFrmFolderBrowseDlg(TComponent* AOwner) : TForm(AOwner) {
  SetBorderIcons({biSystemMenu, biMaximize});
  SetPosition(poScreenCenter);
  GetFont()->SetName("MS Sans Serif");
  GetFont()->SetHeight(-11);
  SetBounds(0, 0, kMinWidth, kMinHeight);
  GetConstraints().MinWidth = kMinWidth;
  GetConstraints().MinHeight = kMinHeight;

  const auto create = [this](TObject* s) { CreateBtnClick(s); };
  const auto remove = [this](TObject* s) { DeleteBtnClick(s); };
  CreateNewFolderBtn = MakeIconButton(this, this, 295, TZQDialogGlyph::NewFolder, create);
  DeleteFolderBtn = MakeIconButton(this, this, 325, TZQDialogGlyph::Delete, remove);
  StatusTxt = new TZQFrame(this);
  StatusTxt->SetParent(this);
  StatusTxt->SetBounds(8, 8, 281, 17);
  StatusTxt->SetAlignment(taLeftJustify);
  StatusTxt->SetFrameStyle(zqfsNone);
  StatusTxt->SetFrameSpace(0);
  ZQShellTree1 = new TZQShellTree(this);
  ZQShellTree1->SetParent(this);
  ZQShellTree1->SetBounds(8, 28, 341, 245);
  ZQShellTree1->SetOptions(
      {zqstoAutoFill, zqstoVirtualFolders, zqstoDesignInteractive, zqstoContextMenus, zqstoDynamicRefresh,
       zqstoBackgroundFill});
  ZQShellTree1->SetDragMode(dmAutomatic);
  ZQShellTree1->SetHideSelection(false);
  ZQShellTree1->SetIndent(19);
  ZQShellTree1->OnChange = [this](TObject* s, TTreeNode* node) { ZQShellTree1Change(s, node); };
  ButtonPanel = new TPanel(this);
  ButtonPanel->SetParent(this);
  ButtonPanel->SetBevelOuter(bvNone);
  ButtonPanel->SetParentColor(true);
  ButtonPanel->SetHeight(35);
  ButtonPanel->SetAlign(alBottom);
  OkBtn = MakeButton(this, ButtonPanel, 12, "OK", nullptr);
  OkBtn->SetDefault(true);
  OkBtn->SetModalResult(mrOk);
  CancelBtn = MakeButton(this, ButtonPanel, 92, "Cancel", nullptr);
  CancelBtn->SetCancel(true);
  CancelBtn->SetModalResult(mrCancel);
  CreateBtn = MakeButton(this, ButtonPanel, 186, "&Create...", create);
  DeleteBtn = MakeButton(this, ButtonPanel, 266, "&Delete...", remove);
  FormCreate(this);
  // The designed client area, whatever the frame takes; the window is built now.
  HandleNeeded();
  SetBounds(0, 0, GetWidth() + kClientWidth - GetClientWidth(), GetHeight() + kClientHeight - GetClientHeight());
  SetSizeGrip(true);
  OnResize = [this](TObject* s) { FormResize(s); };
  SetOptions(options_);
}

void TZQFrmFolderBrowseDlg::FormCreate(TObject*) { ZQShellTree1->SetShowRoot(true); }

void TZQFrmFolderBrowseDlg::CreateWnd() {
  // The tree is filled when the form shows, not while the window is built.
  TZQShellTreeOptions options = ZQShellTree1->GetOptions();
  hadAutoFill_ = options.Contains(zqstoAutoFill);
  options.Exclude(zqstoAutoFill);
  ZQShellTree1->SetOptions(options);
  TForm::CreateWnd();
}

void TZQFrmFolderBrowseDlg::SetOptions(TZQFolderBrowseDlgOptions v) {
  options_ = v;
  TZQShellTreeOptions tree = ZQShellTree1->GetOptions();
  const struct {
    TZQFolderBrowseDlgOption option;
    TZQShellTreeOption treeOption;
  } map[] = {{zqfbContextMenus, zqstoContextMenus}, {zqfbIncludeNonFolders, zqstoIncludeNonFolders},
             {zqfbOleDrag, zqstoOleDrag},           {zqfbOleDrop, zqstoOleDrop},
             {zqfbVirtualFolders, zqstoVirtualFolders}, {zqfbShowHidden, zqstoShowHidden}};
  for (const auto& m : map) {
    if (v.Contains(m.option)) tree.Include(m.treeOption);
    else tree.Exclude(m.treeOption);
  }
  ZQShellTree1->SetOptions(tree);
  ZQShellTree1->SetReadOnly(v.Contains(zqfbReadOnly));
  CreateBtn->SetVisible(v.Contains(zqfbCreateDeleteButtons));
  DeleteBtn->SetVisible(v.Contains(zqfbCreateDeleteButtons));
  CreateNewFolderBtn->SetVisible(v.Contains(zqfbCreateFolderIcon));
  DeleteFolderBtn->SetVisible(v.Contains(zqfbDeleteFolderIcon));
  FormResize(this);
}

void TZQFrmFolderBrowseDlg::DoShow() {
  TForm::DoShow();
  GetFont()->SetName(LoadResString(SDialogFontName));
  if (hadAutoFill_) {
    hadAutoFill_ = false;
    ZQShellTree1->SetOptions(ZQShellTree1->GetOptions() + TZQShellTreeOptions{zqstoAutoFill});
    ZQShellTree1->FillItems();
  }
  DoTranslation();
  if (OnFormShow) OnFormShow(this);
}

void TZQFrmFolderBrowseDlg::DoHide() {
  TForm::DoHide();
  if (OnFormClose) OnFormClose(this);
}

void TZQFrmFolderBrowseDlg::DoTranslation() {
  OkBtn->SetCaption(LoadResString(SOKButton));
  CancelBtn->SetCaption(LoadResString(SCancelButton));
  CreateNewFolderBtn->SetHint(LoadResString(SCreateFolder) + "|" + LoadResString(SCreateFolderContext));
  DeleteFolderBtn->SetHint(LoadResString(SDeleteHint) + "|" + LoadResString(SDeleteContext));
  if (GetCaption().empty()) SetCaption(LoadResString(SBrowseForFolder));
}

void TZQFrmFolderBrowseDlg::ZQShellTree1Change(TObject*, TTreeNode* Node) {
  TZQShTreeData* record = TZQCustomShellTree::GetDataFromNode(Node);
  if (!record) return;
  const bool hasPath = !record->GetPathName().empty();
  CreateBtn->SetEnabled(hasPath);
  CreateNewFolderBtn->SetEnabled(hasPath);
  DeleteBtn->SetEnabled(hasPath && Node->GetAbsoluteIndex() != 0);
  DeleteFolderBtn->SetEnabled(DeleteBtn->GetEnabled());
  // The application's exception goes to its handler here: the tree still takes the new selection.
  if (OnSelChange) GuardCallback(this, [&] { OnSelChange(this, record->GetAbsPidl()); });
}

void TZQFrmFolderBrowseDlg::CreateBtnClick(TObject*) {
  if (CreateBtn->GetEnabled()) ZQShellTree1->CreateNewFolder();
}

void TZQFrmFolderBrowseDlg::DeleteBtnClick(TObject*) {
  TTreeNode* node = ZQShellTree1->GetSelected();
  if (!node || !DeleteBtn->GetEnabled()) return;
  ZQShellTree1->DoCommandForNode(node, "delete");
  ZQShellTree1->RefreshNodes();
}

void TZQFrmFolderBrowseDlg::FormResize(TObject*) {
  const int width = GetClientWidth();
  const int treeTop = StatusTxt->GetTop() + StatusTxt->GetHeight() + 8;
  ZQShellTree1->SetBounds(ZQShellTree1->GetLeft(), treeTop, GetWidth() - 24,
                          ButtonPanel->GetTop() - 8 - treeTop);
  if (options_.Contains(zqfbCreateDeleteButtons)) {
    OkBtn->SetLeft(ZQShellTree1->GetLeft());
    CancelBtn->SetLeft(OkBtn->GetLeft() + OkBtn->GetWidth() + 4);
  } else {
    CancelBtn->SetLeft(width - CancelBtn->GetWidth() - 16);
    OkBtn->SetLeft(CancelBtn->GetLeft() - 4 - OkBtn->GetWidth());
  }
  int x = width - 16;
  if (DeleteFolderBtn->GetVisible()) {
    DeleteFolderBtn->SetLeft(x - DeleteFolderBtn->GetWidth());
    x = DeleteFolderBtn->GetLeft() - 8;
  }
  if (CreateNewFolderBtn->GetVisible()) {
    CreateNewFolderBtn->SetLeft(x - CreateNewFolderBtn->GetWidth());
    x = CreateNewFolderBtn->GetLeft() - 4;
  }
  StatusTxt->SetWidth(x - StatusTxt->GetLeft());
}

}  // namespace korvane
