#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "korvane/dialogs/Uzqsysfolderdlg.h"
#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/FormFile.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/SysUtils.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"

using namespace korvane;

namespace {
// Control ids of the system dialog (the same in Windows' and Wine's shell32).
constexpr int kTreeId = 0x3741, kStatusId = 0x3743;

void PostOk(HWND dlg) { PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK))); }
void PostCancel(HWND dlg) { PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

// A test waiting for the preselection fails instead of hanging when it never comes
// (Wine's dialog cannot find a folder among many with one short-name stem).
void CALLBACK CancelOnTimer(HWND wnd, UINT, UINT_PTR, DWORD) { PostCancel(wnd); }
void CancelIfStuck(HWND dlg) { SetTimer(dlg, 0x4B, 15000, CancelOnTimer); }

std::string WindowText(HWND wnd) {
  char buf[512] = {};
  GetWindowTextA(wnd, buf, sizeof buf);
  return buf;
}

std::string TreeItemText(HWND tree, HTREEITEM item) {
  char buf[260] = {};
  TVITEMA tv = {};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = buf;
  tv.cchTextMax = sizeof buf;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return buf;
}

// The texts of the dialog tree's top item and of its children.
std::vector<std::string> TopAndChildren(HWND dlg) {
  HWND tree = GetDlgItem(dlg, kTreeId);
  const auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  std::vector<std::string> texts = {TreeItemText(tree, root)};
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  for (auto c = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
       c; c = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(c))))
    texts.push_back(TreeItemText(tree, c));
  return texts;
}
}  // namespace

TEST(SysFolderDlg, PreselectedFolderComesBackWithOkAndCancelLeavesNothing) {
  test::TempDir dir("C:", "s");  // a short name among few: the dialog finds it
  dir.Folder("chosen");
  TZQSysFolderDlg dlg(nullptr);
  dlg.SetName("Dlg1");
  dlg.SetTitle("Pick one");
  dlg.SetFolderPath(dir / "chosen");
  ASSERT_NE(dlg.GetFolderIdList(), nullptr);
  std::string title, selected;
  int initialized = 0;
  dlg.OnInitialized = [&](TZQSysFolderDlg* sender, HWND wnd) {
    EXPECT_EQ(sender, &dlg);
    EXPECT_TRUE(sender->GetExecuting());
    ++initialized;
    title = WindowText(GetDlgItem(wnd, 0x3742));
    CancelIfStuck(wnd);
  };
  dlg.OnSelChanged = [&](TZQSysFolderDlg* sender, HWND wnd, PItemIDList pidl) {
    EXPECT_EQ(pidl, sender->GetFolderIdList());  // the component's own copy
    selected = sender->GetFolderPath();
    // OK once the preselection has arrived: the dialog may report it after its initialisation.
    if (selected == dir / "chosen\\") PostOk(wnd);
  };
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(initialized, 1);
  EXPECT_EQ(title, "Pick one");
  EXPECT_EQ(selected, dir / "chosen\\");
  EXPECT_EQ(dlg.GetFolderPath(), dir / "chosen\\");  // always with a trailing backslash
  EXPECT_FALSE(dlg.GetExecuting());

  dlg.OnInitialized = [&](TZQSysFolderDlg*, HWND wnd) { PostCancel(wnd); };
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.GetFolderIdList(), nullptr);
  EXPECT_EQ(dlg.GetFolderPath(), "");

  // A path that does not convert leaves the folder as it was.
  dlg.SetFolderPath(dir.Path());
  dlg.SetFolderPath(dir / "no such folder");
  EXPECT_EQ(dlg.GetFolderPath(), dir.Path() + "\\");
}

TEST(SysFolderDlg, StatusTextAndOkOnlyDuringExecuteAndOnlyOnce) {
  TZQSysFolderDlg dlg(nullptr);
  dlg.SetName("Dlg1");
  EXPECT_EQ(TZQSysFolderDlg::OptionFlags({fdoReturnOnlyFSDirs, fdoStatusText}), 0x5u);
  try {
    dlg.SetStatusText("x");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Dlg1: Status text assignment only valid during Execute");
  }
  try {
    dlg.SetOkEnabled(false);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Dlg1: SetOkEnabled assignment only valid during Execute");
  }

  for (const bool withStatus : {true, false}) {
    SCOPED_TRACE(withStatus);
    dlg.SetOptions(withStatus ? TZQSysFolderDlgOptions{fdoStatusText} : TZQSysFolderDlgOptions{});
    std::string status, reentry;
    bool statusVisible = false, okEnabled = true;
    dlg.OnInitialized = [&](TZQSysFolderDlg* sender, HWND wnd) {
      sender->SetStatusText("Looking at it");
      sender->SetOkEnabled(false);
      HWND line = GetDlgItem(wnd, kStatusId);
      status = WindowText(line);
      statusVisible = line && (GetWindowLongA(line, GWL_STYLE) & WS_VISIBLE);  // the dialog itself is not shown yet
      okEnabled = IsWindowEnabled(GetDlgItem(wnd, IDOK));
      try {
        sender->Execute();
      } catch (const Exception& e) {
        reentry = e.Message();
      }
      sender->SetOkEnabled(true);
      PostOk(wnd);
    };
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(statusVisible, withStatus);  // the status line is there only with its flag
    if (withStatus) {
      EXPECT_EQ(status, "Looking at it");
    }
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(reentry, "Dlg1: Execute already called.");
  }
}

