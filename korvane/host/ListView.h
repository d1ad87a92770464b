// TCustomListView over the native list view. Each native item carries its
// TListItem (lParam), which holds caption, sub-items, image and Data; the
// control asks for them through LVN_GETDISPINFO. Columns are TListColumn
// objects. Deleting an item, by any path, calls Delete(item) once (OnDeletion)
// and frees it; a new window gets the same items and columns back.
//
// An item knows its position through a hint kept current by insertion, lookup
// by index and sorting, so its properties cost O(1) rather than a search.
// Inside an update bracket item changes are not repainted one by one.
//
// In owner-data mode (SetOwnerData) the items live in the host's own array in
// their order; the control holds only their number, selection and focus, and
// asks for texts, icons and the other states by index.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "korvane/host/Controls.h"
#include "korvane/host/ImgList.h"
#include "korvane/host/StdCtrls.h"
#include "korvane/host/Strings.h"
#include "korvane/host/UpdateScope.h"

namespace korvane {

class TCustomListView;
class TListItems;

enum TViewStyle : std::uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };
enum TDisplayCode : std::uint8_t { drBounds, drIcon, drLabel, drSelectBounds };
enum TItemChange : std::uint8_t { ctText, ctImage, ctState };

class TListItem : public TPersistent {
public:
  TListItems* GetOwner() const { return owner_; }
  TCustomListView* GetListView() const;
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v);
  TStrings* GetSubItems();  // made on first use
  int GetSubItemCount() const { return subItems_ ? subItems_->GetCount() : 0; }
  void* GetData() const { return data_; }
  void SetData(void* v) { data_ = v; }
  int GetImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  int GetIndex() const;
  bool GetSelected() const;
  void SetSelected(bool v);
  bool GetFocused() const;
  void SetFocused(bool v);
  bool GetCut() const;
  void SetCut(bool v);
  int GetOverlayIndex() const;  // -1: none
  void SetOverlayIndex(int v);
  bool GetDropTarget() const;
  void SetDropTarget(bool v);
  RECT DisplayRect(TDisplayCode code) const;
  void MakeVisible(bool partialOK = false);
  bool EditCaption();
  void Update();
  void Delete();

private:
  friend class TListItems;
  friend class TCustomListView;
  explicit TListItem(TListItems* owner);
  bool State(UINT mask) const;
  void SetState(UINT mask, bool on);

  TListItems* owner_;
  std::string caption_;
  std::unique_ptr<TStringList> subItems_;
  void* data_ = nullptr;
  int imageIndex_ = -1;
  mutable int indexHint_ = -1;
  int liveSlot_ = -1;  // its place among the owner's live items
  UINT ownState_ = 0;  // owner-data: cut, overlay and drop-target bits
  unsigned orderMark_ = 0;  // owner-data: the last order it was placed in (0: never)
  bool deleting_ = false;
};

// What an item shows from the moment it is inserted.
struct TListItemState {
  int OverlayIndex = -1;  // -1: none
  bool Cut = false;
};

class TListItems : public TPersistent {
public:
  explicit TListItems(TCustomListView* owner) : owner_(owner) {}
  TCustomListView* GetOwner() const { return owner_; }
  int GetCount() const;
  TListItem* GetItem(int index) const;
  TListItem* Add();
  // Appends an item carrying data, inserted with its state in one call.
  TListItem* AddObject(void* data, const TListItemState& state);
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();
  int IndexOf(const TListItem* item) const;
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }
  // Every item the list holds, in no particular order: a walk over all items
  // without asking the native control for each.
  const std::vector<TListItem*>& GetLiveItems() const { return live_; }
  // Owner-data: an item carrying data that belongs to no position yet; SetOrder places it.
  TListItem* NewObject(void* data, const TListItemState& state);
  // Owner-data: the items in their new order, kept and new ones; items of the
  // old order left out are deleted. Selection and focus stay with their items.
  void SetOrder(std::vector<TListItem*> order);

