#include <gtest/gtest.h>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Strings.h"
#include "tests/support/PidlFiler.h"
#include "tests/support/ShellFixtures.h"
#include "tests/support/TempDir.h"

using namespace korvane;

namespace {
// A locator with a counted change notification, as an owner hooks it.
struct Watched {
  Watched() {
    loc.OnChange = [this](TObject* sender) {
      EXPECT_EQ(sender, &loc);
      ++changes;
    };
  }
  TZQShellLocator loc;
  int changes = 0;
};

}  // namespace

TEST(ShellLocator, NewLocatorIsTheDesktopAndStoresNothing) {
  TZQShellLocator loc;
  EXPECT_EQ(loc.GetIdList(), nullptr);
  EXPECT_EQ(loc.GetCSIDL(), csidlNone);
  EXPECT_FALSE(loc.IsSpecialFolder());
  EXPECT_EQ(loc.GetPathName(), ShellGetSpecialFolderPath(nullptr, csidlDesktopDirectory));
  EXPECT_FALSE(test::StoredBytes(loc));
}

TEST(ShellLocator, SpecialFolderResolvesOnceAndCachesItsList) {
  Watched w;
  w.loc.SetCSIDL(csidlDrives);
  EXPECT_EQ(w.changes, 1);
  EXPECT_EQ(w.loc.GetPathName(), "");
  PItemIDList first = w.loc.GetIdList();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(w.loc.GetIdList(), first);  // cached, not resolved again
  EXPECT_EQ(ShellFindCSIDLFromIdList(first), csidlDrives);
  w.loc.SetCSIDL(csidlDrives);
  EXPECT_EQ(w.changes, 1);  // same value: no notification
  w.loc.SetCSIDL(csidlControls);
  EXPECT_EQ(w.changes, 2);
  EXPECT_EQ(ShellFindCSIDLFromIdList(w.loc.GetIdList()), csidlControls);  // the cache went with the old value
}

TEST(ShellLocator, SetIdListChangeRules) {
  test::TempDir dir;
  dir.Folder("one");
  dir.Folder("two");
  TIdListPtr one = test::Parse(dir / "one"), oneAgain = test::Parse(dir / "one"), two = test::Parse(dir / "two");
  const USHORT empty = 0;
  const auto* emptyList = reinterpret_cast<PCItemIDList>(&empty);

  Watched w;
  w.loc.SetCSIDL(csidlPersonal);
  w.changes = 0;
  w.loc.SetIdList(emptyList);  // a kind change always notifies
  EXPECT_EQ(w.changes, 1);
  EXPECT_EQ(w.loc.GetIdList(), nullptr);  // the empty list is held as nothing: the desktop
  EXPECT_EQ(w.loc.GetCSIDL(), csidlNone);

  w.loc.SetIdList(one.Get());
  EXPECT_EQ(w.changes, 2);
  EXPECT_NE(w.loc.GetIdList(), one.Get());  // a copy
  w.loc.SetIdList(oneAgain.Get());          // another list for the same folder
  EXPECT_EQ(w.changes, 2);
  w.loc.SetIdList(w.loc.GetIdList());  // its own list: kept intact
  EXPECT_EQ(w.changes, 2);
  EXPECT_EQ(CompareAbsIdLists(w.loc.GetIdList(), one.Get()), 0);
  w.loc.SetIdList(two.Get());
  EXPECT_EQ(w.changes, 3);
  w.loc.Clear();
  EXPECT_EQ(w.changes, 4);
  EXPECT_EQ(w.loc.GetIdList(), nullptr);
  w.loc.SetIdList(nullptr);
  EXPECT_EQ(w.changes, 4);
}

TEST(ShellLocator, PathNameSetsAListAndAMissingPathMeansTheDesktop) {
  test::TempDir dir;
  Watched w;
  w.loc.SetPathName(dir.Path());
  EXPECT_EQ(w.changes, 1);
  EXPECT_FALSE(w.loc.IsSpecialFolder());
  EXPECT_EQ(w.loc.GetPathName(), dir.Path());
  w.loc.SetPathName(dir / "does-not-exist");
  EXPECT_EQ(w.changes, 2);
  EXPECT_EQ(w.loc.GetIdList(), nullptr);
}

TEST(ShellLocator, IsEqualByKind) {
  TZQShellLocator a, b;
  EXPECT_TRUE(a.IsEqual(&b));  // two desktops
  EXPECT_TRUE(a.IsEqual(&a));
  EXPECT_FALSE(a.IsEqual(nullptr));
  b.SetCSIDL(csidlDesktop);
  EXPECT_FALSE(a.IsEqual(&b));  // a list is never equal to a special folder
  a.SetCSIDL(csidlDesktop);
  EXPECT_TRUE(a.IsEqual(&b));
  a.SetCSIDL(csidlFonts);
  EXPECT_FALSE(a.IsEqual(&b));
  test::TempDir dir;
  a.SetPathName(dir.Path());
  b.SetPathName(dir.Path());
  EXPECT_TRUE(a.IsEqual(&b));
}

TEST(ShellLocator, AssignCopiesAndNotifiesOnlyOnADifference) {
  Watched dest;
  TZQShellLocator src;
  src.SetCSIDL(csidlFonts);
  dest.loc.SetCSIDL(csidlFonts);
  dest.changes = 0;
  dest.loc.Assign(&src);
  EXPECT_EQ(dest.changes, 0);
  src.SetCSIDL(csidlPrinters);
  dest.loc.Assign(&src);
  EXPECT_EQ(dest.changes, 1);
  EXPECT_EQ(dest.loc.GetCSIDL(), csidlPrinters);

  test::TempDir dir;
  src.SetPathName(dir.Path());
  dest.loc.Assign(&src);
  EXPECT_EQ(dest.changes, 2);
  EXPECT_NE(dest.loc.GetIdList(), src.GetIdList());
  EXPECT_TRUE(dest.loc.IsEqual(&src));

  dest.loc.Assign(nullptr);  // holding a list: let go of it, notify
  EXPECT_EQ(dest.changes, 3);
  EXPECT_EQ(dest.loc.GetIdList(), nullptr);
  dest.loc.Assign(nullptr);  // nothing held: nothing happens
  EXPECT_EQ(dest.changes, 3);

  TStringList notALocator;
  try {
    dest.loc.Assign(&notALocator);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TStringList to a TZQShellLocator");
  }
}
