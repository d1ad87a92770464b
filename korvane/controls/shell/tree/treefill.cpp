// Filling the shell tree: the whole tree from the base folder, one level on
// expansion, one item at a time through the filter; sorting in the shell's
// order; icons looked up when a node is first drawn.
#include "korvane/controls/shell/tree/shelltree.h"

#include "korvane/controls/shell/common/itemparent.h"
#include "korvane/host/Application.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Screen.h"

#include <algorithm>
#include <typeinfo>

namespace korvane {

namespace {

// Sibling order: the parent folder's CompareIDs; a failure or a node without a
// record counts as equal.
int CALLBACK CompareSiblings(LPARAM a, LPARAM b, LPARAM folderParam) {
  auto* folder = reinterpret_cast<IShellFolder*>(folderParam);
  TZQShTreeData* da = TZQCustomShellTree::GetDataFromNode(reinterpret_cast<TTreeNode*>(a));
  TZQShTreeData* db = TZQCustomShellTree::GetDataFromNode(reinterpret_cast<TTreeNode*>(b));
  if (!folder || !da || !db) return 0;
  const HRESULT hr = folder->CompareIDs(0, da->GetRelPidl(), db->GetRelPidl());
  return FAILED(hr) ? 0 : static_cast<std::int16_t>(HRESULT_CODE(hr));
}
}  // namespace

bool TZQCustomShellTree::NodeHasData(TTreeNode* node) { return GetDataFromNode(node) != nullptr; }

TZQShTreeData* TZQCustomShellTree::GetDataFromNode(TTreeNode* node) {
  // An application's own nodes carry nil or an object of its own. The exact
  // type is checked first: sorting asks this for every comparison.
  auto* data = node ? static_cast<TObject*>(node->GetData()) : nullptr;
  if (!data) return nullptr;
  if (typeid(*data) == typeid(TZQShTreeData)) return static_cast<TZQShTreeData*>(data);
  return dynamic_cast<TZQShTreeData*>(data);
}

TTreeNode* TZQCustomShellTree::GetFirstRootLevelShellNode() {
  if (!HandleAllocated()) return nullptr;
  for (TTreeNode* n = GetItems()->GetFirstNode(); n; n = n->GetNextSibling())
    if (NodeHasData(n)) return n;
  return nullptr;
}

SHCONTF TZQCustomShellTree::EnumFlags() const {
  SHCONTF flags = SHCONTF_FOLDERS;
  if (options_.Contains(zqstoIncludeNonFolders)) flags |= SHCONTF_NONFOLDERS;
  if (options_.Contains(zqstoShowHidden)) flags |= SHCONTF_INCLUDEHIDDEN;
  return flags;
}

IMalloc* TZQCustomShellTree::Allocator() {
  IMalloc* m = ShellIMalloc();
  if (!m) RaiseSysError(E_OUTOFMEMORY);
  return m;
}

void TZQCustomShellTree::FillStart() {
  if (OnFillStart) OnFillStart(this);
}

void TZQCustomShellTree::FillComplete() {
  if (OnFillComplete) OnFillComplete(this);
}

void TZQCustomShellTree::FillItems() {
  if (dragDrop_.IsDragging() || IsEditing()) {
    refreshPending_ = true;  // the drag or the rename refreshes when it ends
    return;
  }
  CancelExpansions();
  TCursorScope hourglass;
  {
    TZQLinkLock lock(lockCount_);
    SetSelected(nullptr);
    TTreeNodesUpdate bracket(GetItems());
    GetItems()->Clear();
  }
  TComPtr<IShellFolder> folder;
  const PItemIDList base = baseFolder_->GetIdList();
  const HRESULT hr = base ? ShellGetFolderFromIdList(base, folder) : ShellGetDesktopFolder(folder);
  if (FAILED(hr)) RaiseSysError(hr);
  FillTree(folder.Get(), nullptr);
  if (selectedFolder_->GetIdList()) DoSetSelectedIdList(selectedFolder_->GetIdList());
  else if (TTreeNode* first = GetItems()->GetFirstNode()) SetSelected(first);
  Synchronize(false);
  if (options_.Contains(zqstoDynamicRefresh) && !IsDesigning()) InstallChangeHandlersForAllLocalDrives();
}

void TZQCustomShellTree::FillTree(IShellFolder* folder, TTreeNode* node) {
  FillStart();
  const auto done = ScopeExit([this] { GuardCallback(this, [this] { FillComplete(); }); });
  IMalloc* m = Allocator();
  TIdListPtr parentAbsolute;
  if (TZQShTreeData* data = GetDataFromNode(node)) {
    parentAbsolute = TIdListPtr(CopyIdList(m, data->GetAbsPidl()), m);
  } else if (!node) {
    if (PItemIDList base = baseFolder_->GetIdList()) parentAbsolute = TIdListPtr(CopyIdList(m, base), m);
    PCItemIDList own = parentAbsolute ? parentAbsolute.Get() : EmptyIdList();
    auto record = std::make_unique<TZQShTreeData>(this);
    record->SetData(nullptr, m, parentAbsolute.Get());
    record->SetThisIShf(folder);
    node = GetItems()->AddChildObject(nullptr, GetAbsIdListInFolderName(parentAbsolute.Get()), record.get());
    record.release();  // the node's now; Delete frees it
    node->SetImageIndex(ShellGetIconIndex(own, SHGFI_SMALLICON));
    node->SetSelectedIndex(ShellGetIconIndex(own, SHGFI_SMALLICON | SHGFI_OPENICON));
    DoOnInsertItem(node);
  }
  TZQShTreeData* record = GetDataFromNode(node);

  TComPtr<IEnumIDList> items;
  const HRESULT enumResult = folder->EnumObjects(GetActiveWindow(), EnumFlags(), items.Put());
  if (FAILED(enumResult)) {
    node->SetHasChildren(true);  // the user can try again by expanding
    Abort();
  }

  // Children already present (added by a walk, or by a fill that stopped
  // part-way) are not added twice.
  TZQPidlList present;
  present.SetShellFolder(folder);
  for (TTreeNode* c = node->GetFirstChild(); c; c = c->GetNextSibling())
    if (TZQShTreeData* d = GetDataFromNode(c)) present.Add(d->GetRelPidl());
  if (present.GetCount() > 0) {
    present.SetDuplicates(dupAccept);
    present.SetSorted(true);
  }

  // S_FALSE without an enumerator is an empty folder.
  HRESULT next = S_FALSE;
  if (items) {
    TTreeNodesUpdate bracket(GetItems());
    for (;;) {
      TIdListPtr item(nullptr, m);
      next = items->Next(1, item.Put(), nullptr);
      if (next != S_OK) break;
      int at = 0;
      if (present.GetCount() > 0 && present.BinarySearch(item.Get(), at)) continue;
      if (const HRESULT added = AddNewShellNode(m, folder, item.Get(), node, parentAbsolute.Get()); FAILED(added))
        RaiseSysError(added);
    }
  }
  if (!node->GetFirstChild()) node->SetHasChildren(false);
  if (next == E_FAIL) Abort();
  if (next != S_FALSE) RaiseSysError(next);
  if (record) {
    record->SetFilled(true);
    filledNodes_.insert(node);
  }
  SortNode(node);
  if (!node->GetParent()) node->Expand(false);
}

HRESULT TZQCustomShellTree::AddNewShellNode(IMalloc* allocator, IShellFolder* folder, PCItemIDList relative,
                                            TTreeNode* parentNode, PCItemIDList parentAbsolute, TTreeNode** made,
                                            TTreeNode* before) {
  if (made) *made = nullptr;
  SFGAOF attributes = kZQItemAttributes;
  PCUITEMID_CHILD child = relative;
  if (const HRESULT hr = folder->GetAttributesOf(1, &child, &attributes); FAILED(hr)) return hr;
  const bool fileSystem = (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)) != 0;
  if (!options_.Contains(zqstoVirtualFolders) && !fileSystem) return S_OK;
  if (!CanAdd(folder, parentAbsolute, relative, attributes)) return S_OK;

