#include "korvane/host/ListView.h"

#include <algorithm>
#include <cstring>

#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

namespace {
const DWORD kViewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
// The states an owner-data control asks its owner for.
constexpr UINT kOwnStates = LVIS_CUT | LVIS_OVERLAYMASK | LVIS_DROPHILITED;

int CALLBACK DefaultListCompare(LPARAM a, LPARAM b, LPARAM view) {
  auto* i1 = reinterpret_cast<TListItem*>(a);
  auto* i2 = reinterpret_cast<TListItem*>(b);
  auto* lv = reinterpret_cast<TCustomListView*>(view);
  int result = 0;
  GuardCallback(lv, [&] {
    if (lv->OnCompare) lv->OnCompare(lv, i1, i2, 0, result);
    else result = AnsiCompareText(i1->GetCaption(), i2->GetCaption());
  });
  return result;
}
}  // namespace

// --- TListItem

TListItem::TListItem(TListItems* owner) : owner_(owner) {}

TStrings* TListItem::GetSubItems() {
  if (!subItems_) {
    subItems_ = std::make_unique<TStringList>();
    subItems_->OnChange = [this](TObject*) { Update(); };
  }
  return subItems_.get();
}

TCustomListView* TListItem::GetListView() const { return owner_->GetOwner(); }

int TListItem::GetIndex() const {
  TCustomListView* lv = GetListView();
  if (owner_->OwnerData()) {
    const auto& order = owner_->order_;
    for (int guess : {indexHint_, indexHint_ - 1, indexHint_ + 1})
      if (guess >= 0 && static_cast<std::size_t>(guess) < order.size() && order[static_cast<std::size_t>(guess)] == this)
        return indexHint_ = guess;
    return indexHint_ = owner_->IndexOf(this);
  }
  if (!lv->HandleAllocated()) return -1;
  // The hint, or its neighbour before it (an item above was deleted).
  for (int guess : {indexHint_, indexHint_ - 1}) {
    if (guess < 0) continue;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = guess;
    if (lv->NativeQuery(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) &&
        item.lParam == reinterpret_cast<LPARAM>(this)) {
      indexHint_ = guess;
      return guess;
    }
  }
  indexHint_ = owner_->IndexOf(this);
  return indexHint_;
}

void TListItem::Update() {
  if (owner_->Updating()) return;  // the bracket's end repaints everything
  const int i = GetIndex();
  if (i >= 0) SendMessageA(GetListView()->GetHandle(), LVM_UPDATE, static_cast<WPARAM>(i), 0);
}

void TListItem::SetCaption(const std::string& v) {
  if (v == caption_) return;
  caption_ = v;
  Update();
}

void TListItem::SetImageIndex(int v) {
  if (v == imageIndex_) return;
  imageIndex_ = v;
  Update();
}

bool TListItem::State(UINT mask) const {
  if ((mask & kOwnStates) && owner_->OwnerData()) return (ownState_ & mask) != 0;
  const int i = GetIndex();
  return i >= 0 && (SendMessageA(GetListView()->GetHandle(), LVM_GETITEMSTATE, static_cast<WPARAM>(i), mask) & mask) != 0;
}

