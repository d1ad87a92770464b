#include <windows.h>

#include <algorithm>

#include "korvane/dialogs/opendlgform.h"
#include "korvane/host/Application.h"
#include "korvane/host/Messages.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Screen.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshconsts.h"

namespace korvane {

namespace {
// Posted on a change of the list's selection: the name box follows once per burst.
constexpr UINT kSelectionNames = WM_APP + 40;

void SetLeftKeepRight(TControl* control, int left) {
  const int right = control->GetLeft() + control->GetWidth();
  control->SetBounds(left, control->GetTop(), right - left, control->GetHeight());
}
}  // namespace

void TZQFrmOpenDlg::DoShow() {
  const TCursorScope screenCursor(crHourGlass);
  SetCursor(crHourGlass);
  const auto restore = ScopeExit([this] { SetCursor(crDefault); });
  TForm::DoShow();
  GetFont()->SetName(LoadResString(SDialogFontName));
  SendMessageA(FileTypesCbx->GetHandle(), CB_SETEXTENDEDUI, TRUE, 0);
  if (!options_.Contains(zqofAllowTree)) {
    ShowTreeBtn->SetVisible(false);
    const int shift = ListBtn->GetLeft() - ShowTreeBtn->GetLeft();
    ListBtn->SetLeft(ListBtn->GetLeft() - shift);
    DetailsBtn->SetLeft(DetailsBtn->GetLeft() - shift);
  }
  int bottom = 0;
  for (int i = 0; i < Panel1->GetControlCount(); ++i)
    if (TControl* c = Panel1->GetControl(i); c->GetVisible()) bottom = std::max(bottom, c->GetTop() + c->GetHeight());
  Panel1->SetHeight(bottom + 4);
  DoTranslation();
  ShowTree(options_.Contains(zqofShowTree));
  // The stored bar position, now that the window has its final size and state.
  if (splitterPending_) {
    splitterPending_ = false;
    if (ZQSplitter1->GetPane(0)->GetMinSize() >= 0) ZQSplitter1->SetPosition(pendingSplitterPos_ < 0 ? 200 : pendingSplitterPos_);
  }
  ShowFirstFolder();
  listName_ = true;
  shown_ = true;
  DoOnFormShow();
  if (FileNameEdt->CanFocus()) FileNameEdt->SetFocus();
}

void TZQFrmOpenDlg::ShowFirstFolder() {
  TZQShellLocator* folder = ZQShellCombo1->GetSelectedFolder();
  if (!initialDir_.empty()) {
    folder->SetPathName(initialDir_);
    return;
  }
  const std::string name = FileNameEdt->GetText();
  const std::string path = ExtractFilePath(name);
  if (!path.empty()) {
    folder->SetPathName(path);
    if (const std::string rest = ExtractFileName(name); !rest.empty()) FileNameEdt->SetText(rest);
    return;
  }
  char current[MAX_PATH] = {};
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
  if (length > 0 && length < MAX_PATH) folder->SetPathName(current);
}

void TZQFrmOpenDlg::DoHide() {
  shown_ = false;
  TForm::DoHide();
  DoOnFormClose();
}

void TZQFrmOpenDlg::DoTranslation() {
  CancelBtn->SetCaption(LoadResString(SCancelButton));
  HelpBtn->SetCaption(LoadResString(SHelpButton));
  UpOneLevelBtn->SetHint(LoadResString(SUpOneLevelHint));
  CreateNewFolderBtn->SetHint(LoadResString(SCreateNewFolderHint));
  ListBtn->SetHint(LoadResString(SViewListHint) + "|" + LoadResString(SViewListContext));
  DetailsBtn->SetHint(LoadResString(SViewDetailsHint) + "|" + LoadResString(SViewDetailsContext));
  ReadOnlyChk->SetCaption(LoadResString(SOpenAsReadOnly));
  FileNameTxt->SetCaption(LoadResString(SFileName));
  ShowTreeBtn->SetHint(LoadResString(SShowTreeHint));
  const struct {
    TMenuItem* item;
    TZQStringId caption, hint;
  } items[] = {{View1Mitm, SViewMenu, SViewContext},
               {LargeIcons1Mitm, SViewLargeIconsMenu, SViewLargeIconsContext},
               {Smallicons1MItm, SViewSmallIconsMenu, SViewSmallIconsContext},
               {List1Mitm, SViewListMenu, SViewListContext},
               {Details1Mitm, SViewDetailsMenu, SViewDetailsContext},
               {Paste1Mitm, SEditPasteMenu, SPasteContext},
               {New1Mitm, SNewMenu, SNewPopupContext},
               {Folder1Mitm, SNewFolderMenu, SCreateFolderContext},
               {Properties1Mitm, SPropertiesMenu, SPropertiesContext}};
  for (const auto& i : items) {
    i.item->SetCaption(LoadResString(i.caption));
    i.item->SetHint(LoadResString(i.hint));
  }
  // The boxes start where the wider of the two labels ends; the combo after its label.
  const int x = std::max(FileNameTxt->GetLeft() + FileNameTxt->GetWidth(),
                         FilesOfTypeTxt->GetLeft() + FilesOfTypeTxt->GetWidth()) + 8;
  for (TControl* c : {static_cast<TControl*>(FileTypesCbx), static_cast<TControl*>(FileNameEdt),
                      static_cast<TControl*>(ReadOnlyChk)})
    SetLeftKeepRight(c, x);
  SetLeftKeepRight(ZQShellCombo1, LookInTxt->GetLeft() + LookInTxt->GetWidth() + 8);
}

void TZQFrmOpenDlg::ShowTree(bool visible) {
  TZQSplitter* splitter = ZQSplitter1;
  const int barWidth = splitter->GetSplitterWidth();
  if (visible) {
    if (ZQShellCombo1->GetShellTree() == ZQShellTree1 && splitter->GetPosition() > -barWidth) return;
    ShowTreeBtn->SetDown(true);
    try {
      const TCursorScope cursor(crHourGlass);
      ZQShellTree1->SetSelectedFolder(ZQShellCombo1->GetSelectedFolder());
      ZQShellCombo1->SetShellList(nullptr);
      ZQShellCombo1->SetShellTree(ZQShellTree1);
      ZQShellTree1->SetShellList(ZQShellList1);
      splitter->GetPane(0)->SetMinSize(4);
      if (splitter->GetPosition() < 0) splitter->SetPosition(200);
    } catch (...) {
      ShowTreeBtn->SetDown(false);
      throw;
    }
    SetOptions(options_ + TZQOpenOptions{zqofShowTree});
    ZQShellTree1->SetTabStop(true);
  } else {
    ShowTreeBtn->SetDown(false);
    if (ZQShellTree1->Focused() && ZQShellList1->CanFocus()) ZQShellList1->SetFocus();
    ZQShellTree1->SetTabStop(false);
    ZQShellTree1->SetShellList(nullptr);
    ZQShellCombo1->SetShellTree(nullptr);
    ZQShellCombo1->SetShellList(ZQShellList1);
    splitter->GetPane(0)->SetMinSize(-barWidth);
    splitter->SetPosition(-barWidth);
    SetOptions(options_ - TZQOpenOptions{zqofShowTree});
  }
  if (ZQShellList1->GetVisible() && ZQShellList1->GetOptions().Contains(zqsloHideFoldersWhenLinkedToTree))
    ZQShellList1->FillItems();
}

void TZQFrmOpenDlg::ViewBtnClick(TObject* Sender) {
  const auto* component = dynamic_cast<TComponent*>(Sender);
  if (!component) return;
  const auto tag = component->GetTag();
  ZQShellList1->SetViewStyle(static_cast<TViewStyle>(tag));
  for (TSpeedButton* b : {ListBtn, DetailsBtn}) b->SetDown(b->GetTag() == tag);
  for (TMenuItem* i : {LargeIcons1Mitm, Smallicons1MItm, List1Mitm, Details1Mitm}) i->SetChecked(i->GetTag() == tag);
}

void TZQFrmOpenDlg::ZQShellList1Change(TObject*, TListItem*, TItemChange Change) {
  if (Change != ctState || !shown_ || namesPending_) return;
  namesPending_ = true;
  PostMessageA(GetHandle(), kSelectionNames, 0, 0);
}

void TZQFrmOpenDlg::UpdateNameFromSelection() {
  std::vector<TZQShListData*> files;
  for (TListItem* item : ZQShellList1->GetSelectedShellItems())
    if (TZQShListData* record = TZQCustomShellList::GetDataFromItem(item); record && !record->IsFolder())
      files.push_back(record);
  if (files.size() > 1) {
    std::string names;
    for (TZQShListData* record : files) names += (names.empty() ? "\"" : " \"") + record->GetFilename() + "\"";
    FileNameEdt->SetText(names);
  } else if (files.size() == 1) {
    FileNameEdt->SetText(files.front()->GetDisplayName());
  }
  listName_ = true;
  DoOnSelectionChanged();
}

void TZQFrmOpenDlg::WndProc(TMessage& m) {
  // F1 on a control asks the component's OnHelp for that control's topic; without a handler it is not handled.
  if (m.Msg == WM_HELP && OnDialogHelp) {
    const auto* info = reinterpret_cast<const HELPINFO*>(m.LParam);
    TWinControl* control = info && info->iContextType == HELPINFO_WINDOW
                               ? TWinControl::FindControl(static_cast<HWND>(info->hItemHandle))
                               : nullptr;
    const int context = control && control->GetHelpContext() ? control->GetHelpContext() : static_cast<int>(helpContext_);
    bool callHelp = false;
    GuardCallback(this, [&] { m.Result = OnDialogHelp(HELP_CONTEXT, static_cast<ULONG_PTR>(context), callHelp); });
    return;
  }
  if (m.Msg == kSelectionNames) {
    namesPending_ = false;
    if (shown_) GuardCallback(this, [this] { UpdateNameFromSelection(); });
    return;
  }
  TForm::WndProc(m);
}

void TZQFrmOpenDlg::FileNameEdtChange(TObject*) {
  if (shown_) listName_ = false;
}

// Only the user's own choice in the tree empties the box: the tree also moves when it fills
// after showing or follows a typed folder, and that keeps the name given or typed.
void TZQFrmOpenDlg::ZQShellTree1Change(TObject*, TTreeNode* Node) {
  if (shown_ && Node && ZQShellTree1->Focused()) FileNameEdt->SetText(std::string());
}

void TZQFrmOpenDlg::ZQShellList1FolderChanged(TObject*) {
  if (shown_) DoOnFolderChanged();
}

void TZQFrmOpenDlg::KeyDown(WORD& Key, TShiftState Shift) {
  TForm::KeyDown(Key, Shift);
  if (!(Shift * TShiftState{ssShift, ssCtrl, ssAlt}).Empty()) return;
  switch (Key) {
    case VK_F4: {
      const HWND combo = ZQShellCombo1->GetHandle();
      if (SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) {
        SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
        if (ZQShellList1->CanFocus()) ZQShellList1->SetFocus();
        ZQShellCombo1->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
      } else {
        if (ZQShellCombo1->CanFocus()) ZQShellCombo1->SetFocus();
        SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
      }
      break;
    }
    case VK_F5:
      if (!ZQShellCombo1->Focused()) ZQShellCombo1->FillItems();
      if (!ZQShellList1->Focused()) ZQShellList1->FillItems();
      if (ZQShellTree1->GetShellList() == ZQShellList1 && !ZQShellTree1->Focused()) ZQShellTree1->RefreshNodes();
      break;
    case VK_F12:
      if (options_.Contains(zqofAllowTree)) ShowTree(!ShowTreeBtn->GetDown());
      break;
    default:
      break;
  }
}

void TZQFrmOpenDlg::UpOneLevelBtnClick(TObject*) { ZQShellCombo1->GoUp(1); }

void TZQFrmOpenDlg::ShowDesktopBtnClick(TObject*) { ZQShellList1->GetFolder()->SetCSIDL(csidlDesktop); }

void TZQFrmOpenDlg::ShowTreeBtnClick(TObject*) { ShowTree(ShowTreeBtn->GetDown()); }

void TZQFrmOpenDlg::CreateNewFolderBtnClick(TObject*) {
  if (ZQShellTree1->Focused() ||
      (ShowTreeBtn->GetDown() && options_.Contains(zqofHideFoldersInListWhenTreeVisible)))
    ZQShellTree1->CreateNewFolder();
  else
    ZQShellList1->CreateNewFolder(true);
}

void TZQFrmOpenDlg::Paste1MitmClick(TObject*) { ZQShellList1->DoCommandForFolder("paste"); }

void TZQFrmOpenDlg::Properties1MitmClick(TObject*) { ZQShellList1->DoCommandForFolder("properties"); }

void TZQFrmOpenDlg::ReadOnlyChkClick(TObject*) {
  if (ReadOnlyChk->GetChecked()) options_.Include(zqofReadOnly);
  else options_.Exclude(zqofReadOnly);
}

void TZQFrmOpenDlg::HelpBtnClick(TObject*) {
  bool callHelp = true;
  if (OnDialogHelp) OnDialogHelp(HELP_CONTEXT, static_cast<ULONG_PTR>(helpContext_), callHelp);
  if (callHelp) Application->HelpContext(static_cast<int>(helpContext_));
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
