// TZQCustomListView: the host list view with custom-draw events built on
// TZQCustomDraw, an item context-menu event on every path, colours carried to
// the native control, and an owner-drawn column header showing a sort arrow in
// one of four placements.
#pragma once
#include <functional>
#include <memory>

#include "korvane/controls/base/customdraw.h"
#include "korvane/host/ListView.h"
#include "korvane/host/Menus.h"

namespace korvane {

enum TZQLvHeaderSortDisplayMode : std::uint8_t { zqlvNone, zqlvLeftAlign, zqlvRightOfText, zqlvRightAlign };
enum TZQLvSortDirection : std::uint8_t { zqsdAsc, zqsdDesc };

using TZQLvCustomDrawEvent = std::function<void(TObject* aSender, TZQCustomDraw* aCD, TListItem* aItem)>;
using TZQLvOnItemContextMenuEvent =
    std::function<void(TObject* aSender, TListItem* aItem, POINT& aPos, TPopupMenu*& aMenu)>;

// Posted to the list itself after window creation, when the header exists.
constexpr UINT ZQ_WM_SETHEADERODSTYLE = WM_USER + 100;

class TZQCustomListView : public TCustomListView {
public:
  explicit TZQCustomListView(TComponent* AOwner);
  ~TZQCustomListView() override;
  void BeforeDestruction() override;

  int GetHeaderSortColumn() const { return sortColumn_; }
  void SetHeaderSortColumn(int v);
  TZQLvSortDirection GetHeaderSortDirection() const { return sortDirection_; }
  void SetHeaderSortDirection(TZQLvSortDirection v);
  TZQLvHeaderSortDisplayMode GetHeaderSortDisplayMode() const { return displayMode_; }
  void SetHeaderSortDisplayMode(TZQLvHeaderSortDisplayMode v);
  bool GetHeaderDefaultDrawing() const { return defaultDrawing_; }
  void SetHeaderDefaultDrawing(bool v) { defaultDrawing_ = v; }
  HWND GetHeaderHandle();
  void SetViewStyle(TViewStyle v) override;

  virtual void DrawHeader(int index, const RECT& rect);
  virtual void DrawHeaderGlyphs(int index, const RECT& glyph);
  virtual void DefaultDrawHeader(int index, const RECT& rect);
  void SetHeaderODStyle();
  void WndProc(TMessage& Message) override;

  TZQLvOnItemContextMenuEvent OnItemContextMenu;
  TZQLvCustomDrawEvent OnZQCustomDraw;
  TZQLvCustomDrawEvent OnZQCustomDrawEx;

protected:
  void CreateWnd() override;
  void CNNotify(TMessage& Message) override;
  void ColumnsChanged() override { SetHeaderODStyle(); }
  virtual TZQLvCustomDraw* CreateCustomDraw(NMCUSTOMDRAW* record, LRESULT& result);
  virtual void DoPreItemContextMenu(POINT point);
  virtual void DoItemContextMenu(POINT point);
  virtual void ItemContextMenu(TListItem* item, POINT& point, TPopupMenu*& menu);
  void KeyDown(WORD& Key, TShiftState Shift) override;
  virtual TZQCustomDraw* ZQCustomDraw(NMCUSTOMDRAW* record, LRESULT& result);
  TCanvas* GetHeaderCanvas() { return &headerCanvas_; }

private:
  void InvalidateHeaderItem(int column);
  void InvalidateHeader();
  void ApplyColors();

  std::unique_ptr<TZQCustomDraw> customDraw_;
  bool menuShown_ = false;
  TCanvas headerCanvas_;
  int sortColumn_ = -1;
  TZQLvSortDirection sortDirection_ = zqsdAsc;
  TZQLvHeaderSortDisplayMode displayMode_ = zqlvRightOfText;
  bool defaultDrawing_ = true;
  int styleUpdating_ = 0;
};

class TZQListView : public TZQCustomListView {
public:
  using TZQCustomListView::TZQCustomListView;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

}  // namespace korvane
