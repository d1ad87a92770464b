#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/FormFile.h"
#include "korvane/host/Forms.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/SysUtils.h"
#include "tests/support/Clipboard.h"
#include "tests/support/ForwardingFolder.h"
#include "tests/support/Keys.h"
#include "tests/support/Platform.h"
#include "tests/support/RecordingList.h"
#include "tests/support/ShellFixtures.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"
#include "tests/support/TreeNodes.h"

using namespace korvane;
using test::Child;

namespace {

std::vector<std::string> ChildTexts(TTreeNode* node) {
  std::vector<std::string> texts;
  for (TTreeNode* c = node->GetFirstChild(); c; c = c->GetNextSibling()) texts.push_back(c->GetText());
  return texts;
}

std::string LastName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// root: alpha (inner (hidden): deep: deeper), beta (empty), gamma (a file only),
// secret (hidden), notes.txt
class ShellTree : public ::testing::Test {
protected:
  void SetUp() override {
    dir.Folder("alpha\\inner\\deep\\deeper");
    SetFileAttributesA((dir / "alpha\\inner").c_str(), FILE_ATTRIBUTE_HIDDEN);
    dir.Folder("beta");
    dir.File("gamma\\only.txt", 3);
    dir.Folder("secret", FILE_ATTRIBUTE_HIDDEN);
    dir.File("notes.txt", 5);
  }
  // A tree on the form showing root, filled.
  TZQShellTree* MakeTree(TZQShellTreeOptions options = TZQShellTreeOptions::FromMask(ZQ_SHELL_TREE_DEFAULT_OPTIONS)) {
    auto* tree = new TZQShellTree(form.Get());
    tree->SetBounds(0, 0, 300, 280);
    tree->SetParent(form.Get());
    tree->SetOptions(options);
    tree->GetBaseFolder()->SetPathName(dir.Path());
    return tree;
  }
  test::TempDir dir;
  test::TestForm form{320, 300};
};

}  // namespace

TEST_F(ShellTree, DirectoryBaseIsTheExpandedTopNodeWithItsFoldersInShellOrder) {
  TZQShellTree* tree = MakeTree();
  TTreeNode* top = tree->GetItems()->GetFirstNode();
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->GetNextSibling(), nullptr);
  EXPECT_EQ(top->GetText(), LastName(dir.Path()));
  EXPECT_TRUE(top->GetExpanded());
  // Folders only, hidden ones included by default, sorted as the shell sorts them.
  EXPECT_EQ(ChildTexts(top), (std::vector<std::string>{"alpha", "beta", "gamma", "secret"}));
  EXPECT_EQ(tree->GetSelected(), top);
  EXPECT_EQ(tree->GetSelectedPathName(), dir.Path());
  // Records know their items: the path of each child is the folder on disk.
  EXPECT_EQ(TZQCustomShellTree::GetDataFromNode(Child(top, "beta"))->GetPathName(), dir / "beta");
  // Windows reports hidden items as ghosted, drawn dimmed; Wine reports them as
  // SFGAO_HIDDEN only, which the tree does not ask for.
  EXPECT_EQ(Child(top, "secret")->GetCut(), test::WindowsElseWine(true, false));
  EXPECT_FALSE(Child(top, "alpha")->GetCut());
  // The icons the shell gives each folder's own list: closed, and open when selected.
  UpdateWindow(tree->GetHandle());
  const auto shellIcon = [&](const std::string& path, UINT open) {
    TIdListPtr item;
    EXPECT_EQ(ShellGetIdListFromPath(path, item), S_OK);
    SHFILEINFOA info = {};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(item.Get()), 0, &info, sizeof info,
                   SHGFI_SYSICONINDEX | SHGFI_PIDL | SHGFI_SMALLICON | open);
    return info.iIcon;
  };
  TTreeNode* beta = Child(top, "beta");
  EXPECT_EQ(beta->GetImageIndex(), shellIcon(dir / "beta", 0));
  EXPECT_EQ(beta->GetSelectedIndex(), shellIcon(dir / "beta", SHGFI_OPENICON));
  EXPECT_NE(beta->GetSelectedIndex(), beta->GetImageIndex());

  // Without hidden items and with non-folders.
  tree->SetOptions(TZQShellTreeOptions::FromMask(ZQ_SHELL_TREE_DEFAULT_OPTIONS) - TZQShellTreeOptions{zqstoShowHidden} +
                   TZQShellTreeOptions{zqstoIncludeNonFolders});
  EXPECT_EQ(ChildTexts(top).size(), 4u);  // options alone do not refill
  tree->FillItems();
  top = tree->GetItems()->GetFirstNode();
  EXPECT_EQ(ChildTexts(top), (std::vector<std::string>{"alpha", "beta", "gamma", "notes.txt"}));
}

