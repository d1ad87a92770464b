#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Application.h"
#include "korvane/host/FormFile.h"
#include "korvane/host/Forms.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/SysUtils.h"
#include "tests/support/FillModes.h"
#include "tests/support/ForwardingFolder.h"
#include "tests/support/GdiObjects.h"
#include "tests/support/ListItems.h"
#include "tests/support/Platform.h"
#include "tests/support/ShellFixtures.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {

const char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

// The "DirectoryCols" value as a test sets it; removed again at the end.
class DirectoryCols {
public:
  DirectoryCols() { Remove(); }
  ~DirectoryCols() { Remove(); }
  void Set(const std::vector<BYTE>& bytes) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kExplorerKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), 0);
    RegSetValueExA(key, "DirectoryCols", 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
  }
  static std::vector<BYTE> Words(const std::vector<std::uint16_t>& words) {
    std::vector<BYTE> bytes;
    for (std::uint16_t w : words) {
      bytes.push_back(static_cast<BYTE>(w & 0xFF));
      bytes.push_back(static_cast<BYTE>(w >> 8));
    }
    return bytes;
  }
  void Remove() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kExplorerKey, "DirectoryCols"); }
};

using test::Captions;

std::string Text(TCustomListView* list, int index, int column) { return test::ItemText(list, index, column); }

int IndexOfCaption(TCustomListView* list, const std::string& caption) {
  const std::vector<std::string> all = Captions(list);
  const auto at = std::find(all.begin(), all.end(), caption);
  return at == all.end() ? -1 : static_cast<int>(at - all.begin());
}

// "Local Disk (C:)" on Windows, " (C:)" under Wine.
bool HasCaptionWith(TCustomListView* list, const std::string& part) {
  for (const std::string& c : Captions(list))
    if (c.find(part) != std::string::npos) return true;
  return false;
}

std::vector<std::string> ColumnCaptions(TCustomListView* list) {
  std::vector<std::string> captions;
  for (int i = 0; i < list->GetColumns()->GetCount(); ++i) captions.push_back(list->GetColumns()->GetItem(i)->GetCaption());
  return captions;
}

std::vector<int> ColumnWidths(TCustomListView* list) {
  std::vector<int> widths;
  for (int i = 0; i < list->GetColumns()->GetCount(); ++i) widths.push_back(list->GetColumns()->GetItem(i)->GetWidth());
  return widths;
}

// The modification time as the file system gives it, in the system's short format.
std::string ModifiedText(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  EXPECT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
  FILETIME local;
  SYSTEMTIME st;
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &st);
  return test::SystemShortDateTime(st);
}

// root: Alpha, zeta (folders); big.dat (3000 B), FILE.TXT (0 B), hidden.txt
// (hidden), link.lnk (to notes.txt), notes.txt (5 B)
class ShellList : public ::testing::Test {
protected:
  void SetUp() override {
    ZQSavedColumnWidths() = {};
    dir.Folder("zeta");
    dir.Folder("Alpha");
    dir.File("big.dat", 3000);
    dir.File("FILE.TXT");
    dir.File("hidden.txt", 1, FILE_ATTRIBUTE_HIDDEN);
    dir.File("notes.txt", 5);
    ASSERT_EQ(CreateQuickShortcut(dir / "link.lnk", dir / "notes.txt"), S_OK);
  }
  TZQShellList* MakeList(const std::string& path, TViewStyle style = vsReport) {
    auto* list = new TZQShellList(form.Get());
    list->SetBounds(0, 0, 620, 300);
    list->SetViewStyle(style);
    list->SetParent(form.Get());
    test::SetFillMode(list, background_);
    list->GetFolder()->SetPathName(path);
    test::Filled(list);
    return list;
  }
  test::TempDir dir;
  test::TestForm form{640, 320};
  DirectoryCols directoryCols;
  bool background_ = false;
};

