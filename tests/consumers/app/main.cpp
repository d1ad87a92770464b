// A consumer of the installed or embedded library: resolves a folder through a
// locator and prints its display name.
#include <cstdio>

#include "korvane/controls/shell/Uzqshellcontrols.h"

using namespace korvane;

int main(int argc, char** argv) {
  TZQShellLocator folder;
  folder.SetPathName(argc > 1 ? argv[1] : "C:\\windows");
  const std::string name = ShellGetFriendlyNameFromIdList(nullptr, folder.GetIdList(), zqfnNormal);
  std::printf("%s\n", name.c_str());
  return name.empty() ? 1 : 0;
}
