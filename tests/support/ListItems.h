// What a list view shows, read back through the native control (texts asked
// for with LVM_GETITEMTEXT, as the control paints them).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "host/ListView.h"

namespace korvane::test {

inline std::string ItemText(TCustomListView* list, int index, int column) {
  char buf[300] = {};
  LVITEMA lv = {};
  lv.iSubItem = column;
  lv.pszText = buf;
  lv.cchTextMax = sizeof buf;
  SendMessageA(list->GetHandle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&lv));
  return buf;
}

inline std::vector<std::string> Captions(TCustomListView* list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list->GetItems()->GetCount(); ++i) texts.push_back(ItemText(list, i, 0));
  return texts;
}

}  // namespace korvane::test
