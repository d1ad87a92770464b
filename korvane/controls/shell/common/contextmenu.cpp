#include "korvane/controls/shell/common/contextmenu.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

HRESULT CreateItemContextMenu(HWND owner, IShellFolder* folder, UINT count, PCUITEMID_CHILD_ARRAY lists,
                              UINT firstId, UINT flags, TComPtr<IContextMenu>& menu, TMenuHandle& popup) {
  menu.Reset();
  popup.Reset();
  TComPtr<IContextMenu> object;
  const HRESULT hr = ShellGetUIObjectOf(folder, owner, count, lists, object);
  if (FAILED(hr)) return hr;
  TMenuHandle filled(CreatePopupMenu());
  if (!filled) return HRESULT_FROM_WIN32(GetLastError());
  const HRESULT query = object->QueryContextMenu(filled.Get(), 0, firstId, 0x7FFF, flags);
  if (FAILED(query)) return query;
  menu = std::move(object);
  popup = std::move(filled);
  return hr;
}

std::string ContextMenuVerbOf(IContextMenu* menu, UINT offset) {
  char buf[261] = {};
  if (!menu || FAILED(menu->GetCommandString(offset, GCS_VERBA, nullptr, buf, sizeof buf))) return std::string();
  buf[sizeof buf - 1] = 0;
  return buf;
}

TZQMenuChoice ClassifyMenuCommand(IContextMenu* menu, UINT id) {
  if (id == 0) return {};
  if (id < ZQ_FIRST_SHELL_COMMAND) return {TZQMenuChoiceKind::SendTo, id - 1};
  const UINT offset = id - ZQ_FIRST_SHELL_COMMAND;
  if (AnsiSameText(ContextMenuVerbOf(menu, offset), "rename")) return {TZQMenuChoiceKind::Rename, offset};
  return {TZQMenuChoiceKind::Command, offset};
}

int FindContextMenuVerb(IContextMenu* menu, const std::string& verb) {
  TMenuHandle popup(CreatePopupMenu());
  if (!popup || FAILED(menu->QueryContextMenu(popup.Get(), 0, ZQ_FIRST_SHELL_COMMAND, 0x7FFF, CMF_EXPLORE)))
    return -1;
  const int count = GetMenuItemCount(popup.Get());
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(popup.Get(), i);
    if (id == 0 || id == static_cast<UINT>(-1) || id < ZQ_FIRST_SHELL_COMMAND) continue;
    const std::string text = ContextMenuVerbOf(menu, id - ZQ_FIRST_SHELL_COMMAND);
    if (!text.empty() && AnsiSameText(text, verb)) return static_cast<int>(id - ZQ_FIRST_SHELL_COMMAND);
  }
  return -1;
}

HRESULT InvokeContextMenuVerb(HWND owner, IContextMenu* menu, LPCSTR verb) {
  if (!IS_INTRESOURCE(verb)) {
    const int offset = FindContextMenuVerb(menu, verb);
    if (offset < 0) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);  // never run an unrelated command
    verb = MAKEINTRESOURCEA(offset);
  }
  CMINVOKECOMMANDINFO info = {};
  info.cbSize = sizeof info;  // 36 bytes on 32-bit Windows
  info.hwnd = owner;
  info.lpVerb = verb;
  info.nShow = SW_SHOWNORMAL;
  return menu->InvokeCommand(&info);
}

void MenuSelectHelpText(const TMessage& message, IContextMenu* menu, TObject* control,
                        const TZQShPopupHintEvent& handler) {
  if (!menu || !handler) return;
  const UINT id = LOWORD(message.WParam);
  const UINT flags = HIWORD(message.WParam);
  char buf[261] = {};
  if (id < ZQ_FIRST_SHELL_COMMAND || (flags & (MF_POPUP | MF_SYSMENU)) ||
      FAILED(menu->GetCommandString(id - ZQ_FIRST_SHELL_COMMAND, GCS_HELPTEXTA, nullptr, buf, sizeof buf))) {
    handler(control, std::string());
    return;
  }
  buf[sizeof buf - 1] = 0;
  handler(control, buf);
}

}  // namespace korvane
