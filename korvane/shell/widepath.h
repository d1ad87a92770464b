// A path in the wide form the shell's COM calls take, limited to MAX_PATH
// characters. A longer path is refused rather than cut, so that it can never
// name another item.
#pragma once
#include <windows.h>

#include <string>

namespace korvane {

class TWidePath {
public:
  HRESULT Assign(const std::string& path) {
    buf_[0] = 0;
    if (path.empty()) return S_OK;
    const int n = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), buf_, MAX_PATH - 1);
    if (n <= 0) {
      const DWORD err = GetLastError();
      return HRESULT_FROM_WIN32(err == ERROR_INSUFFICIENT_BUFFER ? ERROR_FILENAME_EXCED_RANGE : err);
    }
    buf_[n] = 0;
    return S_OK;
  }
  wchar_t* Data() { return buf_; }

private:
  wchar_t buf_[MAX_PATH];
};

}  // namespace korvane
