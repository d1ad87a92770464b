// TZQCustomShellCombo: the folder box. An image combo of the desktop, its
// folders, My Computer's drives and the chain of folders down to the selected
// folder, each indented by its depth with its system icon. It is rebuilt on
// every change of the selected folder. Linked to one shell tree or one shell
// list, it follows it and moves it.
//
// shellcombo.cpp holds the life cycle, the selection and the links;
// combofill.cpp builds the entries.
#pragma once
#include <memory>

#include "korvane/controls/base/zqimagecombo.h"
#include "korvane/controls/shell/common/itemrecords.h"
#include "korvane/controls/shell/common/links.h"
#include "korvane/controls/shell/common/shelllocator.h"

namespace korvane {

class TZQCustomShellTree;

enum TZQShellComboOption : std::uint8_t { zqscoAutofill, zqscoNonFilesystemAncestors };
using TZQShellComboOptions = TSet<TZQShellComboOption>;

class TZQCustomShellCombo : public TZQCustomImageCombo, public TZQShellComboLink {
public:
  explicit TZQCustomShellCombo(TComponent* AOwner);
  ~TZQCustomShellCombo() override;

  // Rebuilds the entries from the selected folder; nothing before the window exists.
  void FillItems();
  virtual bool CanAdd(IShellFolder* parentFolder, PCItemIDList parentAbsolute, PCItemIDList relative,
                      ULONG attributes);
  TZQShellLocator* GetSelectedFolder() override { return selectedFolder_.get(); }
  void SetSelectedFolder(TZQShellLocator* value) { selectedFolder_->Assign(value); }
  // Selects the entry levels indentation steps above the chosen one.
  void GoUp(int levels);
  void Synchronize(bool withLinked) override;
  void TreeChanged(TTreeNode* node) override;  // a linked tree's selection changed
  TComponent* LinkComponent() override { return this; }
  TZQShComboData* GetComboData(int index);  // the entry's record, nil for none

  TZQCustomShellTree* GetShellTree() const { return shellTree_; }
  void SetShellTree(TZQCustomShellTree* tree);  // refused while a list is linked
  TZQShellListLink* GetShellList() const { return shellList_; }
  TComponent* GetShellListComponent() const { return shellList_ ? shellList_->LinkComponent() : nullptr; }
  void SetShellList(TZQShellListLink* list);  // refused while a tree is linked
  TZQShellComboOptions GetOptions() const { return options_; }
  void SetOptions(TZQShellComboOptions v) { options_ = v; }

  void WndProc(TMessage& Message) override;

protected:
  virtual void SelectedFolderChanged(TObject* sender);
  virtual void FillCombo(IShellFolder* folder, PCItemIDList parentList, int level, TZQIdListArray* path);
  void DeleteItem(void* item) override;
  void GetItemData(TZQImageComboItem* item) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SelEndOk() override;

private:
  TZQImageComboItem* AddEntry(const std::string& caption, int image, int indent, IShellFolder* parentFolder,
                              PCItemIDList parentList, PCItemIDList relative, ULONG attributes);
  void AddAncestorChain(TZQImageComboItem* entry, int level, TZQIdListArray& path);

  TImageList* systemImages_ = nullptr;  // owned as a component; the handle is the system's
  std::unique_ptr<TZQShellLocator> selectedFolder_;
  TZQCustomShellTree* shellTree_ = nullptr;
  TZQShellListLink* shellList_ = nullptr;
  TZQShellComboOptions options_{zqscoAutofill, zqscoNonFilesystemAncestors};
  int updateCount_ = 0;
};

// The published shell combo. Published properties the host keeps without
// behaviour of its own: Ctl3D, ParentCtl3D, DragKind, ImeMode, ImeName,
// BiDiMode, ParentBiDiMode, Constraints.
class TZQShellCombo : public TZQCustomShellCombo {
public:
  using TZQCustomShellCombo::TZQCustomShellCombo;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
