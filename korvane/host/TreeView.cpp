#include "korvane/host/TreeView.h"

#include <cstring>
#include <functional>

#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

// --- TTreeNode

namespace {
// TVM_GETITEMRECT takes the item in the rectangle's first bytes.
RECT ItemRectRequest(HTREEITEM item) {
  RECT r = {};
  std::memcpy(&r, &item, sizeof item);
  return r;
}
}  // namespace

TCustomTreeView* TTreeNode::GetTreeView() const { return owner_->GetOwner(); }
HWND TTreeNode::Wnd() const { return GetTreeView()->GetHandle(); }

void TTreeNode::Refresh() {
  if (!item_) return;
  RECT r = ItemRectRequest(item_);
  if (SendMessageA(Wnd(), TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&r))) InvalidateRect(Wnd(), &r, TRUE);
}

void TTreeNode::SetText(const std::string& v) {
  if (v == text_) return;
  text_ = v;
  if (!item_) return;
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = item_;
  item.pszText = const_cast<char*>(text_.c_str());
  SendMessageA(Wnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));  // redraws the node
}

// An unchanged value must not redraw: the control asks for images while painting.
void TTreeNode::SetImageIndex(int v) {
  if (v == imageIndex_) return;
  imageIndex_ = v;
  Refresh();
}

void TTreeNode::SetSelectedIndex(int v) {
  if (v == selectedIndex_) return;
  selectedIndex_ = v;
  Refresh();
}

bool TTreeNode::State(UINT mask) const {
  return item_ && (SendMessageA(Wnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_), mask) & mask) != 0;
}

