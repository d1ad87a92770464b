// Routines the shell tree, list and combo and their item records share: column
// texts, locating an item's parent, shell context menus and their verbs, the
// package's own Send To submenu, menu help texts, the attributes of dragged
// data, scrolling and window styles.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "host/Controls.h"
#include "host/DateTime.h"
#include "host/Handles.h"
#include "host/Messages.h"
#include "host/Strings.h"
#include "shell/Uzqshellutils.h"

namespace korvane {

// "Shell IDList Array", registered when the unit starts.
extern const UINT CF_IDLIST;

// Menu command of the first shell command; a command's verb offset is its id - this.
constexpr UINT ZQ_FIRST_SHELL_COMMAND = 50;

using TZQShPopupHintEvent = std::function<void(TObject* aSender, const std::string& hint)>;

// --- Small helpers

// False for 3 characters or fewer, or for a drive letter that is a lead byte followed by ':'.
bool IsLongPath(const std::string& path);
// Adds (set) or removes the bits of the window's style; answers the style after, 0 without a window.
LONG_PTR ChangeWindowStyle(HWND wnd, LONG_PTR bits, bool set);
// The window of the form the control sits on (its top-most parent), 0 when that is no form:
// the owner of every shell call that may show a window.
HWND GetParentFormHandle(TControl* control);
// The hourglass while sleeping; the previous cursor comes back on every path.
void WaitCursorSleep(DWORD milliseconds);

// --- Column texts

// Kilobytes rounded up, grouped by the user's locale, in SFilesizeKB: "0KB", "1KB", "2KB", "1,465KB".
std::string FormatFileSizeKB(std::int64_t size);
// A universal file time as a local date-time value.
TDateTime FileTimeToDateTime(const FILETIME& utc);
void GetFileSizeAndDate(PCItemIDList absolute, std::string& size, std::string& date);
void GetFileTypeName(PCItemIDList absolute, ULONG attributes, std::string& type);
void GetFileDetails(PCItemIDList absolute, ULONG attributes, std::string& size, std::string& date,
                    std::string& type);

// --- An item's parent

// The parent folder, the parent's list (nil under the desktop) and the item
// within it. The desktop itself is taken as its file-system directory.
HRESULT SplitAbsIdList(PCItemIDList absolute, TComPtr<IShellFolder>& parent, TIdListPtr& parentList,
                       TIdListPtr& relative);
HRESULT GetUIObjectOfAbsIdList(PCItemIDList absolute, REFIID iid, void** object);
HRESULT GetDesktopDirUIObject(TComPtr<IDropTarget>& target);
HRESULT GetDesktopDirParentAndItem(TIdListPtr& parentList, TIdListPtr& item);

// --- Shell context menus

// The items' menu object and a new popup filled by it; the query's failure raises.
HRESULT CreateItemContextMenu(HWND owner, IShellFolder* folder, UINT count, PCUITEMID_CHILD_ARRAY lists,
                              UINT firstId, UINT flags, TComPtr<IContextMenu>& menu, TMenuHandle& popup);
// The offset of the command whose verb is verb (ignoring case); -1 when no item carries it.
int FindContextMenuVerb(IContextMenu* menu, const std::string& verb);
// Runs a command given by offset (MAKEINTRESOURCE) or by verb text. A verb no
// item carries runs nothing and answers HRESULT_FROM_WIN32(ERROR_NOT_FOUND).
HRESULT InvokeContextMenuVerb(HWND owner, IContextMenu* menu, LPCSTR verb);
// WM_MENUSELECT: the highlighted shell command's help text, or an empty hint.
void MenuSelectHelpText(const TMessage& message, IContextMenu* menu, TObject* control,
                        const TZQShPopupHintEvent& handler);

// --- The package's own Send To submenu, for menus without IContextMenu2

// The Send To list shared by every tree and list of the process.
std::unique_ptr<TStringList>& ZQSendToList();
void SendToInitMenuPopup(TMessage& message, IContextMenu* menu, std::unique_ptr<TStringList>& list);
void SendToMeasureItem(TMessage& message, IContextMenu* menu, TStringList* list);
void SendToDrawItem(TMessage& message, IContextMenu* menu, HIMAGELIST images, TStringList* list);
void SendToMenuChar(TMessage& message, IContextMenu* menu, TStringList* list);
// Drops data on the Send To target named fileName (left button, copy); failures raise.
void SendToItem(const std::string& fileName, IDataObject* data);

// --- Dragged data and scrolling

// Copy, move and link bits (7 unless the "Shell IDList Array" data says otherwise).
DWORD GetDataObjectAttributes(IDataObject* data);
// bar: SB_HORZ or SB_VERT; scrolls only when there is something to scroll.
void ScrollControl(HWND wnd, int bar, WORD code);
bool ScrollControlByWheel(HWND wnd, int bar, WORD lineCode, WORD pageCode);
inline void ScrollControl(TWinControl* control, int bar, WORD code) { ScrollControl(control->GetHandle(), bar, code); }
inline bool ScrollControlByWheel(TWinControl* control, int bar, WORD lineCode, WORD pageCode) {
  return ScrollControlByWheel(control->GetHandle(), bar, lineCode, pageCode);
}

}  // namespace korvane