// The same folder, filled on the window's thread and in the background.
class ShellListFills : public ShellList, public ::testing::WithParamInterface<bool> {
protected:
  void SetUp() override {
    background_ = GetParam();
    ShellList::SetUp();
  }
};

KORVANE_IN_BOTH_FILL_MODES(ShellListFills);

}  // namespace

TEST_P(ShellListFills, AReportViewListsTheFolderInTheShellsOrderWithTheStandardColumns) {
  int fills = 0;
  TZQShellList* list = MakeList(dir.Path());
  list->OnFillComplete = [&](TObject*) { ++fills; };
  // Folders first, then files, by name without regard to case; the shortcut without ".lnk".
  EXPECT_EQ(Captions(list),
            (std::vector<std::string>{"Alpha", "zeta", "big.dat", "FILE.TXT", "hidden.txt", "link", "notes.txt"}));
  EXPECT_EQ(list->GetItemFocused(), list->GetItems()->GetItem(0));
  EXPECT_EQ(list->GetCurrentFolderIdList() != nullptr, true);
  EXPECT_EQ(ShellGetPathFromIdList(list->GetCurrentFolderIdList()), dir.Path());

  EXPECT_EQ(ColumnCaptions(list), (std::vector<std::string>{"Name", "Size", "Type", "Modified"}));
  EXPECT_EQ(ColumnWidths(list), (std::vector<int>{200, 60, 100, 120}));
  EXPECT_EQ(list->GetColumns()->GetItem(1)->GetAlignment(), taRightJustify);
  const int notes = IndexOfCaption(list, "notes.txt"), big = IndexOfCaption(list, "big.dat");
  EXPECT_EQ(Text(list, notes, 1), "1KB");
  EXPECT_EQ(Text(list, big, 1), "3KB");
  EXPECT_EQ(Text(list, IndexOfCaption(list, "FILE.TXT"), 1), "0KB");
  // The type is the shell's answer for the item's own identifier list, as its view shows it, asked
  // once per extension. Wine's prefix registers no description for text files and names the type by
  // the extension of the item asked ("txt file", or "TXT file" when FILE.TXT was asked first, as a
  // background fill does in the folder's order; asked by name alone it says ".txt file").
  const std::string type = Text(list, notes, 2);
  if (test::RunningOnWine()) EXPECT_TRUE(AnsiSameText(type, "txt file")) << type;
  else EXPECT_EQ(type, "Text Document");
  EXPECT_EQ(Text(list, IndexOfCaption(list, "FILE.TXT"), 2), Text(list, notes, 2));
  const auto shellType = [&](const std::string& path) {
    TIdListPtr item;
    EXPECT_EQ(ShellGetIdListFromPath(path, item), S_OK);
    SHFILEINFOA info = {};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(item.Get()), 0, &info, sizeof info, SHGFI_TYPENAME | SHGFI_PIDL);
    return std::string(info.szTypeName);
  };
  EXPECT_EQ(Text(list, big, 2), shellType(dir / "big.dat"));
  EXPECT_EQ(Text(list, 0, 2), shellType(dir / "Alpha"));
  EXPECT_EQ(Text(list, notes, 3), ModifiedText(dir / "notes.txt"));
  EXPECT_EQ(Text(list, 0, 1), "");  // a folder has no size
  EXPECT_EQ(Text(list, notes, 7), "");  // no such column

  // The shortcut carries the second overlay; the texts are cut to the buffer.
  EXPECT_EQ(list->GetItems()->GetItem(IndexOfCaption(list, "link"))->GetOverlayIndex(), 1);
  EXPECT_EQ(list->GetItems()->GetItem(notes)->GetOverlayIndex(), -1);
  char small[4] = "xxx";
  LVITEMA lv = {};
  lv.pszText = small;
  lv.cchTextMax = sizeof small;
  SendMessageA(list->GetHandle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(notes), reinterpret_cast<LPARAM>(&lv));
  EXPECT_STREQ(small, "not");
  // Windows ghosts hidden items; Wine reports SFGAO_HIDDEN instead of SFGAO_GHOSTED.
  EXPECT_EQ(list->GetItems()->GetItem(IndexOfCaption(list, "hidden.txt"))->GetCut(), test::WindowsElseWine(true, false));

  // Each record knows its item: the absolute list is the folder's followed by the item.
  TZQShListData* record = list->GetShListData(notes);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->GetPathName(), dir / "notes.txt");

  // Without hidden items the hidden file is not enumerated.
  TZQShellListOptions options = list->GetOptions();
  options.Exclude(zqsloShowHidden);
  list->SetOptions(options);
  test::Filled(list);
  EXPECT_EQ(fills, 1);  // the option refills
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Alpha", "zeta", "big.dat", "FILE.TXT", "link", "notes.txt"}));
}

