// TCustomTreeView over the native tree view. Each native item carries its
// TTreeNode (lParam); the node holds text, images and Data, which the
// control asks for through TVN_GETDISPINFO, so GetImageIndex and
// GetSelectedIndex run whenever an item is drawn. A new window (RecreateWnd)
// gets the same nodes back. Deleting a node, by any path, calls Delete(node)
// once (OnDeletion) and frees the node.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "korvane/host/Controls.h"
#include "korvane/host/Forms.h"
#include "korvane/host/ImgList.h"
#include "korvane/host/UpdateScope.h"

namespace korvane {

class TCustomTreeView;
class TTreeNodes;
class TTreeNode;

using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::string& S)>;
using TTVCompareEvent = std::function<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, int Data, int& Compare)>;
using TTVCompare = PFNTVCOMPARE;
using TTVCustomDrawEvent = std::function<void(TObject* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TTVCustomDrawItemEvent = std::function<void(TObject* Sender, TTreeNode* Node, UINT State, bool& DefaultDraw)>;

enum TNodeAttachMode : std::uint8_t { naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert };

// What a new node shows from the start, set with its insertion: one message
// per node instead of one per property (Wine validates an item by a linear
// search on every message that names it).
struct TTreeNodeState {
  bool HasChildren = false;
  int OverlayIndex = -1;
  bool Cut = false;
  int ImageIndex = -1, SelectedIndex = -1;  // -1: the tree view asks for them when it draws
};

class TTreeNode : public TPersistent {
public:
  TTreeNodes* GetOwner() const { return owner_; }
  TCustomTreeView* GetTreeView() const;
  HTREEITEM GetItemId() const { return item_; }
  const std::string& GetText() const { return text_; }
  void SetText(const std::string& v);
  void* GetData() const { return data_; }
  void SetData(void* v) { data_ = v; }
  int GetImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  int GetSelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int v);
  int GetOverlayIndex() const { return overlayIndex_; }
  void SetOverlayIndex(int v);
  bool GetHasChildren() const;
  void SetHasChildren(bool v);
  bool GetExpanded() const;
  void SetExpanded(bool v) { v ? Expand(false) : Collapse(false); }
  void Expand(bool recurse);
  void Collapse(bool recurse);
  bool GetSelected() const;
  void SetSelected(bool v);
  bool GetFocused() const { return GetSelected(); }
  bool GetDropTarget() const;
  void SetDropTarget(bool v);
  bool GetCut() const;
  void SetCut(bool v);
  bool GetDeleting() const { return deleting_; }
  // True once the tree's Delete hook has run for the node.
  bool GetDeleteNotified() const { return deleteNotified_; }

  TTreeNode* GetParent() const;
  TTreeNode* GetFirstChild() const;
  TTreeNode* GetLastChild() const;
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  TTreeNode* GetNext() const;  // the next node in the whole tree, depth first
  TTreeNode* GetPrev() const;
  int GetCount() const;
  TTreeNode* GetItem(int index) const;
  int GetIndex() const;
  int GetAbsoluteIndex() const;
  int GetLevel() const;
  bool HasAsParent(const TTreeNode* node) const;
  bool IsVisible() const;
  void MakeVisible();
  RECT DisplayRect(bool textOnly) const;
  // Starts label editing; false when it cannot start.
  bool EditText();
  void EndEdit(bool cancel);
  void Delete();
  void DeleteChildren();
  bool CustomSort(TTVCompare compare, LPARAM data, bool recurse = false);
  bool AlphaSort(bool recurse = false);

private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  explicit TTreeNode(TTreeNodes* owner) : owner_(owner) {}
  ~TTreeNode() override = default;
  HWND Wnd() const;
  bool State(UINT mask) const;
  void SetState(UINT mask, bool on);
  void Refresh();

  TTreeNodes* owner_;
  HTREEITEM item_ = nullptr;
  std::string text_;
  void* data_ = nullptr;
  int imageIndex_ = -1, selectedIndex_ = -1, overlayIndex_ = -1;
  bool deleting_ = false;
  bool deleteNotified_ = false;
};

