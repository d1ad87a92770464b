#include <gtest/gtest.h>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/SysUtils.h"
#include "tests/support/ShellFixtures.h"
#include "tests/support/TempDir.h"

using namespace korvane;

namespace {
// The last item of an absolute list, made with the shell allocator.
PItemIDList LastItem(PCItemIDList absolute) {
  TZQIdListArray levels(absolute);
  return CopyIdList(ShellIMalloc(), levels.GetItem(levels.GetCount() - 1));
}

// A list owner showing one real folder, as the shell list will.
class TFolderOwner : public TZQShListOwner {
public:
  explicit TFolderOwner(const std::string& path) : list_(test::Parse(path)) {
    EXPECT_EQ(ShellGetFolderFromIdList(list_.Get(), folder_), S_OK);
  }
  IMalloc* GetShellMalloc() override { return ShellIMalloc(); }
  IShellFolder* GetCurrentFolder() override { return folder_.Get(); }
  PCItemIDList GetCurrentFolderIdList() override { return list_.Get(); }
  IShellDetails* GetCurrentFolderIShellDetails() override { return nullptr; }

private:
  TIdListPtr list_;
  TComPtr<IShellFolder> folder_;
};

std::string Names(IShellFolder* folder) {
  TComPtr<IEnumIDList> items;
  std::string out;
  if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, items.Put()) != S_OK) return out;
  PITEMID_CHILD child = nullptr;
  ULONG n = 0;
  while (items->Next(1, &child, &n) == S_OK) {
    TIdListPtr owned(child);
    out += GetItemDisplayName(folder, child, SHGDN_INFOLDER | SHGDN_FORPARSING) + ";";
  }
  return out;
}
}  // namespace

TEST(TreeData, UninitialisedAndDesktopRecords) {
  TZQShTreeData blank(nullptr);
  try {
    blank.GetPathName();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TZQShTreeData not initialised");
  }
  // A top-level desktop node: an empty relative list, the desktop installed by the tree.
  const USHORT empty = 0;
  TComPtr<IShellFolder> desktop;
  ASSERT_EQ(ShellGetDesktopFolder(desktop), S_OK);
  TZQShTreeData root(nullptr);
  root.SetData(nullptr, ShellIMalloc(), reinterpret_cast<PCItemIDList>(&empty));
  root.SetThisIShf(desktop.Get());
  ASSERT_NE(root.GetAbsPidl(), nullptr);
  EXPECT_TRUE(IsEmptyIdList(root.GetAbsPidl()));
  EXPECT_EQ(root.GetThisIShf(), desktop.Get());
  EXPECT_EQ(root.GetParentIShf(), nullptr);
  EXPECT_FALSE(root.GetEditable());  // no parent
  EXPECT_EQ(root.GetPathName(), ShellGetSpecialFolderPath(nullptr, csidlDesktopDirectory));
}

