#include "korvane/controls/base/zqtreeview.h"

#include <cstdlib>

#include "korvane/controls/base/viewcommon.h"

#include <utility>

#include "korvane/host/PropInfo.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

TZQCustomTreeView::TZQCustomTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}

TZQCustomTreeView::~TZQCustomTreeView() = default;

const TClassInfo& TZQTreeView::StaticClassInfo() {
  static const TClassInfo info = TPublish<TZQTreeView>("TZQTreeView", &TCustomTreeView::StaticClassInfo()).Creatable().Done();
  return info;
}

void TZQCustomTreeView::BeforeDestruction() {
  // Every node's Delete runs while the window exists: children before their parent, top level in order.
  if (HandleAllocated()) {
    std::function<void(TTreeNode*)> visit = [&](TTreeNode* n) {
      for (TTreeNode* c = n->GetFirstChild(); c; c = c->GetNextSibling()) visit(c);
      NotifyDelete(n);
    };
    for (TTreeNode* n = GetItems()->GetFirstNode(); n; n = n->GetNextSibling()) visit(n);
  }
  TCustomTreeView::BeforeDestruction();
  customDraw_.reset();
}

void TZQCustomTreeView::CreateParams(TCreateParams& p) {
  TCustomTreeView::CreateParams(p);
  if (IsWinNT() && ZQComCtlVersion().VersionMS < 0x00040048) p.Style |= TVS_NOTOOLTIPS;
}

void TZQCustomTreeView::InvalidateNode(TTreeNode* node, bool textOnly, bool erase) {
  if (!node || !HandleAllocated()) return;
  RECT r = node->DisplayRect(textOnly);
  InvalidateRect(GetHandle(), &r, erase);
}

namespace {
int ColourDistance(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}
}  // namespace

// The selection of a tree without the focus stays visible, greyed: the button face, as the system's file
// manager draws it, or where that is hardly told from the window (Wine's scheme: 245 on 255) a grey a
// quarter of the way to the button shadow.
void InactiveSelectionColours(COLORREF& text, COLORREF& background) {
  const COLORREF window = GetSysColor(COLOR_WINDOW), face = GetSysColor(COLOR_BTNFACE);
  text = GetSysColor(COLOR_BTNTEXT);
  if (ColourDistance(face, window) >= 48) {
    background = face;
    return;
  }
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  background = RGB((3 * GetRValue(window) + GetRValue(shadow)) / 4, (3 * GetGValue(window) + GetGValue(shadow)) / 4,
                   (3 * GetBValue(window) + GetBValue(shadow)) / 4);
}

TZQTvCustomDraw* TZQCustomTreeView::CreateCustomDraw(NMCUSTOMDRAW* record, LRESULT& result) {
  auto* cd = new TZQTvCustomDraw(GetFont(), record, &result);
  cd->NotifyItems = true;
  return cd;
}

TZQCustomDraw* TZQCustomTreeView::ZQCustomDraw(NMCUSTOMDRAW* record, LRESULT& result) {
  TZQCustomDraw* cd = DispatchZQCustomDraw<TTreeNode>(
      this, record, OnZQCustomDrawEx, OnZQCustomDraw, [&] { return CreateCustomDraw(record, result); },
      [&](DWORD_PTR itemSpec) { return GetItems()->GetNodeFromItem(reinterpret_cast<HTREEITEM>(itemSpec)); });
  if ((record->dwDrawStage & 1) && (OnZQCustomDraw || OnZQCustomDrawEx)) result |= CDRF_NOTIFYITEMDRAW;
  return cd;
}