class TTreeNodes : public TPersistent {
public:
  explicit TTreeNodes(TCustomTreeView* owner) : owner_(owner) {}
  ~TTreeNodes() override;
  TCustomTreeView* GetOwner() const { return owner_; }
  int GetCount() const;
  TTreeNode* GetItem(int absoluteIndex) const;
  TTreeNode* GetFirstNode() const;
  TTreeNode* GetNodeFromItem(HTREEITEM item) const;

  TTreeNode* Add(TTreeNode* sibling, const std::string& s) { return AddObject(sibling, s, nullptr); }
  TTreeNode* AddObject(TTreeNode* sibling, const std::string& s, void* data);
  TTreeNode* AddFirst(TTreeNode* sibling, const std::string& s) { return AddObjectFirst(sibling, s, nullptr); }
  TTreeNode* AddObjectFirst(TTreeNode* sibling, const std::string& s, void* data);
  TTreeNode* AddChild(TTreeNode* parent, const std::string& s) { return AddChildObject(parent, s, nullptr); }
  TTreeNode* AddChildObject(TTreeNode* parent, const std::string& s, void* data);
  TTreeNode* AddChildObject(TTreeNode* parent, const std::string& s, void* data, const TTreeNodeState& state);
  TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& s) { return AddChildObjectFirst(parent, s, nullptr); }
  TTreeNode* AddChildObjectFirst(TTreeNode* parent, const std::string& s, void* data);
  TTreeNode* Insert(TTreeNode* sibling, const std::string& s) { return InsertObject(sibling, s, nullptr); }
  TTreeNode* InsertObject(TTreeNode* sibling, const std::string& s, void* data);
  TTreeNode* InsertObject(TTreeNode* sibling, const std::string& s, void* data, const TTreeNodeState& state);
  // A child of parent right after after (nil: the first child).
  TTreeNode* InsertObjectAfter(TTreeNode* parent, TTreeNode* after, const std::string& s, void* data,
                               const TTreeNodeState& state);
  void Delete(TTreeNode* node);
  void Clear();
  void BeginUpdate();
  void EndUpdate();

private:
  friend class TCustomTreeView;
  TTreeNode* InternalAdd(HTREEITEM parent, HTREEITEM after, const std::string& s, void* data,
                         const TTreeNodeState* state = nullptr);
  TCustomTreeView* owner_;
  int updateCount_ = 0;
};

// Redrawing off for a bulk change of the nodes, back on at the end of the scope.
using TTreeNodesUpdate = TUpdateScope<TTreeNodes>;

class TCustomTreeView : public TWinControl {
public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;
  void BeforeDestruction() override;

  TTreeNodes* GetItems() { return &items_; }
  TTreeNode* GetSelected();
  void SetSelected(TTreeNode* node);
  TTreeNode* GetDropTarget();
  void SetDropTarget(TTreeNode* node);
  TTreeNode* GetTopItem();
  TTreeNode* GetNodeAt(int x, int y);
  UINT GetHitTestInfoAt(int x, int y);  // TVHT_ flags
  bool IsEditing();
  void FullExpand();
  void FullCollapse();
  bool CustomSort(TTVCompare compare, LPARAM data, bool recurse = true);
  bool AlphaSort(bool recurse = true);

