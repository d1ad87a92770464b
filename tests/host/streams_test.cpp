#include <gtest/gtest.h>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Persistent.h"
#include "korvane/host/Streams.h"
#include "korvane/host/Strings.h"

using namespace korvane;

TEST(TMemoryStream, ReadWriteSeekAndShortReads) {
  TMemoryStream m;
  const char data[] = "abcdef";
  m.WriteBuffer(data, 6);
  EXPECT_EQ(m.GetSize(), 6);
  m.SetPosition(4);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 2u);
  EXPECT_STREQ(buf, "ef");
  m.SetPosition(2);
  try {
    m.ReadBuffer(buf, 5);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  m.Seek(-1, soEnd);
  m.WriteBuffer("XYZ", 3);  // overwrites and grows
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.Memory()), 8), "abcdeXYZ");
  TStringStream s;
  s.CopyFrom(m, 0);
  EXPECT_EQ(s.DataString(), "abcdeXYZ");
}

TEST(TPersistent, AssignBetweenUnrelatedClassesNamesBoth) {
  TStringList strings;
  struct TThing : TPersistent {};
  TThing thing;
  try {
    thing.Assign(&strings);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TStringList to a TThing");
  }
  try {
    thing.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TThing");
  }
}
