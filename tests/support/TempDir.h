// A fresh folder tree under the system's temporary folder for one test,
// created and removed through Win32.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace korvane::test {

class TempDir {
public:
  TempDir();
  // A folder stem<pid>-<n> in parent instead: an 8.3 stem gives names the shell
  // never has to shorten.
  TempDir(const std::string& parent, const std::string& stem);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder's path, without a trailing backslash.
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  // Creates a file (and its folders) of size bytes; answers its path.
  std::string File(const std::string& name, std::uint64_t size = 0, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
  std::string Folder(const std::string& name, DWORD attributes = 0);

private:
  std::string path_;
};

// Removes a folder tree, read-only items included.
void RemoveTree(const std::string& path);

}  // namespace korvane::test