TEST_F(ShellTree, DeferredFirstFillOfTheDesktopAndTheVirtualFolderFilter) {
  TIdListPtr drives;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives), S_OK);
  auto find = [](TTreeNode* parent, PCItemIDList list) -> TTreeNode* {
    for (TTreeNode* c = parent->GetFirstChild(); c; c = c->GetNextSibling())
      if (CompareAbsIdLists(TZQCustomShellTree::GetDataFromNode(c)->GetAbsPidl(), list) == 0) return c;
    return nullptr;
  };
  for (const bool virtualFolders : {true, false}) {
    SCOPED_TRACE(virtualFolders);
    auto* tree = new TZQShellTree(form.Get());
    auto options = TZQShellTreeOptions::FromMask(ZQ_SHELL_TREE_DEFAULT_OPTIONS);
    if (!virtualFolders) options = options - TZQShellTreeOptions{zqstoVirtualFolders};
    tree->SetOptions(options);
    tree->SetParent(form.Get());
    EXPECT_EQ(tree->GetItems()->GetFirstNode(), nullptr);  // the fill waits for the message loop
    ASSERT_TRUE(test::PumpUntil([&] { return tree->GetItems()->GetFirstNode() != nullptr; }));
    TTreeNode* top = tree->GetItems()->GetFirstNode();
    EXPECT_EQ(top->GetText(), "Desktop");
    EXPECT_TRUE(top->GetExpanded());
    TTreeNode* computer = find(top, drives.Get());
    ASSERT_NE(computer, nullptr);  // My Computer is a file-system ancestor: shown either way
    computer->Expand(false);
    std::string paths;
    int virtualItems = 0;  // Control Panel: an item without a file-system path
    for (TTreeNode* c = computer->GetFirstChild(); c; c = c->GetNextSibling()) {
      const std::string path = TZQCustomShellTree::GetDataFromNode(c)->GetPathName();
      paths += path + ";";
      virtualItems += path.empty();
    }
    EXPECT_NE(paths.find("C:\\;"), std::string::npos) << paths;  // drives stay
    EXPECT_EQ(virtualItems > 0, virtualFolders) << paths;
    tree->Free();
  }
}

namespace {
// A folder whose enumeration fails while failing is set; everything else is the real folder's.
class TFailingEnumFolder : public test::TForwardingFolder<TFailingEnumFolder> {
public:
  using TForwardingFolder::TForwardingFolder;
  void OnFinalRelease() { delete this; }  // lives as long as the record holding it
  bool failing = true;
  HRESULT STDMETHODCALLTYPE EnumObjects(HWND h, SHCONTF f, IEnumIDList** e) override {
    if (!failing) return TForwardingFolder::EnumObjects(h, f, e);
    *e = nullptr;
    return E_ACCESSDENIED;
  }
};
}  // namespace

TEST_F(ShellTree, ExpandButtonsFollowWhatEnumerationFindsAndTheFilterAdmits) {
  dir.Folder("alpha\\second");
  TZQShellTree* tree = MakeTree();
  std::vector<std::string> offered;
  tree->OnAddItem = [&](TObject*, IShellFolder*, PItemIDList, PItemIDList item, int, BOOL& allow) {
    offered.push_back(GetItemDisplayName(nullptr, item, SHGDN_NORMAL));
    if (GetItemDisplayName(TZQCustomShellTree::GetDataFromNode(tree->GetItems()->GetFirstNode())->GetThisIShf(), item,
                           SHGDN_INFOLDER) == "gamma")
      allow = FALSE;
  };
  tree->FillItems();
  TTreeNode* top = tree->GetItems()->GetFirstNode();
  EXPECT_EQ(ChildTexts(top), (std::vector<std::string>{"alpha", "beta", "secret"}));

  // A folder found empty loses its button when expanded.
  TTreeNode* beta = Child(top, "beta");
  beta->Expand(false);
  EXPECT_EQ(beta->GetFirstChild(), nullptr);
  EXPECT_FALSE(beta->GetHasChildren());

  // A refused item stays out of the walk too: the walk ends at its parent and adds nothing.
  tree->SetSelectedPathName(dir / "gamma");
  EXPECT_EQ(tree->GetSelected(), top);
  EXPECT_EQ(ChildTexts(top), (std::vector<std::string>{"alpha", "beta", "secret"}));

  // A folder whose enumeration fails keeps its button and fills when expanded again.
  TTreeNode* alpha = Child(top, "alpha");
  TZQShTreeData* record = TZQCustomShellTree::GetDataFromNode(alpha);
  auto* failing = new TFailingEnumFolder(record->GetThisIShf());
  TComPtr<IShellFolder> holder = TComPtr<IShellFolder>::Attach(failing);
  record->SetThisIShf(failing);
  alpha->Expand(false);
  EXPECT_EQ(alpha->GetFirstChild(), nullptr);
  EXPECT_TRUE(alpha->GetHasChildren());
  alpha->Collapse(false);
  failing->failing = false;
  alpha->Expand(false);
  EXPECT_EQ(ChildTexts(alpha), (std::vector<std::string>{"inner", "second"}));
}

