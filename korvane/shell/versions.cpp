#include <vector>

#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

bool GetModuleVersion(const std::string& file, TZQModuleVersion& version) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  if (size == 0) return false;
  std::vector<std::uint8_t> buf(size);
  if (!GetFileVersionInfoA(file.c_str(), 0, size, buf.data())) return false;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(buf.data(), "\\", reinterpret_cast<void**>(&info), &len) || !info) return false;
  version.VersionLS = info->dwFileVersionLS;
  version.VersionMS = info->dwFileVersionMS;
  return true;
}

const OSVERSIONINFOA& ZQOSVersion() {
  static const OSVERSIONINFOA info = [] {
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = 148;
    GetVersionExA(&v);
    return v;
  }();
  return info;
}

const TZQModuleVersion& ZQComCtlVersion() {
  static const TZQModuleVersion version = [] {
    TZQModuleVersion v = {};
    if (!GetModuleVersion("comctl32.dll", v)) v = {};
    return v;
  }();
  return version;
}

bool IsWin95() { return ZQOSVersion().dwPlatformId == VER_PLATFORM_WIN32_WINDOWS; }
bool IsWinNT() { return ZQOSVersion().dwPlatformId == VER_PLATFORM_WIN32_NT; }
bool IsOSR2OrGreater() { return IsWin95() && (ZQOSVersion().dwBuildNumber & 0xFFFF) > 1000; }
bool HasWin95Shell() { return IsWin95() || (IsWinNT() && ZQOSVersion().dwMajorVersion >= 4); }

}  // namespace korvane
