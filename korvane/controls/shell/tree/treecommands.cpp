// The shell tree's commands: the shell context menu of a node with the Send To
// submenu, verb commands, renaming through the label editor and a new folder.
// While a menu or a command's own dialog is up, refreshes wait (a merge must not
// free the node the menu is for) and run when it ends.
#include "korvane/controls/shell/tree/shelltree.h"

#include "korvane/controls/shell/common/newfolder.h"
#include "korvane/controls/shell/common/sendto.h"
#include "korvane/controls/shell/common/windowhelpers.h"
#include "korvane/controls/shell/tree/treedragdrop.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Screen.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/widepath.h"

namespace korvane {

namespace {
// Drops the cached lists and folders of every loaded descendant of node.
void FlushDescendants(TTreeNode* node) {
  for (TTreeNode* c = node->GetFirstChild(); c; c = c->GetNextSibling()) {
    if (TZQShTreeData* d = TZQCustomShellTree::GetDataFromNode(c)) d->Flush();
    FlushDescendants(c);
  }
}

bool IsOrContains(TTreeNode* node, TTreeNode* other) {
  for (TTreeNode* n = other; n; n = n->GetParent())
    if (n == node) return true;
  return false;
}
}  // namespace

void TZQCustomShellTree::RunPendingRefresh() {
  if (modalDepth_ == 0 && refreshPending_ && !IsEditing() && !dragDrop_.IsDragging()) RefreshNodes();
}

void TZQCustomShellTree::NodeContextMenu(TTreeNode* node, POINT& point, TPopupMenu*& menu) {
  TZQCustomTreeView::NodeContextMenu(node, point, menu);
  if (!options_.Contains(zqstoContextMenus) || IsDesigning() || !node) return;
  menu = nullptr;  // the shell's menu, or none: never the host's
  ProcessMenu(node, point);
}

void TZQCustomShellTree::ProcessMenu(TTreeNode* node, POINT position) {
  TZQShTreeData* data = GetDataFromNode(node);
  if (!data || !node->GetParent() || !data->GetParentIShf()) return;
  const PItemIDList absolute = data->GetAbsPidl();
  if (!absolute || IdListLen(absolute) <= 2) return;
  const HWND owner = GetParentFormHandle(this);
  TComPtr<IContextMenu> menu;
  TMenuHandle popup;
  PCUITEMID_CHILD child = data->GetRelPidl();
  const UINT flags = CMF_EXPLORE | (GetReadOnly() ? 0u : static_cast<UINT>(CMF_CANRENAME));
  if (FAILED(CreateItemContextMenu(owner, data->GetParentIShf(), 1, &child, ZQ_FIRST_SHELL_COMMAND, flags, menu,
                                   popup)))
    return;  // no menu, no message
  const POINT screen = ClientToScreen(position);
  TZQMenuChoice choice;
  {
    TCountScope modal(modalDepth_);
    activeMenu_ = menu;
    menuNode_ = node;
    const auto forget = ScopeExit([this] {
      activeMenu_.Reset();
      menuNode_ = nullptr;
    });
    UINT chosen = static_cast<UINT>(TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                              GetHandle(), nullptr));
    if (!menuNode_) chosen = 0;  // the node went while the menu was up
    choice = ClassifyMenuCommand(menu.Get(), chosen);
    switch (choice.Kind) {
      case TZQMenuChoiceKind::Rename:
        node->EditText();
        break;
      case TZQMenuChoiceKind::Command:
        InvokeContextMenuVerb(owner, menu.Get(), MAKEINTRESOURCEA(choice.Index));
        break;
      case TZQMenuChoiceKind::SendTo:
        ProcessSendTo(node, static_cast<int>(choice.Index));
        break;
      case TZQMenuChoiceKind::None:
        break;
    }
  }
  if (choice.Kind == TZQMenuChoiceKind::Command) RefreshNodes();
  else RunPendingRefresh();
}

void TZQCustomShellTree::ProcessSendTo(TTreeNode* node, int index) {
  if (!GetDataFromNode(node) || !GetDataFromNode(node->GetParent())) return;
  TStringList* list = ZQSendToList().get();
  if (!list || index < 0 || index >= list->GetCount()) return;
  SendToItem(list->Get(index), MakeComObject<TDataObject_shtv>(this, node).Get());
}

