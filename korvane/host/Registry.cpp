#include "korvane/host/Registry.h"

#include <vector>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Strings.h"

namespace korvane {
namespace {

TRegDataType DataTypeOf(DWORD type) {
  switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
  }
}

[[noreturn]] void Fail(const char* what, const std::string& name) {
  throw ERegistryException(std::string(what) + " '" + name + "'");
}

}  // namespace

TRegistry::TRegistry() = default;
TRegistry::TRegistry(REGSAM access) : access_(access) {}
TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY value) {
  if (root_ == value) return;
  CloseKey();
  root_ = value;
}

void TRegistry::CloseKey() {
  if (current_) RegCloseKey(current_);
  current_ = nullptr;
  currentPath_.clear();
}

HKEY TRegistry::BaseFor(const std::string& key, std::string& relative) const {
  relative = key;
  if (!relative.empty() && relative[0] == '\\') {
    relative.erase(0, 1);
    return root_;
  }
  return current_ ? current_ : root_;
}

void TRegistry::ChangeKey(HKEY key, const std::string& path) {
  std::string full = path;
  if (!full.empty() && full[0] == '\\') full.erase(0, 1);
  else if (current_ && !currentPath_.empty()) full = currentPath_ + "\\" + full;
  CloseKey();
  current_ = key;
  currentPath_ = full;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::string rel;
  const HKEY base = BaseFor(key, rel);
  HKEY result = nullptr;
  LONG rc;
  if (canCreate && !rel.empty())
    rc = RegCreateKeyExA(base, rel.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr, &result, nullptr);
  else
    rc = RegOpenKeyExA(base, rel.c_str(), 0, access_, &result);
  if (rc != ERROR_SUCCESS) return false;
  ChangeKey(result, key);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  const REGSAM saved = access_;
  access_ = KEY_READ;
  const bool ok = OpenKey(key, false);
  access_ = saved;
  return ok;
}

bool TRegistry::CreateKey(const std::string& key) {
  std::string rel;
  const HKEY base = BaseFor(key, rel);
  HKEY result = nullptr;
  if (RegCreateKeyExA(base, rel.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &result,
                      nullptr) != ERROR_SUCCESS)
    throw ERegistryException("Failed to create key " + key);
  RegCloseKey(result);
  return true;
}

bool TRegistry::KeyExists(const std::string& key) {
  std::string rel;
  const HKEY base = BaseFor(key, rel);
  HKEY result = nullptr;
  if (RegOpenKeyExA(base, rel.c_str(), 0, KEY_READ, &result) != ERROR_SUCCESS) return false;
  RegCloseKey(result);
  return true;
}

static bool DeleteTree(HKEY base, const std::string& rel) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(base, rel.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
  char name[256];
  for (;;) {
    DWORD len = sizeof name;
    if (RegEnumKeyExA(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (!DeleteTree(key, name)) break;
  }
  RegCloseKey(key);
  return RegDeleteKeyA(base, rel.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::DeleteKey(const std::string& key) {
  std::string rel;
  const HKEY base = BaseFor(key, rel);
  return !rel.empty() && DeleteTree(base, rel);
}

bool TRegistry::ValueExists(const std::string& name) const { return GetDataSize(name) >= 0; }

bool TRegistry::DeleteValue(const std::string& name) {
  return current_ && RegDeleteValueA(current_, name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::HasSubKeys() const {
  DWORD subKeys = 0;
  return current_ &&
         RegQueryInfoKeyA(current_, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr) == ERROR_SUCCESS &&
         subKeys > 0;
}

void TRegistry::GetKeyNames(TStrings& strings) const {
  strings.Clear();
  if (!current_) return;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof name;
    if (RegEnumKeyExA(current_, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    strings.Add(std::string(name, len));
  }
}

void TRegistry::GetValueNames(TStrings& strings) const {
  strings.Clear();
  if (!current_) return;
  char name[16384];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof name;
    if (RegEnumValueA(current_, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    strings.Add(std::string(name, len));
  }
}

int TRegistry::GetDataSize(const std::string& name) const {
  DWORD size = 0, type = 0;
  if (!current_ || RegQueryValueExA(current_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return -1;
  return static_cast<int>(size);
}

TRegDataType TRegistry::GetDataType(const std::string& name) const {
  DWORD type = 0;
  if (!current_ || RegQueryValueExA(current_, name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
    return rdUnknown;
  return DataTypeOf(type);
}

void TRegistry::PutData(const std::string& name, const void* buffer, DWORD size, DWORD type) {
  if (!current_ ||
      RegSetValueExA(current_, name.c_str(), 0, type, static_cast<const BYTE*>(buffer), size) != ERROR_SUCCESS)
    Fail("Failed to set data for", name);
}

DWORD TRegistry::GetData(const std::string& name, void* buffer, DWORD size, DWORD& type) const {
  if (!current_ ||
      RegQueryValueExA(current_, name.c_str(), nullptr, &type, static_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
    Fail("Failed to get data for", name);
  return size;
}

void TRegistry::WriteBinaryData(const std::string& name, const void* buffer, int size) {
  PutData(name, buffer, static_cast<DWORD>(size), REG_BINARY);
}

int TRegistry::ReadBinaryData(const std::string& name, void* buffer, int size) const {
  const int need = GetDataSize(name);
  if (need < 0) return 0;
  const TRegDataType t = GetDataType(name);
  if ((t != rdBinary && t != rdUnknown) || need > size) Fail("Invalid data type for", name);
  DWORD type = 0;
  return static_cast<int>(GetData(name, buffer, static_cast<DWORD>(need), type));
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  PutData(name, value.c_str(), static_cast<DWORD>(value.size() + 1), REG_SZ);
}

std::string TRegistry::ReadString(const std::string& name) const {
  const int need = GetDataSize(name);
  if (need <= 0) return std::string();
  const TRegDataType t = GetDataType(name);
  if (t != rdString && t != rdExpandString) Fail("Invalid data type for", name);
  std::vector<char> buf(static_cast<std::size_t>(need) + 1, '\0');
  DWORD type = 0;
  GetData(name, buf.data(), static_cast<DWORD>(need), type);
  return std::string(buf.data());
}

void TRegistry::WriteInteger(const std::string& name, int value) {
  const DWORD v = static_cast<DWORD>(value);
  PutData(name, &v, sizeof v, REG_DWORD);
}

int TRegistry::ReadInteger(const std::string& name) const {
  if (GetDataType(name) != rdInteger) Fail("Invalid data type for", name);
  DWORD v = 0, type = 0;
  GetData(name, &v, sizeof v, type);
  return static_cast<int>(v);
}

}  // namespace korvane
