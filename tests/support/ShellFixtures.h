// Shell helpers the tests share.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "korvane/shell/Uzqshellutils.h"

namespace korvane::test {

// The absolute list of a path that must exist (a test failure otherwise).
inline TIdListPtr Parse(const std::string& path) {
  TIdListPtr list;
  EXPECT_EQ(ShellGetIdListFromPath(path, list), S_OK) << path;
  return list;
}

}  // namespace korvane::test