HRESULT TZQCustomShellTree::DoCommandForNode(TTreeNode* node, const char* verb) {
  TZQShTreeData* data = GetDataFromNode(node);
  if (!data || !node->GetParent()) return S_FALSE;
  const HWND owner = GetParentFormHandle(this);
  IShellFolder* parent = data->GetParentIShf();
  TComPtr<IContextMenu> menu;
  PCUITEMID_CHILD child = data->GetRelPidl();
  if (const HRESULT got = parent ? ShellGetUIObjectOf(parent, owner, 1, &child, menu) : E_FAIL; FAILED(got))
    RaiseSysError(got);
  HRESULT hr = S_OK;
  {
    TCountScope modal(modalDepth_);  // the shell may ask for confirmation
    hr = InvokeContextMenuVerb(owner, menu.Get(), verb);
  }
  RefreshNodes();
  return hr;
}

bool TZQCustomShellTree::MenuMessage(TMessage& m) {
  return ShellMenuMessage(m, activeMenu_.Get(), imageList_ ? imageList_->GetHandle() : nullptr, this, OnPopupHint,
                          [this](TMessage& message) { TZQCustomTreeView::WndProc(message); });
}

bool TZQCustomShellTree::CanEdit(TTreeNode* Node) {
  TZQShTreeData* data = GetDataFromNode(Node);
  if (!data) return TZQCustomTreeView::CanEdit(Node);
  return data->GetEditable() && !GetReadOnly() && TZQCustomTreeView::CanEdit(Node) && !IsDesigning();
}

void TZQCustomShellTree::Edit(const TVITEMA& Item) {
  // Refreshes asked for during the edit run once the edit control is gone.
  const auto after = ScopeExit([this] {
    if (refreshPending_ && HandleAllocated()) PostMessageA(GetHandle(), AM_AFTEREDIT, 0, 0);
  });
  if (!Item.pszText) return;  // cancelled
  TTreeNode* node = GetItems()->GetNodeFromItem(Item.hItem);
  TZQShTreeData* data = GetDataFromNode(node);
  IShellFolder* parent = data ? data->GetParentIShf() : nullptr;
  if (!data || !node->GetParent() || !parent) {
    TZQCustomTreeView::Edit(Item);
    return;
  }
  std::string text = Item.pszText;
  if (OnEdited) OnEdited(this, node, text);
  {
    TCursorScope hourglass;
    TZQLinkLock lock(lockCount_);
    ignoreNextChange_ = true;
    TWidePath wide;  // a name too long is refused, never cut
    TIdListPtr renamed;
    HRESULT hr = wide.Assign(text);
    if (SUCCEEDED(hr))
      hr = parent->SetNameOf(GetParentFormHandle(this), data->GetRelPidl(), wide.Data(), 0x20, renamed.Put());
    if (FAILED(hr)) {
      ignoreNextChange_ = false;  // no change is coming
    } else if (!renamed) {
      refreshPending_ = true;  // renamed, but the shell gave no new list: the refresh finds it
    } else {
      FlushDescendants(node);
      data->SetRelPidl(renamed.Get());
      const std::string shown = GetItemDisplayName(parent, data->GetRelPidl(), SHGDN_INFOLDER);
      node->SetText(shown.empty() ? text : shown);
      if (IsOrContains(node, GetSelected())) {
        TZQShTreeData* selected = GetDataFromNode(GetSelected());
        const PItemIDList now = selected ? selected->GetAbsPidl() : nullptr;
        if (now) {
          selectedFolder_->SetIdList(now);
          if (shellList_) shellList_->GetFolder()->SetIdList(now);
          if (shellCombo_) shellCombo_->GetSelectedFolder()->SetIdList(now);
        }
      }
    }
  }
}

bool TZQCustomShellTree::CreateNewFolder() {
  TTreeNode* selected = GetSelected();
  const std::string parentPath = GetSelectedPathName();
  if (!selected || parentPath.empty()) return false;  // no file-system folder: nothing is made anywhere
  std::string name;
  if (!ZQShControlCreateNewFolder(parentPath, name, ignoreNextChange_, modalDepth_, [this] { RunPendingRefresh(); }))
    return false;
  const PItemIDList list = selectedFolder_->GetIdList();
  WaitCursorSleep(!list || IdListLen(list) <= 2 ? 2100 : 1000);
  RefreshNodes();
  ExpandNode(selected);
  selected->Expand(false);
  for (TTreeNode* c = selected->GetFirstChild(); c; c = c->GetNextSibling())
    if (c->GetText() == name) {
      c->EditText();
      break;
    }
  return true;
}

}  // namespace korvane
