#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "tests/support/BlockData.h"
#include "tests/support/TempDir.h"

using namespace korvane;

using test::Bytes;
using test::Cida;
using test::ListBytes;
using test::Put32;
using test::TBlockData;

TEST(DragAttributes, TheShellAnswersForTheItemsOfTheBlock) {
  TIdListPtr drivesList;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drivesList), S_OK);
  TIdListPtr controls;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlControls, controls), S_OK);
  TZQIdListArray levels(controls.Get());
  const Bytes last = ListBytes(levels.GetItem(levels.GetCount() - 1));
  // Control Panel below My Computer: the shell gives it none of the three bits.
  TComPtr<IShellFolder> drives;
  ASSERT_EQ(ShellGetFolderFromIdList(drivesList.Get(), drives), S_OK);
  SFGAOF expected = 7;
  PCUITEMID_CHILD child = reinterpret_cast<PCUITEMID_CHILD>(last.data());
  drives->GetAttributesOf(1, &child, &expected);
  TBlockData data(Cida(ListBytes(drivesList.Get()), {last}));
  EXPECT_EQ(GetDataObjectAttributes(&data), expected & 7);
  EXPECT_NE(expected & 7, 7u) << "pick an item the shell restricts";
  EXPECT_EQ(data.counter.Releases(), 1);  // the medium was released

  test::TempDir dir;
  dir.File("a.txt");
  dir.File("b.txt");
  TIdListPtr folder, a, b;
  ASSERT_EQ(ShellGetIdListFromPath(dir.Path(), folder), S_OK);
  ASSERT_EQ(ShellGetIdListFromPath(dir / "a.txt", a), S_OK);
  ASSERT_EQ(ShellGetIdListFromPath(dir / "b.txt", b), S_OK);
  TZQIdListArray la(a.Get()), lb(b.Get());
  TBlockData files(Cida(ListBytes(folder.Get()), {ListBytes(la.GetItem(la.GetCount() - 1)),
                                                   ListBytes(lb.GetItem(lb.GetCount() - 1))}));
  EXPECT_EQ(GetDataObjectAttributes(&files), 7u);
}

TEST(DragAttributes, WithoutTheFormatOrWithAMalformedBlockTheAnswerIsSeven) {
  TBlockData none({}, false);
  EXPECT_EQ(GetDataObjectAttributes(&none), 7u);
  EXPECT_EQ(GetDataObjectAttributes(nullptr), 7u);

  TIdListPtr drivesList, controls;
  ShellGetSpecialFolderIdList(nullptr, csidlDrives, drivesList);
  ShellGetSpecialFolderIdList(nullptr, csidlControls, controls);
  TZQIdListArray levels(controls.Get());
  const Bytes parent = ListBytes(drivesList.Get()), item = ListBytes(levels.GetItem(levels.GetCount() - 1));
  const Bytes good = Cida(parent, {item});

  Bytes hugeCount = good;
  hugeCount[0] = 0xFF, hugeCount[1] = 0xFF, hugeCount[2] = 0xFF, hugeCount[3] = 0x7F;
  Bytes offsetPastEnd = good;
  offsetPastEnd[8] = 0xF0, offsetPastEnd[9] = 0xFF;  // the item's offset
  Bytes cut(good.begin(), good.end() - 3);           // the item's list runs off the block
  Bytes unterminated = good;
  unterminated.resize(good.size() - 2);  // no terminator inside the block
  Bytes zeroSized = good;
  zeroSized[good.size() - item.size()] = 1;  // an item size of 1
  for (const Bytes& block : {Bytes{}, Bytes{1, 0}, Bytes{1, 0, 0, 0}, hugeCount, offsetPastEnd, cut,
                             unterminated, zeroSized}) {
    TBlockData data(block);
    EXPECT_EQ(GetDataObjectAttributes(&data), 7u) << block.size();
    EXPECT_EQ(data.counter.Releases(), 1);
  }
}

TEST(DragAttributes, OffsetsNearTheTopOfTheRangeAreRefusedWithoutWrapping) {
  // An 84-byte block: count 0, then a parent offset of 0xFFFFFFFF; offset + 2
  // wraps to 1 in 32-bit arithmetic, which once let the walk read before the block.
  for (std::uint32_t offset : {0xFFFFFFFFu, 0xFFFFFFFEu}) {
    Bytes block;
    Put32(block, 0);
    Put32(block, offset);
    block.resize(84, 0);
    TBlockData data(block);
    EXPECT_EQ(GetDataObjectAttributes(&data), 7u) << std::hex << offset;
    EXPECT_EQ(data.counter.Releases(), 1);
  }
}

TEST(DragAttributes, AnAbsurdItemCountIsNotAskedAbout) {
  // A 1 MB block claiming 196 611 items that all point at one valid list: the
  // offsets fit, but asking the shell about each would take tens of seconds.
  TIdListPtr drivesList;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drivesList), S_OK);
  const Bytes parent = ListBytes(drivesList.Get());
  const std::uint32_t count = 196611;
  const std::uint32_t listAt = 4 * (count + 2);
  Bytes block;
  Put32(block, count);
  Put32(block, listAt);
  for (std::uint32_t i = 0; i < count; ++i) Put32(block, listAt + static_cast<std::uint32_t>(parent.size()) - 2);
  block.insert(block.end(), parent.begin(), parent.end());
  block.resize(1 << 20, 0);
  TBlockData data(block);
  EXPECT_EQ(GetDataObjectAttributes(&data), 7u);
  EXPECT_EQ(data.counter.Releases(), 1);
}