TEST_F(ShellList, StandardWidthsComeFromDirectoryColsAndTheUsersWidthsAreKept) {
  directoryCols.Set(DirectoryCols::Words({150, 70, 90, 110, 40}));
  TZQShellList* list = MakeList(dir.Path());
  EXPECT_EQ(ColumnWidths(list), (std::vector<int>{150, 70, 90, 110}));

  // A short value gives the words it has; the defaults give the rest.
  directoryCols.Set(DirectoryCols::Words({180}));
  list->FillItems();
  EXPECT_EQ(ColumnWidths(list), (std::vector<int>{180, 60, 100, 120}));
  // An odd length: the stray byte is no width.
  std::vector<BYTE> odd = DirectoryCols::Words({120, 80});
  odd.push_back(0x7F);
  directoryCols.Set(odd);
  list->FillItems();
  EXPECT_EQ(ColumnWidths(list), (std::vector<int>{120, 80, 100, 120}));
  // Absurd widths are clamped; a value longer than 22 bytes is not read.
  directoryCols.Set(DirectoryCols::Words({0xFFFF, 0, 90, 110}));
  list->FillItems();
  const std::vector<int> clamped = ColumnWidths(list);
  EXPECT_LE(clamped[0], 2000);
  EXPECT_GE(clamped[1], 1);
  directoryCols.Set(DirectoryCols::Words(std::vector<std::uint16_t>(12, 77)));
  list->FillItems();
  EXPECT_EQ(ColumnWidths(list), (std::vector<int>{200, 60, 100, 120}));

  // A width the user gave stays while the shell's value stays the same.
  list->GetColumns()->GetItem(0)->SetWidth(333);
  list->FillItems();
  EXPECT_EQ(list->GetColumns()->GetItem(0)->GetWidth(), 333);
  TZQShellList* second = MakeList(dir / "zeta");
  EXPECT_EQ(second->GetColumns()->GetItem(0)->GetWidth(), 333);
  // A new value of the shell's wins.
  directoryCols.Set(DirectoryCols::Words({210, 61, 101, 121}));
  list->FillItems();
  EXPECT_EQ(ColumnWidths(list), (std::vector<int>{210, 61, 101, 121}));
}

TEST_F(ShellList, FiltersFollowTheFileSystemsWildcardsAndAlwaysPassFolders) {
  dir.File("b.doc");
  dir.File("c.md");
  dir.File(" lead.txt");
  TZQShellList* list = MakeList(dir.Path());
  list->SetFileFilter("*.doc;;*.md");
  EXPECT_EQ(list->GetFilterPatterns(), (std::vector<std::string>{"*.doc", "*.md"}));
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Alpha", "zeta", "b.doc", "c.md"}));

  // Capitals pass a pattern in small letters.
  list->SetFileFilter("*.txt");
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Alpha", "zeta", " lead.txt", "FILE.TXT", "hidden.txt", "notes.txt"}));

  // A blank after ";" stays: that pattern finds only names beginning with a blank.
  list->SetFileFilter("*.md; l*");
  EXPECT_EQ(list->GetFilterPatterns(), (std::vector<std::string>{"*.md", " l*"}));
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Alpha", "zeta", " lead.txt", "c.md"}));

  // Everything, without a search.
  for (const char* all : {"*", "*.*"}) {
    list->SetFileFilter(all);
    EXPECT_EQ(list->GetItems()->GetCount(), 10) << all;
  }
  // Patterns that reach another folder admit nothing; the next pattern still counts.
  dir.File("Alpha\\outside.txt");
  list->SetFileFilter("..\\*;Alpha\\*.txt;C:*;*.md");
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Alpha", "zeta", "c.md"}));
  // Dots inside a name are plain characters; a bare ".." names only the parent folder.
  dir.File("two..dots.txt");
  list->SetFileFilter("two..dots.txt;..");
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Alpha", "zeta", "two..dots.txt"}));

  // A folder without a path is not filtered.
  list->GetFolder()->SetCSIDL(csidlDrives);
  EXPECT_TRUE(HasCaptionWith(list, "(C:)"));
}

