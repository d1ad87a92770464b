// Free functions every component uses on the shell's item identifier lists:
// the shell allocator, list arithmetic and comparison, paths and special
// folders, display names, icon indexes and the system image list, shortcuts,
// double-byte-aware string helpers and the version facts of the running system.
// Functions answering an HRESULT never throw for shell failures; string
// helpers answer empty and icon helpers 0.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "korvane/host/System.h"
#include "korvane/shell/Uzqshell95.h"

#include <commctrl.h>

namespace korvane {

class TStrings;

// --- Vocabulary

enum TCSIDL : std::uint8_t {
  csidlDesktop, csidl_None1, csidlPrograms, csidlControls, csidlPrinters, csidlPersonal, csidlFavorites,
  csidlStartup, csidlRecent, csidlSendTo, csidlBitBucket, csidlStartMenu, csidl_None2, csidl_None3, csidl_None4,
  csidl_None5, csidlDesktopDirectory, csidlDrives, csidlNetwork, csidlNethood, csidlFonts, csidlTemplates,
  csidlCommonStartMenu, csidlCommonPrograms, csidlCommonStartup, csidlCommonDesktopDirectory, csidlAppData,
  csidlPrintHood, csidlNone
};
// "csidlDesktop" ... "csidlNone", indexed by value.
const std::vector<std::string>& CSIDLNames();

enum TZQFriendlyNameFlags : std::uint8_t { zqfnNormal, zqfnInFolder, zqfnForParsing };
enum TZQShellIconSize : std::uint8_t { zqsizSmall, zqsizLarge };

struct TZQModuleVersion {
  DWORD VersionLS;  // build and release
  DWORD VersionMS;  // major in the upper 16 bits, minor in the lower
};

enum TLinkDataOption : std::uint8_t { ldoUseDesc, ldoUseArgs, ldoUseIcon, ldoUseWorkDir, ldoUseHotKey, ldoUseShowCmd };
using TLinkDataOptions = TSet<TLinkDataOption>;

struct TLinkData {
  std::string LinkPath;
  TLinkDataOptions LinkOptions;
  std::string Description;
  std::string Arguments;
  std::string IconLocation;
  std::int32_t IconIndex = 0;
  std::string WorkingDirectory;
  std::int32_t ShowCmd = 0;
  WORD HotKey = 0;
  bool NoUI = false;
  TIdListPtr LinkIdList;  // filled only on request
  WIN32_FIND_DATAA FindData = {};
};

// Comparison answer meaning "undecided": never read as equal.
constexpr int ZQ_COMPARE_UNDECIDED = 2147483647;

// --- Version facts, captured once at start

const OSVERSIONINFOA& ZQOSVersion();
const TZQModuleVersion& ZQComCtlVersion();
bool IsWin95();
bool IsWinNT();
bool IsOSR2OrGreater();
bool HasWin95Shell();
bool GetModuleVersion(const std::string& file, TZQModuleVersion& version);

// --- Allocation through the shared shell allocator

void* ShellMemAlloc(std::size_t size);
void* ShellMemRealloc(void* block, std::size_t size);  // nil for a nil block
void ShellMemFree(void* block);
IMalloc* ShellIMalloc();  // no reference added

// --- List arithmetic

int IdListLen(PCItemIDList list);  // 0 for nil; items plus the 2-byte terminator
// New lists from allocator (the shell's when nil); nil only when allocation fails.
PItemIDList CopyIdList(IMalloc* allocator, PCItemIDList list);
PItemIDList ConcatIdLists(IMalloc* allocator, PCItemIDList first, PCItemIDList second);
// 0 equal, -1/1 ordered, ZQ_COMPARE_UNDECIDED when the shell cannot say.
int CompareAbsIdLists(PCItemIDList a, PCItemIDList b);
bool IsEmptyIdList(PCItemIDList list);  // the desktop's two-byte list (not nil)
PCItemIDList EmptyIdList();              // a shared, read-only empty list (the desktop)

// --- Folders, paths and special folders

HRESULT ShellGetDesktopFolder(TComPtr<IShellFolder>& folder);
HRESULT ShellGetFolderFromIdList(PCItemIDList list, TComPtr<IShellFolder>& folder);
HRESULT ShellGetIdListFromPath(const std::string& path, TIdListPtr& list);
// Parses a display name relative to folder; the list only on S_OK.
HRESULT ShellParseDisplayName(IShellFolder* folder, const std::string& name, TIdListPtr& list);
std::string ShellGetPathFromIdList(PCItemIDList list);
std::string ShellGetDisplayPathName(const std::string& path);
HRESULT ShellGetSpecialFolderIdList(HWND owner, TCSIDL csidl, TIdListPtr& list);
std::string ShellGetSpecialFolderPath(HWND owner, TCSIDL csidl);
TCSIDL ShellFindCSIDLFromIdList(PCItemIDList list);

// --- Display names and icons

std::string ShellGetFriendlyNameFromIdList(IShellFolder* folder, PCItemIDList list, TZQFriendlyNameFlags kind);
// The same with raw SHGDN flags (the desktop when folder is nil); empty on failure.
std::string GetItemDisplayName(IShellFolder* folder, PCItemIDList list, DWORD flags);
std::string StrretToString(PCItemIDList list, const STRRET& answer);
void StrretFree(STRRET& answer);
int ShellGetIconIndex(PCItemIDList list, UINT flags);
// The system image list index of an item of folder, asked of the folder itself
// (IShellIcon, else its icon extractor): no rebinding from the desktop. A plain
// file-system directory gets the generic folder icons without the extractor.
// -1 when the folder cannot tell. openIndex, when given, receives the open-folder icon.
int ShellGetIconIndexInFolder(IShellFolder* folder, PCItemIDList relative, int* openIndex = nullptr);
// The generic folder's icons when the item is a plain directory, judged by attributes already asked
// (with SFGAO_FILESYSTEM, SFGAO_FOLDER, SFGAO_LINK and SFGAO_STREAM) and the find data its list
// carries, so nothing is asked of the disk; false for any other item.
bool ShellGetPlainFolderIcons(IShellFolder* folder, PCItemIDList relative, SFGAOF attributes, int& normal, int& open);
int ShellGetIconIndexFromPath(const std::string& path, UINT flags);
int ShellGetIconIndexFromExt(const std::string& name, UINT flags);
HIMAGELIST ShellGetSystemImageList(TZQShellIconSize size);  // shared, never destroyed

// --- Shortcuts

HRESULT CreateShortcut(const std::string& file, const TLinkData& data);
HRESULT CreateQuickShortcut(const std::string& file, const std::string& target);
HRESULT ResolveShortcut(const std::string& file, TLinkData& data, bool wantIdList);

// --- Other helpers

bool ZQClsidFromFileType(const std::string& fileType, CLSID& classId);
// Makes the shell drop its cached drive information, unless locked.
void FlushDriveInfoCache();
void LockFlushDriveInfoCache();
void UnlockFlushDriveInfoCache();
// Raises Exception with the system's text for code.
[[noreturn]] void RaiseSysError(HRESULT code);

std::string EnsureTrailingCharDB(const std::string& text, char ch);
std::string TrimRightDB(const std::string& text);
void CopyCharDB(int& position, const std::string& text, std::string& dest);  // position is 1-based
void ParametizeCmdLineDB(const std::string& commandLine, TStrings& strings);
// Fills "%1", "%2", ... from strings; an insert past the last string is empty.
void FormatStrPos(const std::string& format, const std::vector<std::string>& strings, std::string& result);

}  // namespace korvane

// The unit's classes.
#include "korvane/shell/devicechange.h"
#include "korvane/shell/idlistarray.h"
#include "korvane/shell/pidllist.h"
