#include <gtest/gtest.h>

#include <cstring>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Exceptions.h"
#include "tests/support/PidlFiler.h"
#include "tests/support/TempDir.h"

using namespace korvane;
using test::Bytes;

namespace {
Bytes ListBytes(PCItemIDList list) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(list);
  return Bytes(p, p + IdListLen(list));
}
Bytes Stored(std::uint32_t len, const Bytes& list) {
  Bytes b = {0, static_cast<std::uint8_t>(len), static_cast<std::uint8_t>(len >> 8),
             static_cast<std::uint8_t>(len >> 16), static_cast<std::uint8_t>(len >> 24)};
  b.insert(b.end(), list.begin(), list.end());
  return b;
}
}  // namespace

TEST(LocatorStoredForm, SpecialFolderTakesTwoBytes) {
  TZQShellLocator loc;
  loc.SetCSIDL(csidlDrives);
  loc.GetIdList();  // the resolved cache is never written
  EXPECT_EQ(test::StoredBytes(loc), (Bytes{1, 17}));
  loc.SetCSIDL(csidlDesktop);
  EXPECT_EQ(test::StoredBytes(loc), (Bytes{1, 0}));
}

TEST(LocatorStoredForm, ListTakesFivePlusItsLength) {
  // My Computer: one 20-byte item and the terminator.
  TIdListPtr drives;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives), S_OK);
  ASSERT_EQ(IdListLen(drives.Get()), 22);
  TZQShellLocator loc;
  loc.SetIdList(drives.Get());
  const auto stored = test::StoredBytes(loc);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->size(), 1u + 4u + 22u);
  EXPECT_EQ(*stored, Stored(22, ListBytes(drives.Get())));

  TZQShellLocator back;
  int changes = 0;
  back.OnChange = [&](TObject*) { ++changes; };
  ASSERT_TRUE(test::ReadBytes(back, *stored));
  EXPECT_EQ(changes, 0);  // reading never notifies
  EXPECT_FALSE(back.IsSpecialFolder());
  EXPECT_TRUE(back.IsEqual(&loc));
  EXPECT_EQ(ListBytes(back.GetIdList()), ListBytes(drives.Get()));
}

TEST(LocatorStoredForm, ReadingReplacesWhatWasHeld) {
  test::TempDir dir;
  TZQShellLocator loc;
  loc.SetPathName(dir.Path());
  ASSERT_TRUE(test::ReadBytes(loc, Bytes{1, csidlFonts}));
  EXPECT_EQ(loc.GetCSIDL(), csidlFonts);
  EXPECT_EQ(ShellFindCSIDLFromIdList(loc.GetIdList()), csidlFonts);  // resolved anew, not the old list
  ASSERT_TRUE(test::ReadBytes(loc, Bytes{7, csidlPrinters}));  // any non-zero kind byte is a special folder
  EXPECT_EQ(loc.GetCSIDL(), csidlPrinters);

  // A stored list over a special folder makes it a list again.
  TIdListPtr folder;
  ASSERT_EQ(ShellGetIdListFromPath(dir.Path(), folder), S_OK);
  const Bytes list = ListBytes(folder.Get());
  ASSERT_TRUE(test::ReadBytes(loc, Stored(static_cast<std::uint32_t>(list.size()), list)));
  EXPECT_FALSE(loc.IsSpecialFolder());
  EXPECT_EQ(loc.GetCSIDL(), csidlNone);
  EXPECT_EQ(loc.GetPathName(), dir.Path());
}

TEST(LocatorStoredForm, ZeroLengthReadsAsTheDesktopSpecialFolder) {
  TZQShellLocator loc;
  ASSERT_TRUE(test::ReadBytes(loc, Stored(0, {})));
  EXPECT_TRUE(loc.IsSpecialFolder());
  EXPECT_EQ(loc.GetCSIDL(), csidlDesktop);
  EXPECT_EQ(test::StoredBytes(loc), (Bytes{1, 0}));
}

TEST(LocatorStoredForm, MalformedDataRaisesAndLeavesTheLocatorAsItWas) {
  test::TempDir dir;
  dir.Folder("kept");
  TIdListPtr folder;
  ASSERT_EQ(ShellGetIdListFromPath(dir / "kept", folder), S_OK);
  const Bytes good = ListBytes(folder.Get());
  const std::uint32_t n = static_cast<std::uint32_t>(good.size());

  Bytes pastEnd = good;  // the first item claims more bytes than the block has
  pastEnd[0] = static_cast<std::uint8_t>(n + 10);
  pastEnd[1] = 0;
  Bytes noTerminator = good;  // the last two bytes are not the terminator
  noTerminator[n - 2] = 4;
  Bytes oneByteItem = good;  // an item size of 1 can never advance
  oneByteItem[0] = 1;
  oneByteItem[1] = 0;
  Bytes earlyEnd = good;  // a terminator before the end leaves bytes nobody owns
  earlyEnd.insert(earlyEnd.end(), {0, 0});

  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"empty block", {}},
      {"kind only", {0}},
      {"length cut short", {0, 22, 0}},
      {"special folder without its value", {1}},
      {"special folder out of range", {1, 29}},
      {"length beyond the bytes", Stored(n + 4, good)},
      {"length short of the bytes", Stored(n - 2, good)},
      {"truncated list", Stored(n, Bytes(good.begin(), good.begin() + 6))},
      {"length of one", Stored(1, {0})},
      {"item past the end", Stored(n, pastEnd)},
      {"no terminator", Stored(n, noTerminator)},
      {"item of one byte", Stored(n, oneByteItem)},
      {"terminator too early", Stored(n + 2, earlyEnd)},
  };
  for (const auto& [what, bytes] : cases) {
    TZQShellLocator loc;
    loc.SetIdList(folder.Get());
    int changes = 0;
    loc.OnChange = [&](TObject*) { ++changes; };
    const auto before = test::StoredBytes(loc);
    try {
      test::ReadBytes(loc, bytes);
      ADD_FAILURE() << what << ": accepted";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), "Stream read error") << what;
    }
    EXPECT_EQ(test::StoredBytes(loc), before) << what;
    EXPECT_EQ(changes, 0) << what;
    EXPECT_EQ(loc.GetPathName(), dir / "kept") << what;
  }
}
