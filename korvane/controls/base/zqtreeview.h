// TZQCustomTreeView: the host tree view with custom-draw events built on
// TZQCustomDraw, a node context-menu event on every path (right click,
// WM_CONTEXTMENU, the Applications key and Shift+F10), image-index requests
// answered once each, and colours carried to the native control.
#pragma once
#include <functional>
#include <memory>

#include "korvane/controls/base/customdraw.h"
#include "korvane/host/Menus.h"
#include "korvane/host/TreeView.h"

namespace korvane {

// The colours of a selected item while the tree has no focus and shows its selection anyway.
void InactiveSelectionColours(COLORREF& text, COLORREF& background);

using TZQTvCustomDrawEvent = std::function<void(TObject* aSender, TZQCustomDraw* aCD, TTreeNode* aNode)>;
using TZQTvOnNodeContextMenuEvent =
    std::function<void(TObject* aSender, TTreeNode* aNode, POINT& aPos, TPopupMenu*& aMenu)>;

class TZQCustomTreeView : public TCustomTreeView {
public:
  explicit TZQCustomTreeView(TComponent* AOwner);
  ~TZQCustomTreeView() override;
  void BeforeDestruction() override;

  // Invalidates the node's rectangle (its text only when textOnly).
  void InvalidateNode(TTreeNode* node, bool textOnly, bool erase);
  void WndProc(TMessage& Message) override;

  TZQTvOnNodeContextMenuEvent OnNodeContextMenu;
  TZQTvCustomDrawEvent OnZQCustomDraw;
  TZQTvCustomDrawEvent OnZQCustomDrawEx;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CNNotify(TMessage& Message) override;
  virtual TZQTvCustomDraw* CreateCustomDraw(NMCUSTOMDRAW* record, LRESULT& result);
  virtual void DoPreNodeContextMenu();
  virtual void DoNodeContextMenu(TTreeNode* node, POINT point);
  virtual void NodeContextMenu(TTreeNode* node, POINT& point, TPopupMenu*& menu);
  void KeyDown(WORD& Key, TShiftState Shift) override;
  virtual TZQCustomDraw* ZQCustomDraw(NMCUSTOMDRAW* record, LRESULT& result);

private:
  bool menuShown_ = false;
  std::unique_ptr<TZQCustomDraw> customDraw_;
};

class TZQTreeView : public TZQCustomTreeView {
public:
  using TZQCustomTreeView::TZQCustomTreeView;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
