// TZQCustomImageCombo: an owner-drawn combo whose entries are TZQImageComboItem
// objects (caption, image, overlay, indentation), indented only in the dropped
// list. The combo owns its items: each is freed, through DeleteItem, when its
// entry is removed or the combo goes; a new window keeps them.
#pragma once
#include <string>
#include <unordered_set>

#include "korvane/controls/base/zqcombobox.h"
#include "korvane/host/ImgList.h"

namespace korvane {

class TZQCustomImageCombo;

class TZQImageComboItem : public TObject {
public:
  explicit TZQImageComboItem(TZQCustomImageCombo* owner) : owner_(owner) {}
  TZQCustomImageCombo* GetOwner() const { return owner_; }
  int GetEntryIndex() const { return entryIndex_; }  // where it was added; not updated after
  int GetIndent() const { return indent_; }
  void SetIndent(int v);
  int GetImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  int GetOverlayIndex() const { return overlayIndex_; }
  void SetOverlayIndex(int v);
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v);
  void* UserData = nullptr;  // the owner's; the shell combo keeps its record here

private:
  friend class TZQCustomImageCombo;
  TZQCustomImageCombo* owner_;
  int entryIndex_ = -1;
  int indent_ = 0;
  int imageIndex_ = -1;
  int overlayIndex_ = -1;
  std::string caption_;
};

using TZQDeleteImageComboItemEvent = std::function<void(TObject* aSender, TZQImageComboItem* aItem)>;
using TZQImageComboGetItemDataEvent = std::function<void(TObject* aSender, TZQImageComboItem* aItem)>;

class TZQCustomImageCombo : public TZQCustomCombobox {
public:
  explicit TZQCustomImageCombo(TComponent* AOwner);
  ~TZQCustomImageCombo() override;
  void BeforeDestruction() override;

  TZQImageComboItem* AddItem(const std::string& caption, int imageIndex, int indent);
  TZQImageComboItem* GetImageComboItem(int index);  // raises for an entry of another kind
  bool GetAutoSizeHeight() const { return autoSizeHeight_; }
  void SetAutoSizeHeight(bool v) { autoSizeHeight_ = v; }
  TCustomImageList* GetImageList() const { return imageList_; }
  void SetImageList(TCustomImageList* list);
  int GetIndentPixels() const { return indentPixels_; }
  void SetIndentPixels(int v);

  TZQDeleteImageComboItemEvent OnDeleteImageItem;  // the published OnDeleteItem of the image combo
  TZQImageComboGetItemDataEvent OnGetItemData;

  void WndProc(TMessage& Message) override;

protected:
  void DeleteItem(void* item) override;
  // True when DeleteItem(item) is about to free it (and not keep it for a new window).
  bool WillFree(void* item) const;
  virtual void GetItemData(TZQImageComboItem* item);
  virtual void AutoSize(HFONT font);
  void DoAutoSize(HFONT font);
  void DrawItem(int Index, const RECT& Rect, UINT State) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void FreeAllItems();

  bool autoSizeHeight_ = true;
  TCustomImageList* imageList_ = nullptr;
  int indentPixels_ = 12;
  bool inSetFont_ = false;
  bool keepEntries_ = false;  // the window goes but the entries stay for the next one
  std::unordered_set<TZQImageComboItem*> items_;  // owned
};

class TZQImageCombo : public TZQCustomImageCombo {
public:
  using TZQCustomImageCombo::TZQCustomImageCombo;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
