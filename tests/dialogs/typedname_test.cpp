#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/dialogs/chosenfile.h"
#include "korvane/dialogs/typedname.h"
#include "korvane/host/Dialogs.h"
#include "tests/support/TempDir.h"

using namespace korvane;

TEST(TypedNames, QuotedNamesSplitAndTheRestStaysOneName) {
  using V = std::vector<std::string>;
  const struct {
    const char* text;
    V names;
  } cases[] = {
      {"plain name.txt ", {"plain name.txt "}},  // no quote: the text as it is
      {"\"a b.txt\" \"c.txt\"", {"a b.txt", "c.txt"}},
      {"  \t\"one\"", {"one"}},
      {"lead \"quoted\" tail  ", {"lead", "quoted", "tail"}},
      {"\"\" \"   \"", {}},  // all blank
      {"\"open", {"open"}},  // the end finishes a name
  };
  for (const auto& c : cases) EXPECT_EQ(ZQSplitTypedNames(c.text, 1252), c.names) << c.text;
  // Code page 932: 0x95 0x5C and 0x83 0x7C are whole characters, their trail bytes "\" and "|".
  EXPECT_EQ(ZQSplitTypedNames("\"\x95\x5C\" \"\x83\x7C\"", 932), (V{"\x95\x5C", "\x83\x7C"}));
}

TEST(TypedNames, EachNameIsCheckedAsAFileName) {
  using C = TZQNameCheck;
  const struct {
    const char* name;
    C check;
  } cases[] = {
      {"name.txt", C::Valid},           {"C:\\dir\\x", C::Valid},       {"\\\\server\\share\\x", C::Valid},
      {"..\\x.txt", C::Valid},         {"sub\\*.txt", C::Valid},         {"a/b", C::Invalid},
      {"a<b", C::Invalid},              {"a>b", C::Invalid},              {"a|b", C::Invalid},
      {"dir\\\\x", C::Invalid},       {"*\\x.txt", C::Invalid},         {"a.txt:stream", C::Invalid},
      {"sub\\C:x", C::Invalid},         {"1:x", C::Invalid},              {"tab\there", C::Invalid},
      {"trailing.", C::Invalid},        {"trailing ", C::Invalid},        {"dir.\\x", C::Invalid},
      {"CON", C::ReservedDevice},       {"nul.txt", C::ReservedDevice},   {"sub\\com7.log", C::ReservedDevice},
      {"LPT9", C::ReservedDevice},      {"COM0", C::Valid},               {"console.txt", C::Valid},
  };
  for (const auto& c : cases) EXPECT_EQ(ZQCheckTypedName(c.name, 1252), c.check) << c.name;
  EXPECT_EQ(ZQCheckTypedName("\x83\x7C\x95\x5C.txt", 932), C::Valid);  // trail bytes are not characters
}

