// TRegistry: one open key below a root key, with typed values. Key paths
// starting with '\' are taken from the root; others from the current key.
#pragma once
#include <windows.h>

#include <string>

#include "korvane/host/System.h"

namespace korvane {

class TStrings;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
public:
  TRegistry();
  explicit TRegistry(REGSAM access);
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY GetRootKey() const { return root_; }
  void SetRootKey(HKEY value);
  HKEY GetCurrentKey() const { return current_; }
  const std::string& GetCurrentPath() const { return currentPath_; }
  REGSAM GetAccess() const { return access_; }
  void SetAccess(REGSAM value) { access_ = value; }

  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool CreateKey(const std::string& key);
  bool DeleteKey(const std::string& key);  // the key and everything below it
  bool KeyExists(const std::string& key);
  bool ValueExists(const std::string& name) const;
  bool DeleteValue(const std::string& name);
  bool HasSubKeys() const;
  void GetKeyNames(TStrings& strings) const;
  void GetValueNames(TStrings& strings) const;
  int GetDataSize(const std::string& name) const;  // -1 when missing
  TRegDataType GetDataType(const std::string& name) const;

  // Raise ERegistryException "Failed to set data for '%s'" / "Failed to get
  // data for '%s'" / "Invalid data type for '%s'".
  void WriteBinaryData(const std::string& name, const void* buffer, int size);
  int ReadBinaryData(const std::string& name, void* buffer, int size) const;  // 0 when missing
  void WriteString(const std::string& name, const std::string& value);
  std::string ReadString(const std::string& name) const;  // empty when missing
  void WriteInteger(const std::string& name, int value);
  int ReadInteger(const std::string& name) const;
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
  bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }

private:
  HKEY BaseFor(const std::string& key, std::string& relative) const;
  void ChangeKey(HKEY key, const std::string& path);
  void PutData(const std::string& name, const void* buffer, DWORD size, DWORD type);
  DWORD GetData(const std::string& name, void* buffer, DWORD size, DWORD& type) const;

  HKEY root_ = HKEY_CURRENT_USER;
  HKEY current_ = nullptr;
  std::string currentPath_;
  REGSAM access_ = KEY_ALL_ACCESS;
};

}  // namespace korvane