namespace {
// Clicks a header item as a user does.
void ClickHeader(TZQCustomListView* list, int column) {
  RECT r;
  HWND header = list->GetHeaderHandle();
  SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(header, WM_LBUTTONUP, 0, at);
  test::Pump(20);
}

// Rows of the header item with at least six pixels of colour in its left 40 pixels.
int LongestRun(TZQCustomListView* list, int column, COLORREF colour) {
  RECT r;
  SendMessageA(list->GetHeaderHandle(), HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
  auto shot = test::Snapshot(list->GetHeaderHandle());
  int best = 0;
  for (int y = r.top + 2; y < r.bottom - 2; ++y) {
    int n = 0;
    for (int x = r.left + 2; x < r.right - 2; ++x) n += shot->PixelRGB(x, y) == colour;
    best = std::max(best, n);
  }
  return best;
}

std::uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}
}  // namespace

TEST_P(ShellListFills, HeaderClicksSortByColumnAndTurnTheArrow) {
  TZQShellList* list = MakeList(dir.Path());
  const std::vector<std::string> ascending = Captions(list);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(list->GetSortColumn(), 1);
  // Ascending shows the upward arrow: its highlight runs along the bottom.
  EXPECT_GE(LongestRun(list, 0, light), 6);

  ClickHeader(list, 0);
  EXPECT_EQ(list->GetSortColumn(), -1);
  std::vector<std::string> reversed(ascending.rbegin(), ascending.rend());
  EXPECT_EQ(Captions(test::Filled(list)), reversed);
  EXPECT_GE(LongestRun(list, 0, shadow), 6);  // the downward arrow's top edge
  EXPECT_LT(LongestRun(list, 0, light), 6);
  list->FillItems();  // a new fill comes in the order in force
  EXPECT_EQ(Captions(test::Filled(list)), reversed);
  EXPECT_EQ(list->GetItemFocused(), list->GetItems()->GetItem(0));

  ClickHeader(list, 0);
  EXPECT_EQ(list->GetSortColumn(), 1);
  EXPECT_EQ(Captions(test::Filled(list)), ascending);

  // Another column sorts ascending; the arrow moves there.
  ClickHeader(list, 1);
  EXPECT_EQ(list->GetSortColumn(), 2);
  EXPECT_GE(LongestRun(list, 1, light), 6);
  EXPECT_LT(LongestRun(list, 0, light), 6);
  std::vector<std::uint64_t> sizes;
  for (int i = 0; i < list->GetItems()->GetCount(); ++i)
    if (TZQShListData* r = list->GetShListData(i); r && !r->IsFolder()) sizes.push_back(FileSize(r->GetPathName()));
  // Windows orders by size; Wine's CompareIDs ignores the column and orders by name.
  if (test::RunningOnWine()) EXPECT_EQ(Captions(test::Filled(list)), ascending);
  else EXPECT_TRUE(std::is_sorted(sizes.begin(), sizes.end())) << ::testing::PrintToString(sizes);

  // A sort value beyond the columns, in either direction, goes back to the first column.
  list->SetSortColumn(-5);
  list->FillItems();
  EXPECT_EQ(list->GetSortColumn(), 1);
  EXPECT_EQ(Captions(test::Filled(list)), ascending);

  // A handler that sets the order itself has the last word.
  list->OnColumnClick = [&](TObject*, TListColumn*) { list->SetSortColumn(-3); };
  ClickHeader(list, 0);
  EXPECT_EQ(list->GetSortColumn(), -3);
}