  const TTreeNodeState state = NodeStateOf(attributes);
  auto record = std::make_unique<TZQShTreeData>(this);
  record->SetData(GetDataFromNode(parentNode), allocator, relative);
  const std::string name = GetItemDisplayName(folder, relative, SHGDN_INFOLDER);
  TTreeNode* node = before ? GetItems()->InsertObject(before, name, record.get(), state)
                           : GetItems()->AddChildObject(parentNode, name, record.get(), state);
  record.release();  // the node's now; Delete frees it
  if (TZQShTreeData* parent = GetDataFromNode(parentNode)) childNodes_[parent].insert(node);
  DoOnInsertItem(node);
  if (made) *made = node;
  return S_OK;
}

BOOL TZQCustomShellTree::CanAdd(IShellFolder* folder, PCItemIDList parentAbsolute, PCItemIDList relative,
                                ULONG attributes) {
  BOOL allow = TRUE;
  if (OnAddItem)
    OnAddItem(this, folder, const_cast<PItemIDList>(parentAbsolute), const_cast<PItemIDList>(relative),
              static_cast<int>(attributes), allow);
  return allow;
}

void TZQCustomShellTree::DoOnInsertItem(TTreeNode* node) {
  if (OnInsertItem) OnInsertItem(this, node);
}

