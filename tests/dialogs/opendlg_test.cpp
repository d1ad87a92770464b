#include <gtest/gtest.h>
#include <shlobj.h>

#include <functional>

#include <string>
#include <vector>

#include "korvane/dialogs/Fzqopendlg.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshellutils.h"
#include "tests/support/ScriptedDialog.h"
#include "tests/support/TempDir.h"

using namespace korvane;
using test::TScriptedOpenForm;

namespace {
using TStep = TScriptedOpenForm::TStep;

TStep TypeAndOk(const std::string& text) {
  return [text](TScriptedOpenForm& f) {
    f.FileNameEdt->SetText(text);
    f.SetModalResult(mrOk);
  };
}

void PressKey(TScriptedOpenForm& f, WORD key) { SendMessageA(f.FileNameEdt->GetHandle(), WM_KEYDOWN, key, 0); }

std::string ListFolder(TScriptedOpenForm& f) { return f.ZQShellList1->GetFolder()->GetPathName(); }

// The list fills in the background: every item is taken in first.
std::vector<std::string> FileCaptions(TScriptedOpenForm& f) {
  EXPECT_TRUE(f.ZQShellList1->WaitForFill(10000));
  std::vector<std::string> names;
  for (int i = 0; i < f.ZQShellList1->GetItems()->GetCount(); ++i)
    if (TZQShListData* r = TZQCustomShellList::GetDataFromItem(f.ZQShellList1->GetItems()->GetItem(i)); r && !r->IsFolder())
      names.push_back(r->GetFilename());
  return names;
}

std::vector<std::string> Files(TZQFileDlg& dialog) {
  std::vector<std::string> files;
  for (int i = 0; i < dialog.GetFiles()->GetCount(); ++i) files.push_back(dialog.GetFiles()->Get(i));
  return files;
}

// Keeps the process's current directory, which the dialog changes on closing.
class TCurrentDirKept {
public:
  TCurrentDirKept() { GetCurrentDirectoryA(MAX_PATH, saved_); }
  ~TCurrentDirKept() { SetCurrentDirectoryA(saved_); }
  std::string Now() const {
    char now[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, now);
    return now;
  }

private:
  char saved_[MAX_PATH] = {};
};

// A file type whose extension the shell never shows, so that "twin" and
// "twin.kvtwin" are both captioned "twin".
class THiddenExtensionType {
public:
  THiddenExtensionType() {
    Set(".kvtwin", "", "Korvane.TwinFile");
    Set("Korvane.TwinFile", "NeverShowExt", "");
  }
  ~THiddenExtensionType() {
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".kvtwin");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "Korvane.TwinFile");
  }

private:
  static void Set(const char* key, const char* name, const char* value) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
    RegCloseKey(k);
  }
};
}  // namespace