void TTreeNode::SetState(UINT mask, bool on) {
  TVITEMA item = {};
  item.mask = TVIF_STATE;
  item.hItem = item_;
  item.stateMask = mask;
  item.state = on ? mask : 0;
  SendMessageA(Wnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetOverlayIndex(int v) {
  overlayIndex_ = v;
  TVITEMA item = {};
  item.mask = TVIF_STATE;
  item.hItem = item_;
  item.stateMask = TVIS_OVERLAYMASK;
  item.state = INDEXTOOVERLAYMASK(v < 0 ? 0 : v + 1);  // overlay images are 1-based in the control
  SendMessageA(Wnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

bool TTreeNode::GetHasChildren() const {
  TVITEMA item = {};
  item.mask = TVIF_CHILDREN;
  item.hItem = item_;
  SendMessageA(Wnd(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.cChildren > 0;
}

void TTreeNode::SetHasChildren(bool v) {
  TVITEMA item = {};
  item.mask = TVIF_CHILDREN;
  item.hItem = item_;
  item.cChildren = v ? 1 : 0;
  SendMessageA(Wnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

bool TTreeNode::GetExpanded() const { return State(TVIS_EXPANDED); }

void TTreeNode::Expand(bool recurse) {
  SendMessageA(Wnd(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
  if (recurse)
    for (TTreeNode* c = GetFirstChild(); c; c = c->GetNextSibling()) c->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
  if (recurse)
    for (TTreeNode* c = GetFirstChild(); c; c = c->GetNextSibling()) c->Collapse(true);
  SendMessageA(Wnd(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
}

bool TTreeNode::GetSelected() const { return State(TVIS_SELECTED); }

void TTreeNode::SetSelected(bool v) {
  if (v) SendMessageA(Wnd(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item_));
  else if (GetSelected()) SendMessageA(Wnd(), TVM_SELECTITEM, TVGN_CARET, 0);
}

bool TTreeNode::GetDropTarget() const { return State(TVIS_DROPHILITED); }

void TTreeNode::SetDropTarget(bool v) {
  SendMessageA(Wnd(), TVM_SELECTITEM, TVGN_DROPHILITE, v ? reinterpret_cast<LPARAM>(item_) : 0);
}

bool TTreeNode::GetCut() const { return State(TVIS_CUT); }
void TTreeNode::SetCut(bool v) { SetState(TVIS_CUT, v); }

// Walking the nodes asks the native control straight: a walk over many siblings is two queries each.
static TTreeNode* Related(const TTreeNode* node, UINT code) {
  TCustomTreeView* view = node->GetTreeView();
  if (!view->HandleAllocated()) return nullptr;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(
      view->NativeQuery(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(node->GetItemId())));
  return node->GetOwner()->GetNodeFromItem(item);
}

TTreeNode* TTreeNode::GetParent() const { return Related(this, TVGN_PARENT); }
TTreeNode* TTreeNode::GetFirstChild() const { return Related(this, TVGN_CHILD); }
TTreeNode* TTreeNode::GetNextSibling() const { return Related(this, TVGN_NEXT); }
TTreeNode* TTreeNode::GetPrevSibling() const { return Related(this, TVGN_PREVIOUS); }

TTreeNode* TTreeNode::GetLastChild() const {
  TTreeNode* c = GetFirstChild();
  while (c && c->GetNextSibling()) c = c->GetNextSibling();
  return c;
}

TTreeNode* TTreeNode::GetNext() const {
  if (TTreeNode* c = GetFirstChild()) return c;
  for (const TTreeNode* n = this; n; n = n->GetParent())
    if (TTreeNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
  TTreeNode* p = GetPrevSibling();
  if (!p) return GetParent();
  while (TTreeNode* last = p->GetLastChild()) p = last;
  return p;
}

int TTreeNode::GetCount() const {
  int n = 0;
  for (TTreeNode* c = GetFirstChild(); c; c = c->GetNextSibling()) ++n;
  return n;
}

TTreeNode* TTreeNode::GetItem(int index) const {
  TTreeNode* c = GetFirstChild();
  for (int i = 0; c && i < index; ++i) c = c->GetNextSibling();
  if (!c || index < 0) throw EListError(Format("List index out of bounds (%d)", index));
  return c;
}

int TTreeNode::GetIndex() const {
  int i = 0;
  for (TTreeNode* p = GetPrevSibling(); p; p = p->GetPrevSibling()) ++i;
  return i;
}

int TTreeNode::GetAbsoluteIndex() const {
  int i = 0;
  for (TTreeNode* p = GetPrev(); p; p = p->GetPrev()) ++i;
  return i;
}

int TTreeNode::GetLevel() const {
  int level = 0;
  for (TTreeNode* p = GetParent(); p; p = p->GetParent()) ++level;
  return level;
}

bool TTreeNode::HasAsParent(const TTreeNode* node) const {
  for (TTreeNode* p = GetParent(); p; p = p->GetParent())
    if (p == node) return true;
  return false;
}

bool TTreeNode::IsVisible() const {
  RECT r = ItemRectRequest(item_);
  return SendMessageA(Wnd(), TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&r)) != 0;
}

void TTreeNode::MakeVisible() { SendMessageA(Wnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item_)); }

RECT TTreeNode::DisplayRect(bool textOnly) const {
  RECT r = ItemRectRequest(item_);
  if (!SendMessageA(Wnd(), TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&r))) r = {};
  return r;
}

bool TTreeNode::EditText() {
  return SendMessageA(Wnd(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item_)) != 0;
}

void TTreeNode::EndEdit(bool cancel) { SendMessageA(Wnd(), TVM_ENDEDITLABELNOW, cancel, 0); }

void TTreeNode::Delete() {
  if (!deleting_) owner_->Delete(this);
}

void TTreeNode::DeleteChildren() {
  while (TTreeNode* c = GetFirstChild()) c->Delete();
}

bool TTreeNode::CustomSort(TTVCompare compare, LPARAM data, bool recurse) {
  TVSORTCB sort = {item_, compare, data};
  const bool ok = compare ? SendMessageA(Wnd(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)) != 0
                          : SendMessageA(Wnd(), TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(item_)) != 0;
  if (recurse)
    for (TTreeNode* c = GetFirstChild(); c; c = c->GetNextSibling()) c->CustomSort(compare, data, true);
  return ok;
}

namespace {
// The default order: OnCompare when assigned, else the node texts.
int CALLBACK DefaultTreeCompare(LPARAM a, LPARAM b, LPARAM tree) {
  auto* n1 = reinterpret_cast<TTreeNode*>(a);
  auto* n2 = reinterpret_cast<TTreeNode*>(b);
  auto* view = reinterpret_cast<TCustomTreeView*>(tree);
  int result = 0;
  GuardCallback(view, [&] {
    if (view->OnCompare) view->OnCompare(view, n1, n2, 0, result);
    else result = AnsiCompareText(n1->GetText(), n2->GetText());
  });
  return result;
}
}  // namespace

bool TTreeNode::AlphaSort(bool recurse) {
  return CustomSort(DefaultTreeCompare, reinterpret_cast<LPARAM>(GetTreeView()), recurse);
}

// --- TTreeNodes

TTreeNodes::~TTreeNodes() = default;

TTreeNode* TTreeNodes::GetNodeFromItem(HTREEITEM item) const {
  if (!item || !owner_->HandleAllocated()) return nullptr;
  TVITEMA tv = {};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  if (!owner_->NativeQuery(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  return reinterpret_cast<TTreeNode*>(tv.lParam);
}

TTreeNode* TTreeNodes::GetFirstNode() const {
  if (!owner_->HandleAllocated()) return nullptr;
  return GetNodeFromItem(reinterpret_cast<HTREEITEM>(SendMessageA(owner_->GetHandle(), TVM_GETNEXTITEM, TVGN_ROOT, 0)));
}

int TTreeNodes::GetCount() const {
  return owner_->HandleAllocated() ? static_cast<int>(SendMessageA(owner_->GetHandle(), TVM_GETCOUNT, 0, 0)) : 0;
}

TTreeNode* TTreeNodes::GetItem(int absoluteIndex) const {
  TTreeNode* n = GetFirstNode();
  for (int i = 0; n && i < absoluteIndex; ++i) n = n->GetNext();
  if (!n || absoluteIndex < 0) throw EListError(Format("List index out of bounds (%d)", absoluteIndex));
  return n;
}

TTreeNode* TTreeNodes::InternalAdd(HTREEITEM parent, HTREEITEM after, const std::string& s, void* data,
                                   const TTreeNodeState* state) {
  auto* node = new TTreeNode(this);
  node->text_ = s;
  node->data_ = data;
  TVINSERTSTRUCTA ins = {};
  ins.hParent = parent;
  ins.hInsertAfter = after;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  // The control keeps its own copy of the text: under Wine, text given by
  // callback costs a notification per node whenever the control measures its
  // nodes (all children on expanding) and a buffer of a few hundred bytes each.
  ins.item.pszText = const_cast<char*>(node->text_.c_str());
  ins.item.iImage = I_IMAGECALLBACK;
  ins.item.iSelectedImage = I_IMAGECALLBACK;
  ins.item.lParam = reinterpret_cast<LPARAM>(node);
  if (state) {
    ins.item.mask |= TVIF_CHILDREN | TVIF_STATE;
    ins.item.cChildren = state->HasChildren ? 1 : 0;
    ins.item.stateMask = TVIS_OVERLAYMASK | TVIS_CUT;
    ins.item.state = INDEXTOOVERLAYMASK(state->OverlayIndex < 0 ? 0 : state->OverlayIndex + 1) |
                     (state->Cut ? TVIS_CUT : 0);
    node->overlayIndex_ = state->OverlayIndex;
    node->imageIndex_ = state->ImageIndex;
    node->selectedIndex_ = state->SelectedIndex;
  }
  node->item_ = reinterpret_cast<HTREEITEM>(SendMessageA(owner_->GetHandle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  if (!node->item_) {
    delete node;
    throw EOutOfResources("Failed to create a tree node");
  }
  return node;
}

static HTREEITEM ParentOf(TTreeNode* node) { return node && node->GetParent() ? node->GetParent()->GetItemId() : TVI_ROOT; }

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& s, void* data) {
  return InternalAdd(ParentOf(sibling), TVI_LAST, s, data);
}

TTreeNode* TTreeNodes::AddObjectFirst(TTreeNode* sibling, const std::string& s, void* data) {
  return InternalAdd(ParentOf(sibling), TVI_FIRST, s, data);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& s, void* data) {
  return InternalAdd(parent ? parent->GetItemId() : TVI_ROOT, TVI_LAST, s, data);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& s, void* data,
                                      const TTreeNodeState& state) {
  return InternalAdd(parent ? parent->GetItemId() : TVI_ROOT, TVI_LAST, s, data, &state);
}

TTreeNode* TTreeNodes::AddChildObjectFirst(TTreeNode* parent, const std::string& s, void* data) {
  return InternalAdd(parent ? parent->GetItemId() : TVI_ROOT, TVI_FIRST, s, data);
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* sibling, const std::string& s, void* data) {
  if (!sibling) return AddObject(nullptr, s, data);
  TTreeNode* prev = sibling->GetPrevSibling();
  return InternalAdd(ParentOf(sibling), prev ? prev->GetItemId() : TVI_FIRST, s, data);
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* sibling, const std::string& s, void* data,
                                    const TTreeNodeState& state) {
  if (!sibling) return InternalAdd(TVI_ROOT, TVI_LAST, s, data, &state);
  TTreeNode* prev = sibling->GetPrevSibling();
  return InternalAdd(ParentOf(sibling), prev ? prev->GetItemId() : TVI_FIRST, s, data, &state);
}

TTreeNode* TTreeNodes::InsertObjectAfter(TTreeNode* parent, TTreeNode* after, const std::string& s, void* data,
                                         const TTreeNodeState& state) {
  return InternalAdd(parent ? parent->GetItemId() : TVI_ROOT, after ? after->GetItemId() : TVI_FIRST, s, data, &state);
}

void TTreeNodes::Delete(TTreeNode* node) {
  if (node && node->item_) SendMessageA(owner_->GetHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
}

void TTreeNodes::Clear() {
  if (owner_->HandleAllocated()) SendMessageA(owner_->GetHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void TTreeNodes::BeginUpdate() {
  if (updateCount_++ == 0 && owner_->HandleAllocated()) SendMessageA(owner_->GetHandle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && owner_->HandleAllocated()) {
    SendMessageA(owner_->GetHandle(), WM_SETREDRAW, TRUE, 0);
    owner_->Invalidate();
  }
}

// --- TCustomTreeView

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner), items_(this) {
  clickEvents_ = false;
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
}

TCustomTreeView::~TCustomTreeView() { DestroyHandle(); }

void TCustomTreeView::BeforeDestruction() {
  Destroying();
  items_.Clear();  // every node's Delete runs while the whole object can see it
  TWinControl::BeforeDestruction();
}

const TClassInfo& TCustomTreeView::StaticClassInfo() {
  static const TClassInfo info = TPublish<TCustomTreeView>("TCustomTreeView", &TWinControl::StaticClassInfo())
                                     .Bool("ShowButtons", &TCustomTreeView::GetShowButtons, &TCustomTreeView::SetShowButtons, true)
                                     .Bool("ShowLines", &TCustomTreeView::GetShowLines, &TCustomTreeView::SetShowLines, true)
                                     .Bool("ShowRoot", &TCustomTreeView::GetShowRoot, &TCustomTreeView::SetShowRoot, true)
                                     .Bool("ReadOnly", &TCustomTreeView::GetReadOnly, &TCustomTreeView::SetReadOnly, false)
                                     .Bool("HideSelection", &TCustomTreeView::GetHideSelection, &TCustomTreeView::SetHideSelection, false)
                                     .Bool("RowSelect", &TCustomTreeView::GetRowSelect, &TCustomTreeView::SetRowSelect, false)
                                     .Bool("RightClickSelect", &TCustomTreeView::GetRightClickSelect, &TCustomTreeView::SetRightClickSelect, false)
                                     .Int("Indent", &TCustomTreeView::GetIndent, &TCustomTreeView::SetIndent, 19)
                                     .Done();
  return info;
}

void TCustomTreeView::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, WC_TREEVIEWA);
  p.Style |= style_;
  if (borderStyle_ != bsNone) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageA(GetHandle(), TVM_SETINDENT, static_cast<WPARAM>(indent_), 0);
  images_.Apply(GetHandle());
  stateImages_.Apply(GetHandle());
  if (recreating_) {
    // The same nodes go into the new window, in their order.
    for (auto& [node, parent] : saved_) {
      TVINSERTSTRUCTA ins = {};
      ins.hParent = parent ? parent->item_ : TVI_ROOT;
      ins.hInsertAfter = TVI_LAST;
      ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
      ins.item.pszText = const_cast<char*>(node->text_.c_str());
      ins.item.iImage = I_IMAGECALLBACK;
      ins.item.iSelectedImage = I_IMAGECALLBACK;
      ins.item.lParam = reinterpret_cast<LPARAM>(node);
      node->item_ = reinterpret_cast<HTREEITEM>(SendMessageA(GetHandle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    }
    for (TTreeNode* n : savedExpanded_) n->Expand(false);
    if (savedSelected_) savedSelected_->SetSelected(true);
    saved_.clear();
    savedExpanded_.clear();
    savedSelected_ = nullptr;
    recreating_ = false;
  }
}

void TCustomTreeView::DestroyWnd() {
  if (!GetComponentState().Contains(csDestroying) && HandleAllocated()) {
    saved_.clear();
    savedExpanded_.clear();
    for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNext()) {
      saved_.emplace_back(n, n->GetParent());
      if (n->GetExpanded()) savedExpanded_.push_back(n);
    }
    savedSelected_ = GetSelected();
    recreating_ = true;  // the window's deletions do not delete the nodes
  }
  TWinControl::DestroyWnd();
}

void TCustomTreeView::SetStyle(DWORD bit, bool on) { ChangeStyleBit(style_, bit, on); }

int TCustomTreeView::GetIndent() {
  if (HandleAllocated()) indent_ = static_cast<int>(SendMessageA(GetHandle(), TVM_GETINDENT, 0, 0));
  return indent_;
}

void TCustomTreeView::SetIndent(int v) {
  indent_ = v;
  if (HandleAllocated()) SendMessageA(GetHandle(), TVM_SETINDENT, static_cast<WPARAM>(v), 0);
}

void TCustomTreeView::SetImages(TCustomImageList* v) { images_.Set(this, AllocatedHandle(), v); }

void TCustomTreeView::SetStateImages(TCustomImageList* v) { stateImages_.Set(this, AllocatedHandle(), v); }

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  images_.Forget(AComponent, AllocatedHandle());
  stateImages_.Forget(AComponent, AllocatedHandle());
}

TTreeNode* TCustomTreeView::GetSelected() {
  if (!HandleAllocated()) return nullptr;
  return items_.GetNodeFromItem(reinterpret_cast<HTREEITEM>(SendMessageA(GetHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
  SendMessageA(GetHandle(), TVM_SELECTITEM, TVGN_CARET, node ? reinterpret_cast<LPARAM>(node->item_) : 0);
}

TTreeNode* TCustomTreeView::GetDropTarget() {
  if (!HandleAllocated()) return nullptr;
  return items_.GetNodeFromItem(reinterpret_cast<HTREEITEM>(SendMessageA(GetHandle(), TVM_GETNEXTITEM, TVGN_DROPHILITE, 0)));
}

void TCustomTreeView::SetDropTarget(TTreeNode* node) {
  SendMessageA(GetHandle(), TVM_SELECTITEM, TVGN_DROPHILITE, node ? reinterpret_cast<LPARAM>(node->item_) : 0);
}

TTreeNode* TCustomTreeView::GetTopItem() {
  if (!HandleAllocated()) return nullptr;
  return items_.GetNodeFromItem(reinterpret_cast<HTREEITEM>(SendMessageA(GetHandle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) {
  TVHITTESTINFO hit = {{x, y}, 0, nullptr};
  SendMessageA(GetHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return (hit.flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON)) ? items_.GetNodeFromItem(hit.hItem)
                                                                                              : nullptr;
}

UINT TCustomTreeView::GetHitTestInfoAt(int x, int y) {
  TVHITTESTINFO hit = {{x, y}, 0, nullptr};
  SendMessageA(GetHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return hit.flags;
}

bool TCustomTreeView::IsEditing() {
  return HandleAllocated() && SendMessageA(GetHandle(), TVM_GETEDITCONTROL, 0, 0) != 0;
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNextSibling()) n->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNextSibling()) n->Collapse(true);
}

bool TCustomTreeView::CustomSort(TTVCompare compare, LPARAM data, bool recurse) {
  if (!HandleAllocated()) return false;
  TVSORTCB sort = {TVI_ROOT, compare ? compare : DefaultTreeCompare, compare ? data : reinterpret_cast<LPARAM>(this)};
  const bool ok = SendMessageA(GetHandle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort)) != 0;
  if (recurse)
    for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNextSibling())
      n->CustomSort(sort.lpfnCompare, sort.lParam, true);
  return ok;
}

bool TCustomTreeView::AlphaSort(bool recurse) { return CustomSort(nullptr, 0, recurse); }

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool allow = true;
  if (OnChanging) OnChanging(this, Node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange) OnChange(this, Node);
}

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool allow = true;
  if (OnExpanding) OnExpanding(this, Node, allow);
  return allow;
}

void TCustomTreeView::Expand(TTreeNode* Node) {
  if (OnExpanded) OnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
  bool allow = true;
  if (OnCollapsing) OnCollapsing(this, Node, allow);
  return allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
  if (OnCollapsed) OnCollapsed(this, Node);
}

void TCustomTreeView::Delete(TTreeNode* Node) {
  if (OnDeletion) OnDeletion(this, Node);
}

bool TCustomTreeView::CanEdit(TTreeNode* Node) {
  bool allow = true;
  if (OnEditing) OnEditing(this, Node, allow);
  return allow;
}

void TCustomTreeView::Edit(const TVITEMA& Item) {
  TTreeNode* node = items_.GetNodeFromItem(Item.hItem);
  if (!node || !Item.pszText) return;
  std::string s = Item.pszText;
  if (OnEdited) OnEdited(this, node, s);
  node->SetText(s);
}

void TCustomTreeView::GetImageIndex(TTreeNode* Node) {
  if (OnGetImageIndex) OnGetImageIndex(this, Node);
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* Node) {
  if (OnGetSelectedIndex) OnGetSelectedIndex(this, Node);
}

void TCustomTreeView::NotifyDelete(TTreeNode* Node) {
  if (!Node || Node->deleteNotified_) return;
  Node->deleteNotified_ = true;
  GuardCallback(this, [&] { Delete(Node); });
}

void TCustomTreeView::NodeGone(TTreeNode* node) {
  if (!node || node->deleting_) return;
  node->deleting_ = true;
  NotifyDelete(node);
  node->item_ = nullptr;
  delete node;
}

void TCustomTreeView::CNNotify(TMessage& m) {
  auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
  auto* tv = reinterpret_cast<NMTREEVIEWA*>(m.LParam);
  switch (hdr->code) {
    case TVN_SELCHANGINGA: case TVN_SELCHANGINGW:
      m.Result = CanChange(reinterpret_cast<TTreeNode*>(tv->itemNew.lParam)) ? 0 : 1;
      return;
    case TVN_SELCHANGEDA: case TVN_SELCHANGEDW:
      Change(reinterpret_cast<TTreeNode*>(tv->itemNew.lParam));
      return;
    case TVN_ITEMEXPANDINGA: case TVN_ITEMEXPANDINGW: {
      auto* node = reinterpret_cast<TTreeNode*>(tv->itemNew.lParam);
      if (tv->action & TVE_EXPAND) m.Result = CanExpand(node) ? 0 : 1;
      else if (tv->action & TVE_COLLAPSE) m.Result = CanCollapse(node) ? 0 : 1;
      return;
    }
    case TVN_ITEMEXPANDEDA: case TVN_ITEMEXPANDEDW: {
      auto* node = reinterpret_cast<TTreeNode*>(tv->itemNew.lParam);
      if (tv->action & TVE_EXPAND) Expand(node);
      else if (tv->action & TVE_COLLAPSE) Collapse(node);
      return;
    }
    case TVN_DELETEITEMA: case TVN_DELETEITEMW:
      if (!recreating_) NodeGone(reinterpret_cast<TTreeNode*>(tv->itemOld.lParam));
      return;
    case TVN_BEGINLABELEDITA: case TVN_BEGINLABELEDITW: {
      auto* di = reinterpret_cast<NMTVDISPINFOA*>(m.LParam);
      m.Result = CanEdit(items_.GetNodeFromItem(di->item.hItem)) ? 0 : 1;
      return;
    }
    case TVN_ENDLABELEDITA: {
      auto* di = reinterpret_cast<NMTVDISPINFOA*>(m.LParam);
      Edit(di->item);
      m.Result = 0;  // the text now comes from the node
      return;
    }
    case TVN_GETDISPINFOA: {
      auto* di = reinterpret_cast<NMTVDISPINFOA*>(m.LParam);
      auto* node = reinterpret_cast<TTreeNode*>(di->item.lParam);
      if (!node) node = items_.GetNodeFromItem(di->item.hItem);
      if (!node) return;
      if (di->item.mask & TVIF_IMAGE) {
        GetImageIndex(node);
        di->item.iImage = node->imageIndex_;
      }
      if (di->item.mask & TVIF_SELECTEDIMAGE) {
        GetSelectedIndex(node);
        di->item.iSelectedImage = node->selectedIndex_;
      }
      return;
    }
    case NM_CUSTOMDRAW: {
      auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(m.LParam);
      bool defaultDraw = true;
      m.Result = CDRF_DODEFAULT;
      if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) {
        if (OnCustomDraw) OnCustomDraw(this, cd->nmcd.rc, defaultDraw);
        if (OnCustomDrawItem) m.Result = CDRF_NOTIFYITEMDRAW;
      } else if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && OnCustomDrawItem) {
        OnCustomDrawItem(this, items_.GetNodeFromItem(reinterpret_cast<HTREEITEM>(cd->nmcd.dwItemSpec)), cd->nmcd.uItemState,
                         defaultDraw);
      }
      if (!defaultDraw) m.Result = CDRF_SKIPDEFAULT;
      return;
    }
    case NM_RCLICK:
      if (rightClickSelect_) {
        POINT p;
        GetCursorPos(&p);
        p = ScreenToClient(p);
        if (TTreeNode* node = GetNodeAt(p.x, p.y)) node->SetSelected(true);
      }
      break;
    default:
      break;
  }
  DefaultHandler(m);
}

void TCustomTreeView::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    CNNotify(m);
    return;
  }
  if (m.Msg == CM_COLORCHANGED && HandleAllocated())
    SendMessageA(GetHandle(), TVM_SETBKCOLOR, 0, GetColor() == clNone ? -1 : static_cast<LPARAM>(ColorToRGB(GetColor())));
  TWinControl::WndProc(m);
}

}  // namespace korvane