void TZQCustomTreeView::CNNotify(TMessage& m) {
  auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
  switch (hdr->code) {
    case NM_CUSTOMDRAW: {
      auto* cd = reinterpret_cast<NMTVCUSTOMDRAW*>(m.LParam);
      const bool inactiveSelection = !GetHideSelection() && !IsDesigning() && GetFocus() != GetHandle();
      if (inactiveSelection && cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (cd->nmcd.uItemState & CDIS_SELECTED))
        InactiveSelectionColours(cd->clrText, cd->clrTextBk);  // before the events, which may change them
      if (HandleZQCustomDraw(IsDesigning(), IsCustomDrawn(), m, customDraw_,
                             [&](NMCUSTOMDRAW* r, LRESULT& result) { return ZQCustomDraw(r, result); })) {
        if (inactiveSelection && cd->nmcd.dwDrawStage == CDDS_PREPAINT) m.Result |= CDRF_NOTIFYITEMDRAW;
        return;
      }
      break;
    }
    case TVN_GETDISPINFOA: {
      auto* di = reinterpret_cast<NMTVDISPINFOA*>(m.LParam);
      // The item's lParam is its node: no lookup message (Wine's is a linear search).
      auto* node = reinterpret_cast<TTreeNode*>(di->item.lParam);
      if (!node) node = GetItems()->GetNodeFromItem(di->item.hItem);
      if (node) {
        if (di->item.mask & TVIF_IMAGE) {
          GetImageIndex(node);
          di->item.iImage = node->GetImageIndex();
        }
        if (di->item.mask & TVIF_SELECTEDIMAGE) {
          GetSelectedIndex(node);
          di->item.iSelectedImage = node->GetSelectedIndex();
        }
      }
      // The host's handling runs with the events detached, so each fires once per request.
      struct TDetach {
        TTVExpandedEvent& a;
        TTVExpandedEvent& b;
        TTVExpandedEvent savedA, savedB;
        TDetach(TTVExpandedEvent& x, TTVExpandedEvent& y) : a(x), b(y), savedA(std::move(x)), savedB(std::move(y)) {
          a = nullptr;
          b = nullptr;
        }
        ~TDetach() {
          a = std::move(savedA);
          b = std::move(savedB);
        }
      } detach(OnGetImageIndex, OnGetSelectedIndex);
      TCustomTreeView::CNNotify(m);
      return;
    }
    case NM_RCLICK:
      if (!IsDesigning()) {
        POINT p;
        GetCursorPos(&p);
        p = ScreenToClient(p);
        if (TTreeNode* node = GetNodeAt(p.x, p.y)) {
          TPopupMenu* menu = GetPopupMenu();
          NodeContextMenu(node, p, menu);
          if (menu) PopupMenuAt(this, menu, p);
          menuShown_ = true;
        }
      }
      break;
    default:
      break;
  }
  TCustomTreeView::CNNotify(m);
}

void TZQCustomTreeView::NodeContextMenu(TTreeNode* node, POINT& point, TPopupMenu*& menu) {
  if (OnNodeContextMenu) OnNodeContextMenu(this, node, point, menu);
}

void TZQCustomTreeView::DoPreNodeContextMenu() {
  TTreeNode* node = GetSelected();
  if (!node) {
    if (TPopupMenu* menu = GetPopupMenu()) PopupMenuAt(this, menu, {0, 0});
    return;
  }
  const RECT r = node->DisplayRect(true);
  DoNodeContextMenu(node, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void TZQCustomTreeView::DoNodeContextMenu(TTreeNode* node, POINT point) {
  TPopupMenu* const original = GetPopupMenu();
  TPopupMenu* menu = original;
  NodeContextMenu(node, point, menu);
  if (menu != original) menuShown_ = true;
  if (!menu) return;
  PopupMenuAt(this, menu, point);
}

void TZQCustomTreeView::KeyDown(WORD& Key, TShiftState Shift) {
  if (IsContextMenuKey(Key, Shift)) {
    Key = 0;
    DoPreNodeContextMenu();
  }
  TCustomTreeView::KeyDown(Key, Shift);
}

void TZQCustomTreeView::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CONTEXTMENU: {
      if (IsDesigning() || GetSelected() || menuShown_) return;
      const POINT pt = {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      if (pt.x == -1 && pt.y == -1) DoPreNodeContextMenu();
      else DoNodeContextMenu(GetSelected(), ScreenToClient(pt));
      return;
    }
    case WM_RBUTTONUP:
      if (menuShown_ && GetPopupMenu()) {
        TPopupMenu* menu = GetPopupMenu();
        const bool autoPopup = menu->GetAutoPopup();
        menu->SetAutoPopup(false);
        TCustomTreeView::WndProc(m);
        menu->SetAutoPopup(autoPopup);
        menuShown_ = false;
        return;
      }
      menuShown_ = false;
      break;
    case CM_COLORCHANGED:
      TCustomTreeView::WndProc(m);
      if (HandleAllocated())
        SendMessageA(GetHandle(), TVM_SETBKCOLOR, 0, GetColor() == clNone ? -1 : static_cast<LPARAM>(ColorToRGB(GetColor())));
      return;
    case CM_FONTCHANGED:
      TCustomTreeView::WndProc(m);
      if (HandleAllocated()) {
        const TColor c = GetFont()->GetColor();
        SendMessageA(GetHandle(), TVM_SETTEXTCOLOR, 0, c == clNone ? -1 : static_cast<LPARAM>(ColorToRGB(c)));
      }
      return;
    case CM_SYSCOLORCHANGE:
      TCustomTreeView::WndProc(m);
      SysColorChanged(this, m);
      return;
    default:
      break;
  }
  TCustomTreeView::WndProc(m);
}

}  // namespace korvane
