// A small benchmark harness: each figure is the best of a few runs, printed as
// one line "name value unit" for the tables of the README and the issue notes.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "korvane/shell/Uzqshellutils.h"

namespace korvane::bench {

// Seconds of the fastest of runs calls.
template <class F>
double BestSeconds(int runs, F&& f) {
  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    const double s = static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart);
    if (s < best) best = s;
  }
  return best;
}

// The middle value (the mean of the two middle ones for an even count). A
// ratio is the median of the ratios of runs made side by side, not the best of
// one side over the best of the other, which can come from different spells
// of a machine whose speed drifts.
inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t m = v.size() / 2;
  return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

// Bytes in use on every heap of the process. Under Wine a walk now and then
// never ends (busy in RtlWalkHeap for minutes); such a walk is given up after
// a few seconds and done again.
inline std::size_t HeapBytes() {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const ULONGLONG deadline = GetTickCount64() + 5000;
    HANDLE heaps[64];
    DWORD n = GetProcessHeaps(64, heaps);
    if (n > 64) n = 64;
    std::size_t used = 0;
    bool finished = true;
    for (DWORD i = 0; i < n && finished; ++i) {
      PROCESS_HEAP_ENTRY e = {};
      HeapLock(heaps[i]);
      for (unsigned long count = 0; HeapWalk(heaps[i], &e); ++count) {
        if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += e.cbData;
        if ((count & 0x3FF) == 0 && GetTickCount64() > deadline) {
          finished = false;
          break;
        }
      }
      HeapUnlock(heaps[i]);
    }
    if (finished) return used;
    std::fprintf(stderr, "a heap walk did not end within 5 s: walked again\n");
  }
  return 0;
}

// The order of two items of g_sortFolder by its CompareIDs on the first column.
inline IShellFolder* g_sortFolder = nullptr;
inline int CALLBACK CompareBare(LPARAM a, LPARAM b, LPARAM) {
  const HRESULT hr =
      g_sortFolder->CompareIDs(0, reinterpret_cast<PCUIDLIST_RELATIVE>(a), reinterpret_cast<PCUIDLIST_RELATIVE>(b));
  return static_cast<short>(HRESULT_CODE(hr));
}

// A bare fill's seconds, and the heap bytes in use with its items shown (when measured).
struct TBareRun {
  double seconds;
  std::size_t heap;
};

// The folder at path bound from the desktop, and its items of the kinds flags asks for in keep.
inline TComPtr<IShellFolder> EnumerateBare(const std::string& path, SHCONTF flags, std::vector<TIdListPtr>& keep) {
  TIdListPtr list;
  TComPtr<IShellFolder> folder;
  ShellGetIdListFromPath(path, list);
  ShellGetFolderFromIdList(list.Get(), folder);
  TComPtr<IEnumIDList> items;
  folder->EnumObjects(nullptr, flags, items.Put());
  keep.clear();
  PITEMID_CHILD child = nullptr;
  while (items->Next(1, &child, nullptr) == S_OK) keep.emplace_back(child);
  return folder;
}

// Seconds of a bare enumeration of the folder (EnumObjects and Next).
inline double BareEnumeration(const std::string& path) {
  TIdListPtr list;
  TComPtr<IShellFolder> folder;
  ShellGetIdListFromPath(path, list);
  ShellGetFolderFromIdList(list.Get(), folder);
  return BestSeconds(1, [&] {
    TComPtr<IEnumIDList> items;
    folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.Put());
    PITEMID_CHILD child = nullptr;
    while (items->Next(1, &child, nullptr) == S_OK) CoTaskMemFree(child);
  });
}

// What this program prints when started again with args, or "" when it cannot start.
inline std::string RunSelf(const std::string& args) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return std::string();
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = write;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::string line = "\"" + std::string(exe) + "\" " + args;
  PROCESS_INFORMATION pi = {};
  const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(write);
  std::string out;
  if (started) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(read);
  return out;
}

inline void Report(const char* name, double value, const char* unit) {
  std::printf("%-44s %12.3f %s\n", name, value, unit);
  std::fflush(stdout);  // a pipe buffers everything to the end otherwise
}

// A folder of the benchmark data made on the Linux side before Wine starts
// (creating files through Wine costs milliseconds each), as a Windows path.
inline std::string DataFolder(const char* name) {
  const char* root = std::getenv("KORVANE_BENCH_DATA");
  if (!root || !*root) return std::string();
  std::string path = std::string("Z:") + root + "/" + name;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

}  // namespace korvane::bench
