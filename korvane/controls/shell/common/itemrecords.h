// The records each shown shell item carries (a tree node's, a list item's, a
// combo entry's Data): they own the item's identifier lists and cache what is
// costly to ask the shell for again, until Flush.
#pragma once
#include <memory>
#include <string>

#include "korvane/host/System.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

class TZQCustomShellTree;
class TZQCustomShellCombo;

// What a list record needs of the shell list that owns it.
class TZQShListOwner {
public:
  virtual IMalloc* GetShellMalloc() = 0;
  virtual IShellFolder* GetCurrentFolder() = 0;
  virtual PCItemIDList GetCurrentFolderIdList() = 0;
  // The current folder's IShellDetails, or nil when it offers none.
  virtual IShellDetails* GetCurrentFolderIShellDetails() = 0;

protected:
  ~TZQShListOwner() = default;
};

class TZQShTreeData : public TObject {
public:
  explicit TZQShTreeData(TZQCustomShellTree* owner) : owner_(owner) {}
  ~TZQShTreeData() override = default;
  TZQShTreeData(const TZQShTreeData&) = delete;
  TZQShTreeData& operator=(const TZQShTreeData&) = delete;

  // Keeps the allocator and the parent; the relative list is copied with the
  // allocator. For a top-level node relative is the base folder's absolute list.
  void SetData(TZQShTreeData* parent, IMalloc* allocator, PCItemIDList relative);
  TZQCustomShellTree* GetOwner() const { return owner_; }
  TZQShTreeData* GetParent() const { return parent_; }
  PItemIDList GetRelPidl() const { return relative_.Get(); }

  PItemIDList GetAbsPidl();           // cached; owned by the record
  // The item's folder, cached and owned by the record; nil when it cannot be
  // bound (never raises, like every record's GetThisIShf).
  IShellFolder* GetThisIShf();
  void SetThisIShf(IShellFolder* folder);  // the tree installs a top-level node's folder
  IShellFolder* GetParentIShf();
  bool GetEditable();
  std::string GetPathName();  // raises "TZQShTreeData not initialised" before SetData
  // After a rename: the new relative list, and the absolute list rebuilt at once.
  void SetRelPidl(PCItemIDList relative);
  void Flush();
  HRESULT GetIDropTarget(HWND owner, TComPtr<IDropTarget>& target);
  bool IsRootDir();
  // Whether the node's children were enumerated to the end; a fill that failed
  // part-way leaves it clear, so the next expansion completes it.
  bool GetFilled() const { return filled_; }
  void SetFilled(bool v) { filled_ = v; }

private:
  TZQCustomShellTree* owner_;
  bool filled_ = false;
  TZQShTreeData* parent_ = nullptr;
  TComPtr<IMalloc> allocator_;  // every list of the record is made and freed with it
  TIdListPtr relative_;
  TIdListPtr absolute_;
  TComPtr<IShellFolder> folder_;
};

class TZQShListData : public TObject {
public:
  explicit TZQShListData(TZQShListOwner* owner) : owner_(owner) {}
  ~TZQShListData() override = default;
  TZQShListData(const TZQShListData&) = delete;
  TZQShListData& operator=(const TZQShListData&) = delete;

  // Takes over relative (made with the owner's allocator) without copying it.
  void SetData(PItemIDList relative);
  void Flush();
  TZQShListOwner* GetOwner() const { return owner_; }
  PItemIDList GetRelativeIdList() const { return relative_.Get(); }
  PItemIDList GetAbsoluteIdList();
  ULONG GetAttributes();
  bool IsFolder() { return GetAttributes() & SFGAO_FOLDER; }
  bool IsFileSystem() { return GetAttributes() & SFGAO_FILESYSTEM; }
  bool GetEditable() { return GetAttributes() & SFGAO_CANRENAME; }
  bool IsValid();
  bool IsLnkShortcut();
  std::string GetDisplayName();
  std::string GetPathName();
  std::string GetFilename();
  std::string GetSize();
  std::string GetFileType();
  std::string GetModified();
  std::string GetColText(int column);
  int GetIconIndex();  // the system image list's small icon, cached

private:
  void GetExtraData();

  // The file texts, made when the item's details are first shown: most items
  // of a large folder never are.
  struct TFileTexts {
    std::string size, type, modified;
  };
  TZQShListOwner* owner_;
  TIdListPtr absolute_;  // both made with the owner's allocator
  TIdListPtr relative_;
  int iconIndex_ = -1;
  bool listIsFresh_ = false;  // the list was just enumerated: its file data is current
  std::string displayName_;
  std::unique_ptr<TFileTexts> texts_;
};

class TZQShComboData : public TObject {
public:
  explicit TZQShComboData(TZQCustomShellCombo* owner) : owner_(owner) {}
  ~TZQShComboData() override = default;
  TZQShComboData(const TZQShComboData&) = delete;
  TZQShComboData& operator=(const TZQShComboData&) = delete;

  // Copies both lists (shell allocator), keeps the folder, joins the lists.
  void SetData(IShellFolder* parentFolder, PCItemIDList parentAbsolute, PCItemIDList relative);
  TZQCustomShellCombo* GetOwner() const { return owner_; }
  IShellFolder* GetParentFolder() const { return parentFolder_.Get(); }
  PItemIDList GetParentIdList() const { return parentList_.Get(); }
  PItemIDList GetRelIdList() const { return relative_.Get(); }
  PItemIDList GetAbsIdList() const { return absolute_.Get(); }
  // The entry's folder, cached and owned by the record; nil when it cannot be bound.
  IShellFolder* GetThisIShf();

private:
  TZQCustomShellCombo* owner_;
  TComPtr<IShellFolder> parentFolder_;
  TIdListPtr parentList_;
  TIdListPtr relative_;
  TIdListPtr absolute_;
  TComPtr<IShellFolder> folder_;
};

}  // namespace korvane
