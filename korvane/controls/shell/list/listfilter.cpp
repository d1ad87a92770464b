// The file filter: patterns separated by ";" are searched in the folder with
// the file system's own wildcard rules; the names found, upper-cased, admit
// files. Folders always pass; a folder without a file-system path is not filtered.
#include "korvane/controls/shell/list/shelllist.h"

#include "korvane/host/Handles.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

namespace {
// A pattern names files of this directory only: no separators, no drive. Dots are plain characters
// ("two..dots.txt"); a bare ".." finds only the parent folder, which the search skips as a folder.
bool IsLocalPattern(const std::string& pattern) { return pattern.find_first_of("\\/:") == std::string::npos; }

// Adds the upper-cased names of the files dir + pattern finds.
void AddMatches(const std::string& dir, const std::string& pattern, std::unordered_set<std::string>& names) {
  const std::string query = dir + pattern;
  if (query.size() >= MAX_PATH) return;
  const UINT savedMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  WIN32_FIND_DATAA found;
  if (const TFindHandle search(FindFirstFileA(query.c_str(), &found)); search) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(AnsiUpperCase(found.cFileName));
    } while (FindNextFileA(search.Get(), &found));
  }
  SetErrorMode(savedMode);
}
}  // namespace

void TZQCustomShellList::SetFileFilter(const std::string& value) {
  if (value == fileFilter_) {
    if (value.empty()) patterns_.clear();
    return;
  }
  fileFilter_ = value;
  patterns_.clear();
  std::size_t start = 0;
  while (start <= value.size()) {
    const std::size_t end = std::min(value.find(';', start), value.size());
    if (end > start) patterns_.push_back(value.substr(start, end - start));
    start = end + 1;
  }
  if (!GetComponentState().Contains(csLoading) && options_.Contains(zqsloAutoFill)) FillItems();
}

void TZQCustomShellList::FilterPreApply() {
  FilterPostApply();
  if (fileFilter_.empty() || fileFilter_ == "*" || fileFilter_ == "*.*") return;
  const std::string path = folder_->GetPathName();
  if (path.empty()) return;
  nameSet_ = std::make_unique<std::unordered_set<std::string>>();
  const std::string dir = EnsureTrailingCharDB(path, '\\');
  // A pattern that fails or reaches outside the folder adds nothing; the others still count.
  for (const std::string& pattern : patterns_)
    if (IsLocalPattern(pattern)) AddMatches(dir, pattern, *nameSet_);
}

bool TZQCustomShellList::FilterApply(const std::string& name, ULONG attributes) {
  if (attributes & SFGAO_FOLDER) return true;
  return !nameSet_ || nameSet_->count(AnsiUpperCase(name)) > 0;
}

void TZQCustomShellList::FilterPostApply() { nameSet_.reset(); }

}  // namespace korvane