TEST(OpenDialog, EachTypedTextAsTheUserWouldSeeIt) {
  test::TempDir dir;
  const std::string a = dir.File("a.txt");
  dir.File("b.txt");
  dir.File("c.doc");
  dir.File("twin");
  dir.File("twin.kvtwin");
  const std::string sub = dir.Folder("sub");
  ASSERT_HRESULT_SUCCEEDED(CreateQuickShortcut(dir / "tosub.lnk", sub));
  ASSERT_HRESULT_SUCCEEDED(CreateQuickShortcut(dir / "toa.lnk", a));
  const THiddenExtensionType hidden;
  const TCurrentDirKept cwd;
  test::TMessageLog messages;
  const struct {
    std::string typed;
    std::string message;    // a part of what is shown, empty: nothing
    std::string folder;     // where the list is afterwards
    const char* nameBox;    // the name box afterwards, nil: as typed
  } rows[] = {
      {"", "", dir.Path(), nullptr},
      {"\"  \" \"\"", "", dir.Path(), nullptr},  // blank quoted names are no names
      {"CON.txt", "CON.txt\nThis file name is a reserved device name.", dir.Path(), nullptr},
      {"a.txt:stream", "a.txt:stream\nThe above file name is invalid.", dir.Path(), nullptr},
      {"\"a.txt\" \"sub\\C:x\"", "sub\\C:x\nThe above file name is invalid.", dir.Path(), nullptr},
      {"nosuch\\x.txt", (dir / "nosuch\\") + "\nPath does not exist.", dir.Path(), nullptr},
      {std::string(270, 'x'), (dir / std::string(270, 'x')) + "\nThe above file name is invalid.", dir.Path(), nullptr},
      {"missing.txt", (dir / "missing.txt") + "\nFile not found.", dir.Path(), nullptr},
      {"twin", "More than one file has the name 'twin'.", dir.Path(), nullptr},
      {"tosub.lnk", "", sub, nullptr},           // a shortcut to a folder opens it, never returns it
      {"..\\sub", "", sub, nullptr},             // so does a folder
      {"..\\*.doc", "", dir.Path(), "*.doc"},   // a pattern filters the folder before it
  };
  std::vector<std::string> seenFolders, seenNames;
  std::vector<std::vector<std::string>> seenMessages;
  std::vector<std::string> filtered, afterType;
  test::TScriptedFileDialog<TZQOpenDlg> dialog(nullptr);
  dialog.SetInitialDir(dir.Path());
  dialog.SetFilter("Text files|*.txt|All files|*.*");
  dialog.SetFilterIndex(2);
  dialog.SetOptions(dialog.GetOptions() + TZQOpenOptions{zqofPathMustExist, zqofFileMustExist});
  for (const auto& row : rows) {
    dialog.steps.push_back(TypeAndOk(row.typed));
    dialog.steps.push_back([&](TScriptedOpenForm& f) {
      seenFolders.push_back(ListFolder(f));
      seenNames.push_back(f.FileNameEdt->GetText());
      seenMessages.push_back(messages.Take());
    });
  }
  dialog.steps.push_back([&](TScriptedOpenForm& f) {
    filtered = FileCaptions(f);
    f.FileTypesCbx->SetItemIndex(0);  // a type chosen after a pattern empties the name box
    f.FileTypesCbxSelEndOk(f.FileTypesCbx);
    afterType.push_back(f.FileNameEdt->GetText());
  });
  dialog.steps.push_back(TypeAndOk("toa.lnk"));  // a shortcut to a file returns the file
  ASSERT_TRUE(dialog.Execute());
  EXPECT_FALSE(dialog.leftOpen);
  ASSERT_EQ(seenFolders.size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const auto& row = rows[i];
    SCOPED_TRACE(row.typed);
    EXPECT_TRUE(AnsiSameText(seenFolders[i], row.folder)) << seenFolders[i];
    EXPECT_EQ(seenNames[i], row.nameBox ? row.nameBox : row.typed);
    if (!row.message.empty()) {
      ASSERT_EQ(seenMessages[i].size(), 1u);
      EXPECT_NE(seenMessages[i][0].find(row.message), std::string::npos) << seenMessages[i][0];
    } else {
      EXPECT_TRUE(seenMessages[i].empty());
    }
  }
  for (const std::string& caption : messages.captions) EXPECT_EQ(caption, "Open");
  EXPECT_EQ(filtered, std::vector<std::string>{"c.doc"});
  EXPECT_EQ(afterType, std::vector<std::string>{""});
  EXPECT_EQ(Files(dialog), std::vector<std::string>{a});
  EXPECT_TRUE(AnsiSameText(cwd.Now(), dir.Path())) << cwd.Now();
}

TEST(OpenDialog, SelectedFilesBecomeQuotedNamesAndComeBackWhole) {
  test::TempDir dir;
  const std::string a = dir.File("a.txt"), b = dir.File("b.txt");
  dir.Folder("sub");
  const TCurrentDirKept cwd;
  test::TScriptedFileDialog<TZQOpenDlg> dialog(nullptr);
  dialog.SetInitialDir(dir.Path());
  dialog.SetOptions(dialog.GetOptions() + TZQOpenOptions{zqofAllowMultiselect});
  std::vector<std::string> boxes;
  const auto select = [](TScriptedOpenForm& f, std::vector<std::string> names) {
    EXPECT_TRUE(f.ZQShellList1->WaitForFill(10000));  // the user picks among the items shown
    f.ZQShellList1->SetSelected(nullptr);
    for (int i = 0; i < f.ZQShellList1->GetItems()->GetCount(); ++i) {
      TListItem* item = f.ZQShellList1->GetItems()->GetItem(i);
      for (const std::string& name : names)
        if (TZQCustomShellList::GetDataFromItem(item)->GetFilename() == name) item->SetSelected(true);
    }
  };
  const auto look = [&](TScriptedOpenForm& f) { boxes.push_back(f.FileNameEdt->GetText()); };
  dialog.steps = {
      [&](TScriptedOpenForm& f) { select(f, {"a.txt"}); }, look,
      [&](TScriptedOpenForm& f) { select(f, {"sub"}); }, look,  // a folder leaves the box alone
      [&](TScriptedOpenForm& f) { select(f, {"a.txt", "b.txt", "sub"}); }, look,
      [](TScriptedOpenForm& f) { f.SetModalResult(mrOk); }};
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(boxes, (std::vector<std::string>{"a.txt", "a.txt", "\"a.txt\" \"b.txt\""}));
  EXPECT_EQ(Files(dialog), (std::vector<std::string>{a, b}));
}

