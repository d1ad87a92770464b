#include "korvane/controls/base/zqlistview.h"
#include "korvane/controls/base/viewcommon.h"

#include "korvane/controls/base/headerglyphs.h"
#include "korvane/host/Application.h"
#include "korvane/host/PropInfo.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

TZQCustomListView::TZQCustomListView(TComponent* AOwner) : TCustomListView(AOwner) {}

TZQCustomListView::~TZQCustomListView() = default;

void TZQCustomListView::BeforeDestruction() {
  TCustomListView::BeforeDestruction();
  customDraw_.reset();
}

const TClassInfo& TZQListView::StaticClassInfo() {
  static const TClassInfo info =
      TPublish<TZQListView>("TZQListView", &TCustomListView::StaticClassInfo())
          .Creatable()
          .Bool("HeaderDefaultDrawing", &TZQListView::GetHeaderDefaultDrawing, &TZQListView::SetHeaderDefaultDrawing, true)
          .Enum("HeaderSortDisplayMode", &TZQListView::GetHeaderSortDisplayMode, &TZQListView::SetHeaderSortDisplayMode,
                zqlvRightOfText, {"zqlvNone", "zqlvLeftAlign", "zqlvRightOfText", "zqlvRightAlign"})
          .Done();
  return info;
}

HWND TZQCustomListView::GetHeaderHandle() {
  if (!HandleAllocated()) return nullptr;
  HWND header = GetDlgItem(GetHandle(), 0);
  if (!header) header = reinterpret_cast<HWND>(SendMessageA(GetHandle(), LVM_GETHEADER, 0, 0));
  return header;
}

void TZQCustomListView::InvalidateHeader() {
  if (HWND header = GetHeaderHandle()) InvalidateRect(header, nullptr, TRUE);
}

void TZQCustomListView::InvalidateHeaderItem(int column) {
  HWND header = GetHeaderHandle();
  if (!header || column < 0) return;
  RECT r;
  if (SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r)))
    InvalidateRect(header, &r, TRUE);
}

void TZQCustomListView::SetHeaderSortColumn(int v) {
  if (v == sortColumn_) return;
  InvalidateHeaderItem(sortColumn_);
  InvalidateHeaderItem(v);
  sortColumn_ = v;
}

void TZQCustomListView::SetHeaderSortDirection(TZQLvSortDirection v) {
  if (v == sortDirection_) return;
  InvalidateHeaderItem(sortColumn_);
  sortDirection_ = v;
}

void TZQCustomListView::SetHeaderSortDisplayMode(TZQLvHeaderSortDisplayMode v) {
  if (v == displayMode_) return;
  displayMode_ = ZQComCtlVersion().VersionMS < 0x00040046 ? zqlvNone : v;
  SetHeaderODStyle();
  if (HandleAllocated()) InvalidateHeader();
}

void TZQCustomListView::SetHeaderODStyle() {
  HWND header = GetHeaderHandle();
  if (!header || styleUpdating_ > 0) return;
  ++styleUpdating_;
  const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  bool changed = false;
  for (int i = count - 1; i >= 0; --i) {
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    const int fmt = (item.fmt & HDF_JUSTIFYMASK) | (displayMode_ != zqlvNone ? HDF_OWNERDRAW : HDF_STRING);
    if (fmt == item.fmt) continue;  // setting it again would only notify and repaint
    item.fmt = fmt;
    SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    changed = true;
  }
  if (changed) InvalidateRect(header, nullptr, TRUE);
  --styleUpdating_;
}

void TZQCustomListView::SetViewStyle(TViewStyle v) {
  if (v == GetViewStyle()) return;
  TCustomListView::SetViewStyle(v);
  if (v == vsReport) SetHeaderODStyle();
}

void TZQCustomListView::ApplyColors() {
  if (!HandleAllocated()) return;
  const LPARAM rgb = static_cast<LPARAM>(ColorToRGB(GetColor()));
  SendMessageA(GetHandle(), LVM_SETTEXTBKCOLOR, 0, rgb);
  SendMessageA(GetHandle(), LVM_SETBKCOLOR, 0, rgb);
}

void TZQCustomListView::CreateWnd() {
  TCustomListView::CreateWnd();
  ApplyColors();
  SetHeaderODStyle();
  PostMessageA(GetHandle(), ZQ_WM_SETHEADERODSTYLE, 0, 0);
}

// --- Header drawing

