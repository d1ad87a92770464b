// What a list view shows, read back through the native control (texts asked
// for with LVM_GETITEMTEXT, as the control paints them).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "korvane/host/ListView.h"

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

// The item showing caption, or nil.
inline TListItem* ItemNamed(TCustomListView* list, const std::string& caption) {
  const std::vector<std::string> all = Captions(list);
  const auto at = std::find(all.begin(), all.end(), caption);
  return at == all.end() ? nullptr : list->GetItems()->GetItem(static_cast<int>(at - all.begin()));
}

// Selects exactly the items of these captions, the last one focused.
inline void SelectOnly(TCustomListView* list, std::initializer_list<const char*> captions) {
  for (int i = 0; i < list->GetItems()->GetCount(); ++i) list->GetItems()->GetItem(i)->SetSelected(false);
  for (const char* c : captions) {
    TListItem* item = ItemNamed(list, c);
    if (!item) {
      ADD_FAILURE() << "no item " << c;
      continue;
    }
    item->SetSelected(true);
    item->SetFocused(true);
  }
}

}  // namespace korvane::test
