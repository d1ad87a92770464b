// TZQCustomShellTree: a tree view of the shell namespace below one base folder.
// The base folder is the single top-level node; every other node enumerates its
// children when it is first expanded. Each shell node carries a TZQShTreeData.
// The selection is handed to a linked shell list and combo: a click at once, a
// keyboard move after ZQSH_TREE_KEY_UPDATE_DELAY without further moves.
//
// The class is split by concern: treecore.cpp (life cycle, window, messages),
// treefill.cpp (filling, expansion, sorting, icons), treerefresh.cpp (the
// merging refresh), treeselect.cpp
// (selection, the walk, linking, timer), treekeys.cpp (keys, wheel),
// treecommands.cpp (context menu, Send To, verbs, rename, new folder),
// treedragdrop.cpp (dragging nodes out, dropping onto nodes),
// treepublish.cpp (TZQShellTree's published table).
#pragma once
#include <map>
#include <functional>
#include <memory>

#include "korvane/controls/base/zqtreeview.h"
#include "korvane/controls/shell/common/contextmenu.h"
#include "korvane/controls/shell/common/fillworker.h"
#include "korvane/controls/shell/common/itemrecords.h"
#include "korvane/controls/shell/common/links.h"
#include "korvane/controls/shell/common/shelllocator.h"
#include "korvane/controls/shell/dragdrop/dragengine.h"
#include "korvane/controls/shell/refresh/changethread.h"
#include "korvane/host/ExtCtrls.h"

#include <set>
#include <unordered_map>
#include <unordered_set>