namespace {
RECT GlyphBox(const RECT& x) {
  const int s = (x.top + x.bottom) / 2 - 1;
  RECT g;
  g.left = x.left;
  g.right = x.left + s + 1;
  g.top = (x.top + x.bottom - s) / 2 - 1;
  g.bottom = g.top + s;
  return g;
}
}  // namespace

void TZQCustomListView::DrawHeader(int index, const RECT& rect) {
  TCanvas* c = GetHeaderCanvas();
  c->SetFont(GetFont());
  c->GetBrush()->SetColor(clBtnFace);
  RECT r = rect;
  InflateRect(&r, -2, -2);
  if (defaultDrawing_) DefaultDrawHeader(index, r);
}

void TZQCustomListView::DefaultDrawHeader(int index, const RECT& R) {
  TCanvas* c = GetHeaderCanvas();
  c->FillRect(R);
  if (index < 0 || index >= GetColumns()->GetCount()) return;
  TListColumn* column = GetColumns()->GetItem(index);
  static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  const UINT flags = DT_SINGLELINE | DT_END_ELLIPSIS | kAlign[column->GetAlignment()];
  const std::string caption = column->GetCaption();
  RECT t = {R.left + 4, R.top, R.right - 4, R.bottom};
  const bool sortColumn = index == sortColumn_;
  auto caption_in = [&](RECT& rect) {
    c->GetBrush()->SetStyle(bsClear);
    c->DrawText(caption, rect, flags);
    c->GetBrush()->SetColor(clBtnFace);
  };
  auto moveRight = [](RECT g, const RECT& within) {
    OffsetRect(&g, (within.right - within.left) - (g.right - g.left) - 5, 0);
    return g;
  };
  switch (displayMode_) {
    case zqlvNone:
      caption_in(t);
      break;
    case zqlvLeftAlign:
      if (sortColumn && column->GetWidth() > 15) {
        const RECT g = GlyphBox(t);
        DrawHeaderGlyphs(index, g);
        t.left = g.right + 5;
      }
      caption_in(t);
      break;
    case zqlvRightOfText:
      if (column->GetAlignment() == taRightJustify) {
        if (sortColumn) {
          const RECT g = moveRight(GlyphBox(t), t);
          DrawHeaderGlyphs(index, g);
          t.right = g.left - 4;
        }
        caption_in(t);
      } else {
        caption_in(t);
        RECT measured = t;
        c->DrawText(caption, measured, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_RIGHT);
        OffsetRect(&measured, (measured.right - measured.left) + 5, 0);
        DrawHeaderGlyphs(index, GlyphBox(measured));
      }
      break;
    case zqlvRightAlign: {
      const RECT g = moveRight(GlyphBox(t), t);
      DrawHeaderGlyphs(index, g);
      if (sortColumn) t.right = g.left - 4;
      caption_in(t);
      break;
    }
  }
}

void TZQCustomListView::DrawHeaderGlyphs(int index, const RECT& g) {
  if (index != sortColumn_ || index < 0 || index >= GetColumns()->GetCount()) return;
  if (GetColumns()->GetItem(index)->GetWidth() <= 2 * (g.right - g.left)) return;
  if (sortDirection_ == zqsdDesc) DrawUpArrow(GetHeaderCanvas(), g, clBtnFace, clBtnShadow, clBtnHighlight);
  else DrawDownArrow(GetHeaderCanvas(), g, clBtnFace, clBtnShadow, clBtnHighlight);
}

// --- Custom draw and context menus

TZQLvCustomDraw* TZQCustomListView::CreateCustomDraw(NMCUSTOMDRAW* record, LRESULT& result) {
  auto* cd = new TZQLvCustomDraw(GetFont(), record, &result);
  cd->NotifyItems = false;
  return cd;
}

TZQCustomDraw* TZQCustomListView::ZQCustomDraw(NMCUSTOMDRAW* record, LRESULT& result) {
  TZQCustomDraw* cd = DispatchZQCustomDraw<TListItem>(
      this, record, OnZQCustomDrawEx, OnZQCustomDraw, [&] { return CreateCustomDraw(record, result); },
      [&](DWORD_PTR itemSpec) -> TListItem* {
        const int index = static_cast<int>(itemSpec);
        return index >= 0 && index < GetItems()->GetCount() ? GetItems()->GetItem(index) : nullptr;
      });
  if (record->dwDrawStage & 1) result |= CDRF_NOTIFYITEMDRAW;  // always, for the list
  return cd;
}

