// shellinfo: resolves shell locations the way the components do and prints
// what the shell says of each.
//   shellinfo                 the desktop and every special folder 0..28
//   shellinfo PATH|csidlX...  each argument: a path or a special-folder name
#include <cstdio>
#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Persistent.h"
#include "korvane/host/Streams.h"

using namespace korvane;

namespace {

std::string Hex(const void* data, std::size_t size) {
  std::string out;
  const auto* p = static_cast<const unsigned char*>(data);
  char buf[4];
  for (std::size_t i = 0; i < size; ++i) {
    std::snprintf(buf, sizeof buf, "%02X", p[i]);
    out += buf;
  }
  return out;
}

// The bytes the locator stores for its "Pidl" property (empty when it stores none).
class TPidlCapture : public TFiler {
public:
  void DefineBinaryProperty(const std::string&, TStreamProc, TStreamProc write, bool hasData) override {
    if (hasData) write(bytes);
    stored = hasData;
  }
  TMemoryStream bytes;
  bool stored = false;
};

void Show(const std::string& title, TZQShellLocator& loc) {
  PItemIDList list = loc.GetIdList();
  TPidlCapture pidl;
  TFilerAccess::DefineProperties(loc, pidl);
  const TCSIDL found = ShellFindCSIDLFromIdList(list);
  std::printf("== %s\n", title.c_str());
  std::printf("  id list      : %s\n", list ? Hex(list, static_cast<std::size_t>(IdListLen(list))).c_str() : "(nil: desktop)");
  std::printf("  path         : %s\n", loc.GetPathName().c_str());
  std::printf("  normal name  : %s\n", ShellGetFriendlyNameFromIdList(nullptr, list, zqfnNormal).c_str());
  std::printf("  in folder    : %s\n", ShellGetFriendlyNameFromIdList(nullptr, list, zqfnInFolder).c_str());
  std::printf("  for parsing  : %s\n", ShellGetFriendlyNameFromIdList(nullptr, list, zqfnForParsing).c_str());
  std::printf("  small icon   : %d\n", ShellGetIconIndex(list, SHGFI_SMALLICON));
  std::printf("  special      : %s\n", CSIDLNames()[found].c_str());
  std::printf("  stored Pidl  : %s\n",
              pidl.stored ? Hex(pidl.bytes.Memory(), pidl.bytes.Bytes().size()).c_str() : "(nothing stored)");
}

int CSIDLFromName(const std::string& name) {
  const auto& names = CSIDLNames();
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    TZQShellLocator desktop;
    Show("desktop (a new locator)", desktop);
    for (int v = csidlDesktop; v <= csidlNone; ++v) {
      TZQShellLocator loc;
      loc.SetCSIDL(static_cast<TCSIDL>(v));
      if (!loc.GetIdList() && v != csidlDesktop) {
        std::printf("== %s (%d)\n  (the shell does not resolve it)\n", CSIDLNames()[v].c_str(), v);
        continue;
      }
      Show(CSIDLNames()[v] + " (" + std::to_string(v) + ")", loc);
    }
    return 0;
  }
  int failures = 0;
  for (const std::string& a : args) {
    TZQShellLocator loc;
    const int csidl = CSIDLFromName(a);
    if (csidl >= 0) {
      loc.SetCSIDL(static_cast<TCSIDL>(csidl));
    } else {
      TIdListPtr parsed;
      const HRESULT hr = ShellGetIdListFromPath(a, parsed);
      if (hr != S_OK) {
        std::printf("== %s\n  not found (0x%08lX)\n", a.c_str(), static_cast<unsigned long>(hr));
        ++failures;
        continue;
      }
      loc.SetIdList(parsed.Get());
    }
    Show(a, loc);
  }
  return failures ? 1 : 0;
}