TEST_F(ShellList, VirtualFoldersShowTheColumnsTheirFolderGives) {
  TZQShellList* list = MakeList(dir.Path());
  list->GetFolder()->SetCSIDL(csidlDrives);
  // The captions My Computer's IShellFolder2 gives.
  TComPtr<IShellFolder> desktop, drives;
  ASSERT_EQ(ShellGetDesktopFolder(desktop), S_OK);
  TIdListPtr drivesList;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drivesList.Put()), S_OK);
  ASSERT_EQ(ShellBindToObject(desktop.Get(), drivesList.Get(), drives), S_OK);
  TComPtr<IShellFolder2> folder2;
  ASSERT_EQ(drives.As(folder2), S_OK);
  std::vector<std::string> expected;
  for (UINT i = 0; i < 64; ++i) {
    SHELLDETAILS d = {};
    if (FAILED(folder2->GetDetailsOf(nullptr, i, &d))) break;
    expected.push_back(StrretToString(nullptr, d.str));
    StrretFree(d.str);
  }
  ASSERT_GE(expected.size(), 2u);
  EXPECT_EQ(ColumnCaptions(list), expected);
  EXPECT_NE(ColumnCaptions(list), (std::vector<std::string>{"Name", "Size", "Type", "Modified"}));
  EXPECT_TRUE(HasCaptionWith(list, "(C:)"));

  // Back in a file-system folder: the standard set again.
  list->GetFolder()->SetPathName(dir.Path());
  EXPECT_EQ(ColumnCaptions(list), (std::vector<std::string>{"Name", "Size", "Type", "Modified"}));
}

TEST_P(ShellListFills, ItemsComeAndGoWithTheirRecordsAndForeignItemsAreSkipped) {
  TZQShellList* list = MakeList(dir.Path());
  int deleted = 0;
  list->OnDeleteItem = [&](TObject*, TListItem* item, TZQShListData* data) {
    EXPECT_EQ(item->GetData(), data);
    ++deleted;
  };
  TObject foreign;
  TListItem* own = list->GetItems()->Add();
  own->SetData(&foreign);
  own->SetCaption("mine");
  EXPECT_FALSE(TZQCustomShellList::ItemHasData(own));
  EXPECT_THROW(list->GetShListData(own->GetIndex()), EInvalidCast);
  EXPECT_EQ(Text(list, own->GetIndex(), 1), "");

  // A new item through the filter: appended when admitted, refused otherwise.
  dir.File("late.txt");
  TIdListPtr late = test::Parse(dir / "late.txt");
  IMalloc* m = list->GetShellMalloc();
  list->AddNewShellItem(list->GetCurrentFolderIdList(), CopyIdList(m, ILFindLastID(late.Get())));
  EXPECT_EQ(Text(list, list->GetItems()->GetCount() - 1, 0), "late.txt");
  list->OnAddItem = [](TObject*, IShellFolder*, PItemIDList, PItemIDList, int, BOOL& allow) { allow = FALSE; };
  const int count = list->GetItems()->GetCount();
  list->AddNewShellItem(list->GetCurrentFolderIdList(), CopyIdList(m, ILFindLastID(late.Get())));
  EXPECT_EQ(list->GetItems()->GetCount(), count);
  list->OnAddItem = nullptr;

  // A new window: every record goes with the old one, the new one fills again.
  list->RecreateWnd();
  EXPECT_EQ(deleted, 8);
  ASSERT_TRUE(test::PumpUntil([&] { return list->GetItems()->GetCount() > 0; }));
  EXPECT_EQ(list->GetItems()->GetCount(), 8);
  deleted = 0;
  list->Free();
  EXPECT_EQ(deleted, 8);
}

