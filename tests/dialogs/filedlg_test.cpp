#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "korvane/dialogs/Fzqopendlg.h"
#include "korvane/dialogs/filefilter.h"
#include "korvane/host/Application.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/Streams.h"
#include "tests/support/ScriptedDialog.h"
#include "tests/support/TempDir.h"

using namespace korvane;

namespace {
template <class Base>
using TScripted = test::TScriptedFileDialog<Base>;
using test::TScriptedOpenForm;

std::vector<std::string> Published(const TClassInfo& info) {
  std::vector<std::string> names;
  for (const TPropInfo& p : info.Props) names.push_back(p.Name);
  return names;
}
}  // namespace

TEST(FileFilter, PairsAsTheSyntaxGivesThem) {
  using P = std::vector<TZQFilterPair>;
  const struct {
    const char* filter;
    P pairs;
  } cases[] = {
      {"Text files|*.txt|All files|*.*", {{"Text files", "*.txt"}, {"All files", "*.*"}}},
      {"Text files|*.txt|All files|*.*|", {{"Text files", "*.txt"}, {"All files", "*.*"}}},
      {"Text files|*.txt|Bare", {{"Text files", "*.txt"}, {"Bare", ""}}},
      {"Docs|*.doc;*.md||x", {{"Docs", "*.doc;*.md"}, {"", "x"}}},
      {"", {}},
      // Code page 932: 0x83 0x7C is one character whose trail byte is "|".
      {"\x83\x7C\x83\x7C|*.txt", {{"\x83\x7C\x83\x7C", "*.txt"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(ZQParseFileFilter(c.filter, 932), c.pairs) << c.filter;
  // In a single-byte code page the same bytes split.
  EXPECT_EQ(ZQParseFileFilter("\x83|*.txt", 1252), (P{{"\x83", "*.txt"}}));
}

TEST(FileDialog, DefaultsAndThePublishedOrder) {
  TZQOpenDlg open(nullptr);
  EXPECT_EQ(open.GetFilterIndex(), 1);
  EXPECT_EQ(open.GetFormSplitterPos(), -1);
  EXPECT_EQ(open.GetOptions().Mask(), 3833872u);
  EXPECT_EQ(open.GetOptions(), (TZQOpenOptions{zqofHideReadOnly, zqofAllowTree, zqofShowHints, zqofOleDrag,
                                               zqofOleDrop, zqofShowHidden}));
  const std::vector<std::string> openOrder = {"Title", "Options", "Filter", "FilterIndex", "FormWidth",
                                              "FormHeight", "FormWindowState", "FormSplitterPos", "HelpContext",
                                              "HistoryList", "InitialDir", "DefaultExt"};
  EXPECT_EQ(Published(TZQOpenDlg::StaticClassInfo()), openOrder);
  std::vector<std::string> saveOrder = {"DefaultExt"};
  saveOrder.insert(saveOrder.end(), openOrder.begin(), openOrder.end() - 1);
  EXPECT_EQ(Published(TZQSaveDlg::StaticClassInfo()), saveOrder);
}

TEST(FileDialog, WhatTheUserLeftComesBackAfterOkAndAfterCancel) {
  test::TempDir dir;
  const std::string file = dir.File("chosen.txt");
  TScripted<TZQOpenDlg> dialog(nullptr);
  dialog.SetInitialDir(dir.Path());
  dialog.SetFilter("Text files|*.txt|All files|*.*");
  std::string caption, okCaption, listFilter;
  dialog.steps = {[&](TScriptedOpenForm& f) {
    caption = f.GetCaption();
    okCaption = f.OpenBtn->GetCaption();
    f.FileTypesCbx->SetItemIndex(1);  // the user picks "All files"
    f.FileTypesCbxSelEndOk(f.FileTypesCbx);
    listFilter = f.ZQShellList1->GetFileFilter();
    f.ShowTree(true);
    f.ReadOnlyChk->SetChecked(true);
    f.ReadOnlyChkClick(f.ReadOnlyChk);
    f.SetBounds(30, 30, 520, 360);
    f.SetFormSplitterPos(180);
    f.FileNameEdt->SetText("chosen.txt");
    f.SetModalResult(mrOk);
  }};
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(caption, "Open");
  EXPECT_EQ(okCaption, "&Open");
  EXPECT_EQ(listFilter, "*.*");
  EXPECT_EQ(dialog.GetFilterIndex(), 2);
  EXPECT_EQ(dialog.GetFormSplitterPos(), 180);
  EXPECT_TRUE(dialog.GetOptions().Contains(zqofShowTree));
  EXPECT_TRUE(dialog.GetOptions().Contains(zqofReadOnly));
  EXPECT_EQ(dialog.GetFormWidth(), 520);
  EXPECT_EQ(dialog.GetFormHeight(), 360);
  EXPECT_EQ(dialog.GetFilename(), file);
  EXPECT_EQ(dialog.GetFiles()->GetCount(), 1);

  // The next run opens as left; Cancel returns no file but keeps the rest.
  int openedIndex = 0, openedSplitter = 0, openedWidth = 0;
  dialog.steps = {[&](TScriptedOpenForm& f) {
    openedIndex = f.GetFilterIndex();
    openedSplitter = f.GetFormSplitterPos();
    openedWidth = f.GetWidth();
    f.SetFormSplitterPos(150);
    f.SetModalResult(mrCancel);
  }};
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(openedIndex, 2);
  EXPECT_EQ(openedSplitter, 180);
  EXPECT_EQ(openedWidth, 520);
  EXPECT_EQ(dialog.GetFiles()->GetCount(), 0);
  EXPECT_EQ(dialog.GetFilename(), "");
  EXPECT_EQ(dialog.GetFilterIndex(), 2);
  EXPECT_EQ(dialog.GetFormSplitterPos(), 150);
  EXPECT_TRUE(dialog.GetOptions().Contains(zqofShowTree));
}

TEST(FileDialog, SaveAsCaptionsAndATitleOfItsOwn) {
  test::TempDir dir;
  for (const char* title : {"", "Export"}) {
    TScripted<TZQSaveDlg> dialog(nullptr);
    dialog.SetInitialDir(dir.Path());
    dialog.SetTitle(title);
    std::string caption, okCaption;
    dialog.steps = {[&](TScriptedOpenForm& f) {
      caption = f.GetCaption();
      okCaption = f.OpenBtn->GetCaption();
      f.SetModalResult(mrCancel);
    }};
    dialog.Execute();
    EXPECT_EQ(caption, *title ? title : "Save As");
    EXPECT_EQ(okCaption, "&Save");
  }
}

TEST(FileDialog, TheStateIsFourteenBytesWithTheTreeAndTheSplitter) {
  TZQOpenDlg dialog(nullptr);
  dialog.SetFormWidth(500);
  dialog.SetOptions(dialog.GetOptions() + TZQOpenOptions{zqofShowTree});
  dialog.SetFormSplitterPos(0x0102);
  TMemoryStream stream;
  dialog.WriteStateToStream(stream);
  const std::vector<std::uint8_t> expected = {0xF4, 0x01, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 0x02, 0x01, 0, 0};
  EXPECT_EQ(stream.Bytes(), expected);

  TZQOpenDlg read(nullptr);
  stream.SetPosition(0);
  read.ReadStateFromStream(stream);
  EXPECT_EQ(read.GetFormWidth(), 500);
  EXPECT_TRUE(read.GetOptions().Contains(zqofShowTree));
  EXPECT_EQ(read.GetFormSplitterPos(), 0x0102);
  // Byte 9 zero takes the tree away again.
  stream.Memory()[9] = 0;
  stream.SetPosition(0);
  read.ReadStateFromStream(stream);
  EXPECT_FALSE(read.GetOptions().Contains(zqofShowTree));
}
