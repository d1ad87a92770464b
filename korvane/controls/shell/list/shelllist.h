// TZQCustomShellList: the contents of one shell folder as list items, with the
// shell's icons, an optional file filter, columns and sorting through the
// folder's own CompareIDs. Each shell item carries a TZQShListData; an item
// with other Data is the application's own and every shell operation skips it.
//
// Columns: a folder that offers IShellDetails (CreateViewObject) supplies its
// own set. A folder without a file-system path that offers none but implements
// IShellFolder2 supplies the same answers through IShellFolder2::GetDetailsOf,
// so virtual folders (My Computer, Recycle Bin, Control Panel) show their own
// columns on every platform. Other folders get the standard set: Name, Size,
// Type, Modified.
//
// Texts and icons are given when the native control asks for them and cached
// in the item's record, so a second paint asks the shell nothing.
//
// The class is split by concern: listcore.cpp (life cycle, window, options,
// linking), listfill.cpp (filling, inclusion, insertion, deletion),
// listfilter.cpp (the file filter), listcolumns.cpp (columns and their
// widths), listview.cpp (texts, icons, sorting, custom drawing),
// listrefresh.cpp (watching the folder and merging its changes),
// listnavigate.cpp (navigation, opening), listcommands.cpp (menus, verbs,
// rename, new folder), listdragdrop.cpp (dragging items out, dropping in),
// listpublish.cpp (TZQShellList's published table).
#pragma once
#include <functional>
#include <memory>
#include <set>
#include <unordered_set>

#include "korvane/controls/base/zqlistview.h"
#include "korvane/controls/shell/common/itemrecords.h"
#include "korvane/controls/shell/common/links.h"
#include "korvane/controls/shell/common/shelllocator.h"
#include "korvane/controls/shell/common/fillworker.h"
#include "korvane/controls/shell/dragdrop/dragengine.h"
#include "korvane/controls/shell/refresh/changethread.h"
#include "korvane/controls/shell/tree/shelltree.h"

