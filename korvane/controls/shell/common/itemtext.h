// The texts of the details columns: size in kilobytes, modification date, type.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "korvane/host/DateTime.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

// Kilobytes rounded up, grouped by the user's locale, in SFilesizeKB: "0KB", "1KB", "2KB", "1,465KB".
std::string FormatFileSizeKB(std::int64_t size);
// A universal file time as a local date-time value.
TDateTime FileTimeToDateTime(const FILETIME& utc);
void GetFileSizeAndDate(PCItemIDList absolute, std::string& size, std::string& date);
void GetFileTypeName(PCItemIDList absolute, ULONG attributes, std::string& type);
void GetFileDetails(PCItemIDList absolute, ULONG attributes, std::string& size, std::string& date,
                    std::string& type);
// The same texts for an item of folder (whose absolute list is folderAbsolute) from what its
// identifier list carries (SHGDFIL_FINDDATA), without touching the disk: a lookup in a folder of
// many thousand files costs milliseconds under Wine. The type is the shell's answer for the item's
// own identifier list, asked once per extension (by name alone the shell may answer otherwise:
// ".txt file" for "txt file" under Wine). False when the list carries no file data (not a
// file-system item).
bool GetFileDetailsInFolder(IShellFolder* folder, PCItemIDList folderAbsolute, PCItemIDList relative,
                            std::string& size, std::string& date, std::string& type);
// Forgets the type names asked so far (a new fill asks again: associations may have changed).
void FlushFileTypeNames();
// The key the type names are kept by ("\\" for folders, else the upper-cased extension) for an item
// of folder, from the data its list carries; false when it carries none. Any thread.
bool FileTypeKey(IShellFolder* folder, PCItemIDList relative, std::string& key);
// Type names found on another thread (a fill's worker), by key; the names already known stay.
void AddFileTypeNames(std::vector<std::pair<std::string, std::string>>& names);

}  // namespace korvane
