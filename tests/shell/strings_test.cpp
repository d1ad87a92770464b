#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "korvane/shell/Uzqshconsts.h"

using namespace korvane;

TEST(StringTable, EntriesComeFromTheResourceWithTheirExactTexts) {
  EXPECT_EQ(LoadResString(SFileExistsReplace), "%s already exists.\nDo you want to replace it?");
  EXPECT_EQ(LoadResString(SThereCanBeOnlyOne),
            "More than one file has the name '%s'.\n\nChoose one from the list of files.");
  EXPECT_EQ(LoadResString(SDriveDoesNotExist),
            "Drive %c: does not exist.\nPlease verify the appropriate drive was given.");
  EXPECT_EQ(LoadResString(SRemovableDiskHasChanged),
            "A different disk is expected in drive %c:.  Please insert the appropriate disk.");
  EXPECT_EQ(LoadResString(SFilesizeKB), "%sKB");
  EXPECT_EQ(LoadResString(SFilesizeX_YBytes), "%1 (%2 bytes)");
  EXPECT_EQ(LoadResString(SSystemFolder), "System Folder");
  EXPECT_EQ(LoadResString(SAttributesChars), "RHSAC");
  EXPECT_EQ(LoadResString(SShKey_Refresh), "F5");
  EXPECT_EQ(LoadResString(SViewLargeIconsMenu), "Lar&ge Icons");
  EXPECT_EQ(LoadResString(SDialogFontName), "MS Sans Serif");
  EXPECT_EQ(SDialogFontName - SFileExistsReplace, 114u);  // 115 entries in declaration order
}

TEST(StringTable, EveryEntryIsInTheLinkedResource) {
  for (unsigned id = SFileExistsReplace; id <= SDialogFontName; ++id) {
    const wchar_t* text = nullptr;
    const int len = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    ASSERT_GT(len, 0) << id;
    // The text as the resource holds it, converted by the system.
    const int n = WideCharToMultiByte(CP_ACP, 0, text, len, nullptr, 0, nullptr, nullptr);
    std::string raw(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, len, raw.data(), n, nullptr, nullptr);
    EXPECT_EQ(LoadResString(static_cast<TZQStringId>(id)), raw) << id;
  }
  EXPECT_EQ(ZQLoadStr("any text"), "any text");
}
