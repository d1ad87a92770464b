#include "korvane/controls/shell/common/itemtext.h"

#include <cstring>
#include <unordered_map>

#include "korvane/host/Handles.h"
#include "korvane/host/Format.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshconsts.h"

namespace korvane {

std::string FormatFileSizeKB(std::int64_t size) {
  const std::int64_t kb = size / 1024 + (size % 1024 > 0 ? 1 : 0);
  return Format(LoadResString(SFilesizeKB), Format("%.0n", static_cast<double>(kb)));
}

TDateTime FileTimeToDateTime(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return 0;
  return SystemTimeToDateTime(st);
}

namespace {
// Size (files only) and the last write time, else the creation time.
void FindDataTexts(const WIN32_FIND_DATAA& fd, std::string& size, std::string& date) {
  if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    size = FormatFileSizeKB(static_cast<std::int64_t>(fd.nFileSizeHigh) << 32 | fd.nFileSizeLow);
  const FILETIME& when = (fd.ftLastWriteTime.dwLowDateTime == 0 && fd.ftLastWriteTime.dwHighDateTime == 0)
                             ? fd.ftCreationTime
                             : fd.ftLastWriteTime;
  date = FormatDateTime("ddddd t", FileTimeToDateTime(when));
}
}  // namespace

void GetFileSizeAndDate(PCItemIDList absolute, std::string& size, std::string& date) {
  size.clear();
  date.clear();
  const std::string path = ShellGetPathFromIdList(absolute);
  if (path.size() <= 3) return;  // a drive root, or no file-system path
  WIN32_FIND_DATAA fd;
  TFindHandle find(FindFirstFileA(path.c_str(), &fd));
  if (find) FindDataTexts(fd, size, date);
}

namespace {
// Type names by upper-cased extension ("\\" for folders), as the shell gives them for an item.
std::unordered_map<std::string, std::string>& TypeNames() {
  static std::unordered_map<std::string, std::string> names;  // the user-interface thread's only
  return names;
}

std::string TypeKey(const WIN32_FIND_DATAA& fd) {
  if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return "\\";
  const char* dot = std::strrchr(fd.cFileName, '.');
  return dot ? AnsiUpperCase(dot) : std::string();
}
}  // namespace

void FlushFileTypeNames() { TypeNames().clear(); }

bool FileTypeKey(IShellFolder* folder, PCItemIDList relative, std::string& key) {
  WIN32_FIND_DATAA fd = {};
  if (!folder || FAILED(SHGetDataFromIDListA(folder, relative, SHGDFIL_FINDDATA, &fd, sizeof fd)) || !fd.cFileName[0])
    return false;
  key = TypeKey(fd);
  return true;
}

void AddFileTypeNames(std::vector<std::pair<std::string, std::string>>& names) {
  for (auto& [key, name] : names) TypeNames().emplace(std::move(key), std::move(name));
  names.clear();
}

bool GetFileDetailsInFolder(IShellFolder* folder, PCItemIDList folderAbsolute, PCItemIDList relative,
                            std::string& size, std::string& date, std::string& type) {
  WIN32_FIND_DATAA fd = {};
  if (!folder || FAILED(SHGetDataFromIDListA(folder, relative, SHGDFIL_FINDDATA, &fd, sizeof fd)) || !fd.cFileName[0])
    return false;
  size.clear();
  date.clear();
  FindDataTexts(fd, size, date);
  const std::string key = TypeKey(fd);
  const auto known = TypeNames().find(key);
  if (known != TypeNames().end()) {
    type = known->second;
    return true;
  }
  IMalloc* m = ShellIMalloc();
  const TIdListPtr absolute(ConcatIdLists(m, folderAbsolute ? folderAbsolute : EmptyIdList(), relative), m);
  if (!absolute) return false;
  GetFileTypeName(absolute.Get(), SFGAO_FILESYSTEM, type);
  TypeNames().emplace(key, type);
  return true;
}

void GetFileTypeName(PCItemIDList absolute, ULONG attributes, std::string& type) {
  if (!(attributes & SFGAO_FILESYSTEM)) {
    type = LoadResString(SSystemFolder);
    return;
  }
  SHFILEINFOA info = {};
  if (SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute), 0, &info, sizeof info, SHGFI_TYPENAME | SHGFI_PIDL))
    type.assign(info.szTypeName, strnlen(info.szTypeName, sizeof info.szTypeName));
  else
    type.clear();
}

void GetFileDetails(PCItemIDList absolute, ULONG attributes, std::string& size, std::string& date,
                    std::string& type) {
  GetFileSizeAndDate(absolute, size, date);
  GetFileTypeName(absolute, attributes, type);
}

}  // namespace korvane