TEST(OpenDialog, SaveAsAsksBeforeReplacingOrCreating) {
  test::TempDir dir;
  const std::string a = dir.File("a.txt");
  dir.File("locked.txt", 0, FILE_ATTRIBUTE_READONLY);
  const TCurrentDirKept cwd;
  test::TMessageLog messages({IDNO, IDNO, IDYES});
  test::TScriptedFileDialog<TZQSaveDlg> dialog(nullptr);
  dialog.SetInitialDir(dir.Path());
  dialog.SetDefaultExt("txt");
  dialog.SetOptions(dialog.GetOptions() +
                    TZQOpenOptions{zqofOverwritePrompt, zqofCreatePrompt, zqofNoReadOnlyReturn, zqofExtensionDifferent});
  std::vector<bool> open;
  const auto look = [&](TScriptedOpenForm& f) { open.push_back(f.GetVisible() && f.GetModalResult() == mrNone); };
  dialog.steps = {TypeAndOk("a"), look, TypeAndOk("fresh"), look, TypeAndOk("locked"), look, TypeAndOk("a")};
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(open, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(messages.texts, (std::vector<std::string>{
                                a + " already exists.\nDo you want to replace it?",
                                "fresh.txt\nThis file does not exist.\n\nCreate the file?",
                                (dir / "locked.txt") +
                                    "\nThis file exists with Read Only attributes.\nPlease use a different file name.",
                                a + " already exists.\nDo you want to replace it?"}));
  EXPECT_EQ(messages.captions.front(), "Save As");
  EXPECT_EQ(Files(dialog), std::vector<std::string>{a});
  EXPECT_FALSE(dialog.GetOptions().Contains(zqofExtensionDifferent));  // "txt" was added, not kept
}

TEST(OpenDialog, TheTreeComesAndGoesAndKeepsItsWidth) {
  test::TempDir dir;
  struct TSeen {
    bool buttonShown, down;
    int position, paneWidth;
  };
  std::vector<TSeen> seen;
  const auto look = [&](TScriptedOpenForm& f) {
    seen.push_back({f.ShowTreeBtn->GetVisible(), f.ShowTreeBtn->GetDown(), f.GetFormSplitterPos(),
                    f.ZQSplitter1->GetPane(0)->GetWidth()});
  };
  const auto f12 = [&](TScriptedOpenForm& f) {
    PressKey(f, VK_F12);
    look(f);
  };
  POINT minimum = {};
  std::vector<std::string> boxes;
  // The tree following the dialog keeps the name box; the user's choice in the tree empties it.
  const auto treeChoice = [&](TScriptedOpenForm& f) {
    f.FileNameEdt->SetText("kept.txt");
    f.ZQShellList1->GetFolder()->SetPathName(dir.Folder("sub"));
    boxes.push_back(f.FileNameEdt->GetText());
    f.ZQShellTree1->SetFocus();
    f.ZQShellTree1->GetSelected()->GetParent()->SetSelected(true);
    boxes.push_back(f.FileNameEdt->GetText());
  };
  test::TScriptedFileDialog<TZQOpenDlg> dialog(nullptr);
  dialog.SetInitialDir(dir.Path());
  dialog.steps = {look, f12, treeChoice, f12, f12, [&](TScriptedOpenForm& f) {
                    MINMAXINFO info = {};
                    SendMessageA(f.GetHandle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
                    minimum = info.ptMinTrackSize;
                    f.SetFormSplitterPos(170);
                    f.SetModalResult(mrCancel);
                  }};
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(minimum.x, 459);
  EXPECT_EQ(minimum.y, 274);
  EXPECT_EQ(boxes, (std::vector<std::string>{"kept.txt", ""}));
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_FALSE(seen[0].down);  // the default options start without the tree
  EXPECT_LE(seen[0].paneWidth, 0);
  EXPECT_TRUE(seen[1].down);   // the first time at 200
  EXPECT_EQ(seen[1].position, 200);
  EXPECT_EQ(seen[1].paneWidth, 200);
  EXPECT_FALSE(seen[2].down);
  EXPECT_LE(seen[2].paneWidth, 0);
  EXPECT_EQ(seen[3].position, 200);  // and again at 200 after hiding
  EXPECT_EQ(seen[3].paneWidth, 200);
  EXPECT_TRUE(dialog.GetOptions().Contains(zqofShowTree));
  EXPECT_EQ(dialog.GetFormSplitterPos(), 170);

  // Reopened maximized the tree has its width; without zqofAllowTree it still
  // shows, but F12 and its button are gone. The read-only box shows its option.
  seen.clear();
  bool readOnlyChecked = false;
  dialog.SetFormWindowState(wsMaximized);
  dialog.SetOptions(dialog.GetOptions() - TZQOpenOptions{zqofAllowTree, zqofHideReadOnly} +
                    TZQOpenOptions{zqofReadOnly});
  dialog.steps = {look, f12, [&](TScriptedOpenForm& f) {
                    readOnlyChecked = f.ReadOnlyChk->GetChecked() && f.ReadOnlyChk->GetVisible();
                    f.SetModalResult(mrCancel);
                  }};
  EXPECT_FALSE(dialog.Execute());
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_FALSE(seen[0].buttonShown);
  EXPECT_EQ(seen[0].position, 170);
  EXPECT_EQ(seen[1].position, 170);
  EXPECT_TRUE(readOnlyChecked);
  EXPECT_EQ(dialog.GetFormSplitterPos(), 170);

  // A stored -1 (never sized) opens a shown tree at 200, not at its 4-pixel minimum.
  seen.clear();
  dialog.SetFormSplitterPos(-1);
  dialog.steps = {look};
  dialog.Execute();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].paneWidth, 200);
}

