// The package's own Send To submenu, for menus whose handler offers no IContextMenu2.
#pragma once
#include <memory>
#include <string>

#include "host/Messages.h"
#include "host/Strings.h"
#include "shell/Uzqshellutils.h"

namespace korvane {

// The Send To list shared by every tree and list of the process.
std::unique_ptr<TStringList>& ZQSendToList();
void SendToInitMenuPopup(TMessage& message, IContextMenu* menu, std::unique_ptr<TStringList>& list);
void SendToMeasureItem(TMessage& message, IContextMenu* menu, TStringList* list);
void SendToDrawItem(TMessage& message, IContextMenu* menu, HIMAGELIST images, TStringList* list);
void SendToMenuChar(TMessage& message, IContextMenu* menu, TStringList* list);
// Drops data on the Send To target named fileName (left button, copy); failures raise.
void SendToItem(const std::string& fileName, IDataObject* data);

}  // namespace korvane
