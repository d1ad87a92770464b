// The shell list's items as the native control shows them: texts and icons
// on request, sorting in the folder's order, custom drawing with the records.
#include "korvane/controls/shell/list/shelllist.h"

#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/SysUtils.h"

#include <typeinfo>

namespace korvane {

// The order by the folder's CompareIDs on the sort column; items without a
// record, and failures, are equal.
int CALLBACK TZQCustomShellList::CompareItems(LPARAM a, LPARAM b, LPARAM listParam) {
  auto* list = reinterpret_cast<TZQCustomShellList*>(listParam);
  TZQShListData* da = TZQCustomShellList::GetDataFromItem(reinterpret_cast<TListItem*>(a));
  TZQShListData* db = TZQCustomShellList::GetDataFromItem(reinterpret_cast<TListItem*>(b));
  return da && db ? list->CompareRecords(da, db) : 0;
}

int TZQCustomShellList::CompareRecords(TZQShListData* a, TZQShListData* b) const {
  if (!currentFolder_) return 0;
  const int v = sortValue_;
  const HRESULT hr =
      currentFolder_->CompareIDs(static_cast<LPARAM>(std::abs(v) - 1), a->GetRelativeIdList(), b->GetRelativeIdList());
  if (FAILED(hr)) return 0;
  const int order = static_cast<std::int16_t>(HRESULT_CODE(hr));
  return v < 0 ? -order : order;
}

TZQShListData* TZQCustomShellList::GetDataFromItem(TListItem* item) {
  // An application's own items carry nil or an object of its own. The exact
  // type is checked first: sorting asks this for every comparison.
  auto* data = item ? static_cast<TObject*>(item->GetData()) : nullptr;
  if (!data) return nullptr;
  if (typeid(*data) == typeid(TZQShListData)) return static_cast<TZQShListData*>(data);
  return dynamic_cast<TZQShListData*>(data);
}

bool TZQCustomShellList::ItemHasData(TListItem* item) { return GetDataFromItem(item) != nullptr; }

TZQShListData* TZQCustomShellList::GetSelectedItem() { return GetDataFromItem(GetSelected()); }

TZQShListData* TZQCustomShellList::GetShListData(int index) {
  void* data = GetItems()->GetItem(index)->GetData();
  if (!data) return nullptr;
  auto* record = dynamic_cast<TZQShListData*>(static_cast<TObject*>(data));
  if (!record) throw EInvalidCast("Invalid class typecast");
  return record;
}

// --- Sorting

void TZQCustomShellList::SortList() {
  if (sortValue_ != 0) CustomSort(CompareItems, reinterpret_cast<LPARAM>(this));
  else AlphaSort();
}

void TZQCustomShellList::SetSortColumn(int value) {
  SetHeaderSortColumn(std::abs(value) - 1);
  SetHeaderSortDirection(value >= 0 ? zqsdDesc : zqsdAsc);
  sortSetByHandler_ = true;
  if (value == sortValue_) return;
  sortValue_ = value;
  if (fill_) FillItems();  // the worker orders anew
  else
    SortList();
}

void TZQCustomShellList::ColClick(TListColumn* Column) {
  sortSetByHandler_ = false;
  TZQCustomListView::ColClick(Column);
  if (sortSetByHandler_) return;  // the handler chose the order
  const int index = Column->GetIndex();
  SetSortColumn(index + 1 == sortValue_ ? -sortValue_ : index + 1);
}

// --- Texts and icons on request

void TZQCustomShellList::GetDispInfo(NMLVDISPINFOA& info) {
  LVITEMA& request = info.item;
  auto* item = reinterpret_cast<TListItem*>(request.lParam);
  if (!item && request.iItem >= 0 && request.iItem < GetItems()->GetCount()) item = GetItems()->GetItem(request.iItem);
  if (!item) return;
  TZQShListData* record = GetDataFromItem(item);
  const int sub = request.iSubItem;
  if ((request.mask & LVIF_TEXT) && request.pszText && request.cchTextMax > 0) {
    std::string text;
    if (sub == 0) {
      if (item->GetCaption().empty() && record) StoreCaption(item, record->GetDisplayName());
      text = item->GetCaption();
    } else if (sub <= item->GetSubItemCount() && !item->GetSubItems()->Get(sub - 1).empty()) {
      text = item->GetSubItems()->Get(sub - 1);
    } else if (record && sub < GetColumns()->GetCount()) {
      text = record->GetColText(sub);
    }
    StrPLCopy(request.pszText, text, static_cast<std::size_t>(request.cchTextMax) - 1);
  }
  if ((request.mask & LVIF_IMAGE) && sub == 0) {
    const int index = item->GetImageIndex();
    request.iImage = index < 1 && record ? record->GetIconIndex() : index;
  }
}

void TZQCustomShellList::CNNotify(TMessage& m) {
  const auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
  if (hdr->code == LVN_GETDISPINFOA) {
    GuardCallback(this, [&] { GetDispInfo(*reinterpret_cast<NMLVDISPINFOA*>(m.LParam)); });
    return;
  }
  if (BeginDragNotified(*hdr)) return;
  TZQCustomListView::CNNotify(m);
}

// --- Custom drawing

TZQCustomDraw* TZQCustomShellList::ZQCustomDraw(NMCUSTOMDRAW* record, LRESULT& result) {
  TZQCustomDraw* cd = TZQCustomListView::ZQCustomDraw(record, result);
  if (OnCustomDrawSh || OnCustomDrawShEx) {
    if (!cd) cd = CreateCustomDraw(record, result);
    TListItem* item = nullptr;
    if (record->dwDrawStage & CDDS_ITEM) {
      const int index = static_cast<int>(record->dwItemSpec);
      if (index >= 0 && index < GetItems()->GetCount()) item = GetItems()->GetItem(index);
    }
    ZQCustomDrawSh(cd, item, GetDataFromItem(item));
    cd->Apply();
  }
  if (record->dwDrawStage & CDDS_PREPAINT) result |= CDRF_NOTIFYSUBITEMDRAW;
  return cd;
}

void TZQCustomShellList::ZQCustomDrawSh(TZQCustomDraw* cd, TListItem* item, TZQShListData* data) {
  if (OnCustomDrawShEx) OnCustomDrawShEx(this, cd, item, data);
  if (OnCustomDrawSh && cd->GetDrawStage() == zqcdsItemPrePaint) OnCustomDrawSh(this, cd, item, data);
}

}  // namespace korvane