namespace korvane {

enum TZQShellListOption : std::uint8_t {
  zqsloAutoFill, zqsloNonFilesystemAncestors, zqsloDesignInteractive, zqsloDefaultKeyHandling, zqsloContextMenus,
  zqsloDontChangeFolder, zqsloDontGoBelowBase, zqsloDynamicRefresh, zqsloHideFoldersWhenLinkedToTree, zqsloOleDrag,
  zqsloOleDrop, zqsloFolderContextMenu, zqsloShowHidden,
  // Enumerates on a worker thread: the window answers while a big or slow
  // folder fills, and the items come in batches (the list is owner-data).
  zqsloBackgroundFill
};
using TZQShellListOptions = TSet<TZQShellListOption>;
constexpr std::uint64_t ZQ_SHELL_LIST_DEFAULT_OPTIONS = 0x1E9B;

using TZQShListDeleteItemEvent = std::function<void(TObject* aSender, TListItem* aNode, TZQShListData* aShListData)>;
using TZQShDblClickOpenEvent = std::function<void(TObject* aSender, bool& afHandled)>;
using TZQShLvCustomDrawEvent =
    std::function<void(TObject* aSender, TZQCustomDraw* aCD, TListItem* aItem, TZQShListData* aData)>;

// The saved column widths all shell lists share: a count, then one width per column.
struct TZQSavedColumnWidths {
  std::vector<int> widths;
  std::vector<std::uint16_t> registryCopy;  // the "DirectoryCols" words last read
};
TZQSavedColumnWidths& ZQSavedColumnWidths();

class TZQCustomShellList : public TZQCustomListView,
                           public TZQShListOwner,
                           public TZQShellListLink,
                           public TZQShellWheelTarget,
                           public TZQDropTargetOwner,
                           private TZQDragDropSite {
public:
  explicit TZQCustomShellList(TComponent* AOwner);
  ~TZQCustomShellList() override;
  void BeforeDestruction() override;

  // Filling (listfill.cpp).
  void FillItems();  // raises the system's error when the folder cannot be bound
  virtual void FillList(IShellFolder* folder, PCItemIDList absolute);
  bool ShouldInclude(PCItemIDList folderAbsolute, PCItemIDList relative, ULONG& attributes);
  virtual BOOL CanAdd(IShellFolder* folder, PCItemIDList folderAbsolute, PCItemIDList relative, ULONG attributes);
  // Takes relative (shell allocator); appends an item for it when it is admitted.
  void AddNewShellItem(PCItemIDList absolute, PItemIDList relative);
  // A background fill is running (listbgfill.cpp).
  bool IsFilling() const { return fill_ != nullptr; }
  // Takes every item of a running background fill as it comes, answering
  // messages other threads send; false when it was still running after ms.
  bool WaitForFill(DWORD ms);

  // Refresh (listrefresh.cpp): merges the folder's current contents into the
  // items; unchanged items keep their place, selection and focus.
  void RefreshItems();
  virtual void InstallChangeHandler();
  void TimerElapsed(TObject* sender);
  bool IsFolderNetworkShare();
  TTimer* GetRefreshTimer() const { return timer_; }
  // Set before the list changes its own folder (a rename, a new folder): the
  // next change notification is not acted on.
  void SetIgnoreNextChange(bool v) { ignoreNextChange_ = v; }

  // The filter (listfilter.cpp).
  const std::string& GetFileFilter() const { return fileFilter_; }
  void SetFileFilter(const std::string& value);
  const std::vector<std::string>& GetFilterPatterns() const { return patterns_; }
  virtual void FilterPreApply();
  virtual bool FilterApply(const std::string& name, ULONG attributes);
  virtual void FilterPostApply();

  // Columns (listcolumns.cpp).
  void InitColumns(IShellDetails* details);
  IShellDetails* GetCurrentFolderIShellDetails() override;

  // Items, sorting (listview.cpp).
  void SortList();
  int GetSortColumn() const { return sortValue_; }
  void SetSortColumn(int value);
  TZQShListData* GetSelectedItem();
  TZQShListData* GetShListData(int index);  // raises EInvalidCast for Data of another class
  static TZQShListData* GetDataFromItem(TListItem* item);
  static bool ItemHasData(TListItem* item);
  void InitImageLists();

  // Linking (listcore.cpp).
  TComponent* LinkComponent() override { return this; }
  void SetShellTree(TZQCustomShellTree* tree) override;
  TZQCustomShellTree* GetShellTree() override { return shellTree_; }
  void SetShellCombo(TZQShellComboLink* combo) override;
  TZQShellComboLink* GetShellCombo() const { return shellCombo_; }
  bool IsLinked() const { return shellTree_ || shellCombo_; }
  void SetFolder(TZQShellLocator* folder) override;
  TZQShellLocator* GetFolder() override { return folder_.get(); }
  void TreeChanged(TTreeNode* node) override;
  void Synchronize(bool withLinked) override;
  bool HidesFoldersWhenLinkedToTree() override;
  bool ShellMouseWheel(bool down, TShiftState shift, POINT mousePos) override;

  TZQShellListOptions GetOptions() const { return options_; }
  void SetOptions(TZQShellListOptions value);

  // What the records ask of their list.
  IMalloc* GetShellMalloc() override;
  IShellFolder* GetCurrentFolder() override { return currentFolder_.Get(); }
  PCItemIDList GetCurrentFolderIdList() override { return folderAbsolute_.Get(); }

  TZQShAddItemEvent OnAddItem;
  TZQShListDeleteItemEvent OnDeleteItem;
  TZQShDblClickOpenEvent OnDblClickOpen;
  TZQShPopupHintEvent OnPopupHint;
  TZQShLvCustomDrawEvent OnCustomDrawSh, OnCustomDrawShEx;
  // Navigation and opening (listnavigate.cpp).
  void OpenItem(TListItem* item);
  void OpenSelectedItems();
  void GoUp(int levels);
  // Commands (listcommands.cpp).
  void ProcessMenu(TListItem* item, POINT point);
  void ProcessMenuForAllSelected(POINT point);
  virtual void ProcessSendTo(int index);
  void DoCommandForItem(TListItem* item, const char* verb);
  void DoCommandForAllSelected(const char* verb);
  void DoCommandForFolder(const char* verb);  // raises the shell's error
  HRESULT GetUIObjectForItem(TListItem* item, REFIID iid, void** object);
  HRESULT GetUIObjectForAllSelected(IMalloc* allocator, REFIID iid, void** object);
  // A new folder in Folder, renamed in place when editAfter; false when none was
  // made (also when Folder is no file-system folder).
  bool CreateNewFolder(bool editAfter);
  void SelectAll();
  int ShellSelCount();  // selected items with a record
  // What a drag or Send To carries: Selected alone when it is the only selected
  // item, else every selected item with a record, in index order.
  std::vector<TListItem*> GetSelectedShellItems();

  // Drag and drop (listdragdrop.cpp). A drag of the selected items; the
  // items are refreshed and sorted after a drop.
  void OleBeginDrag(TMouseButton button);
  // Copy, move and link as the folder allows them for the dragged items; 0
  // with none. Raises the shell's error when the folder cannot tell.
  DWORD GetDragDropAttributesForAllSelected();
  DWORD GetDragDropAttributesForItem(TListItem* item);  // unmasked
  // Each event goes to the shell's drop target of the item under point (screen
  // coordinates), or of the folder itself.
  HRESULT OnDropTarget_DragEnter(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) override;
  HRESULT OnDropTarget_DragOver(DWORD keyState, POINT point, DWORD& effect) override;
  HRESULT OnDropTarget_DragLeave() override;
  HRESULT OnDropTarget_Drop(IDataObject* data, DWORD keyState, POINT point, DWORD& effect) override;
  TNotifyEvent OnFillComplete, OnFillStart, OnFolderChanged;

  void WndProc(TMessage& Message) override;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void CNNotify(TMessage& Message) override;
  void Delete(TListItem* Item) override;
  void ColClick(TListColumn* Column) override;
  TZQCustomDraw* ZQCustomDraw(NMCUSTOMDRAW* record, LRESULT& result) override;
  bool DoMouseWheelDown(TShiftState Shift, POINT MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, POINT MousePos) override;

  virtual void DeviceChangeDetected(TObject* Sender, TMessage& Message);
  virtual void ZQCustomDrawSh(TZQCustomDraw* cd, TListItem* item, TZQShListData* data);
  virtual void FillStart();
  virtual void FillComplete();
  virtual void FolderChanged();
  virtual bool DblClickOpen();  // fires OnDblClickOpen; true when not handled there
  bool CanEdit(TListItem* Item) override;
  void Edit(const LVITEMA& Item) override;
  void ItemContextMenu(TListItem* item, POINT& point, TPopupMenu*& menu) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  // The order of two records by the sort value; of two items (LVM_SORTITEMS).
  int CompareRecords(TZQShListData* a, TZQShListData* b) const;
  static int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM listParam);
  void HandleOnFolderChanged(TObject* sender);
  void GetDispInfo(NMLVDISPINFOA& info);
  void SaveColumnWidths();
  void RestoreSavedWidths();
  void InitStandardColumns();
  void InitDetailsColumns(IShellDetails* details);
  void AddColumn(const std::string& caption, int width, TAlignment alignment);
  bool Busy();
  SHCONTF EnumFlags() const;
  int WheelBar() const;
  void ChangeNotified();
  void RunPendingRefresh();
  void PostDeferredFill();
  void NavigateTo(PCItemIDList absolute);
  // The item with record, else the one whose relative list has the same bytes.
  TListItem* FindItem(TZQShListData* record, PCItemIDList relative);
  void RunDefaultCommand(const std::vector<PCUITEMID_CHILD>& items);
  std::vector<TIdListPtr> SelectedRelativeLists(IMalloc* allocator);
  void TrackShellMenu(const std::vector<PCUITEMID_CHILD>& items, UINT flags, POINT point, TListItem* renamed);
  void InvokeVerb(IContextMenu* menu, const char* verb);
  bool MenuMessage(TMessage& m);
  bool CommandMessage(TMessage& m);
  void RenameNewFolder();
  bool BeginDragNotified(const NMHDR& header);
  void UpdateDropRegistration();
  // The drag engine's questions: a place is an item with a record, or the folder.
  TZQDropPlace DropPlaceAt(POINT client) override;
  TComPtr<IDropTarget> DropTargetOf(const void* place) override;
  bool MarkDropPlace(const void* place, DWORD effect) override;
  void ClearDropMark() override;
  void AfterDrop(const void* place, HRESULT result, DWORD effect) override;
  void SetDropHighlight(TListItem* item);
  TComPtr<IContextMenu> activeMenu_;  // while a menu is tracked
  int modalDepth_ = 0;  // a shell menu or a command's own dialog is up: refreshes wait for its end
  std::string renameAfterCreation_;
  // Appends an item for record (taken over) with the state its attributes give.
  void Insert(TZQShListData* record, ULONG attributes);
  static TListItemState StateOf(ULONG attributes);
  // Inclusion for an item whose attributes are known.
  bool Admits(PCItemIDList folderAbsolute, PCItemIDList relative, ULONG attributes);
  // The folder becomes current and fills on a worker (listbgfill.cpp).
  void StartBackgroundFill(IShellFolder* folder, PCItemIDList absolute);
  void ContinueFill(bool everything);
  void ShowFill(TZQListFill& fill);
  void FillTimerElapsed();
  void FinishFill();
  void CancelFill();
  void MakeFolderCurrent(IShellFolder* folder, PCItemIDList absolute);
  std::unique_ptr<TZQListFill> fill_;
  std::vector<std::unique_ptr<TZQListFill>> retiredFills_;  // cancelled while one was being taken
  int fillDepth_ = 0;