  TCustomImageList* GetImages() const { return images_.Get(); }
  void SetImages(TCustomImageList* v);
  TCustomImageList* GetStateImages() const { return stateImages_.Get(); }
  void SetStateImages(TCustomImageList* v);
  bool GetShowButtons() const { return style(TVS_HASBUTTONS); }
  void SetShowButtons(bool v) { SetStyle(TVS_HASBUTTONS, v); }
  bool GetShowLines() const { return style(TVS_HASLINES); }
  void SetShowLines(bool v) { SetStyle(TVS_HASLINES, v); }
  bool GetShowRoot() const { return style(TVS_LINESATROOT); }
  void SetShowRoot(bool v) { SetStyle(TVS_LINESATROOT, v); }
  bool GetReadOnly() const { return !style(TVS_EDITLABELS); }
  void SetReadOnly(bool v) { SetStyle(TVS_EDITLABELS, !v); }
  bool GetHideSelection() const { return !style(TVS_SHOWSELALWAYS); }
  void SetHideSelection(bool v) { SetStyle(TVS_SHOWSELALWAYS, !v); }
  // bsSingle: a sunken edge; bsNone: none.
  TFormBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v) {
    borderStyle_ = v;
    ApplyClientEdge(v != bsNone);
  }
  bool GetRowSelect() const { return style(TVS_FULLROWSELECT); }
  void SetRowSelect(bool v) { SetStyle(TVS_FULLROWSELECT, v); }
  bool GetHotTrack() const { return style(TVS_TRACKSELECT); }
  void SetHotTrack(bool v) { SetStyle(TVS_TRACKSELECT, v); }
  bool GetToolTips() const { return !style(TVS_NOTOOLTIPS); }
  void SetToolTips(bool v) { SetStyle(TVS_NOTOOLTIPS, !v); }
  bool GetRightClickSelect() const { return rightClickSelect_; }
  void SetRightClickSelect(bool v) { rightClickSelect_ = v; }
  bool GetAutoExpand() const { return autoExpand_; }
  void SetAutoExpand(bool v) { autoExpand_ = v; }
  int GetIndent();
  void SetIndent(int v);

  TTVChangingEvent OnChanging;
  TTVChangedEvent OnChange;
  TTVExpandingEvent OnExpanding;
  TTVCollapsingEvent OnCollapsing;
  TTVExpandedEvent OnExpanded, OnCollapsed, OnDeletion, OnGetImageIndex, OnGetSelectedIndex;
  TTVEditingEvent OnEditing;
  TTVEditedEvent OnEdited;
  TTVCompareEvent OnCompare;
  // The host's own custom drawing: in use when either event is assigned.
  TTVCustomDrawEvent OnCustomDraw;
  TTVCustomDrawItemEvent OnCustomDrawItem;

  void WndProc(TMessage& Message) override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
  bool IsCustomDrawn() const { return OnCustomDraw || OnCustomDrawItem; }
  // Runs the Delete hook for a node unless it already ran.
  void NotifyDelete(TTreeNode* Node);
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual bool CanChange(TTreeNode* Node);
  virtual void Change(TTreeNode* Node);
  virtual bool CanExpand(TTreeNode* Node);
  virtual void Expand(TTreeNode* Node);
  virtual bool CanCollapse(TTreeNode* Node);
  virtual void Collapse(TTreeNode* Node);
  virtual void Delete(TTreeNode* Node);
  virtual bool CanEdit(TTreeNode* Node);
  virtual void Edit(const TVITEMA& Item);
  virtual void GetImageIndex(TTreeNode* Node);
  virtual void GetSelectedIndex(TTreeNode* Node);
  // The notifications the control reflects back (CN_NOTIFY).
  virtual void CNNotify(TMessage& Message);

private:
  TFormBorderStyle borderStyle_ = bsSingle;
  friend class TTreeNode;
  friend class TTreeNodes;
  bool style(DWORD bit) const { return (style_ & bit) != 0; }
  void SetStyle(DWORD bit, bool on);
  void NodeGone(TTreeNode* node);

  TTreeNodes items_;
  DWORD style_ = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS;
  TImageListSlot images_{TVM_SETIMAGELIST, TVSIL_NORMAL};
  TImageListSlot stateImages_{TVM_SETIMAGELIST, TVSIL_STATE};
  bool rightClickSelect_ = false, autoExpand_ = false;
  int indent_ = 19;
  bool recreating_ = false;
  std::vector<std::pair<TTreeNode*, TTreeNode*>> saved_;  // node, parent, in pre-order
  std::vector<TTreeNode*> savedExpanded_;
  TTreeNode* savedSelected_ = nullptr;
};

}  // namespace korvane
