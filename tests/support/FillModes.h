// The shell list's two ways of filling, for fixtures that run their tests in both:
// on the window's thread, and in the background (owner-data list view).
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "korvane/controls/shell/Uzqshellcontrols.h"

namespace korvane::test {

inline std::string FillModeName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "Background" : "WindowThread";
}

inline void SetFillMode(TZQCustomShellList* list, bool background) {
  TZQShellListOptions options = list->GetOptions();
  if (background)
    options.Include(zqsloBackgroundFill);
  else
    options.Exclude(zqsloBackgroundFill);
  list->SetOptions(options);
}

// The list once every item of its folder is in (at once for a fill on the window's thread).
inline TZQCustomShellList* Filled(TZQCustomShellList* list) {
  EXPECT_TRUE(list->WaitForFill(30000)) << "the fill did not end";
  return list;
}

}  // namespace korvane::test

#define KORVANE_IN_BOTH_FILL_MODES(suite) \
  INSTANTIATE_TEST_SUITE_P(, suite, ::testing::Bool(), ::korvane::test::FillModeName)