private:
  friend class TCustomListView;
  friend class TListItem;
  struct TMarks {
    std::vector<TListItem*> selected;
    TListItem* focused = nullptr;
    std::vector<int> marked;  // the indices that held them: cleared one by one, as clearing all visits every item
  };
  bool OwnerData() const;
  TListItem* InternalInsert(int index, TListItem* item, const TListItemState& state = {});
  TListItem* OwnerInsert(int index, TListItem* item, const TListItemState& state);
  void OwnerDelete(int index);
  void OwnerClear();
  TMarks TakeMarks() const;
  void PutMarks(const TMarks& marks);
  void SyncCount();
  void Forget(TListItem* item);
  TCustomListView* owner_;
  int updateCount_ = 0;
  unsigned orderEpoch_ = 0;
  bool countPending_ = false;  // owner-data: the control's count is told at the bracket's end
  std::vector<TListItem*> live_;
  std::vector<TListItem*> order_;  // owner-data: the items by index
  TListItem* inserting_ = nullptr;  // during its LVM_INSERTITEM
};

// An update bracket for a scope.
using TListItemsUpdate = TUpdateScope<TListItems>;

class TListColumn : public TPersistent {
public:
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v);
  int GetWidth() const;
  void SetWidth(int v);
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  int GetIndex() const;

private:
  friend class TListColumns;
  friend class TCustomListView;
  explicit TListColumn(class TListColumns* owner) : owner_(owner) {}
  void Apply(bool insert);
  TListColumns* owner_;
  std::string caption_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
  bool pending_ = false;  // set inside an update bracket, not yet told the control
};

class TListColumns : public TPersistent {
public:
  explicit TListColumns(TCustomListView* owner) : owner_(owner) {}
  TCustomListView* GetOwner() const { return owner_; }
  int GetCount() const { return static_cast<int>(columns_.size()); }
  TListColumn* GetItem(int index) const;
  TListColumn* Add();
  void Delete(int index);
  void Clear();
  // Changes inside a bracket tell the list view once, at the end.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

private:
  friend class TListColumn;
  friend class TCustomListView;
  void Changed();
  TCustomListView* owner_;
  int updateCount_ = 0;
  bool changed_ = false;
  std::vector<std::unique_ptr<TListColumn>> columns_;
};

// A column bracket for a scope.
using TListColumnsUpdate = TUpdateScope<TListColumns>;

// The icon styles' options.
class TIconOptions : public TPersistent {
public:
  explicit TIconOptions(TCustomListView* owner) : owner_(owner) {}
  bool GetAutoArrange() const;
  void SetAutoArrange(bool v);  // icons rearranged as items come and go

private:
  TCustomListView* owner_;
};

