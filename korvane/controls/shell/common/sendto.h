// The package's own Send To submenu, for menus whose handler offers no IContextMenu2.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "korvane/host/Messages.h"
#include "korvane/host/Strings.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

// The Send To list shared by every tree and list of the process.
std::unique_ptr<TStringList>& ZQSendToList();
void SendToInitMenuPopup(TMessage& message, IContextMenu* menu, std::unique_ptr<TStringList>& list);
void SendToMeasureItem(TMessage& message, IContextMenu* menu, TStringList* list);
void SendToDrawItem(TMessage& message, IContextMenu* menu, HIMAGELIST images, TStringList* list);
void SendToMenuChar(TMessage& message, IContextMenu* menu, TStringList* list);
// The messages of a tracked shell menu, for the window that owns it: each gets
// its inherited handling first, then goes with the menu object to the Send To
// submenu (or the shell's IContextMenu2), and WM_MENUSELECT to the hint event.
// False for any other message.
bool ShellMenuMessage(TMessage& message, IContextMenu* menu, HIMAGELIST images, TObject* control,
                      const std::function<void(TObject*, const std::string&)>& hint,
                      const std::function<void(TMessage&)>& inherited);
// Drops data on the Send To target named fileName (left button, copy); failures raise.
void SendToItem(const std::string& fileName, IDataObject* data);

}  // namespace korvane