TEST(TypedNames, ResolvedAgainstTheFolderShown) {
  const struct {
    const char* name;
    const char* base;
    const char* full;
  } cases[] = {
      {"", "C:\\work", ""},
      {"a.txt", "C:\\work", "C:\\work\\a.txt"},
      {"a.txt", "C:\\work\\", "C:\\work\\a.txt"},
      {"a.txt", "C:\\", "C:\\a.txt"},
      {"sub\\a.txt", "C:\\work", "C:\\work\\sub\\a.txt"},
      {".\\a.txt", "C:\\work", "C:\\work\\a.txt"},
      {"..\\a.txt", "C:\\work\\deep", "C:\\work\\a.txt"},
      {"...\\a.txt", "C:\\work\\deep", "C:\\a.txt"},
      {"..\\..\\..\\a.txt", "C:\\work", "C:\\a.txt"},  // never above the drive's root
      {"sub\\\\ignored", "C:\\work", "C:\\work\\sub"},  // an empty component ends the walk
      {"D:", "C:\\work", "D:\\"},
      {"D:\\x\\y.txt", "C:\\work", "D:\\x\\y.txt"},
      {"\\top.txt", "C:\\work", "C:\\top.txt"},
      {"\\top.txt", "\\\\srv\\share\\dir", "\\\\srv\\share\\top.txt"},
      {"..\\..\\a", "\\\\srv\\share\\dir", "\\\\srv\\share\\a"},  // never above the share
      {"\\\\other\\s\\f", "C:\\work", "\\\\other\\s\\f"},
      {"a.txt", "C:\\", "C:\\a.txt"},
      {"..\\x.txt", "C:\\", "C:\\x.txt"},  // not out of the root
      {"D:rest\\x", "D:\\work", "D:\\work\\rest\\x"},  // a drive-relative name on base's drive
      {"D:rest", "C:\\work", "D:\\rest"},  // on another drive: from its root
      {"\\top.txt", "", ""},  // no base (a virtual folder): only drive and UNC names
      {"a.txt", "", ""},
      {"D:\\x.txt", "", "D:\\x.txt"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ZQResolveTypedName(c.name, c.base, 1252), c.full) << c.name << " in " << c.base;
  // A trail byte "\" does not split a component.
  EXPECT_EQ(ZQResolveTypedName("\x95\x5C\\..\\x", "C:\\w", 932), "C:\\w\\x");
  EXPECT_EQ(ZQResolveTypedName("\x95\x5C.txt", "C:\\w", 932), "C:\\w\\\x95\x5C.txt");
}

TEST(TypedNames, TheDefaultExtension) {
  const auto registered = [](const std::string& ext) { return ext == ".doc"; };
  const struct {
    const char* full;
    const char* ext;
    const char* result;
    bool different;
  } cases[] = {
      {"C:\\w\\report", "txt", "C:\\w\\report.txt", false},
      {"C:\\w\\report.", "txt", "C:\\w\\report.txt", false},
      {"C:\\w\\report.doc", "txt", "C:\\w\\report.doc", true},    // a registered type stays
      {"C:\\w\\report.TXT", "txt", "C:\\w\\report.TXT", false},   // already the default
      {"C:\\w\\report.v2", "txt", "C:\\w\\report.v2.txt", false}, // not registered: appended
      {"C:\\w.d\\report", "txt", "C:\\w.d\\report.txt", false},   // a dot in the folder is no extension
      {"C:\\w\\report.v2", "", "C:\\w\\report.v2", true},         // no default: nothing changes
  };
  for (const auto& c : cases) {
    bool different = true;
    EXPECT_EQ(ZQApplyDefaultExt(c.full, c.ext, registered, different), c.result) << c.full;
    EXPECT_EQ(different, c.different) << c.full;
  }
  // The system's own registrations: a type every prefix has, and one nobody registers.
  EXPECT_TRUE(ZQIsRegisteredExtension(".lnk"));
  EXPECT_FALSE(ZQIsRegisteredExtension(".korvane-none"));
}

TEST(TypedNames, AChosenFileAgainstTheOptions) {
  test::TempDir dir;
  const std::string plain = dir.File("plain.txt"), locked = dir.File("locked.txt", 0, FILE_ATTRIBUTE_READONLY);
  const std::string missing = dir / "missing.txt";
  const struct {
    std::string file;
    TZQOpenOptions options;
    int answer;               // the user's answer to a question
    const char* asked;        // the start of the text shown, empty: nothing shown
    bool accepted;
  } cases[] = {
      {plain, {}, IDYES, "", true},
      {locked, {zqofNoReadOnlyReturn}, IDOK, "This file exists with Read Only", false},
      {locked, {zqofOverwritePrompt}, IDYES, " already exists.", true},  // read-only alone refuses nothing
      {plain, {zqofOverwritePrompt}, IDNO, " already exists.", false},
      {missing, {zqofFileMustExist, zqofCreatePrompt}, IDOK, "File not found.", false},
      {missing, {zqofCreatePrompt}, IDYES, "This file does not exist.", true},
      {missing, {zqofCreatePrompt}, IDNO, "This file does not exist.", false},
      {missing, {}, IDYES, "", true},
  };
  for (const auto& c : cases) {
    std::string shown, title;
    SetMessageDlgHandler([&](const std::string& caption, const std::string& text, UINT) {
      title = caption;
      shown = text;
      return c.answer;
    });
    EXPECT_EQ(ZQCheckChosenFile(c.file, c.options, "Save As"), c.accepted) << c.file << " " << c.asked;
    EXPECT_NE(shown.find(c.asked), std::string::npos) << shown;
    EXPECT_EQ(shown.empty(), !*c.asked) << shown;
    if (shown.empty()) continue;
    EXPECT_EQ(title, "Save As");
    // The create question names the file alone; the others the full path.
    const bool create = c.file == missing && !c.options.Contains(zqofFileMustExist);
    EXPECT_EQ(shown.rfind(create ? std::string("missing.txt\n") : c.file, 0), 0u) << shown;
  }
  SetMessageDlgHandler(nullptr);
}