namespace {
// A folder whose enumeration hands out the items of a real folder, then fails with a chosen code.
class FailingFolder final : public test::TForwardingFolder<FailingFolder, IEnumIDList> {
public:
  FailingFolder(IShellFolder* real, HRESULT failure) : TForwardingFolder(real), failure_(failure) {}
  HRESULT STDMETHODCALLTYPE EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** out) override {
    HRESULT hr = TForwardingFolder::EnumObjects(owner, flags, inner_.Put());
    if (FAILED(hr)) return hr;
    AddRef();
    *out = this;
    return S_OK;
  }
  // IEnumIDList: two real items, then the failure.
  HRESULT STDMETHODCALLTYPE Next(ULONG n, PITEMID_CHILD* items, ULONG* fetched) override {
    if (handed_ == 2) return failure_;
    ++handed_;
    return inner_->Next(n, items, fetched);
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumIDList**) override { return E_NOTIMPL; }

private:
  HRESULT failure_;
  TComPtr<IEnumIDList> inner_;
  int handed_ = 0;
};
}  // namespace

TEST_F(ShellList, AnEnumerationFailingHalfWayLeavesThePreviousFolderCurrent) {
  TZQShellList* list = MakeList(dir.Path());
  TComPtr<IShellFolder> zeta;
  ASSERT_EQ(ShellGetFolderFromIdList(test::Parse(dir / "zeta").Get(), zeta), S_OK);
  dir.File("zeta\\one.txt");
  dir.File("zeta\\two.txt");
  dir.File("zeta\\three.txt");
  TIdListPtr zetaList = test::Parse(dir / "zeta");
  const std::vector<std::string> before = Captions(list);
  {
    // A failure other than E_FAIL is the system's error; E_FAIL ends the fill quietly.
    FailingFolder denied(zeta.Get(), E_ACCESSDENIED);
    EXPECT_THROW(list->FillList(&denied, zetaList.Get()), Exception);
    FailingFolder failed(zeta.Get(), E_FAIL);
    EXPECT_NO_THROW(list->FillList(&failed, zetaList.Get()));
    EXPECT_EQ(denied.Refs(), 1u);  // the list holds neither folder
    EXPECT_EQ(failed.Refs(), 1u);
  }
  EXPECT_EQ(ShellGetPathFromIdList(list->GetCurrentFolderIdList()), dir.Path());
  EXPECT_EQ(Captions(list), before);  // nothing was added
  EXPECT_EQ(list->GetShListData(0)->GetPathName(), dir / "Alpha");
}

namespace {
// A shell list that counts its fills.
class TFillCountingList : public TZQShellList {
public:
  using TZQShellList::TZQShellList;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TPublish<TFillCountingList>("TFillCountingList", &TZQShellList::StaticClassInfo()).Creatable().Done();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void FillList(IShellFolder* folder, PCItemIDList absolute) override {
    ++fills;
    TZQShellList::FillList(folder, absolute);
  }
  int fills = 0;
};
}  // namespace

