#include <gtest/gtest.h>

#include "host/Exceptions.h"
#include "host/Strings.h"
#include "shell/Uzqshellutils.h"

using namespace korvane;

namespace {
std::string Args(const std::string& line) {
  TStringList out;
  ParametizeCmdLineDB(line, out);
  std::string joined;
  for (int i = 0; i < out.GetCount(); ++i) joined += "<" + out.Get(i) + ">";
  return joined;
}
}  // namespace

TEST(DoubleByteHelpers, TrailingCharAndTrim) {
  EXPECT_EQ(EnsureTrailingCharDB("", '\\'), "");
  EXPECT_EQ(EnsureTrailingCharDB("C:\\dir\\", '\\'), "C:\\dir\\");
  EXPECT_EQ(EnsureTrailingCharDB("C:\\dir", '\\'), "C:\\dir\\");
  EXPECT_EQ(TrimRightDB("name \t\r\n"), "name");
  EXPECT_EQ(TrimRightDB("   "), "");
  std::string dest;
  int pos = 2;
  CopyCharDB(pos, "abc", dest);
  EXPECT_EQ(dest, "b");
  EXPECT_EQ(pos, 3);
  pos = 9;
  CopyCharDB(pos, "abc", dest);  // past the end: nothing
  EXPECT_EQ(dest, "b");
}

TEST(DoubleByteHelpers, CommandLineSplitting) {
  EXPECT_EQ(Args("open \"two words\" last"), "<open><two words><last>");
  EXPECT_EQ(Args("\"\""), "");
  EXPECT_EQ(Args("  \t "), "");
  EXPECT_EQ(Args("a\tb  c"), "<a><b><c>");
  EXPECT_EQ(Args("word\"quoted part\"tail"), "<word><quoted part><tail>");
  EXPECT_EQ(Args("\"unclosed quote "), "<unclosed quote>");
  EXPECT_EQ(Args("\"trailing blanks inside   \""), "<trailing blanks inside>");
  EXPECT_EQ(Args("C:\\Program Files\\x.exe"), "<C:\\Program><Files\\x.exe>");
}

TEST(FormatStrPos, PositionalInserts) {
  std::string r;
  FormatStrPos("Unable to create the folder '%2'\n\n%1", {"Access denied", "C:\\x"}, r);
  // FormatMessage stores each line feed of the format as CR LF.
  EXPECT_EQ(r, "Unable to create the folder 'C:\\x'\r\n\r\nAccess denied");
  FormatStrPos("", {"a"}, r);
  EXPECT_EQ(r, "");
  FormatStrPos("%1 and %1", {"same"}, r);
  EXPECT_EQ(r, "same and same");
  // An insert with no string reads nothing outside the given strings.
  FormatStrPos("[%1][%3][%99]", {"one"}, r);
  EXPECT_EQ(r, "[one][][]");
  std::vector<std::string> many(51, "x");
  try {
    FormatStrPos("%1", many, r);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "FormatStrPos: Too many substitution strings");
  }
  many.resize(50);
  FormatStrPos("%50", many, r);
  EXPECT_EQ(r, "x");
}
