#include "tests/support/TempDir.h"

#include "korvane/host/Handles.h"

#include <stdexcept>
#include <vector>

namespace korvane::test {

namespace {
std::string SystemTemp() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::string b = base;
  if (!b.empty() && b.back() == '\\') b.pop_back();
  return b;
}
}  // namespace

TempDir::TempDir() : TempDir(SystemTemp(), "korvane-") {}

TempDir::TempDir(const std::string& parent, const std::string& stem) {
  static unsigned counter = 0;
  for (;;) {
    path_ = parent + "\\" + stem + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + path_);
  }
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::Folder(const std::string& name, DWORD attributes) {
  const std::string p = *this / name;
  std::string partial;
  for (std::size_t i = 0; i <= p.size(); ++i) {
    if (i == p.size() || p[i] == '\\') {
      partial = p.substr(0, i);
      if (partial.size() > path_.size()) CreateDirectoryA(partial.c_str(), nullptr);
    }
  }
  if (attributes) SetFileAttributesA(p.c_str(), attributes);
  return p;
}

std::string TempDir::File(const std::string& name, std::uint64_t size, DWORD attributes) {
  if (const auto slash = name.rfind('\\'); slash != std::string::npos) Folder(name.substr(0, slash));
  const std::string p = *this / name;
  const HANDLE created = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + p);
  const TKernelHandle h(created);
  std::vector<char> chunk(64 * 1024, 'x');
  for (std::uint64_t left = size; left > 0;) {
    const DWORD n = static_cast<DWORD>(left < chunk.size() ? left : chunk.size());
    DWORD written = 0;
    if (!WriteFile(h.Get(), chunk.data(), n, &written, nullptr) || written != n)
      throw std::runtime_error("cannot write " + p);
    left -= n;
  }
  if (attributes != FILE_ATTRIBUTE_NORMAL) SetFileAttributesA(p.c_str(), attributes);
  return p;
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA fd;
  if (const TFindHandle h(FindFirstFileA((path + "\\*").c_str(), &fd)); h) {
    do {
      const std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
      else DeleteFileA(child.c_str());
    } while (FindNextFileA(h.Get(), &fd));
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(path.c_str());
}

}  // namespace korvane::test
