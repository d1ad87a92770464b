#include <gtest/gtest.h>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Strings.h"
#include "korvane/shell/Uzqshellutils.h"

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

TEST(FormatStrPos, OnlyStringInsertsAreFilled) {
  // "!n!" would make FormatMessage write through the argument: into the caller's
  // text or a read-only empty string. Such inserts are taken literally.
  std::string text = "caller's text";
  std::string r;
  FormatStrPos("a%1!n!b", {text}, r);
  EXPECT_EQ(r, "a%1!n!b");
  EXPECT_EQ(text, "caller's text");
  FormatStrPos("%3!n!", {}, r);
  EXPECT_EQ(r, "%3!n!");
  FormatStrPos("[%1!d!][%2!*s!]", {"x", "y"}, r);
  EXPECT_EQ(r, "[%1!d!][%2!*s!]");
  FormatStrPos("[%1!s!][%2!-4s!][%%][%1]", {"x", "y"}, r);  // string inserts still work
  EXPECT_EQ(r, "[x][y   ][%][x]");
}

TEST(DoubleByteHelpers, LongInputsAreWalkedOnce) {
  // 32 767 bytes of arguments and 16 000 trailing blanks: a walk from the start
  // per byte took seconds here; the answers are checked, the speed is benchmarked.
  std::string line;
  while (line.size() < 32767) line += "arg ";
  line.resize(32767);
  TStringList args;
  ParametizeCmdLineDB(line, args);
  EXPECT_EQ(args.GetCount(), 8192);
  EXPECT_EQ(args.Get(8191), "arg");
  EXPECT_EQ(TrimRightDB("x" + std::string(16000, ' ')), "x");
}
