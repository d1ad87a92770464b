#include "examples/explorer/ExplorerForm.h"

#include "korvane/host/Application.h"

namespace korvane {

TExplorerForm::TExplorerForm(TComponent* AOwner) : TForm(AOwner) {
  SetCaption("Korvane Explorer");
  SetBounds(40, 40, 900, 600);

  Combo = new TZQShellCombo(this);
  Combo->SetAlign(alTop);
  Combo->SetParent(this);

  Status = new TStatusBar(this);
  Status->SetParent(this);

  Splitter = new TZQSplitter(this);
  Splitter->SetAlign(alClient);
  Splitter->SetParent(this);
  Splitter->SetPosition(260);

  Tree = new TZQShellTree(this);
  // A node of many sub-folders opens at once and fills while the window answers.
  Tree->SetOptions(Tree->GetOptions() - TZQShellTreeOptions{zqstoShowHidden} + TZQShellTreeOptions{zqstoBackgroundFill});
  Tree->SetHideSelection(false);  // the open folder stays marked while the list has the focus
  Tree->SetAlign(alClient);
  Tree->SetParent(Splitter->GetPane(0));

  List = new TZQShellList(this);
  // So does a big or slow folder.
  List->SetOptions(List->GetOptions() - TZQShellListOptions{zqsloShowHidden} + TZQShellListOptions{zqsloBackgroundFill});
  List->SetAlign(alClient);
  List->SetViewStyle(vsReport);
  List->SetParent(Splitter->GetPane(1));

  // The tree drives the list; the combo follows the tree.
  Tree->SetShellList(List);
  Combo->SetShellTree(Tree);
  List->OnFillComplete = [this](TObject*) { UpdateStatus(); };
  List->OnFolderChanged = [this](TObject*) { UpdateStatus(); };

  OpenDialog = new TZQOpenDlg(this);
  OpenDialog->SetFilter("All files (*.*)|*.*|Text files (*.txt)|*.txt");
  OpenDialog->SetOptions(OpenDialog->GetOptions() +
                         TZQOpenOptions{zqofAllowMultiselect, zqofFileMustExist, zqofShowTree});
  SaveDialog = new TZQSaveDlg(this);
  SaveDialog->SetFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*");
  SaveDialog->SetDefaultExt("txt");
  SaveDialog->SetOptions(SaveDialog->GetOptions() + TZQOpenOptions{zqofOverwritePrompt, zqofShowTree});

  FolderDialog = new TZQFolderBrowseDlg(this);
  FolderDialog->SetTitle("Choose the folder to show");
  FolderDialog->SetOptions(FolderDialog->GetOptions() +
                           TZQFolderBrowseDlgOptions{zqfbCreateDeleteButtons, zqfbVirtualFolders});
  FolderDialog->OnSelChange = [this](TObject*, PItemIDList list) {
    FolderDialog->SetStatus(GetAbsIdListInFolderName(list));
  };

  BuildMenu();
}

TMenuItem* TExplorerForm::AddItem(TMenuItem* parent, const std::string& caption, TShortCut key, TNotifyEvent click) {
  auto* item = new TMenuItem(this);
  item->SetCaption(caption);
  item->SetShortCut(key);
  item->OnClick = std::move(click);
  parent->Add(item);
  return item;
}

void TExplorerForm::BuildMenu() {
  Menu = new TMainMenu(this);
  TMenuItem* bar = Menu->GetItems();
  TMenuItem* file = AddItem(bar, "&File", 0, nullptr);
  FileOpen = AddItem(file, "&Open...", scCtrl + 'O', [this](TObject*) { OpenFile(); });
  FileSaveAs = AddItem(file, "Save &As...", 0, [this](TObject*) { SaveFileAs(); });
  AddItem(file, "-", 0, nullptr);
  FileBrowse = AddItem(file, "&Browse for Folder...", 0, [this](TObject*) { BrowseForFolder(); });
  AddItem(file, "-", 0, nullptr);
  FileExit = AddItem(file, "E&xit", 0, [this](TObject*) { Close(); });

  TMenuItem* view = AddItem(bar, "&View", 0, nullptr);
  ViewLarge = AddItem(view, "Lar&ge Icons", 0, [this](TObject*) { SetStyle(vsIcon); });
  ViewSmall = AddItem(view, "S&mall Icons", 0, [this](TObject*) { SetStyle(vsSmallIcon); });
  ViewList = AddItem(view, "&List", 0, [this](TObject*) { SetStyle(vsList); });
  ViewDetails = AddItem(view, "&Details", 0, [this](TObject*) { SetStyle(vsReport); });
  AddItem(view, "-", 0, nullptr);
  ViewHidden = AddItem(view, "Show &Hidden Items", 0, [this](TObject*) { ToggleHidden(); });
  AddItem(view, "-", 0, nullptr);
  ViewRefresh = AddItem(view, "&Refresh", VK_F5, [this](TObject*) {
    Tree->RefreshNodes();
    List->RefreshItems();  // a merge appends new items: sort them into place
    List->SortList();
  });

  TMenuItem* go = AddItem(bar, "&Go", 0, nullptr);
  // Backspace is the list's own key (it stays free for typing in the combo and in renames).
  GoUp = AddItem(go, "&Up\tBackspace", 0, [this](TObject*) { List->GoUp(1); });
  GoBrowse = AddItem(go, "&Browse for Folder (Korvane)...", 0, [this](TObject*) { BrowseWithTree(); });

  ViewDetails->SetChecked(true);
  SetMenu(Menu);
}

void TExplorerForm::OpenFolder(const std::string& folder) {
  Application->ProcessMessages();  // the controls' first fills, posted when their windows were made
  Tree->SetSelectedPathName(folder);
  UpdateStatus();
}

void TExplorerForm::SetStyle(TViewStyle style) {
  List->SetViewStyle(style);
  ViewLarge->SetChecked(style == vsIcon);
  ViewSmall->SetChecked(style == vsSmallIcon);
  ViewList->SetChecked(style == vsList);
  ViewDetails->SetChecked(style == vsReport);
}

void TExplorerForm::ToggleHidden() {
  const bool show = !ViewHidden->GetChecked();
  ViewHidden->SetChecked(show);
  TZQShellTreeOptions treeOptions = Tree->GetOptions();
  TZQShellListOptions listOptions = List->GetOptions();
  if (show) {
    treeOptions.Include(zqstoShowHidden);
    listOptions.Include(zqsloShowHidden);
  } else {
    treeOptions.Exclude(zqstoShowHidden);
    listOptions.Exclude(zqsloShowHidden);
  }
  Tree->SetOptions(treeOptions);
  Tree->RefreshNodes();
  List->SetOptions(listOptions);
}

void TExplorerForm::BrowseForFolder() {
  TZQSysFolderDlg dialog(nullptr);
  dialog.SetTitle("Choose the folder to show");
  dialog.SetFolderIdList(List->GetFolder()->GetIdList());
  if (dialog.Execute()) Tree->DoSetSelectedIdList(dialog.GetFolderIdList());
}

namespace {
std::string Joined(const TStrings& files) {
  std::string text;
  for (int i = 0; i < files.GetCount(); ++i) text += (i ? "; " : "") + files.Get(i);
  return text;
}
}  // namespace

void TExplorerForm::OpenFile() {
  OpenDialog->SetInitialDir(List->GetFolder()->GetPathName());
  if (OpenDialog->Execute()) Status->SetSimpleText("Open: " + Joined(*OpenDialog->GetFiles()));
}

void TExplorerForm::SaveFileAs() {
  SaveDialog->SetInitialDir(List->GetFolder()->GetPathName());
  if (SaveDialog->Execute()) Status->SetSimpleText("Save as: " + SaveDialog->GetFilename());
}

void TExplorerForm::BrowseWithTree() {
  FolderDialog->GetSelectedFolder()->SetIdList(List->GetFolder()->GetIdList());
  if (FolderDialog->Execute()) Tree->DoSetSelectedIdList(FolderDialog->GetSelectedFolder()->GetIdList());
}

void TExplorerForm::UpdateStatus() {
  const int count = List->GetItems()->GetCount();
  std::string where = List->GetFolder()->GetPathName();
  if (where.empty()) where = GetAbsIdListInFolderName(List->GetFolder()->GetIdList());
  Status->SetSimpleText(std::to_string(count) + (count == 1 ? " item" : " items") + "    " + where);
}

}  // namespace korvane
