// The list view's owner-data mode: the items in the host's array, the control
// told only their number. Moving items changes which index the control's
// selection and focus mean, so both are taken before and put back after.
#include <algorithm>

#include "korvane/host/Application.h"
#include "korvane/host/ListView.h"

namespace korvane {

bool TListItems::OwnerData() const { return owner_->ownerData_; }

void TListItems::SyncCount() {
  countPending_ = false;
  if (!owner_->HandleAllocated()) return;
  SendMessageA(owner_->GetHandle(), LVM_SETITEMCOUNT, order_.size(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  if (!Updating()) owner_->Invalidate();
}

TListItems::TMarks TListItems::TakeMarks() const {
  TMarks marks;
  if (!owner_->HandleAllocated()) return marks;
  const HWND wnd = owner_->GetHandle();
  const auto valid = [&](LRESULT i) { return i >= 0 && static_cast<std::size_t>(i) < order_.size(); };
  const LRESULT focused = SendMessageA(wnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
  if (valid(focused)) {
    marks.focused = order_[static_cast<std::size_t>(focused)];
    marks.marked.push_back(static_cast<int>(focused));
  }
  if (SendMessageA(wnd, LVM_GETSELECTEDCOUNT, 0, 0) <= 0) return marks;
  for (LRESULT i = -1; valid(i = SendMessageA(wnd, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED));) {
    marks.selected.push_back(order_[static_cast<std::size_t>(i)]);
    marks.marked.push_back(static_cast<int>(i));
  }
  return marks;
}

void TListItems::PutMarks(const TMarks& marks) {
  if (!owner_->HandleAllocated()) return;
  const HWND wnd = owner_->GetHandle();
  owner_->remarking_ = true;
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  const int count = static_cast<int>(order_.size());
  for (int i : marks.marked)
    if (i < count) SendMessageA(wnd, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&state));
  const auto mark = [&](TListItem* item, UINT bits) {
    const int i = item ? item->GetIndex() : -1;
    if (i < 0) return;
    state.stateMask = state.state = bits;
    SendMessageA(wnd, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&state));
  };
  for (TListItem* item : marks.selected) mark(item, LVIS_SELECTED);
  mark(marks.focused, LVIS_FOCUSED);
  owner_->remarking_ = false;
}

TListItem* TListItems::NewObject(void* data, const TListItemState& state) {
  auto* item = new TListItem(this);
  item->data_ = data;
  item->ownState_ = (state.OverlayIndex >= 0 ? INDEXTOOVERLAYMASK(state.OverlayIndex + 1) : 0) | (state.Cut ? LVIS_CUT : 0);
  item->liveSlot_ = static_cast<int>(live_.size());
  live_.push_back(item);
  return item;
}

TListItem* TListItems::OwnerInsert(int index, TListItem* item, const TListItemState& state) {
  const std::size_t at = index < 0 || static_cast<std::size_t>(index) > order_.size() ? order_.size()
                                                                                          : static_cast<std::size_t>(index);
  const bool moves = at < order_.size();  // items after it change their index
  const TMarks marks = moves ? TakeMarks() : TMarks{};
  if (item->liveSlot_ < 0) {
    item->ownState_ |= (state.OverlayIndex >= 0 ? INDEXTOOVERLAYMASK(state.OverlayIndex + 1) : 0) | (state.Cut ? LVIS_CUT : 0);
    item->liveSlot_ = static_cast<int>(live_.size());
    live_.push_back(item);
  }
  order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(at), item);
  item->orderMark_ = orderEpoch_ ? orderEpoch_ : (orderEpoch_ = 1);
  item->indexHint_ = static_cast<int>(at);
  if (Updating() && !moves) countPending_ = true;
  else SyncCount();
  if (moves) PutMarks(marks);
  if (!owner_->recreating_) GuardCallback(owner_, [&] { owner_->InsertItem(item); });
  return item;
}

void TListItems::OwnerDelete(int index) {
  TListItem* item = order_[static_cast<std::size_t>(index)];
  TMarks marks = TakeMarks();
  std::erase(marks.selected, item);
  if (marks.focused == item) marks.focused = nullptr;
  order_.erase(order_.begin() + index);
  SyncCount();
  PutMarks(marks);
  owner_->ItemGone(item);
}

void TListItems::OwnerClear() {
  std::vector<TListItem*> gone;
  gone.swap(order_);
  SyncCount();
  for (TListItem* item : gone) owner_->ItemGone(item);
  // Items made but never placed go too.
  for (TListItem* item : std::vector<TListItem*>(live_)) owner_->ItemGone(item);
}

void TListItems::SetOrder(std::vector<TListItem*> order) {
  const TMarks marks = TakeMarks();
  // Marked with a new epoch: the old order's items without it are gone, and
  // the new order's items never placed before are new.
  const unsigned epoch = ++orderEpoch_ == 0 ? ++orderEpoch_ : orderEpoch_;
  std::vector<TListItem*> fresh;
  for (TListItem* item : order) {
    if (item->orderMark_ == 0) fresh.push_back(item);
    item->orderMark_ = epoch;
  }
  std::vector<TListItem*> gone;
  for (TListItem* item : order_)
    if (item->orderMark_ != epoch) gone.push_back(item);
  order_ = std::move(order);
  for (std::size_t i = 0; i < order_.size(); ++i) order_[i]->indexHint_ = static_cast<int>(i);
  SyncCount();
  PutMarks(marks);
  for (TListItem* item : gone) owner_->ItemGone(item);
  for (TListItem* item : fresh) GuardCallback(owner_, [&] { owner_->InsertItem(item); });
}

void TCustomListView::SetOwnerData(bool v) {
  if (v == ownerData_) return;
  if (!HandleAllocated()) {
    // Without a window the items wait in the host's array or are none.
    ownerData_ = v;
    return;
  }
  DestroyHandle();  // the items are kept for the new window
  ownerData_ = v;
  HandleNeeded();
}

}  // namespace korvane