TEST(OpenDialog, ToolButtonsKeysAndTheViewMenu) {
  test::TempDir dir;
  const std::string sub = dir.Folder("sub");
  struct TSeen {
    std::string folder;
    TViewStyle style;
    bool detailsDown, detailsChecked, dropped;
    std::vector<std::string> files;
  };
  std::vector<TSeen> seen;
  const auto look = [&](TScriptedOpenForm& f) {
    seen.push_back({ListFolder(f), f.ZQShellList1->GetViewStyle(), f.DetailsBtn->GetDown(),
                    f.Details1Mitm->GetChecked(),
                    SendMessageA(f.ZQShellCombo1->GetHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0, FileCaptions(f)});
  };
  const auto act = [&](std::function<void(TScriptedOpenForm&)> action) {
    return [action, look](TScriptedOpenForm& f) {
      action(f);
      look(f);
    };
  };
  std::vector<std::pair<UINT, ULONG_PTR>> helpAsked;
  test::TScriptedFileDialog<TZQOpenDlg> dialog(nullptr);
  dialog.SetInitialDir(sub);
  dialog.SetHelpContext(321);
  dialog.SetOptions(dialog.GetOptions() + TZQOpenOptions{zqofShowHelp});
  dialog.OnHelp = [&](UINT command, ULONG_PTR data, bool& callHelp) {
    helpAsked.emplace_back(command, data);
    callHelp = false;
    return true;
  };
  dialog.steps = {
      act([](TScriptedOpenForm& f) { f.UpOneLevelBtn->Click(); }),
      act([](TScriptedOpenForm& f) { f.ViewBtnClick(f.Details1Mitm); }),
      act([](TScriptedOpenForm& f) { f.ViewBtnClick(f.ListBtn); }),
      act([&](TScriptedOpenForm& f) {
        dir.File("late.txt");  // F5 reads the folder again
        PressKey(f, VK_F5);
      }),
      act([](TScriptedOpenForm& f) { PressKey(f, VK_F4); }),
      act([](TScriptedOpenForm& f) { PressKey(f, VK_F4); }),
      act([](TScriptedOpenForm& f) {
        f.ZQShellList1->SetFocus();
        f.CreateNewFolderBtn->Click();
        SendMessageA(f.ZQShellList1->GetHandle(), LVM_CANCELEDITLABEL, 0, 0);
      }),
      act([](TScriptedOpenForm& f) { f.HelpBtn->Click(); }),
      [](TScriptedOpenForm& f) {
        // F1 on the list asks for the list's own topic.
        HELPINFO info = {sizeof info, HELPINFO_WINDOW, 0, f.ZQShellList1->GetHandle(), 0, {0, 0}};
        SendMessageA(f.GetHandle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
      },
      act([](TScriptedOpenForm& f) {
        f.ShowDesktopBtn->Click();
        f.SetModalResult(mrCancel);
      })};
  EXPECT_FALSE(dialog.Execute());
  ASSERT_EQ(seen.size(), 9u);
  EXPECT_TRUE(AnsiSameText(seen[0].folder, dir.Path())) << seen[0].folder;
  EXPECT_EQ(seen[1].style, vsReport);
  EXPECT_TRUE(seen[1].detailsDown && seen[1].detailsChecked);
  EXPECT_EQ(seen[2].style, vsList);
  EXPECT_FALSE(seen[2].detailsDown || seen[2].detailsChecked);
  EXPECT_EQ(seen[3].files, std::vector<std::string>{"late.txt"});
  EXPECT_TRUE(seen[4].dropped);   // F4 drops the combo down
  EXPECT_FALSE(seen[5].dropped);  // and closes it again
  EXPECT_TRUE(DirectoryExists(dir / "New Folder"));
  const std::vector<std::pair<UINT, ULONG_PTR>> topics = {{HELP_CONTEXT, 321}, {HELP_CONTEXT, 28549}};
  EXPECT_EQ(helpAsked, topics);
  char desktop[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);
  EXPECT_TRUE(AnsiSameText(seen[8].folder, desktop)) << seen[8].folder;
}
