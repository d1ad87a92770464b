#include "korvane/host/Exceptions.h"
#include "korvane/host/Format.h"
#include "korvane/host/Registry.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

void RaiseSysError(HRESULT code) {
  std::string text = SysErrorMessage(static_cast<unsigned long>(code));
  // Some codes have no system text (under Wine even 0x80040111, a failed bind): the message names the code.
  if (text.empty()) text = Format("System error %.8X", static_cast<unsigned long>(code));
  throw Exception(text);
}

namespace {
int driveInfoLock = 0;

// The default value of key's "CLSID" sub-key, when there is one.
bool ClsidSubKey(TRegistry& reg, const std::string& key, std::string& text) {
  if (!reg.OpenKeyReadOnly("\\" + key + "\\CLSID")) return false;
  text = reg.ReadString("");
  return true;
}
}  // namespace

bool ZQClsidFromFileType(const std::string& fileType, CLSID& classId) {
  if (fileType.empty()) return false;
  TRegistry reg(KEY_READ);
  reg.SetRootKey(HKEY_CLASSES_ROOT);
  if (!reg.OpenKeyReadOnly("\\" + fileType)) return false;
  std::string text;
  try {
    const std::string value = reg.ReadString("");
    if (value.size() >= 6 && SameText(value.substr(0, 6), "clsid\\")) text = value.substr(6);
    else if (!ClsidSubKey(reg, fileType, text) && !value.empty()) ClsidSubKey(reg, value, text);
  } catch (const ERegistryException&) {
    return false;  // a default value that is not text names no class
  }
  if (text.empty()) return false;
  if (text.size() > 78) text.resize(78);
  wchar_t wide[80] = {};
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 79);
  return SUCCEEDED(CLSIDFromString(wide, &classId));
}

void FlushDriveInfoCache() {
  if (driveInfoLock > 0) return;
  TIdListPtr drives;
  HRESULT hr = ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives);
  if (FAILED(hr)) RaiseSysError(hr);
  TComPtr<IShellFolder> folder;
  if (FAILED(hr = ShellGetFolderFromIdList(drives.Get(), folder))) RaiseSysError(hr);
  SFGAOF mask = SFGAO_VALIDATE;
  folder->GetAttributesOf(0, nullptr, &mask);
}

void LockFlushDriveInfoCache() { ++driveInfoLock; }
void UnlockFlushDriveInfoCache() { --driveInfoLock; }

}  // namespace korvane