void TListItem::SetState(UINT mask, bool on) {
  if ((mask & kOwnStates) && owner_->OwnerData()) {
    const UINT state = on ? (ownState_ | mask) : (ownState_ & ~mask);
    if (state == ownState_) return;
    ownState_ = state;
    Update();
    return;
  }
  const int i = GetIndex();
  if (i < 0) return;
  LVITEMA item = {};
  item.stateMask = mask;
  item.state = on ? mask : 0;
  SendMessageA(GetListView()->GetHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
}

bool TListItem::GetSelected() const { return State(LVIS_SELECTED); }
void TListItem::SetSelected(bool v) { SetState(LVIS_SELECTED, v); }
bool TListItem::GetFocused() const { return State(LVIS_FOCUSED); }
void TListItem::SetFocused(bool v) { SetState(LVIS_FOCUSED, v); }
bool TListItem::GetCut() const { return State(LVIS_CUT); }
void TListItem::SetCut(bool v) { SetState(LVIS_CUT, v); }
bool TListItem::GetDropTarget() const { return State(LVIS_DROPHILITED); }

int TListItem::GetOverlayIndex() const {
  if (owner_->OwnerData()) return static_cast<int>((ownState_ & LVIS_OVERLAYMASK) >> 8) - 1;
  const int i = GetIndex();
  if (i < 0) return -1;
  const UINT state = static_cast<UINT>(
      SendMessageA(GetListView()->GetHandle(), LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_OVERLAYMASK));
  return static_cast<int>((state & LVIS_OVERLAYMASK) >> 8) - 1;
}

void TListItem::SetOverlayIndex(int v) {
  if (owner_->OwnerData()) {
    ownState_ = (ownState_ & ~LVIS_OVERLAYMASK) | (v >= 0 ? INDEXTOOVERLAYMASK(v + 1) : 0);
    Update();
    return;
  }
  const int i = GetIndex();
  if (i < 0) return;
  LVITEMA item = {};
  item.stateMask = LVIS_OVERLAYMASK;
  item.state = v >= 0 ? INDEXTOOVERLAYMASK(v + 1) : 0;
  SendMessageA(GetListView()->GetHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
}
void TListItem::SetDropTarget(bool v) { SetState(LVIS_DROPHILITED, v); }

RECT TListItem::DisplayRect(TDisplayCode code) const {
  static const int kCodes[] = {LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL, LVIR_SELECTBOUNDS};
  RECT r = {};
  r.left = kCodes[code];
  const int i = GetIndex();
  if (i < 0 || !SendMessageA(GetListView()->GetHandle(), LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
    r = {};
  return r;
}

void TListItem::MakeVisible(bool partialOK) {
  SendMessageA(GetListView()->GetHandle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(GetIndex()), partialOK);
}

bool TListItem::EditCaption() {
  return SendMessageA(GetListView()->GetHandle(), LVM_EDITLABELA, static_cast<WPARAM>(GetIndex()), 0) != 0;
}

void TListItem::Delete() {
  if (!deleting_) owner_->Delete(GetIndex());
}

// --- TListItems

int TListItems::GetCount() const {
  if (OwnerData()) return static_cast<int>(order_.size());
  return owner_->HandleAllocated() ? static_cast<int>(owner_->NativeQuery(LVM_GETITEMCOUNT, 0, 0)) : 0;
}

TListItem* TListItems::GetItem(int index) const {
  if (OwnerData()) {
    if (index < 0 || static_cast<std::size_t>(index) >= order_.size())
      throw EListError(Format("List index out of bounds (%d)", index));
    TListItem* found = order_[static_cast<std::size_t>(index)];
    found->indexHint_ = index;
    return found;
  }
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (index < 0 || !owner_->HandleAllocated() || !owner_->NativeQuery(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
    throw EListError(Format("List index out of bounds (%d)", index));
  auto* found = reinterpret_cast<TListItem*>(item.lParam);
  if (found) found->indexHint_ = index;
  return found;
}

int TListItems::IndexOf(const TListItem* item) const {
  if (OwnerData()) {
    const auto at = std::find(order_.begin(), order_.end(), item);
    return at == order_.end() ? -1 : static_cast<int>(at - order_.begin());
  }
  if (!owner_->HandleAllocated()) return -1;
  LVFINDINFOA find = {};
  find.flags = LVFI_PARAM;
  find.lParam = reinterpret_cast<LPARAM>(item);
  return static_cast<int>(SendMessageA(owner_->GetHandle(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

TListItem* TListItems::InternalInsert(int index, TListItem* item, const TListItemState& state) {
  if (OwnerData()) return OwnerInsert(index, item, state);
  LVITEMA lv = {};
  lv.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
  lv.iItem = index;
  lv.pszText = LPSTR_TEXTCALLBACKA;
  lv.iImage = I_IMAGECALLBACK;
  lv.lParam = reinterpret_cast<LPARAM>(item);
  lv.stateMask = LVIS_OVERLAYMASK | LVIS_CUT;
  lv.state = (state.OverlayIndex >= 0 ? INDEXTOOVERLAYMASK(state.OverlayIndex + 1) : 0) | (state.Cut ? LVIS_CUT : 0);
  inserting_ = item;  // what LVN_INSERTITEM reports
  const LRESULT at = SendMessageA(owner_->GetHandle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lv));
  inserting_ = nullptr;
  if (at < 0) {
    delete item;
    throw EOutOfResources("Failed to add a list item");
  }
  item->indexHint_ = static_cast<int>(at);
  if (item->liveSlot_ < 0) {  // items put back after a new window keep their place
    item->liveSlot_ = static_cast<int>(live_.size());
    live_.push_back(item);
  }
  return item;
}

void TListItems::Forget(TListItem* item) {
  const auto slot = static_cast<std::size_t>(item->liveSlot_);
  if (item->liveSlot_ < 0 || slot >= live_.size() || live_[slot] != item) return;
  live_[slot] = live_.back();
  live_[slot]->liveSlot_ = static_cast<int>(slot);
  live_.pop_back();
  item->liveSlot_ = -1;
}

TListItem* TListItems::Add() { return Insert(GetCount()); }

TListItem* TListItems::AddObject(void* data, const TListItemState& state) {
  auto* item = new TListItem(this);
  item->data_ = data;
  return InternalInsert(GetCount(), item, state);
}

TListItem* TListItems::Insert(int index) { return InternalInsert(index, new TListItem(this)); }

void TListItems::Delete(int index) {
  GetItem(index);  // the index error
  if (OwnerData()) {
    OwnerDelete(index);
    return;
  }
  SendMessageA(owner_->GetHandle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void TListItems::Clear() {
  if (OwnerData()) {
    OwnerClear();
    return;
  }
  if (owner_->HandleAllocated()) SendMessageA(owner_->GetHandle(), LVM_DELETEALLITEMS, 0, 0);
}

void TListItems::BeginUpdate() {
  if (updateCount_++ == 0 && owner_->HandleAllocated()) SendMessageA(owner_->GetHandle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && owner_->HandleAllocated()) {
    const HWND wnd = owner_->GetHandle();
    if (countPending_) SyncCount();
    RECT before = {}, after = {};
    GetClientRect(wnd, &before);
    SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
    // A scroll bar that came with the new items narrows the client area, and an
    // auto-arranged icon view then moves every icon at its next paint,
    // invalidating each one (under Wine a server call each). Arranged again
    // with redraw off, the icons are already where that paint puts them.
    GetClientRect(wnd, &after);
    const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
    const UINT view = static_cast<UINT>(style & LVS_TYPEMASK);
    if ((style & LVS_AUTOARRANGE) && (view == LVS_ICON || view == LVS_SMALLICON) && !EqualRect(&before, &after)) {
      SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
      SendMessageA(wnd, LVM_ARRANGE, LVA_DEFAULT, 0);
      SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
    }
    owner_->Invalidate();
  }
}

// --- TListColumn(s)

int TListColumn::GetIndex() const {
  for (std::size_t i = 0; i < owner_->columns_.size(); ++i)
    if (owner_->columns_[i].get() == this) return static_cast<int>(i);
  return -1;
}

void TListColumn::Apply(bool insert) {
  TCustomListView* lv = owner_->GetOwner();
  if (!lv->HandleAllocated()) return;
  pending_ = !insert && owner_->updateCount_ > 0;  // one message at the bracket's end
  if (pending_) return;
  static const int kFormats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  col.pszText = const_cast<char*>(caption_.c_str());
  col.cx = width_;
  col.fmt = GetIndex() == 0 ? LVCFMT_LEFT : kFormats[alignment_];
  SendMessageA(lv->GetHandle(), insert ? LVM_INSERTCOLUMNA : LVM_SETCOLUMNA, static_cast<WPARAM>(GetIndex()),
               reinterpret_cast<LPARAM>(&col));
}

void TListColumn::SetCaption(const std::string& v) {
  caption_ = v;
  Apply(false);
  owner_->Changed();  // the native control resets the header item's format
}

int TListColumn::GetWidth() const {
  TCustomListView* lv = owner_->GetOwner();
  if (lv->HandleAllocated() && lv->GetViewStyle() == vsReport && !pending_)
    const_cast<TListColumn*>(this)->width_ =
        static_cast<int>(SendMessageA(lv->GetHandle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(GetIndex()), 0));
  return width_;
}

void TListColumn::SetWidth(int v) {
  width_ = v;
  Apply(false);
  owner_->Changed();
}

void TListColumn::SetAlignment(TAlignment v) {
  alignment_ = v;
  Apply(false);
  owner_->Changed();
}

TListColumn* TListColumns::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return columns_[static_cast<std::size_t>(index)].get();
}

TListColumn* TListColumns::Add() {
  columns_.push_back(std::unique_ptr<TListColumn>(new TListColumn(this)));
  columns_.back()->Apply(true);
  Changed();
  return columns_.back().get();
}

void TListColumns::Delete(int index) {
  GetItem(index);
  if (owner_->HandleAllocated()) SendMessageA(owner_->GetHandle(), LVM_DELETECOLUMN, static_cast<WPARAM>(index), 0);
  columns_.erase(columns_.begin() + index);
  Changed();
}

void TListColumns::Changed() {
  if (updateCount_ > 0) changed_ = true;
  else owner_->ColumnsChanged();
}

void TListColumns::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0) return;
  for (const auto& column : columns_)
    if (column->pending_) column->Apply(false);
  if (!changed_) return;
  changed_ = false;
  owner_->ColumnsChanged();
}

void TListColumns::Clear() {
  while (GetCount() > 0) Delete(GetCount() - 1);
}

bool TIconOptions::GetAutoArrange() const { return owner_->style(LVS_AUTOARRANGE); }
void TIconOptions::SetAutoArrange(bool v) { owner_->SetStyle(LVS_AUTOARRANGE, v); }

// --- TCustomListView

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner), items_(this), columns_(this) {
  clickEvents_ = false;
  SetTabStop(true);
  SetBounds(0, 0, 250, 150);
}

TCustomListView::~TCustomListView() { DestroyHandle(); }

void TCustomListView::BeforeDestruction() {
  Destroying();
  items_.Clear();
  TWinControl::BeforeDestruction();
}

const TClassInfo& TCustomListView::StaticClassInfo() {
  static const TClassInfo info =
      TPublish<TCustomListView>("TCustomListView", &TWinControl::StaticClassInfo())
          .Enum("ViewStyle", &TCustomListView::GetViewStyle, &TCustomListView::SetViewStyle, vsIcon,
                {"vsIcon", "vsSmallIcon", "vsList", "vsReport"})
          .Bool("MultiSelect", &TCustomListView::GetMultiSelect, &TCustomListView::SetMultiSelect, false)
          .Bool("ReadOnly", &TCustomListView::GetReadOnly, &TCustomListView::SetReadOnly, false)
          .Bool("RowSelect", &TCustomListView::GetRowSelect, &TCustomListView::SetRowSelect, false)
          .Int("AllocBy", &TCustomListView::GetAllocBy, &TCustomListView::SetAllocBy, 0)
          .Done();
  return info;
}

void TCustomListView::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, WC_LISTVIEWA);
  p.Style |= style_ | kViewStyles[viewStyle_] | (ownerData_ ? LVS_OWNERDATA : 0);
  if (borderStyle_ != bsNone) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd() {
  TWinControl::CreateWnd();
  HWND wnd = GetHandle();
  SendMessageA(wnd, LVM_SETEXTENDEDLISTVIEWSTYLE, exStyle_, exStyle_);
  if (allocBy_ > 0 && !ownerData_) SendMessageA(wnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(allocBy_), 0);
  largeImages_.Apply(wnd);
  smallImages_.Apply(wnd);
  for (auto& c : columns_.columns_) c->Apply(true);
  if (ownerData_) {
    SendMessageA(wnd, LVM_SETCALLBACKMASK, kOwnStates, 0);
    items_.SyncCount();
  }
  if (recreating_ && ownerData_) {
    items_.order_.swap(saved_);
    for (std::size_t i = 0; i < items_.order_.size(); ++i) items_.order_[i]->indexHint_ = static_cast<int>(i);
    items_.SyncCount();
  }
  if (recreating_) {
    for (TListItem* item : saved_) items_.InternalInsert(items_.GetCount(), item);
    saved_.clear();
    recreating_ = false;
  }
}

void TCustomListView::DestroyWnd() {
  if (!GetComponentState().Contains(csDestroying) && HandleAllocated()) {
    saved_.clear();
    if (items_.OwnerData()) saved_.swap(items_.order_);  // put back by the new window, in either mode
    else
      for (int i = 0; i < items_.GetCount(); ++i) saved_.push_back(items_.GetItem(i));
    for (auto& c : columns_.columns_) c->GetWidth();
    recreating_ = true;
  }
  TWinControl::DestroyWnd();
}

void TCustomListView::SetViewStyle(TViewStyle v) {
  viewStyle_ = v;
  if (HandleAllocated()) {
    const LONG s = GetWindowLongA(GetHandle(), GWL_STYLE);
    SetWindowLongA(GetHandle(), GWL_STYLE, static_cast<LONG>((s & ~LVS_TYPEMASK) | kViewStyles[v]));
    Invalidate();
  }
}

void TCustomListView::SetStyle(DWORD bit, bool on) { ChangeStyleBit(style_, bit, on); }

void TCustomListView::SetExStyle(DWORD bit, bool on) {
  exStyle_ = on ? (exStyle_ | bit) : (exStyle_ & ~bit);
  if (HandleAllocated()) SendMessageA(GetHandle(), LVM_SETEXTENDEDLISTVIEWSTYLE, bit, on ? bit : 0);
}

void TCustomListView::SetAllocBy(int v) {
  allocBy_ = v;
  // An owner-data control's count is the items' number.
  if (HandleAllocated() && v > 0 && !ownerData_) SendMessageA(GetHandle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(v), 0);
}

void TCustomListView::SetLargeImages(TCustomImageList* v) { largeImages_.Set(this, AllocatedHandle(), v); }

void TCustomListView::SetSmallImages(TCustomImageList* v) { smallImages_.Set(this, AllocatedHandle(), v); }

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  largeImages_.Forget(AComponent, AllocatedHandle());
  smallImages_.Forget(AComponent, AllocatedHandle());
}

TListItem* TCustomListView::GetNextItem(TListItem* start, UINT flags) {
  if (!HandleAllocated()) return nullptr;
  const int from = start ? start->GetIndex() : -1;
  const int i = static_cast<int>(SendMessageA(GetHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(from), flags));
  return i >= 0 ? items_.GetItem(i) : nullptr;
}

TListItem* TCustomListView::GetSelected() { return GetNextItem(nullptr, LVNI_SELECTED); }

void TCustomListView::SetSelected(TListItem* item) {
  if (!HandleAllocated()) return;
  LVITEMA lv = {};
  lv.stateMask = LVIS_SELECTED;
  SendMessageA(GetHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&lv));
  if (item) item->SetSelected(true);
}

TListItem* TCustomListView::GetItemFocused() { return GetNextItem(nullptr, LVNI_FOCUSED); }

void TCustomListView::SetItemFocused(TListItem* item) {
  if (TListItem* old = GetItemFocused()) old->SetFocused(false);
  if (item) item->SetFocused(true);
}

int TCustomListView::GetSelCount() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(GetHandle(), LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

TListItem* TCustomListView::GetItemAt(int x, int y) {
  LVHITTESTINFO hit = {};
  hit.pt = {x, y};
  const int i = static_cast<int>(SendMessageA(GetHandle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return i >= 0 && (hit.flags & LVHT_ONITEM) ? items_.GetItem(i) : nullptr;
}

bool TCustomListView::IsEditing() { return HandleAllocated() && SendMessageA(GetHandle(), LVM_GETEDITCONTROL, 0, 0) != 0; }

bool TCustomListView::CustomSort(TLVCompare compare, LPARAM data) {
  if (ownerData_) {
    std::vector<TListItem*> order = items_.order_;
    const LPARAM param = compare ? data : reinterpret_cast<LPARAM>(this);
    const TLVCompare by = compare ? compare : DefaultListCompare;
    std::stable_sort(order.begin(), order.end(), [&](TListItem* a, TListItem* b) {
      return by(reinterpret_cast<LPARAM>(a), reinterpret_cast<LPARAM>(b), param) < 0;
    });
    items_.SetOrder(std::move(order));
    return true;
  }
  if (!HandleAllocated()) return false;
  const bool sorted =
      SendMessageA(GetHandle(), LVM_SORTITEMS, compare ? static_cast<WPARAM>(data) : reinterpret_cast<WPARAM>(this),
                   reinterpret_cast<LPARAM>(compare ? compare : DefaultListCompare)) != 0;
  RefreshIndexHints();
  return sorted;
}

void TCustomListView::RefreshIndexHints() {
  const int count = items_.GetCount();
  for (int i = 0; i < count; ++i) items_.GetItem(i);  // a lookup by index sets the hint
}

bool TCustomListView::AlphaSort() { return CustomSort(nullptr, 0); }

void TCustomListView::Scroll(int dx, int dy) { SendMessageA(GetHandle(), LVM_SCROLL, static_cast<WPARAM>(dx), dy); }

void TCustomListView::Delete(TListItem* Item) {
  if (OnDeletion) OnDeletion(this, Item);
}

void TCustomListView::InsertItem(TListItem* Item) {
  if (OnInsert) OnInsert(this, Item);
}

void TCustomListView::Change(TListItem* Item, int Change) {
  static const TItemChange kChanges[] = {ctText, ctImage, ctState};
  if (OnChange) OnChange(this, Item, kChanges[Change]);
}

bool TCustomListView::CanChange(TListItem* Item, int Change) {
  static const TItemChange kChanges[] = {ctText, ctImage, ctState};
  bool allow = true;
  if (OnChanging) OnChanging(this, Item, kChanges[Change], allow);
  return allow;
}

void TCustomListView::ColClick(TListColumn* Column) {
  if (OnColumnClick) OnColumnClick(this, Column);
}

bool TCustomListView::CanEdit(TListItem* Item) {
  bool allow = true;
  if (OnEditing) OnEditing(this, Item, allow);
  return allow;
}

void TCustomListView::Edit(const LVITEMA& Item) {
  if (!Item.pszText || Item.iItem < 0) return;
  TListItem* item = items_.GetItem(Item.iItem);
  std::string s = Item.pszText;
  if (OnEdited) OnEdited(this, item, s);
  item->SetCaption(s);
}

void TCustomListView::ItemGone(TListItem* item) {
  if (!item || item->deleting_) return;
  item->deleting_ = true;
  GuardCallback(this, [&] { Delete(item); });
  items_.Forget(item);
  delete item;
}

void TCustomListView::CNNotify(TMessage& m) {
  auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
  auto* nm = reinterpret_cast<NMLISTVIEW*>(m.LParam);
  auto changeKind = [](UINT changed) { return (changed & LVIF_STATE) ? 2 : (changed & LVIF_IMAGE) ? 1 : 0; };
  switch (hdr->code) {
    case LVN_GETDISPINFOA: {
      auto* di = reinterpret_cast<NMLVDISPINFOA*>(m.LParam);
      auto* item = reinterpret_cast<TListItem*>(di->item.lParam);
      if (!item && di->item.iItem >= 0) item = items_.GetItem(di->item.iItem);
      if (!item) return;
      if ((di->item.mask & LVIF_TEXT) && di->item.pszText && di->item.cchTextMax > 0) {
        std::string text;
        if (di->item.iSubItem == 0) text = item->caption_;
        else if (di->item.iSubItem - 1 < item->GetSubItemCount()) text = item->subItems_->Get(di->item.iSubItem - 1);
        StrPLCopy(di->item.pszText, text, static_cast<std::size_t>(di->item.cchTextMax) - 1);
      }
      if (di->item.mask & LVIF_IMAGE) di->item.iImage = item->imageIndex_;
      if (di->item.mask & LVIF_STATE) di->item.state |= item->ownState_ & di->item.stateMask & kOwnStates;
      return;
    }
    case LVN_DELETEITEM:
      if (!recreating_ && !ownerData_) ItemGone(reinterpret_cast<TListItem*>(nm->lParam));
      return;
    case LVN_DELETEALLITEMS:
      m.Result = 0;  // one LVN_DELETEITEM per item
      return;
    case LVN_INSERTITEM:
      if (!recreating_ && nm->iItem >= 0) {
        TListItem* item = items_.inserting_;
        if (item) item->indexHint_ = nm->iItem;
        InsertItem(item ? item : items_.GetItem(nm->iItem));
      }
      return;
    case LVN_ITEMCHANGING:
      if (nm->iItem >= 0 && !remarking_) m.Result = CanChange(items_.GetItem(nm->iItem), changeKind(nm->uChanged)) ? 0 : 1;
      return;
    case LVN_ITEMCHANGED:
      if (nm->iItem >= 0 && !remarking_) {
        TListItem* item = items_.GetItem(nm->iItem);
        Change(item, changeKind(nm->uChanged));
        if ((nm->uChanged & LVIF_STATE) && ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED) && OnSelectItem)
          OnSelectItem(this, item, (nm->uNewState & LVIS_SELECTED) != 0);
      }
      return;
    case LVN_COLUMNCLICK:
      if (nm->iSubItem >= 0 && nm->iSubItem < columns_.GetCount()) ColClick(columns_.GetItem(nm->iSubItem));
      return;
    case LVN_BEGINLABELEDITA: {
      auto* di = reinterpret_cast<NMLVDISPINFOA*>(m.LParam);
      m.Result = di->item.iItem >= 0 && CanEdit(items_.GetItem(di->item.iItem)) ? 0 : 1;
      return;
    }
    case LVN_ENDLABELEDITA:
      Edit(reinterpret_cast<NMLVDISPINFOA*>(m.LParam)->item);
      m.Result = 0;
      return;
    case NM_CUSTOMDRAW: {
      auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(m.LParam);
      bool defaultDraw = true;
      m.Result = CDRF_DODEFAULT;
      if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) {
        if (OnCustomDraw) OnCustomDraw(this, cd->nmcd.rc, defaultDraw);
        if (OnCustomDrawItem) m.Result = CDRF_NOTIFYITEMDRAW;
      } else if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && OnCustomDrawItem) {
        const int index = static_cast<int>(cd->nmcd.dwItemSpec);
        OnCustomDrawItem(this, index < items_.GetCount() ? items_.GetItem(index) : nullptr, cd->nmcd.uItemState, defaultDraw);
      }
      if (!defaultDraw) m.Result = CDRF_SKIPDEFAULT;
      return;
    }
    default:
      break;
  }
  DefaultHandler(m);
}

void TCustomListView::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    CNNotify(m);
    return;
  }
  TWinControl::WndProc(m);
}

}  // namespace korvane
