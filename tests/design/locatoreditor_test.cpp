#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/design/locatoreditor.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshellutils.h"
#include "tests/support/ScriptedDialog.h"
#include "tests/support/ScriptedForm.h"
#include "tests/support/TempDir.h"
#include "tests/support/TreeNodes.h"

using namespace korvane;

namespace {
using TEditorForm = test::TScriptedForm<TFrmShellLocatorEditor>;

// Which kind the form shows: 0 nothing, 1 special folder, 2 path, 3 item.
int Kind(TFrmShellLocatorEditor& f) {
  const TRadioButton* radios[] = {f.DontUseAnythingRdo, f.UseCSIDLRdo, f.UsePathnameRdo, f.UsePidlRdo};
  for (int i = 0; i < 4; ++i)
    if (const_cast<TRadioButton*>(radios[i])->GetChecked()) return i;
  return -1;
}

int IndexOf(TCSIDL csidl) {
  const auto& folders = TFrmShellLocatorEditor::SpecialFolders();
  for (std::size_t i = 0; i < folders.size(); ++i)
    if (folders[i].Value == csidl) return static_cast<int>(i);
  return -1;
}

// Runs the editor on locator with the steps; answers the kind shown at opening.
int Edit(TZQShellLocator& locator, std::vector<TEditorForm::TStep> steps, bool* leftOpen = nullptr) {
  TEditorForm form(nullptr);
  form.SetLocator(&locator);
  const int opened = Kind(form);
  form.steps = std::move(steps);
  form.ShowModal();
  if (leftOpen) *leftOpen = form.leftOpen;
  return opened;
}

TEditorForm::TStep Choose(int kind, std::function<void(TEditorForm&)> input = nullptr) {
  return [kind, input](TEditorForm& f) {
    TRadioButton* radios[] = {f.DontUseAnythingRdo, f.UseCSIDLRdo, f.UsePathnameRdo, f.UsePidlRdo};
    radios[kind]->SetChecked(true);
    if (input) input(f);
    f.SetModalResult(mrOk);
  };
}
}  // namespace

TEST(LocatorEditor, EachKindRoundTripsAndLoadsBack) {
  test::TempDir dir;
  const std::string sub = dir.Folder("sub");
  TZQShellLocator locator;

  // A special folder.
  EXPECT_EQ(Edit(locator, {Choose(1, [](TEditorForm& f) { f.ComboBox1->SetItemIndex(IndexOf(csidlPersonal)); })}), 0);
  EXPECT_EQ(locator.GetCSIDL(), csidlPersonal);
  int shownIndex = -1;
  EXPECT_EQ(Edit(locator, {[&](TEditorForm& f) {
                   shownIndex = f.ComboBox1->GetItemIndex();
                   Choose(2, [&](TEditorForm& g) { g.PathNameEdt->SetText(dir.Path()); })(f);
                 }}),
            1);
  EXPECT_EQ(shownIndex, IndexOf(csidlPersonal));
  // A path.
  EXPECT_EQ(locator.GetCSIDL(), csidlNone);
  EXPECT_TRUE(AnsiSameText(locator.GetPathName(), dir.Path()));
  // An item browsed to: the embedded folder dialog picks "sub" under the locator's folder.
  std::string browseTitle;
  std::string shownPath;
  EXPECT_EQ(Edit(locator, {[&](TEditorForm& f) {
                   shownPath = f.PathNameEdt->GetText();
                   f.BrowseDlg->GetBaseFolder()->SetPathName(dir.Path());
                   f.BrowseDlg->OnFormShow = [&](TObject* sender) {
                     auto* browse = static_cast<TZQFrmFolderBrowseDlg*>(sender);
                     browseTitle = browse->GetCaption();
                     test::Child(browse->ZQShellTree1->GetItems()->GetFirstNode(), "sub")->SetSelected(true);
                     browse->SetModalResult(mrOk);
                   };
                   Choose(3, [](TEditorForm& g) { g.BrowseBtn->Click(); })(f);
                 }}),
            2);
  EXPECT_TRUE(AnsiSameText(shownPath, dir.Path()));
  EXPECT_EQ(browseTitle, "Select an item");
  EXPECT_TRUE(AnsiSameText(locator.GetPathName(), sub)) << locator.GetPathName();
  // Nothing.
  EXPECT_EQ(Edit(locator, {Choose(0)}), 2);  // an item with a path loads as the path
  EXPECT_EQ(locator.GetIdList(), nullptr);
  EXPECT_EQ(Edit(locator, {[](TEditorForm& f) { f.SetModalResult(mrCancel); }}), 0);

  // An item without a path (My Computer) loads as an item.
  locator.SetCSIDL(csidlDrives);
  TZQShellLocator drives;
  drives.SetIdList(locator.GetIdList());
  EXPECT_EQ(Edit(drives, {[](TEditorForm& f) { f.SetModalResult(mrCancel); }}), 3);
}

TEST(LocatorEditor, WhatCannotBeTakenLeavesTheLocatorOrKeepsTheFormOpen) {
  test::TempDir dir;
  TZQShellLocator locator;
  locator.SetPathName(dir.Path());
  // "Use item id list" with nothing browsed: unchanged (the Desktop's list is empty too).
  Edit(locator, {Choose(3)});
  EXPECT_TRUE(AnsiSameText(locator.GetPathName(), dir.Path()));
  // A path the shell cannot parse: refused with a message, the form stays open until cancelled.
  test::TMessageLog messages;
  bool leftOpen = false;
  Edit(locator, {Choose(2, [](TEditorForm& f) { f.PathNameEdt->SetText("Q:\\no such\\place"); })}, &leftOpen);
  EXPECT_TRUE(leftOpen);
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(messages.texts[0], "Q:\\no such\\place\nPath does not exist.\nPlease verify the correct path was given.");
  EXPECT_TRUE(AnsiSameText(locator.GetPathName(), dir.Path()));
  // A special folder without an entry selects nothing, and OK keeps it.
  locator.SetCSIDL(csidl_None1);
  int index = 0;
  Edit(locator, {[&](TEditorForm& f) {
         index = f.ComboBox1->GetItemIndex();
         f.SetModalResult(mrOk);
       }});
  EXPECT_EQ(index, -1);
  EXPECT_EQ(locator.GetCSIDL(), csidl_None1);
}