TEST_F(ShellTree, ClickHandsOverAtOnceKeysAfterAPauseAndSynchronizeForces) {
  TZQShellTree* tree = MakeTree();
  auto* list = new test::TRecordingList(form.Get());
  tree->SetShellList(list);
  EXPECT_EQ(list->tree, tree);
  EXPECT_EQ(list->folderSets, 1);
  TTreeNode* top = tree->GetItems()->GetFirstNode();

  // A click on "beta": the tree view reports NM_CLICK before the selection change.
  TTreeNode* beta = Child(top, "beta");
  const RECT r = beta->DisplayRect(true);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(tree->GetHandle(), WM_LBUTTONUP, 0, at);  // ends the drag-detect loop the press enters
  SendMessageA(tree->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  test::Pump(50);
  ASSERT_EQ(tree->GetSelected(), beta);
  ASSERT_EQ(list->changed.size(), 1u);
  EXPECT_EQ(list->changed[0], beta);
  EXPECT_EQ(tree->GetSelectedFolder()->GetPathName(), dir / "beta");

  // Three arrow keys: one hand-over, of the last node, after the pause.
  ZQSH_TREE_KEY_UPDATE_DELAY = 500;
  for (int i = 0; i < 3; ++i) SendMessageA(tree->GetHandle(), WM_KEYDOWN, i == 0 ? VK_UP : VK_DOWN, 0);
  TTreeNode* gamma = Child(top, "gamma");
  EXPECT_EQ(tree->GetSelected(), gamma);  // up to alpha, down to beta, down to gamma
  EXPECT_EQ(list->changed.size(), 1u);
  EXPECT_EQ(tree->GetSelectedFolder()->GetPathName(), dir / "beta");  // not yet
  ASSERT_TRUE(test::PumpUntil([&] { return list->changed.size() == 2; }, 3000));
  test::Pump(700);
  ASSERT_EQ(list->changed.size(), 2u);
  EXPECT_EQ(list->changed[1], gamma);
  EXPECT_EQ(tree->GetSelectedFolder()->GetPathName(), dir / "gamma");

  // Synchronize carries a pending hand-over out at once and asks the list first.
  SendMessageA(tree->GetHandle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(list->changed.size(), 2u);
  tree->Synchronize(true);
  EXPECT_EQ(list->syncs, 1);
  ASSERT_EQ(list->changed.size(), 3u);
  EXPECT_EQ(list->changed[2], Child(top, "secret"));
  EXPECT_FALSE(tree->GetTimer()->GetEnabled());

  // A second tree linking the list unlinks the first; freeing the list clears the link.
  auto* other = new TZQShellTree(form.Get());
  other->SetParent(form.Get());
  other->SetShellList(list);
  EXPECT_EQ(tree->GetShellList(), nullptr);
  EXPECT_EQ(list->tree, other);
  list->Free();
  EXPECT_EQ(other->GetShellList(), nullptr);
  // Without a list every change goes on at once (a keyboard move included).
  SendMessageA(tree->GetHandle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(tree->GetSelectedFolder()->GetPathName(), dir / "gamma");
}

TEST_F(ShellTree, WalkingToAPathExpandsEveryLevelAndStaysInsideTheBase) {
  auto options = TZQShellTreeOptions::FromMask(ZQ_SHELL_TREE_DEFAULT_OPTIONS) - TZQShellTreeOptions{zqstoShowHidden};
  TZQShellTree* tree = MakeTree(options);
  TTreeNode* top = tree->GetItems()->GetFirstNode();
  EXPECT_EQ(ChildTexts(top), (std::vector<std::string>{"alpha", "beta", "gamma"}));
  // Even a tree that refuses to open nodes gets its nodes on the walk.
  int expandingAsked = 0;
  tree->OnExpanding = [&](TObject*, TTreeNode*, bool& allow) {
    ++expandingAsked;
    allow = false;
  };
  const int before = tree->GetItems()->GetCount();

  // Four levels below the base, through a hidden folder that the fill left out.
  tree->SetSelectedPathName(dir / "alpha\\inner\\deep\\deeper");
  TTreeNode* selected = tree->GetSelected();
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected->GetText(), "deeper");
  EXPECT_EQ(tree->GetSelectedPathName(), dir / "alpha\\inner\\deep\\deeper");
  EXPECT_EQ(selected->GetLevel(), 4);
  EXPECT_EQ(selected->GetParent()->GetText(), "deep");
  EXPECT_EQ(selected->GetParent()->GetParent()->GetText(), "inner");
  EXPECT_GT(expandingAsked, 0);
  tree->OnExpanding = nullptr;

  // A path that does not parse keeps the selection; one outside the base selects
  // the top-level node and adds nothing.
  const int nodes = tree->GetItems()->GetCount();
  EXPECT_GT(nodes, before);
  tree->SetSelectedPathName(dir / "no such folder");
  EXPECT_EQ(tree->GetSelected(), selected);
  test::TempDir elsewhere;
  elsewhere.Folder("x\\y");
  tree->SetSelectedPathName(elsewhere / "x\\y");
  EXPECT_EQ(tree->GetSelected(), top);
  EXPECT_EQ(tree->GetItems()->GetCount(), nodes);

  // A base that is not a prefix of the target: "beta\sub" is not looked for in alpha.
  dir.Folder("beta\\sub");
  tree->GetBaseFolder()->SetPathName(dir / "alpha");
  top = tree->GetItems()->GetFirstNode();
  EXPECT_EQ(top->GetText(), "alpha");
  const int alphaNodes = tree->GetItems()->GetCount();
  tree->SetSelectedPathName(dir / "beta\\sub");
  EXPECT_EQ(tree->GetSelected(), top);
  EXPECT_EQ(tree->GetItems()->GetCount(), alphaNodes);

  // The last level is expanded when the linked list hides folders.
  auto* list = new test::TRecordingList(form.Get());
  list->hideFolders = true;
  tree->SetShellList(list);
  tree->SetSelectedPathName(dir / "alpha\\inner\\deep");
  ASSERT_EQ(tree->GetSelected()->GetText(), "deep");
  EXPECT_TRUE(tree->GetSelected()->GetExpanded());
  EXPECT_EQ(ChildTexts(tree->GetSelected()), (std::vector<std::string>{"deeper"}));

  // With the desktop as the base every folder is below it: the walk goes through My Computer.
  tree->SetShellList(nullptr);
  tree->GetBaseFolder()->SetCSIDL(csidlDesktop);
  tree->SetSelectedPathName(dir / "alpha");
  EXPECT_EQ(tree->GetSelectedPathName(), dir / "alpha");
  EXPECT_GE(tree->GetSelected()->GetLevel(), 3);
}

TEST_F(ShellTree, ANewWindowFillsAgainAndGoUpClimbs) {
  TZQShellTree* tree = MakeTree();
  tree->SetSelectedPathName(dir / "alpha\\inner\\deep");
  ASSERT_EQ(tree->GetSelected()->GetText(), "deep");
  tree->GoUp(2);
  EXPECT_EQ(tree->GetSelectedPathName(), dir / "alpha");
  tree->GoUp(5);
  EXPECT_EQ(tree->GetSelected(), tree->GetItems()->GetFirstNode());

  int deleted = 0;
  tree->OnDeleteItem = [&](TObject*, TTreeNode*, TZQShTreeData* data) { deleted += data != nullptr; };
  tree->RecreateWnd();
  EXPECT_GT(deleted, 5);  // every record went with the old window
  ASSERT_TRUE(test::PumpUntil([&] { return tree->GetItems()->GetFirstNode() != nullptr; }));
  TTreeNode* top = tree->GetItems()->GetFirstNode();
  EXPECT_EQ(top->GetText(), LastName(dir.Path()));
  EXPECT_EQ(ChildTexts(top), (std::vector<std::string>{"alpha", "beta", "gamma", "secret"}));
}

TEST_F(ShellTree, WheelOverAnotherShellTreeScrollsThatTree) {
  for (int i = 0; i < 40; ++i) dir.Folder("many\\f" + std::to_string(100 + i));
  TZQShellTree* focused = MakeTree();
  focused->SetBounds(0, 0, 150, 280);
  auto* under = new TZQShellTree(form.Get());
  under->SetBounds(160, 0, 150, 120);
  under->SetParent(form.Get());
  under->GetBaseFolder()->SetPathName(dir / "many");
  ASSERT_EQ(ChildTexts(under->GetItems()->GetFirstNode()).size(), 40u);
  const TTreeNode* topBefore = under->GetTopItem();
  const TTreeNode* focusedTop = focused->GetTopItem();
  // Away from and above the windows of tests running alongside, which may share the desktop.
  SetWindowPos(form->GetHandle(), HWND_TOPMOST, GetSystemMetrics(SM_CXSCREEN) - 340, GetSystemMetrics(SM_CYSCREEN) - 320,
               0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  RECT r;
  GetWindowRect(under->GetHandle(), &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(focused->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
               MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  EXPECT_NE(under->GetTopItem(), topBefore);
  EXPECT_EQ(focused->GetTopItem(), focusedTop);
}

TEST_F(ShellTree, ScreenshotOfATreeExpandedTwoLevels) {
  TZQShellTree* tree = MakeTree();
  tree->SetSelectedPathName(dir / "alpha\\inner");
  Child(tree->GetItems()->GetFirstNode(), "gamma")->Expand(false);
  const auto shot = test::Snapshot(*tree);
  // Node text is drawn: dark pixels in the row of "alpha".
  const RECT r = Child(tree->GetItems()->GetFirstNode(), "alpha")->DisplayRect(true);
  int dark = 0;
  for (int x = r.left; x < r.right; ++x)
    for (int y = r.top; y < r.bottom; ++y) dark += GetRValue(shot->PixelRGB(x, y)) < 100;
  EXPECT_GT(dark, 5);
  test::SaveScreenshot(form->GetHandle(), std::string(KORVANE_SCREENSHOT_DIR) + "\\shelltree.png");
}


TEST_F(ShellTree, DefaultKeysCopyAndRefreshKeepingTheSelection) {
  TZQShellTree* tree = MakeTree();
  HWND wnd = tree->GetHandle();
  ASSERT_TRUE(OpenClipboard(wnd));
  EmptyClipboard();
  CloseClipboard();
  tree->SetSelectedPathName(dir / "beta");
  test::PressKey(wnd, 'C', true);
  EXPECT_TRUE(AnsiSameText(test::ClipboardFile(wnd), dir / "beta")) << test::ClipboardFile(wnd);
  EXPECT_EQ(tree->GetSelectedPathName(), dir / "beta");  // the refresh after the verb keeps it

  // F5 refills: a folder made since shows, the selection stays.
  dir.Folder("delta");
  test::PressKey(wnd, VK_F5, false);
  EXPECT_EQ(ChildTexts(tree->GetItems()->GetFirstNode()),
            (std::vector<std::string>{"alpha", "beta", "delta", "gamma", "secret"}));
  EXPECT_EQ(tree->GetSelectedPathName(), dir / "beta");

  // Without default key handling the key reaches the host unchanged.
  WORD seen = 0;
  tree->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { seen = key; };
  auto options = tree->GetOptions();
  tree->SetOptions(options - TZQShellTreeOptions{zqstoDefaultKeyHandling});
  dir.Folder("epsilon");
  test::PressKey(wnd, VK_F5, false);
  EXPECT_EQ(seen, VK_F5);
  EXPECT_EQ(ChildTexts(tree->GetItems()->GetFirstNode()).size(), 5u);
}

TEST_F(ShellTree, OverlaysAndButtonsAreSetWithTheNodes) {
  ASSERT_EQ(CreateQuickShortcut(dir / "to beta.lnk", dir / "beta"), S_OK);
  TZQShellTree* tree = MakeTree(TZQShellTreeOptions::FromMask(ZQ_SHELL_TREE_DEFAULT_OPTIONS) +
                                TZQShellTreeOptions{zqstoIncludeNonFolders});
  TTreeNode* top = tree->GetItems()->GetFirstNode();
  TTreeNode* link = nullptr;
  for (TTreeNode* c = top->GetFirstChild(); c; c = c->GetNextSibling())
    if (c->GetText().rfind("to beta", 0) == 0) link = c;  // Wine drops ".lnk" from the name
  ASSERT_NE(link, nullptr) << ::testing::PrintToString(ChildTexts(top));
  auto nativeState = [&](TTreeNode* n) {
    return static_cast<UINT>(SendMessageA(tree->GetHandle(), TVM_GETITEMSTATE,
                                          reinterpret_cast<WPARAM>(n->GetItemId()), TVIS_OVERLAYMASK));
  };
  // The shortcut arrow is the system list's second overlay (1-based 2 in the control).
  EXPECT_EQ(link->GetOverlayIndex(), 1);
  EXPECT_EQ(nativeState(link), INDEXTOOVERLAYMASK(2));
  TTreeNode* alpha = Child(top, "alpha");
  EXPECT_EQ(alpha->GetOverlayIndex(), -1);
  EXPECT_EQ(nativeState(alpha), 0u);
  // With non-folders every folder has a button until expanded; a file has none.
  EXPECT_TRUE(Child(top, "gamma")->GetHasChildren());
  EXPECT_FALSE(Child(top, "notes.txt")->GetHasChildren());
}

namespace {
// A shell tree that records its fills and whether its form was still loading.
class TFillCountingTree : public TZQShellTree {
public:
  using TZQShellTree::TZQShellTree;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TPublish<TFillCountingTree>("TFillCountingTree", &TZQShellTree::StaticClassInfo()).Creatable().Done();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void FillTree(IShellFolder* folder, TTreeNode* node) override {
    fills.push_back(GetComponentState().Contains(csReading));
    TZQShellTree::FillTree(folder, node);
  }
  std::vector<bool> fills;  // per fill: was the form still being read
};
}  // namespace

TEST_F(ShellTree, AFormFileFillsOnceAfterReadingWithTheStoredBaseFolder) {
  RegisterClass(TFillCountingTree::StaticClassInfo());
  std::string text;
  {
    test::TTestRoot source(nullptr);
    source.SetName("Form1");
    auto* tree = new TFillCountingTree(&source);
    tree->SetName("Tree1");
    tree->SetParent(&source);
    tree->SetOptions(tree->GetOptions() - TZQShellTreeOptions{zqstoShowHidden});
    tree->GetBaseFolder()->SetPathName(dir / "alpha");
    text = ComponentToText(&source);
  }
  EXPECT_NE(text.find("object Tree1: TFillCountingTree"), std::string::npos) << text;

  test::TTestRoot target(nullptr);
  target.SetBounds(0, 0, 300, 300);
  TextToComponent(text, &target);
  auto* tree = dynamic_cast<TFillCountingTree*>(target.FindComponent("Tree1"));
  ASSERT_NE(tree, nullptr);
  // The setters of reading filled nothing; Loaded filled once, the base folder from the file.
  ASSERT_EQ(tree->fills.size(), 1u);
  EXPECT_FALSE(tree->fills[0]);
  TTreeNode* top = tree->GetItems()->GetFirstNode();
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->GetText(), "alpha");
  EXPECT_EQ(ChildTexts(top), (std::vector<std::string>{}));  // "inner" is hidden, and the file left hidden out
  target.Show();
  test::Pump(100);  // a deferred fill of the new window finds nodes and does nothing
  EXPECT_EQ(tree->fills.size(), 1u);
}

TEST_F(ShellTree, AFormFileWhoseBaseFolderCannotBeEnumeratedStillLoads) {
  RegisterClass(TZQShellTree::StaticClassInfo());
  std::string text;
  {
    test::TTestRoot source(nullptr);
    source.SetName("Form1");
    auto* tree = new TZQShellTree(&source);
    tree->SetName("Tree1");
    tree->SetParent(&source);
    try {
      tree->GetBaseFolder()->SetCSIDL(csidlPrinters);
    } catch (const EAbort&) {  // Wine: the fill of a set base folder ends silently, as in a message handler
    }
    text = ComponentToText(&source);
  }
  // Windows enumerates the printers; Wine binds the folder but its EnumObjects answers E_NOTIMPL, and that
  // fill ends silently.
  test::TTestRoot target(nullptr);
  EXPECT_NO_THROW(TextToComponent(text, &target));
  auto* tree = dynamic_cast<TZQShellTree*>(target.FindComponent("Tree1"));
  ASSERT_NE(tree, nullptr);
  ASSERT_NE(tree->GetItems()->GetFirstNode(), nullptr);  // the base folder's own node
  EXPECT_FALSE(tree->GetComponentState().Contains(csLoading));
}

TEST_F(ShellTree, DesignHitTestAndSpecialKeysWhileEditing) {
  TZQShellTree* tree = MakeTree();
  TTreeNode* alpha = Child(tree->GetItems()->GetFirstNode(), "alpha");
  const RECT r = alpha->DisplayRect(true);
  const LPARAM onItem = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  const LPARAM below = MAKELPARAM(5, tree->GetClientHeight() - 3);
  EXPECT_EQ(tree->Perform(CM_DESIGNHITTEST, 0, onItem), 0);  // not interactive by default
  tree->SetOptions(tree->GetOptions() + TZQShellTreeOptions{zqstoDesignInteractive});
  EXPECT_EQ(tree->Perform(CM_DESIGNHITTEST, 0, onItem), 1);
  EXPECT_EQ(tree->Perform(CM_DESIGNHITTEST, 0, below), 0);  // empty space below the items
  EXPECT_EQ(tree->Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(tree->GetClientWidth() + 2, 5)), 1);  // the scroll bar

  // Enter and Escape belong to a label edit.
  TTreeNode* own = tree->GetItems()->AddChild(nullptr, "own");
  EXPECT_EQ(tree->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
  ASSERT_TRUE(own->EditText());
  EXPECT_NE(tree->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
  EXPECT_NE(tree->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 0);
  own->EndEdit(true);
  EXPECT_FALSE(tree->GetItems()->GetFirstNode()->EditText());  // the base folder is not renamed
  tree->SetReadOnly(true);
  EXPECT_FALSE(alpha->EditText());
  tree->SetReadOnly(false);
  ASSERT_TRUE(alpha->EditText());
  alpha->EndEdit(true);
}

// root: alpha (inner: deep), beta, gamma (only.txt), secret, notes.txt, from the fixture.
TEST_F(ShellTree, RefreshMergesLoadedNodesKeepingExpansionAndSelection) {
  dir.Folder("alpha\\inner\\deep\\x");
  dir.Folder("alpha\\gone");
  TZQShellTree* tree = MakeTree();
  auto* list = new test::TRecordingList(form.Get());
  tree->SetShellList(list);
  tree->SetSelectedPathName(dir / "alpha\\inner\\deep");
  TTreeNode* top = tree->GetItems()->GetFirstNode();
  TTreeNode* alpha = Child(top, "alpha");
  TTreeNode* inner = Child(alpha, "inner");
  TTreeNode* deep = Child(inner, "deep");
  ASSERT_EQ(tree->GetSelected(), deep);
  ASSERT_TRUE(inner->GetExpanded());
  const std::size_t handed = list->changed.size();
  const int fills = list->folderSets;

  dir.Folder("alpha\\added");
  RemoveDirectoryA((dir / "alpha\\gone").c_str());
  dir.File("alpha\\inner\\touched.txt");  // inner's own bytes change with its contents
  tree->RefreshNodes();
  EXPECT_EQ(ChildTexts(alpha), (std::vector<std::string>{"added", "inner"}));
  EXPECT_EQ(Child(alpha, "inner"), inner);  // the same node: still expanded, still holding the selection
  EXPECT_TRUE(inner->GetExpanded());
  EXPECT_EQ(tree->GetSelected(), deep);
  EXPECT_EQ(list->changed.size(), handed);  // nothing handed over: the list is not refilled
  EXPECT_EQ(list->folderSets, fills);
  EXPECT_EQ(TZQCustomShellTree::GetDataFromNode(inner)->GetPathName(), dir / "alpha\\inner");

  // The selected folder goes: the selection moves to its parent and is handed over at once.
  for (const char* gone : {"alpha\\inner\\deep\\x", "alpha\\inner\\deep\\deeper", "alpha\\inner\\deep"})
    ASSERT_TRUE(RemoveDirectoryA((dir / gone).c_str())) << gone;
  tree->RefreshNodes();
  EXPECT_EQ(tree->GetSelected(), inner);
  ASSERT_GT(list->changed.size(), handed);
  EXPECT_EQ(list->changed.back(), inner);
  EXPECT_EQ(tree->GetSelectedPathName(), dir / "alpha\\inner");
  // A node never expanded is not enumerated: beta has no loaded children and stays so.
  EXPECT_FALSE(TZQCustomShellTree::GetDataFromNode(Child(top, "beta"))->GetFilled());
}

TEST_F(ShellTree, AChangeThatNamesFoldersMergesOnlyTheirNodesPuttingNewOnesInPlace) {
  TZQShellTree* tree = MakeTree(TZQShellTreeOptions::FromMask(ZQ_SHELL_TREE_DEFAULT_OPTIONS) -
                                TZQShellTreeOptions{zqstoDynamicRefresh});
  TTreeNode* top = tree->GetItems()->GetFirstNode();
  TTreeNode* alpha = Child(top, "alpha");
  TTreeNode* beta = Child(top, "beta");
  alpha->Expand(false);
  beta->Expand(false);
  dir.Folder("alpha\\zz");
  dir.Folder("alpha\\a2");
  dir.Folder("beta\\b2");
  tree->RefreshFolders({dir / "alpha"});
  EXPECT_EQ(ChildTexts(alpha), (std::vector<std::string>{"a2", "inner", "zz"}));  // each in the shell's order
  EXPECT_EQ(ChildTexts(beta), (std::vector<std::string>{}));                     // not named: not merged
  // Names are paths: case and a trailing separator do not matter.
  tree->RefreshFolders({AnsiUpperCase(dir / "beta") + "\\"});
  EXPECT_EQ(ChildTexts(beta), (std::vector<std::string>{"b2"}));
  // None named: every loaded node.
  dir.Folder("beta\\b1");
  tree->RefreshFolders({});
  EXPECT_EQ(ChildTexts(beta), (std::vector<std::string>{"b1", "b2"}));
}

// The tree watches each drive's root, reading which folders changed: a change at the
// root and one deep below it are both merged. A message for a slot that names no
// folder stands for a change the watcher could not tell.
TEST_F(ShellTree, ChangesOnAWatchedDriveAreMergedAfterTheDelay) {
  ZQSH_CHANGE_NOTIFY_DELAY = ZQSH_CHANGE_NOTIFY_FASTDELAY = 300;
  struct TRestore {
    ~TRestore() {
      ZQSH_CHANGE_NOTIFY_DELAY = 2000;
      ZQSH_CHANGE_NOTIFY_FASTDELAY = 400;
    }
  } restore;
  auto* tree = new TZQShellTree(form.Get());
  tree->SetParent(form.Get());
  tree->GetBaseFolder()->SetPathName("C:\\");
  TTreeNode* top = tree->GetItems()->GetFirstNode();
  ASSERT_NE(top, nullptr);
  const std::string name = "korvane-watch-" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryA(("C:\\" + name).c_str(), nullptr));
  const bool appeared = test::PumpUntil([&] { return Child(top, name) != nullptr; }, 5000);
  RemoveDirectoryA(("C:\\" + name).c_str());
  ASSERT_TRUE(appeared);
  EXPECT_TRUE(test::PumpUntil([&] { return Child(top, name) == nullptr; }, 5000));

  // A nested change is named by the watcher and merged.
  TZQShellTree* local = MakeTree();
  TTreeNode* alpha = Child(local->GetItems()->GetFirstNode(), "alpha");
  alpha->Expand(false);
  dir.Folder("alpha\\seen");
  EXPECT_TRUE(test::PumpUntil([&] { return Child(alpha, "seen") != nullptr; }, 5000));

  // A change that names no folder merges every loaded node.
  dir.Folder("alpha\\nested");
  PostMessageA(local->GetHandle(), AM_CHANGENOTIFY, TChangeHandlerThread::kSlots - 1, 0);
  EXPECT_TRUE(test::PumpUntil([&] { return Child(alpha, "nested") != nullptr; }, 3000));

  // Without dynamic refresh nothing is watched.
  local->SetOptions(local->GetOptions() - TZQShellTreeOptions{zqstoDynamicRefresh});
  tree->SetOptions(tree->GetOptions() - TZQShellTreeOptions{zqstoDynamicRefresh});
  ASSERT_TRUE(CreateDirectoryA(("C:\\" + name).c_str(), nullptr));
  test::Pump(1200);
  RemoveDirectoryA(("C:\\" + name).c_str());
  EXPECT_EQ(Child(top, name), nullptr);
}