void TZQCustomShellTree::SortNode(TTreeNode* node) {
  if (!HandleAllocated()) return;
  if (!node) {
    CustomSort(CompareSiblings, 0, false);  // top-level items have no common folder: they keep their order
    return;
  }
  TZQShTreeData* data = GetDataFromNode(node);
  IShellFolder* folder = data ? data->GetThisIShf() : nullptr;
  node->CustomSort(CompareSiblings, reinterpret_cast<LPARAM>(folder), false);
}

bool TZQCustomShellTree::CanExpand(TTreeNode* Node) {
  if (expansionBlock_ != 0) return false;
  if (!TZQCustomTreeView::CanExpand(Node)) return false;
  // A node the user opens may fill in the background; the code's own walks
  // and commands need the children at once (ExpandNode).
  TZQShTreeData* data = GetDataFromNode(Node);
  if (options_.Contains(zqstoBackgroundFill) && !IsDesigning() && data && !data->GetFilled() && data->GetAbsPidl() &&
      data->GetThisIShf()) {
    if (!expansions_.count(Node)) StartExpansion(Node, data->GetAbsPidl());
    return true;
  }
  ExpandNode(Node);
  return true;
}

void TZQCustomShellTree::ExpandNode(TTreeNode* node) {
  TZQShTreeData* data = GetDataFromNode(node);
  if (!data || data->GetFilled()) return;
  TCursorScope hourglass;
  if (expansions_.count(node)) {
    FinishExpansion(node);  // begun in the background: the rest at once
    return;
  }
  IShellFolder* folder = data->GetThisIShf();
  if (!folder) return;  // cannot be bound now: the button stays for another try
  FillTree(folder, node);
}

void TZQCustomShellTree::Collapse(TTreeNode* Node) {
  CancelExpansion(Node, true);
  TZQCustomTreeView::Collapse(Node);
}

void TZQCustomShellTree::Delete(TTreeNode* Node) {
  CancelExpansion(Node, false);
  if (const auto parent = expansions_.find(Node->GetParent()); parent != expansions_.end()) {
    auto& nodes = parent->second->nodes;  // a child that goes mid-expansion is not inserted again
    if (const auto at = std::find(nodes.begin(), nodes.end(), Node); at != nodes.end()) {
      parent->second->states[static_cast<std::size_t>(at - nodes.begin())] = TZQTreeExpansion::Left;
      *at = nullptr;
    }
  }
  TZQShTreeData* data = GetDataFromNode(Node);
  if (OnDeleteItem) OnDeleteItem(this, Node, data);
  if (Node == menuNode_) menuNode_ = nullptr;
  if (Node == dragNode_) dragNode_ = nullptr;
  filledNodes_.erase(Node);
  dragDrop_.Forget(Node);
  if (data) {
    // The parent's record is only a key here: it may have gone before its children.
    if (const auto siblings = childNodes_.find(data->GetParent()); siblings != childNodes_.end())
      siblings->second.erase(Node);
    childNodes_.erase(data);
    Node->SetData(nullptr);
    delete data;
  }
  TZQCustomTreeView::Delete(Node);
}

namespace {
// Both icons of a node: asked of its parent folder in one call, else by the
// node's absolute list. -1 marks an icon not looked up yet.
void LookUpIcons(TTreeNode* node) {
  TZQShTreeData* data = TZQCustomShellTree::GetDataFromNode(node);
  if (!data) return;
  int open = -1;
  const int normal = data->GetParent() ? ShellGetIconIndexInFolder(data->GetParentIShf(), data->GetRelPidl(), &open) : -1;
  if (normal >= 0 && open >= 0) {
    node->SetImageIndex(normal);
    node->SetSelectedIndex(open);
    return;
  }
  PCItemIDList own = data->GetAbsPidl() ? data->GetAbsPidl() : EmptyIdList();
  node->SetImageIndex(ShellGetIconIndex(own, SHGFI_SMALLICON));
  node->SetSelectedIndex(ShellGetIconIndex(own, SHGFI_SMALLICON | SHGFI_OPENICON));
}
}  // namespace

void TZQCustomShellTree::GetImageIndex(TTreeNode* Node) {
  // -1: not looked up yet (a real index 0 is kept like any other).
  if (Node->GetImageIndex() == -1) LookUpIcons(Node);
  TZQCustomTreeView::GetImageIndex(Node);
}

void TZQCustomShellTree::GetSelectedIndex(TTreeNode* Node) {
  if (Node->GetSelectedIndex() == -1) LookUpIcons(Node);
  TZQCustomTreeView::GetSelectedIndex(Node);
}

}  // namespace korvane
