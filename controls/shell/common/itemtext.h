// The texts of the details columns: size in kilobytes, modification date, type.
#pragma once
#include <cstdint>
#include <string>

#include "host/DateTime.h"
#include "shell/Uzqshellutils.h"

namespace korvane {

// Kilobytes rounded up, grouped by the user's locale, in SFilesizeKB: "0KB", "1KB", "2KB", "1,465KB".
std::string FormatFileSizeKB(std::int64_t size);
// A universal file time as a local date-time value.
TDateTime FileTimeToDateTime(const FILETIME& utc);
void GetFileSizeAndDate(PCItemIDList absolute, std::string& size, std::string& date);
void GetFileTypeName(PCItemIDList absolute, ULONG attributes, std::string& type);
void GetFileDetails(PCItemIDList absolute, ULONG attributes, std::string& size, std::string& date,
                    std::string& type);
// The same texts for an item of folder from what its identifier list carries
// (SHGDFIL_FINDDATA) and its name's type, without touching the disk: a lookup
// in a folder of many thousand files costs milliseconds under Wine. False when
// the list carries no file data (not a file-system item).
bool GetFileDetailsInFolder(IShellFolder* folder, PCItemIDList relative, std::string& size, std::string& date,
                            std::string& type);

}  // namespace korvane
