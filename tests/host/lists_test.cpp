#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Lists.h"
#include "korvane/host/Strings.h"

using namespace korvane;

namespace {
void* P(std::intptr_t v) { return reinterpret_cast<void*>(v); }
int ByValue(void* a, void* b) {
  return static_cast<int>(reinterpret_cast<std::intptr_t>(a) - reinterpret_cast<std::intptr_t>(b));
}
std::mt19937 rng(7);
int Random(void*, void*) { return static_cast<int>(rng() % 3) - 1; }
int Always(void*, void*) { return -1; }
}  // namespace

TEST(TList, BoundsErrorsNameTheIndex) {
  TList l;
  l.Add(P(1));
  try {
    l.Get(5);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (5)");
  }
  EXPECT_THROW(l.Delete(-1), EListError);
  EXPECT_THROW(l.Insert(3, nullptr), EListError);
  l.Insert(1, P(2));  // at the end is allowed
  EXPECT_EQ(l.GetCount(), 2);
  EXPECT_EQ(l.Remove(P(9)), -1);
  EXPECT_EQ(l.Remove(P(1)), 0);
  EXPECT_EQ(l.Get(0), P(2));
}

TEST(TList, SortsAndSurvivesInconsistentComparers) {
  TList l;
  for (int v : {5, 3, 9, 1, 7, 3, 0, 8}) l.Add(P(v));
  l.Sort(ByValue);
  for (int i = 1; i < l.GetCount(); ++i) EXPECT_LE(ByValue(l.Get(i - 1), l.Get(i)), 0);
  // A comparer that contradicts itself must neither run outside the list nor lose items.
  TList big;
  for (int i = 0; i < 500; ++i) big.Add(P(i + 1));
  big.Sort(Random);
  big.Sort(Always);
  std::int64_t sum = 0;
  for (int i = 0; i < big.GetCount(); ++i) sum += reinterpret_cast<std::intptr_t>(big.Get(i));
  EXPECT_EQ(sum, 500 * 501 / 2);
}

TEST(TStringList, SortedDuplicateRules) {
  TStringList s;
  s.SetSorted(true);
  EXPECT_EQ(s.GetDuplicates(), dupIgnore);
  s.Add("pear");
  s.Add("Apple");
  s.Add("fig");
  EXPECT_EQ(s.Add("APPLE"), 0);  // ignored, answers the existing index
  EXPECT_EQ(s.GetCount(), 3);
  EXPECT_EQ(s.GetText(), "Apple\r\nfig\r\npear\r\n");
  s.SetDuplicates(dupError);
  try {
    s.Add("fig");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  s.SetDuplicates(dupAccept);
  s.Add("fig");
  EXPECT_EQ(s.GetCount(), 4);
  EXPECT_THROW(s.Insert(0, "x"), EStringListError);
  int index = -1;
  EXPECT_FALSE(s.Find("grape", index));
  EXPECT_EQ(index, 3);  // insertion point after both figs
  EXPECT_EQ(s.IndexOf("PEAR"), 3);
}

TEST(TStringList, ObjectsOwnershipAndChangeEvents) {
  struct Counted : TObject {
    explicit Counted(int& n) : n_(n) {}
    ~Counted() override { ++n_; }
    int& n_;
  };
  int freed = 0, changes = 0;
  {
    TStringList s;
    s.SetOwnsObjects(true);
    s.OnChange = [&](TObject*) { ++changes; };
    s.AddObject("a", new Counted(freed));
    s.AddObject("b", new Counted(freed));
    s.AddObject("c", new Counted(freed));
    EXPECT_EQ(changes, 3);
    s.Delete(1);
    EXPECT_EQ(freed, 1);
    s.BeginUpdate();
    s.Add("d");
    s.Add("e");
    s.EndUpdate();
    EXPECT_EQ(changes, 5);  // one for the whole update
  }
  EXPECT_EQ(freed, 3);
}

TEST(TStringList, TextSplitsOnEveryLineBreakKind) {
  TStringList s;
  s.SetText("one\r\ntwo\nthree\rfour");
  ASSERT_EQ(s.GetCount(), 4);
  EXPECT_EQ(s.Get(3), "four");
  TStringList copy;
  copy.Assign(&s);
  EXPECT_EQ(copy.GetText(), s.GetText());
}

TEST(TSet, MembersAreBitsOfTheMask) {
  enum TColorE : std::uint8_t { cRed, cGreen, cBlue, cAlpha = 9 };
  using TColors = TSet<TColorE>;
  TColors s = {cRed, cBlue, cAlpha};
  EXPECT_EQ(s.Mask(), (1u << 0) | (1u << 2) | (1u << 9));
  EXPECT_TRUE(s.Contains(cBlue));
  EXPECT_FALSE(s.Contains(cGreen));
  EXPECT_EQ(TColors::FromMask(955).Mask(), 955u);  // bits 0,1,3,4,5,7,8,9
  EXPECT_TRUE(TColors::FromMask(955).Contains(cAlpha));
  EXPECT_EQ((s - TColors{cRed}).Mask(), s.Mask() & ~1u);
  EXPECT_EQ((s * TColors{cRed, cGreen}), TColors{cRed});
  EXPECT_TRUE(TColors{cRed} <= s);
  EXPECT_FALSE(TColors{cGreen} <= s);
  s.Exclude(cAlpha).Include(cGreen);
  EXPECT_EQ(s, (TColors{cRed, cGreen, cBlue}));
  EXPECT_TRUE(TColors{}.Empty());
}
