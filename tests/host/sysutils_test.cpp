#include <gtest/gtest.h>
#include <windows.h>

#include "korvane/host/SysUtils.h"

using namespace korvane;

namespace {
std::string LocaleSep() {
  char buf[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buf, sizeof buf);
  return buf;
}
}  // namespace

TEST(Format, SpecifiersWidthsPrecisionsAndIndexes) {
  EXPECT_EQ(Format("%d|%5d|%-5d|%.3d", 42, 42, 42, 7), "42|   42|42   |007");
  EXPECT_EQ(Format("%x %.8x", 255u, 0x1Fu), "FF 0000001F");
  EXPECT_EQ(Format("%.8x", -1), "FFFFFFFF");
  EXPECT_EQ(Format("[%s] [%6s] [%-6s] [%.2s]", "abc", "abc", "abc", "abc"), "[abc] [   abc] [abc   ] [ab]");
  EXPECT_EQ(Format("%1:s %0:s %s", std::string("a"), std::string("b")), "b a b");
  EXPECT_EQ(Format("Drive %c: here", 'D'), "Drive D: here");
  EXPECT_EQ(Format("%*d", 4, 5), "   5");
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_EQ(Format("%.2f", 3.14159), "3.14");
}

TEST(Format, GroupsThousandsWithTheUserSeparator) {
  const std::string sep = LocaleSep();
  EXPECT_EQ(Format("%.0n", 1465.0), "1" + sep + "465");
  EXPECT_EQ(Format("%.0n", 1234567.0), "1" + sep + "234" + sep + "567");
  EXPECT_EQ(Format("%.0n", 999.0), "999");
  EXPECT_EQ(Format("%.0n", 0.0), "0");
}

TEST(Format, MismatchRaisesConvertError) {
  EXPECT_THROW(Format("%d", "text"), EConvertError);
  EXPECT_THROW(Format("%s %s", "one"), EConvertError);
  EXPECT_THROW(Format("%q", 1), EConvertError);
  try {
    Format("%d", "x");
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Format '%d' invalid or incompatible with argument");
  }
}

TEST(SysErrorMessage, SystemTextWithoutTrailingPeriodOrBreak) {
  const std::string m = SysErrorMessage(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(m.empty());
  EXPECT_NE(m.back(), '.');
  EXPECT_NE(m.back(), '\n');
  EXPECT_NE(SysErrorMessage(0x80004005).size(), 0u);  // E_FAIL
}

TEST(OleCheck, RaisesOnFailureWithCodeAndSystemText) {
  EXPECT_EQ(OleCheck(S_FALSE), S_FALSE);
  try {
    OleCheck(E_OUTOFMEMORY);
    FAIL();
  } catch (const EOleSysError& e) {
    EXPECT_EQ(e.ErrorCode(), E_OUTOFMEMORY);
    EXPECT_EQ(e.Message(), SysErrorMessage(static_cast<unsigned long>(E_OUTOFMEMORY)));
  }
  EXPECT_THROW(Abort(), EAbort);
}

TEST(Strings, ConversionsAndCase) {
  EXPECT_EQ(StrToInt(" 12 "), 12);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToInt("-7"), -7);
  EXPECT_THROW(StrToInt("12x"), EConvertError);
  EXPECT_THROW(StrToInt(""), EConvertError);
  EXPECT_EQ(StrToIntDef("nope", 3), 3);
  EXPECT_EQ(IntToHex(0xABC, 6), "000ABC");
  EXPECT_EQ(AnsiUpperCase("abc\xc3\xa9"), "ABC\xc3\x89");  // UTF-8 active code page: é -> É
  EXPECT_EQ(UpperCase("abc\xc3\xa9"), "ABC\xc3\xa9");
  EXPECT_TRUE(AnsiSameText("Hello", "hELLO"));
  EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
  EXPECT_EQ(Trim("  a b \t"), "a b");
}

TEST(FileNames, SplitAndJoin) {
  EXPECT_EQ(ExtractFilePath("C:\\dir\\file.txt"), "C:\\dir\\");
  EXPECT_EQ(ExtractFileName("C:\\dir\\file.txt"), "file.txt");
  EXPECT_EQ(ExtractFileExt("C:\\dir.x\\file"), "");
  EXPECT_EQ(ExtractFileExt("C:\\dir\\file.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileDir("C:\\dir\\file.txt"), "C:\\dir");
  EXPECT_EQ(ExtractFileDir("C:\\file.txt"), "C:\\");
  EXPECT_EQ(ExtractFileDrive("C:\\dir"), "C:");
  EXPECT_EQ(ExtractFileDrive("\\\\server\\share\\dir"), "\\\\server\\share");
  EXPECT_EQ(ChangeFileExt("a\\b.txt", ".doc"), "a\\b.doc");
  EXPECT_EQ(ChangeFileExt("a.d\\b", ".doc"), "a.d\\b.doc");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:"), "C:\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\"), "C:\\");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\dir\\"), "C:\\dir");
}

TEST(StrPLCopy, CutsBeforeACharacterThatWouldNotFitWhole) {
  char buf[8];
  StrPLCopy(buf, "abcdefghij", 5);
  EXPECT_STREQ(buf, "abcde");
  StrPLCopy(buf, "ab", 5);
  EXPECT_STREQ(buf, "ab");
  // "a" then U+00E9 (C3 A9) then U+20AC (E2 82 AC): 4 bytes would split the euro sign.
  const std::string utf8 = "a\xC3\xA9\xE2\x82\xAC";
  StrPLCopy(buf, utf8, 4, CP_UTF8);
  EXPECT_STREQ(buf, "a\xC3\xA9");
  StrPLCopy(buf, utf8, 2, CP_UTF8);
  EXPECT_STREQ(buf, "a");
  StrPLCopy(buf, utf8, 6, CP_UTF8);
  EXPECT_EQ(std::string(buf), utf8);
  // Shift-JIS: 0x82 0xA0 is one character; a cut after its lead byte drops it.
  StrPLCopy(buf, "x\x82\xA0y", 2, 932);
  EXPECT_STREQ(buf, "x");
  StrPLCopy(buf, "x\x82\xA0y", 3, 932);
  EXPECT_STREQ(buf, "x\x82\xA0");
}