TEST(TreeData, ChildRecordsBuildOnTheirParents) {
  test::TempDir dir;
  dir.File("sub\\inner\\x.txt");
  TIdListPtr base = test::Parse(dir.Path());
  TZQShTreeData root(nullptr);
  root.SetData(nullptr, ShellIMalloc(), base.Get());  // the base folder's absolute list
  EXPECT_EQ(root.GetPathName(), dir.Path());
  EXPECT_EQ(Names(root.GetThisIShf()), "sub;");  // bound from the desktop

  TIdListPtr subAbs = test::Parse(dir / "sub");
  TIdListPtr subItem(LastItem(subAbs.Get()));
  TZQShTreeData sub(nullptr);
  sub.SetData(&root, ShellIMalloc(), subItem.Get());
  EXPECT_NE(sub.GetRelPidl(), subItem.Get());  // a copy
  EXPECT_EQ(CompareAbsIdLists(sub.GetAbsPidl(), subAbs.Get()), 0);
  PItemIDList cached = sub.GetAbsPidl();
  EXPECT_EQ(sub.GetAbsPidl(), cached);
  EXPECT_EQ(sub.GetPathName(), dir / "sub");
  EXPECT_EQ(sub.GetParentIShf(), root.GetThisIShf());
  EXPECT_EQ(Names(sub.GetThisIShf()), "inner;");
  EXPECT_TRUE(sub.GetEditable());
  TComPtr<IDropTarget> target;
  EXPECT_EQ(sub.GetIDropTarget(nullptr, target), S_OK);
  EXPECT_TRUE(target);
  EXPECT_EQ(root.GetIDropTarget(nullptr, target), S_OK);

  // Flush drops the caches; they come back from the relative list.
  sub.Flush();
  EXPECT_EQ(sub.GetPathName(), dir / "sub");
  EXPECT_EQ(Names(sub.GetThisIShf()), "inner;");

  // A rename: the new relative list, the absolute one rebuilt at once.
  ASSERT_TRUE(MoveFileA((dir / "sub").c_str(), (dir / "renamed").c_str()));
  TIdListPtr renamedAbs = test::Parse(dir / "renamed");
  TIdListPtr renamedItem(LastItem(renamedAbs.Get()));
  sub.SetRelPidl(renamedItem.Get());
  EXPECT_EQ(sub.GetPathName(), dir / "renamed");
  sub.SetRelPidl(sub.GetRelPidl());  // its own list: kept intact
  EXPECT_EQ(sub.GetPathName(), dir / "renamed");
}

TEST(TreeData, RootDirectories) {
  auto record = [](PCItemIDList abs, TZQShTreeData& r) { r.SetData(nullptr, ShellIMalloc(), abs); };
  TZQShTreeData drive(nullptr), windows(nullptr), virt(nullptr);
  TIdListPtr c = test::Parse("C:\\"), w = test::Parse("C:\\windows"), controls;
  ShellGetSpecialFolderIdList(nullptr, csidlControls, controls);
  record(c.Get(), drive);
  record(w.Get(), windows);
  record(controls.Get(), virt);
  EXPECT_TRUE(drive.IsRootDir());
  EXPECT_FALSE(windows.IsRootDir());
  EXPECT_FALSE(virt.IsRootDir());
}

TEST(ListData, ColumnTextsAttributesAndNames) {
  test::TempDir dir;
  dir.File("data.bin", 1025);
  dir.Folder("folder");
  CreateQuickShortcut(dir / "link.lnk", dir / "data.bin");
  TFolderOwner owner(dir.Path());
  auto record = [&](const std::string& name) {
    auto r = std::make_unique<TZQShListData>(&owner);
    r->SetData(LastItem(test::Parse(dir / name).Get()));
    return r;
  };
  auto file = record("data.bin"), folder = record("folder"), link = record("link.lnk");

  EXPECT_EQ(file->GetPathName(), dir / "data.bin");
  EXPECT_EQ(file->GetFilename(), "data.bin");
  EXPECT_EQ(file->GetDisplayName().rfind("data", 0), 0u);
  EXPECT_TRUE(file->IsFileSystem());
  EXPECT_FALSE(file->IsFolder());
  EXPECT_TRUE(file->GetEditable());
  EXPECT_TRUE(file->IsValid());
  EXPECT_FALSE(file->IsLnkShortcut());
  EXPECT_TRUE(link->IsLnkShortcut());
  EXPECT_EQ(file->GetSize(), "2KB");
  EXPECT_EQ(file->GetColText(0), "");
  EXPECT_EQ(file->GetColText(1), "2KB");
  EXPECT_EQ(file->GetColText(2), file->GetFileType());
  EXPECT_EQ(file->GetColText(3), file->GetModified());
  EXPECT_EQ(file->GetColText(4), "");
  EXPECT_FALSE(file->GetModified().empty());
  EXPECT_TRUE(folder->IsFolder());
  EXPECT_EQ(folder->GetSize(), "");  // folders show no size
  EXPECT_EQ(CompareAbsIdLists(folder->GetAbsoluteIdList(), test::Parse(dir / "folder").Get()), 0);
}