TEST_F(ShellList, AFormFileKeepsFolderFilterAndOptionsAndTheNewWindowFillsOnce) {
  RegisterClass(TFillCountingList::StaticClassInfo());
  RegisterClass(TZQShellTree::StaticClassInfo());
  std::string text, linkedText;
  {
    test::TTestRoot source(nullptr);
    source.SetName("Form1");
    auto* list = new TFillCountingList(&source);
    list->SetName("List1");
    list->SetParent(&source);
    list->SetOptions(list->GetOptions() - TZQShellListOptions{zqsloShowHidden});
    list->SetFileFilter("*.txt");
    list->GetFolder()->SetPathName(dir.Path());
    text = ComponentToText(&source);
    auto* tree = new TZQShellTree(&source);
    tree->SetName("Tree1");
    tree->SetParent(&source);
    tree->SetShellList(list);
    linkedText = ComponentToText(&source);
  }
  EXPECT_NE(text.find("FileFilter = '*.txt'"), std::string::npos) << text;
  EXPECT_NE(text.find("Folder.Pidl"), std::string::npos) << text;
  // Linked, the tree names the folder: the list's is not stored.
  EXPECT_EQ(linkedText.find("Folder.Pidl"), std::string::npos) << linkedText;
  EXPECT_NE(linkedText.find("ShellList = List1"), std::string::npos) << linkedText;

  test::TTestRoot target(nullptr);
  target.SetBounds(0, 0, 400, 300);
  TextToComponent(text, &target);
  auto* list = dynamic_cast<TFillCountingList*>(target.FindComponent("List1"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetFileFilter(), "*.txt");
  EXPECT_FALSE(list->GetOptions().Contains(zqsloShowHidden));
  target.Show();
  ASSERT_TRUE(test::PumpUntil([&] { return list->GetItems()->GetCount() > 0; }));
  test::Pump(100);
  EXPECT_EQ(list->fills, 1);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Alpha", "zeta", "FILE.TXT", "notes.txt"}));
}

TEST_F(ShellList, AnExceptionFromOnFillCompleteGoesToTheApplication) {
  TZQShellList* list = MakeList(dir.Path());
  std::vector<std::string> handled;
  Application->OnException = [&](TObject*, const Exception& e) { handled.push_back(e.Message()); };
  list->OnFillComplete = [](TObject*) { throw Exception("complete failed"); };
  EXPECT_NO_THROW(list->FillItems());
  Application->OnException = nullptr;
  EXPECT_EQ(handled, (std::vector<std::string>{"complete failed"}));
  EXPECT_EQ(list->GetItems()->GetCount(), 7);  // the fill itself stands
}

TEST_F(ShellList, TreesAndListsGiveBackEveryGdiObjectWhenFreed) {
  const auto cycle = [&] {
    auto* tree = new TZQShellTree(form.Get());
    tree->SetParent(form.Get());
    tree->GetBaseFolder()->SetPathName(dir.Path());
    TZQShellList* list = MakeList(dir.Path());
    test::Pump(10);
    list->Free();
    tree->Free();
  };
  cycle();  // the first fills the shell's own caches
  const int before = test::GdiObjectCount();
  for (int i = 0; i < 20; ++i) cycle();
  // Each once kept the image list its constructor made: 6 objects a tree, 12 a list.
  EXPECT_LE(test::GdiObjectCount() - before, 2);
}

TEST_P(ShellListFills, CustomDrawEventsSeeEachItemWithItsRecord) {
  TZQShellList* list = MakeList(dir.Path());
  int ex = 0;
  list->OnCustomDrawShEx = [&](TObject*, TZQCustomDraw*, TListItem*, TZQShListData*) { ++ex; };
  list->OnCustomDrawSh = [&](TObject*, TZQCustomDraw* cd, TListItem* item, TZQShListData* data) {
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(TZQCustomShellList::GetDataFromItem(item), data);
    if (data && data->GetFilename() == "notes.txt") cd->GetFont()->SetColor(clRed);
  };
  const int notes = IndexOfCaption(list, "notes.txt");
  const RECT r = list->GetItems()->GetItem(notes)->DisplayRect(drLabel);
  auto shot = test::Snapshot(*list);
  int red = 0, redElsewhere = 0;
  for (int y = 0; y < list->GetClientHeight(); ++y)
    for (int x = r.left; x < r.right; ++x) {
      const bool isRed = shot->PixelRGB(x, y) == RGB(255, 0, 0);
      (y >= r.top && y < r.bottom ? red : redElsewhere) += isRed;
    }
  EXPECT_GT(red, 5);
  EXPECT_EQ(redElsewhere, 0);
  EXPECT_GT(ex, list->GetItems()->GetCount());  // every stage, the list's own included
}