TEST(SysFolderDlg, DomainRootsTheDialog) {
  TIdListPtr drives;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives), S_OK);
  TComPtr<IShellFolder> desktop;
  ASSERT_EQ(ShellGetDesktopFolder(desktop), S_OK);
  const std::string computerName = ShellGetFriendlyNameFromIdList(desktop.Get(), drives.Get(), zqfnNormal);

  TZQSysFolderDlg dlg(nullptr);
  std::vector<std::string> shown;
  dlg.OnInitialized = [&](TZQSysFolderDlg*, HWND wnd) {
    shown = TopAndChildren(wnd);
    PostCancel(wnd);
  };
  dlg.SetDomain(csidlDrives);
  EXPECT_FALSE(dlg.Execute());
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown[0], computerName);
  bool driveC = false;
  for (const std::string& s : shown) driveC |= s.find("C:") != std::string::npos;
  EXPECT_TRUE(driveC) << ::testing::PrintToString(shown);

  // csidlNone is no root: the whole namespace, under the desktop (not the
  // local application data folder that its ordinal 28 names).
  dlg.SetDomain(csidlNone);
  shown.clear();
  EXPECT_FALSE(dlg.Execute());
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown[0], "Desktop");
  EXPECT_NE(std::find(shown.begin(), shown.end(), computerName), shown.end()) << ::testing::PrintToString(shown);
}

TEST(SysFolderDlg, AnExceptionInAnEventReachesTheApplicationAndTheDialogGoesOn) {
  std::vector<std::string> handled;
  Application->OnException = [&](TObject*, const Exception& e) { handled.push_back(e.Message()); };
  test::TempDir dir("C:", "s");  // a short name among few: the dialog finds it
  TZQSysFolderDlg dlg(nullptr);
  dlg.SetFolderPath(dir.Path());
  int changes = 0;
  dlg.OnInitialized = [](TZQSysFolderDlg*, HWND wnd) { CancelIfStuck(wnd); };
  dlg.OnSelChanged = [&](TZQSysFolderDlg* sender, HWND wnd, PItemIDList) {
    // OK once the preselection has arrived: Wine may report the root first.
    if (sender->GetFolderPath() == dir.Path() + "\\") PostOk(wnd);
    if (++changes == 1) throw Exception("boom");
  };
  EXPECT_TRUE(dlg.Execute());
  Application->OnException = nullptr;
  EXPECT_GE(changes, 1);
  EXPECT_EQ(handled, (std::vector<std::string>{"boom"}));
  EXPECT_EQ(dlg.GetFolderPath(), dir.Path() + "\\");
}

TEST(SysFolderDlg, DomainIsStoredUnlessItIsNone) {
  RegisterClass(TZQSysFolderDlg::StaticClassInfo());
  TComponent source(nullptr);
  source.SetName("Root");
  auto* dlg = new TZQSysFolderDlg(&source);
  dlg->SetName("Dlg1");
  EXPECT_EQ(dlg->GetDomain(), csidlDesktop);  // a new component's root is the desktop
  std::string text = ComponentToText(&source);
  EXPECT_NE(text.find("Domain = csidlDesktop"), std::string::npos) << text;
  dlg->SetDomain(csidlNone);
  dlg->SetOptions({fdoReturnOnlyFSDirs});
  text = ComponentToText(&source);
  EXPECT_EQ(text.find("Domain"), std::string::npos) << text;
  TComponent target(nullptr);
  TextToComponent(text, &target);
  auto* read = dynamic_cast<TZQSysFolderDlg*>(target.FindComponent("Dlg1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetDomain(), csidlDesktop);  // not written, so the new component's value
  EXPECT_EQ(read->GetOptions(), TZQSysFolderDlgOptions{fdoReturnOnlyFSDirs});
}