namespace korvane {

enum TZQShellTreeOption : std::uint8_t {
  zqstoAutoFill, zqstoVirtualFolders, zqstoDesignInteractive, zqstoDefaultKeyHandling, zqstoContextMenus,
  zqstoDynamicRefresh, zqstoIncludeNonFolders, zqstoOleDrag, zqstoOleDrop, zqstoShowHidden,
  // Expands on a worker thread: a node of many sub-folders shows its first at
  // once and the rest as they come, while the window answers.
  zqstoBackgroundFill
};
using TZQShellTreeOptions = TSet<TZQShellTreeOption>;
constexpr std::uint64_t ZQ_SHELL_TREE_DEFAULT_OPTIONS = 0x3BB;  // 955

// The per-item filter of tree, list and dialogs: clear afAllowAdd to keep the item out.
using TZQShAddItemEvent =
    std::function<void(TObject* aSender, IShellFolder* aParentIShf, PItemIDList aParentAbsIdList,
                       PItemIDList aItemRelIdList, int aAttribs, BOOL& afAllowAdd)>;
using TZQShTreeInsertItemEvent = std::function<void(TObject* aSender, TTreeNode* aNode)>;
using TZQShTreeDeleteItemEvent = std::function<void(TObject* aSender, TTreeNode* aNode, TZQShTreeData* aShTreeData)>;
using TZQShTvCustomDrawEvent =
    std::function<void(TObject* aSender, TZQCustomDraw* aCD, TTreeNode* aNode, TZQShTreeData* aData)>;

// Private messages of the shell tree.
constexpr UINT AM_CHANGENOTIFY = WM_USER + 0x65;
constexpr UINT AM_DEFERREDFILL = WM_USER + 0x67;
constexpr UINT AM_AFTEREDIT = WM_USER + 0x69;  // runs a refresh that waited for a label edit
constexpr UINT AM_FILLBATCH = WM_USER + 0x6A;  // a background fill has items to take

class TZQCustomShellTree : public TZQCustomTreeView,
                           public TZQShellWheelTarget,
                           public TZQDropTargetOwner,
                           private TZQDragDropSite {
public:
  explicit TZQCustomShellTree(TComponent* AOwner);
  ~TZQCustomShellTree() override;
  void BeforeDestruction() override;

  // Filling (treefill.cpp).
  void FillItems();  // raises the system's error when the base folder cannot be bound
  virtual void FillTree(IShellFolder* folder, TTreeNode* node);
  // One child node for one item of folder when the filter admits it. made
  // receives the new node, nil when the item was refused.
  // before, when given, is the sibling the new node goes in front of (else it is the last child).
  HRESULT AddNewShellNode(IMalloc* allocator, IShellFolder* folder, PCItemIDList relative, TTreeNode* parentNode,
                          PCItemIDList parentAbsolute, TTreeNode** made = nullptr, TTreeNode* before = nullptr);
  virtual BOOL CanAdd(IShellFolder* folder, PCItemIDList parentAbsolute, PCItemIDList relative, ULONG attributes);
  void SortNode(TTreeNode* node);  // nil: the top-level nodes
  static bool NodeHasData(TTreeNode* node);
  static TZQShTreeData* GetDataFromNode(TTreeNode* node);
  TTreeNode* GetFirstRootLevelShellNode();
  void InitImageList();
  // Merges the shell's current contents into the loaded nodes (treerefresh.cpp):
  // vanished items lose their nodes, new ones get nodes; expansion and the
  // selection stay. A deleted selection moves to the nearest remaining ancestor.
  void RefreshNodes();
  // The same for the loaded nodes of the given folders only (file-system paths, as a change names them);
  // none given: every loaded node.
  void RefreshFolders(const std::vector<std::string>& folders);
  // Watching (treerefresh.cpp): the drive of path, whole; an empty path drops every watch.
  virtual void InstallChangeHandler(const std::string& path);
  void InstallChangeHandlersForAllLocalDrives();
  TTimer* GetRefreshTimer() const { return refreshTimer_; }
  // Set before the tree changes the file system itself: the next change notification is not acted on.
  void SetIgnoreNextChange(bool v) { ignoreNextChange_ = v; }

  // Selection and linking (treeselect.cpp).
  TZQShellLocator* GetSelectedFolder() { return selectedFolder_.get(); }
  void SetSelectedFolder(TZQShellLocator* value);
  std::string GetSelectedPathName();
  void SetSelectedPathName(const std::string& path);
  TZQShTreeData* GetSelectedItem() { return GetDataFromNode(GetSelected()); }
  TZQShTreeData* GetShTreeData(int index);
  void DoSetSelectedIdList(PCItemIDList list);
  TTreeNode* FindNodeWithIdList(TTreeNode* parent, PCItemIDList item);
  void GoUp(int levels);
  void Synchronize(bool withLinked);
  void TimerElapsed(TObject* sender);
  TZQShellListLink* GetShellList() const { return shellList_; }
  TComponent* GetShellListComponent() const;  // the published link
  void SetShellList(TZQShellListLink* list);
  TZQShellComboLink* GetShellCombo() const { return shellCombo_; }
  void SetShellCombo(TZQShellComboLink* combo);

  // Commands (treecommands.cpp): runs a verb of the node's shell context menu;
  // S_FALSE for the top-level node or a node without a record.
  HRESULT DoCommandForNode(TTreeNode* node, const char* verb);
  // The shell's context menu of node at position (client coordinates).
  virtual void ProcessMenu(TTreeNode* node, POINT position);
  virtual void ProcessSendTo(TTreeNode* node, int index);
  // A new folder under the selected node, whose label is then edited; false
  // when none was made (also when the selection is no file-system folder).
  bool CreateNewFolder();
  bool ShellMouseWheel(bool down, TShiftState shift, POINT mousePos) override;

  // Drag and drop (treedragdrop.cpp). A drag of the drag source node, which
  // the drop target then decides on; a refresh follows a drop.
  void OleBeginDrag(TMouseButton button);
  // Copy, move and link as the node's parent folder allows them (unmasked); 7
  // when it cannot tell.
  DWORD GetDragDropAttributesForNode(TTreeNode* node);
  TTreeNode* GetDragSourceNode() const { return dragNode_; }
  void SetDragSourceNode(TTreeNode* node) { dragNode_ = node; }
  // Each event goes to the shell's drop target of the node under point (screen coordinates).
  HRESULT OnDropTarget_DragEnter(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) override;
  HRESULT OnDropTarget_DragOver(DWORD keyState, POINT point, DWORD& effect) override;
  HRESULT OnDropTarget_DragLeave() override;
  HRESULT OnDropTarget_Drop(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) override;

  TZQShellLocator* GetBaseFolder() { return baseFolder_.get(); }
  void SetBaseFolder(TZQShellLocator* value);
  TZQShellTreeOptions GetOptions() const { return options_; }
  void SetOptions(TZQShellTreeOptions value);
  int GetChangeDelay() const { return changeDelay_; }
  void SetChangeDelay(int v) { changeDelay_ = v; }  // stored only: the native tree has no such delay
  TTimer* GetTimer() const { return timer_; }
  bool IsLoadingOrLocked() const;

  TZQShAddItemEvent OnAddItem;
  TZQShTreeDeleteItemEvent OnDeleteItem;
  TZQShTreeInsertItemEvent OnInsertItem;
  TZQShPopupHintEvent OnPopupHint;
  TZQShTvCustomDrawEvent OnCustomDrawSh, OnCustomDrawShEx;
  TNotifyEvent OnFillComplete, OnFillStart;

  void WndProc(TMessage& Message) override;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void GetImageIndex(TTreeNode* Node) override;
  void GetSelectedIndex(TTreeNode* Node) override;
  TZQCustomDraw* ZQCustomDraw(NMCUSTOMDRAW* record, LRESULT& result) override;
  bool CanExpand(TTreeNode* Node) override;
  bool CanEdit(TTreeNode* Node) override;
  void Edit(const TVITEMA& Item) override;
  void NodeContextMenu(TTreeNode* node, POINT& point, TPopupMenu*& menu) override;
  void Change(TTreeNode* Node) override;
  void Delete(TTreeNode* Node) override;
  void Collapse(TTreeNode* Node) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, POINT MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, POINT MousePos) override;
  void CNNotify(TMessage& Message) override;