  enum class TColumnKind : std::uint8_t { None, Details, Standard };  // Details: from IShellDetails
  TColumnKind columnKind_ = TColumnKind::None;
  bool saveWidths_ = false;
  TComPtr<IShellFolder> currentFolder_;
  TIdListPtr folderAbsolute_;
  bool folderHasPath_ = false;  // the current folder is a file-system folder
  TComPtr<IMalloc> malloc_;
  bool detailsQueried_ = false;
  TComPtr<IShellDetails> details_;
  std::unique_ptr<TZQShellLocator> folder_;
  TZQShellListOptions options_ = TZQShellListOptions::FromMask(ZQ_SHELL_LIST_DEFAULT_OPTIONS);
  std::string fileFilter_;
  std::unique_ptr<std::unordered_set<std::string>> nameSet_;  // upper-cased names a filter admits; nil: no filter
  std::vector<std::string> patterns_;
  TZQCustomShellTree* shellTree_ = nullptr;
  TZQShellComboLink* shellCombo_ = nullptr;
  int sortValue_ = 1;
  int internalChange_ = 0;
  bool ignoreNextChange_ = false;
  TZQDragDropEngine dragDrop_{this, this};
  TListItem* dropHighlight_ = nullptr;
  bool itemTarget_ = false;  // the hovered item has a drop target of its own
  bool refreshPending_ = false;  // a merge asked for while busy
  bool fillPending_ = false;     // a fill asked for while busy: it wins over a merge
  TTimer* timer_ = nullptr;      // owned as a component
  DWORD changeWaitStart_ = 0;    // when the running change wait began
  TChangeWatcher watcher_;
  bool insideCreation_ = false;
  bool sortSetByHandler_ = false;
  bool destroyingWindow_ = false;
  TCustomImageList* smallImages_ = nullptr;  // owned as components; the handles are the system's
  TCustomImageList* largeImages_ = nullptr;
};

// The published shell list.
// Private messages of the shell list.
constexpr UINT AM_RENAMENEWFOLDER = WM_USER + 102;
#ifndef CWM_GETISHELLBROWSER
constexpr UINT CWM_GETISHELLBROWSER = WM_USER + 7;
#endif

class TZQShellList : public TZQCustomShellList {
public:
  using TZQCustomShellList::TZQCustomShellList;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