void TZQCustomListView::CNNotify(TMessage& m) {
  auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
  if (hdr->code == NM_CUSTOMDRAW) {
    if (HandleZQCustomDraw(IsDesigning(), IsCustomDrawn(), m, customDraw_,
                           [&](NMCUSTOMDRAW* r, LRESULT& result) { return ZQCustomDraw(r, result); }))
      return;
  } else if (hdr->code == NM_RCLICK) {
    POINT p;
    GetCursorPos(&p);
    DoPreItemContextMenu(ScreenToClient(p));
  }
  TCustomListView::CNNotify(m);
}

void TZQCustomListView::ItemContextMenu(TListItem* item, POINT& point, TPopupMenu*& menu) {
  if (OnItemContextMenu) OnItemContextMenu(this, item, point, menu);
}

void TZQCustomListView::DoPreItemContextMenu(POINT point) {
  TListItem* focused = GetItemFocused();
  auto centre = [](const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; };
  if (!focused) {
    if (TPopupMenu* menu = GetPopupMenu()) PopupMenuAt(this, menu, point);
    return;
  }
  if (focused->GetSelected()) {
    DoItemContextMenu(centre(focused->DisplayRect(drIcon)));
  } else if (GetSelCount() > 0 && GetSelected()) {
    DoItemContextMenu(centre(GetSelected()->DisplayRect(drIcon)));
  } else if (TPopupMenu* menu = GetPopupMenu()) {
    PopupMenuAt(this, menu, point);
  }
}

void TZQCustomListView::DoItemContextMenu(POINT point) {
  TPopupMenu* menu = GetPopupMenu();
  ItemContextMenu(GetItemFocused(), point, menu);
  menuShown_ = true;
  if (menu) PopupMenuAt(this, menu, point);
}

void TZQCustomListView::KeyDown(WORD& Key, TShiftState Shift) {
  if (IsContextMenuKey(Key, Shift)) {
    Key = 0;
    DoPreItemContextMenu({0, 0});
  }
  TCustomListView::KeyDown(Key, Shift);
}

void TZQCustomListView::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CONTEXTMENU: {
      if (IsDesigning() || menuShown_ || GetSelCount() == 0 || !GetItemFocused()) return;
      const POINT pt = {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      if (pt.x == -1 && pt.y == -1) DoPreItemContextMenu({0, 0});
      else DoItemContextMenu(ScreenToClient(pt));
      return;
    }
    case WM_RBUTTONUP:
      if (menuShown_ && GetPopupMenu()) {
        TPopupMenu* menu = GetPopupMenu();
        SetPopupMenu(nullptr);
        TCustomListView::WndProc(m);
        SetPopupMenu(menu);
      } else {
        TCustomListView::WndProc(m);
      }
      menuShown_ = false;
      return;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (dis->hwndItem && dis->hwndItem == GetHeaderHandle()) {
        const int saved = SaveDC(dis->hDC);
        headerCanvas_.SetHandle(dis->hDC);
        GuardCallback(this, [&] { DrawHeader(static_cast<int>(dis->itemID), dis->rcItem); });
        headerCanvas_.SetHandle(nullptr);
        RestoreDC(dis->hDC, saved);
        m.Result = 1;
        return;
      }
      break;
    }
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
      if (hdr->hwndFrom && hdr->hwndFrom == GetHeaderHandle()) {
        // The header may notify with either code set (HDM_GETUNICODEFORMAT decides).
        const UINT code = hdr->code;
        if (code == HDN_ITEMCLICKA || code == HDN_ITEMCLICKW) InvalidateHeader();
        TCustomListView::WndProc(m);
        if (code == HDN_BEGINTRACKA || code == HDN_BEGINTRACKW || code == HDN_ENDTRACKA || code == HDN_ENDTRACKW ||
            code == HDN_ITEMCHANGEDA || code == HDN_ITEMCHANGEDW)
          SetHeaderODStyle();
        return;
      }
      break;
    }
    case WM_PARENTNOTIFY:
      TCustomListView::WndProc(m);
      SetHeaderODStyle();
      return;
    case ZQ_WM_SETHEADERODSTYLE:
      SetHeaderODStyle();
      return;
    case CM_COLORCHANGED:
      TCustomListView::WndProc(m);
      ApplyColors();
      return;
    case CM_SYSCOLORCHANGE:
      TCustomListView::WndProc(m);
      SysColorChanged(this, m);
      return;
    default:
      break;
  }
  TCustomListView::WndProc(m);
}

}  // namespace korvane