  virtual void DeviceChangeDetected(TObject* Sender, TMessage& Message);
  virtual void ZQCustomDrawSh(TZQCustomDraw* cd, TTreeNode* node, TZQShTreeData* data);
  virtual void DoOnInsertItem(TTreeNode* node);
  virtual void ExpandNode(TTreeNode* node);
  virtual void FillStart();
  virtual void FillComplete();

private:
  // Background expansion (treebgfill.cpp).
  void StartExpansion(TTreeNode* node, PCItemIDList absolute);
  void ContinueExpansions();
  void ContinueExpansion(TTreeNode* node, TZQTreeExpansion& expansion, bool all = false);
  void FinishExpansion(TTreeNode* node);
  void CancelExpansion(TTreeNode* node, bool dropChildren);
  void CancelExpansions();
  TTreeNodeState NodeStateOf(ULONG attributes) const;
  std::map<TTreeNode*, std::unique_ptr<TZQTreeExpansion>> expansions_;
  int expansionDepth_ = 0;  // an expansion is being continued: ended ones wait in endedExpansions_
  std::vector<std::unique_ptr<TZQTreeExpansion>> endedExpansions_;

  void BaseFolderChanged(TObject* sender);
  void SelectedFolderChanged(TObject* sender);
  void HandOver(TTreeNode* node);
  static constexpr std::intptr_t kKeyboardHandOver = 1;  // the timer's tag: hand the selection over
  void StartTimer(std::intptr_t tag, int interval);
  IMalloc* Allocator();  // raises the system's error when there is none
  SHCONTF EnumFlags() const;
  void MergeNode(TTreeNode* node, TTreeNode*& remembered);       // the node and its loaded descendants
  void MergeChildren(TTreeNode* node, TTreeNode*& remembered);   // the node's own children only
  void MergeNamed(const std::vector<std::string>& folders, TTreeNode*& remembered);
  void MergeWith(const std::function<void(TTreeNode*&)>& merge);  // the bracket, the hand-over of a lost selection
  bool InRefreshScope(TZQShTreeData* record);
  void ChangeNotified(WPARAM slot);
  void RefreshTimerElapsed();
  void RunPendingRefresh();
  bool MenuMessage(TMessage& m);
  bool BeginDragNotified(const NMHDR& header);
  void UpdateDropRegistration();
  // The drag engine's questions: a place is a node with a record.
  TZQDropPlace DropPlaceAt(POINT client) override;
  TComPtr<IDropTarget> DropTargetOf(const void* place) override;
  bool MarkDropPlace(const void* place, DWORD effect) override;
  void ClearDropMark() override;
  void AfterDrop(const void* place, HRESULT result, DWORD effect) override;
  TComPtr<IContextMenu> activeMenu_;  // while a menu is tracked
  TTreeNode* menuNode_ = nullptr;     // the node of that menu; cleared when it goes
  int modalDepth_ = 0;  // a shell menu or a command's own dialog is up: refreshes wait for its end

  std::unique_ptr<TZQShellLocator> baseFolder_;
  std::unique_ptr<TZQShellLocator> selectedFolder_;
  TTimer* timer_ = nullptr;  // owned as a component
  TZQShellListLink* shellList_ = nullptr;
  TZQShellComboLink* shellCombo_ = nullptr;
  TZQShellTreeOptions options_ = TZQShellTreeOptions::FromMask(ZQ_SHELL_TREE_DEFAULT_OPTIONS);
  int changeDelay_ = 0;
  bool handOverAtOnce_ = false;  // the next selection change goes to the linked controls at once
  int lockCount_ = 0;
  int expansionBlock_ = 0;
  bool refreshPending_ = false;
  bool ignoreNextChange_ = false;
  DWORD changeWaitStart_ = 0;  // when the running change wait began
  TTimer* refreshTimer_ = nullptr;  // owned as a component; apart from the hand-over timer, so neither cancels the other
  TChangeWatcher watcher_;
  std::vector<char> slotDrives_;  // the drive letter each watcher slot watches
  std::set<char> pendingDrives_;  // drives that changed since the last refresh, the folders unknown
  std::vector<std::string> pendingFolders_;  // folders that changed since the last refresh
  std::unordered_set<TTreeNode*> filledNodes_;  // the nodes whose children were loaded
  // Each record's child nodes that carry records. The merges read children here: under Wine every step
  // to a sibling makes the control search all its items.
  std::unordered_map<TZQShTreeData*, std::unordered_set<TTreeNode*>> childNodes_;
  std::set<char> refreshScope_;   // drives a running refresh merges; empty: all
  TTreeNode* dragNode_ = nullptr;  // the node a drag out of the tree carries
  TZQDragDropEngine dragDrop_{this, this};
  bool destroyingWindow_ = false;
  TCustomImageList* imageList_ = nullptr;  // owned as a component; its handle is the system's
};

// The published shell tree. Published properties the host keeps without
// behaviour of its own: ChangeDelay, DragCursor, DragKind, BiDiMode,
// ParentBiDiMode, Ctl3D, ParentCtl3D, BorderWidth, Constraints.
class TZQShellTree : public TZQCustomShellTree {
public:
  using TZQCustomShellTree::TZQCustomShellTree;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