using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVChangingEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change, bool& AllowChange)>;
using TLVDeletedEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, std::string& S)>;
using TLVCompareEvent = std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;
using TLVCompare = PFNLVCOMPARE;
using TLVCustomDrawEvent = std::function<void(TObject* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TLVCustomDrawItemEvent = std::function<void(TObject* Sender, TListItem* Item, UINT State, bool& DefaultDraw)>;

class TCustomListView : public TWinControl {
public:
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;
  void BeforeDestruction() override;

  TListItems* GetItems() { return &items_; }
  TListColumns* GetColumns() { return &columns_; }
  TIconOptions* GetIconOptions() { return &iconOptions_; }
  TViewStyle GetViewStyle() const { return viewStyle_; }
  virtual void SetViewStyle(TViewStyle v);
  TListItem* GetSelected();
  void SetSelected(TListItem* item);
  TListItem* GetItemFocused();
  void SetItemFocused(TListItem* item);
  int GetSelCount();
  TListItem* GetNextItem(TListItem* start, UINT flags);  // LVNI_ flags
  TListItem* GetItemAt(int x, int y);
  bool IsEditing();
  bool CustomSort(TLVCompare compare, LPARAM data);
  bool AlphaSort();
  void Scroll(int dx, int dy);

  bool GetMultiSelect() const { return !style(LVS_SINGLESEL); }
  void SetMultiSelect(bool v) { SetStyle(LVS_SINGLESEL, !v); }
  bool GetReadOnly() const { return !style(LVS_EDITLABELS); }
  void SetReadOnly(bool v) { SetStyle(LVS_EDITLABELS, !v); }
  bool GetHideSelection() const { return !style(LVS_SHOWSELALWAYS); }
  void SetHideSelection(bool v) { SetStyle(LVS_SHOWSELALWAYS, !v); }
  // bsSingle: a sunken edge; bsNone: none.
  TFormBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v) {
    borderStyle_ = v;
    ApplyClientEdge(v != bsNone);
  }
  bool GetShowColumnHeaders() const { return !style(LVS_NOCOLUMNHEADER); }
  void SetShowColumnHeaders(bool v) { SetStyle(LVS_NOCOLUMNHEADER, !v); }
  bool GetColumnClick() const { return !style(LVS_NOSORTHEADER); }
  void SetColumnClick(bool v) { SetStyle(LVS_NOSORTHEADER, !v); }
  bool GetRowSelect() const { return exStyle(LVS_EX_FULLROWSELECT); }
  void SetRowSelect(bool v) { SetExStyle(LVS_EX_FULLROWSELECT, v); }
  bool GetGridLines() const { return exStyle(LVS_EX_GRIDLINES); }
  void SetGridLines(bool v) { SetExStyle(LVS_EX_GRIDLINES, v); }
  // The items in the host's array (see above); a change makes a new window.
  bool GetOwnerData() const { return ownerData_; }
  void SetOwnerData(bool v);
  int GetAllocBy() const { return allocBy_; }
  void SetAllocBy(int v);
  TCustomImageList* GetLargeImages() const { return largeImages_.Get(); }
  void SetLargeImages(TCustomImageList* v);
  TCustomImageList* GetSmallImages() const { return smallImages_.Get(); }
  void SetSmallImages(TCustomImageList* v);

  TLVChangeEvent OnChange;
  TLVChangingEvent OnChanging;
  TLVDeletedEvent OnDeletion, OnInsert;
  TLVSelectItemEvent OnSelectItem;
  TLVColumnClickEvent OnColumnClick;
  TLVEditingEvent OnEditing;
  TLVEditedEvent OnEdited;
  TLVCompareEvent OnCompare;
  // The host's own custom drawing: in use when either event is assigned.
  TLVCustomDrawEvent OnCustomDraw;
  TLVCustomDrawItemEvent OnCustomDrawItem;

  void WndProc(TMessage& Message) override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
  bool IsCustomDrawn() const { return OnCustomDraw || OnCustomDrawItem; }
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void Delete(TListItem* Item);
  virtual void InsertItem(TListItem* Item);
  virtual void Change(TListItem* Item, int Change);
  virtual bool CanChange(TListItem* Item, int Change);
  virtual void ColClick(TListColumn* Column);
  virtual bool CanEdit(TListItem* Item);
  virtual void Edit(const LVITEMA& Item);
  virtual void CNNotify(TMessage& Message);
  // After a column was added, removed or changed.
  virtual void ColumnsChanged() {}
  // Keeps a caption found while the control asks for it, without a repaint.
  static void StoreCaption(TListItem* item, std::string caption) { item->caption_ = std::move(caption); }
  // Positions every item knows again, after the native control reordered them.
  void RefreshIndexHints();

private:
  TFormBorderStyle borderStyle_ = bsSingle;
  friend class TListItem;
  friend class TListItems;
  friend class TListColumn;
  friend class TListColumns;
  friend class TIconOptions;
  bool style(DWORD bit) const { return (style_ & bit) != 0; }
  bool exStyle(DWORD bit) const { return (exStyle_ & bit) != 0; }
  void SetStyle(DWORD bit, bool on);
  void SetExStyle(DWORD bit, bool on);
  void ItemGone(TListItem* item);

  TListItems items_;
  TListColumns columns_;
  TIconOptions iconOptions_{this};
  TViewStyle viewStyle_ = vsIcon;
  DWORD style_ = LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SHAREIMAGELISTS;
  DWORD exStyle_ = 0;
  int allocBy_ = 0;
  TImageListSlot largeImages_{LVM_SETIMAGELIST, LVSIL_NORMAL};
  TImageListSlot smallImages_{LVM_SETIMAGELIST, LVSIL_SMALL};
  bool recreating_ = false;
  bool ownerData_ = false;
  bool remarking_ = false;  // owner-data: selection and focus put back, no events
  std::vector<TListItem*> saved_;
};

}  // namespace korvane