TEST(ListData, TextsAreCachedUntilFlush) {
  test::TempDir dir;
  const std::string path = dir.File("grow.txt", 10);
  TFolderOwner owner(dir.Path());
  TZQShListData r(&owner);
  r.SetData(LastItem(test::Parse(path).Get()));
  EXPECT_EQ(r.GetSize(), "1KB");
  PItemIDList abs = r.GetAbsoluteIdList();
  EXPECT_EQ(r.GetAbsoluteIdList(), abs);
  dir.File("grow.txt", 5000);  // the file changes on disk
  EXPECT_EQ(r.GetSize(), "1KB");  // still the cached text
  r.Flush();
  EXPECT_EQ(r.GetSize(), "5KB");
  EXPECT_EQ(r.GetPathName(), path);
}

TEST(ListData, ItemsOutsideTheFileSystem) {
  TIdListPtr drivesList;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drivesList), S_OK);
  TComPtr<IShellFolder> drives;
  ASSERT_EQ(ShellGetFolderFromIdList(drivesList.Get(), drives), S_OK);
  struct TDrivesOwner : TZQShListOwner {
    IShellFolder* f;
    PCItemIDList l;
    IMalloc* GetShellMalloc() override { return ShellIMalloc(); }
    IShellFolder* GetCurrentFolder() override { return f; }
    PCItemIDList GetCurrentFolderIdList() override { return l; }
    IShellDetails* GetCurrentFolderIShellDetails() override { return nullptr; }
  } owner;
  owner.f = drives.Get();
  owner.l = drivesList.Get();
  TIdListPtr controls;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlControls, controls), S_OK);
  TZQShListData r(&owner);
  r.SetData(LastItem(controls.Get()));
  EXPECT_FALSE(r.IsFileSystem());
  EXPECT_EQ(r.GetFileType(), "System Folder");
  EXPECT_EQ(r.GetPathName(), "");
  EXPECT_EQ(r.GetSize() + r.GetModified(), "");
}

TEST(ComboData, JoinsItsListsAndBindsItsFolder) {
  TComPtr<IShellFolder> desktop;
  ASSERT_EQ(ShellGetDesktopFolder(desktop), S_OK);
  TIdListPtr drives;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives), S_OK);
  TZQShComboData top(nullptr);
  top.SetData(desktop.Get(), nullptr, drives.Get());  // a desktop child: no parent list
  EXPECT_EQ(CompareAbsIdLists(top.GetAbsIdList(), drives.Get()), 0);
  EXPECT_NE(Names(top.GetThisIShf()).find("C:\\"), std::string::npos);

  test::TempDir dir;
  dir.File("kid\\a.txt");
  TIdListPtr parent = test::Parse(dir.Path()), kid = test::Parse(dir / "kid");
  TComPtr<IShellFolder> parentFolder;
  ASSERT_EQ(ShellGetFolderFromIdList(parent.Get(), parentFolder), S_OK);
  TIdListPtr kidItem(LastItem(kid.Get()));
  TZQShComboData entry(nullptr);
  entry.SetData(parentFolder.Get(), parent.Get(), kidItem.Get());
  EXPECT_EQ(ShellGetPathFromIdList(entry.GetAbsIdList()), dir / "kid");
  EXPECT_NE(entry.GetParentIdList(), parent.Get());  // copies
  EXPECT_EQ(Names(entry.GetThisIShf()), "a.txt;");
  TZQShComboData orphan(nullptr);
  orphan.SetData(nullptr, parent.Get(), kidItem.Get());  // no folder: bound from the desktop
  EXPECT_EQ(Names(orphan.GetThisIShf()), "a.txt;");
  TZQShComboData desk(nullptr);
  desk.SetData(nullptr, nullptr, nullptr);
  EXPECT_EQ(desk.GetThisIShf(), desktop.Get());
}
