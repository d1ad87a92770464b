// Shell context menus of items: building, finding and running commands by verb,
// and the help text of the highlighted command.
#pragma once
#include <functional>
#include <string>

#include "korvane/host/Handles.h"
#include "korvane/host/Messages.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

// Menu command of the first shell command; a command's verb offset is its id - this.
constexpr UINT ZQ_FIRST_SHELL_COMMAND = 50;

using TZQShPopupHintEvent = std::function<void(TObject* aSender, const std::string& hint)>;

// The items' menu object and a new popup filled by it. Never raises: a failure of
// the menu object or of its query answers the HRESULT with nothing held.
HRESULT CreateItemContextMenu(HWND owner, IShellFolder* folder, UINT count, PCUITEMID_CHILD_ARRAY lists,
                              UINT firstId, UINT flags, TComPtr<IContextMenu>& menu, TMenuHandle& popup);
// The verb text of the command at offset; empty when it has none. The rename
// command is known by its verb "rename": offsets belong to each menu handler.
std::string ContextMenuVerbOf(IContextMenu* menu, UINT offset);
// What a command id chosen in a tracked shell menu asks for: nothing (0), an
// entry of the package's Send To submenu (1 to ZQ_FIRST_SHELL_COMMAND - 1),
// the in-place rename (the shell command whose verb is "rename", whatever its
// offset) or another shell command.
enum class TZQMenuChoiceKind : std::uint8_t { None, SendTo, Rename, Command };
struct TZQMenuChoice {
  TZQMenuChoiceKind Kind = TZQMenuChoiceKind::None;
  UINT Index = 0;  // the Send To entry, or the shell command's offset
};
TZQMenuChoice ClassifyMenuCommand(IContextMenu* menu, UINT id);
// The offset of the command whose verb is verb (ignoring case); -1 when no item carries it.
int FindContextMenuVerb(IContextMenu* menu, const std::string& verb);
// Runs a command given by offset (MAKEINTRESOURCE) or by verb text. A verb no
// item carries runs nothing and answers HRESULT_FROM_WIN32(ERROR_NOT_FOUND).
HRESULT InvokeContextMenuVerb(HWND owner, IContextMenu* menu, LPCSTR verb);
// WM_MENUSELECT: the highlighted shell command's help text, or an empty hint.
void MenuSelectHelpText(const TMessage& message, IContextMenu* menu, TObject* control,
                        const TZQShPopupHintEvent& handler);

}  // namespace korvane
