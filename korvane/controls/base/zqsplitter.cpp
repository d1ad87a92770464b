#include "korvane/controls/base/zqsplitter.h"

#include <cmath>

#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Format.h"
#include "korvane/host/PropInfo.h"

namespace korvane {

namespace {
bool Contains(const TControl* c, POINT p) {
  const RECT r = c->GetBoundsRect();
  return PtInRect(&r, p) != 0;
}

// The 8 x 8 checkerboard of the drag outline, shared by every splitter.
HBRUSH CheckerBrush() {
  static const TGdiObject brush = [] {
    WORD bits[8];
    for (int y = 0; y < 8; ++y) bits[y] = (y & 1) ? 0x55 : 0xAA;  // white where x and y differ in parity
    const TGdiObject bitmap(CreateBitmap(8, 8, 1, 1, bits));
    return TGdiObject(CreatePatternBrush(static_cast<HBITMAP>(bitmap.Get())));
  }();
  return static_cast<HBRUSH>(brush.Get());
}

// The pane class is known to form files from the start.
const bool kPaneRegistered = [] {
  if (!FindClass("TZQPane")) RegisterClass(TZQPane::StaticClassInfo());
  return true;
}();
}  // namespace

// --- TZQPane

TZQPane::TZQPane(TComponent* AOwner) : TZQGroup(AOwner) {
  SetFrameStyle(zqfsLowered);
  SetColor(clBtnFace);
}

const TClassInfo& TZQPane::StaticClassInfo() {
  static const TClassInfo info = TPublish<TZQPane>("TZQPane", &TZQGroup::StaticClassInfo())
                                     .Creatable()
                                     .Enum("FrameStyle", &TZQPane::GetFrameStyle, &TZQPane::SetFrameStyle,
                                           zqfsLowered, FrameStyleNames())
                                     .OfType("TZQFrameStyle")
                                     .Int("MinSize", &TZQPane::GetMinSize, &TZQPane::SetMinSize, 20)
                                     .Int("Index", &TZQPane::GetIndex, &TZQPane::SetIndex, 0)
                                     .Done();
  return info;
}

void TZQPane::SetIndex(int v) {
  if (v != 0 && v != 1) throw EReadError(Format("Invalid pane index %d", v));
  index_ = v;
}

void TZQPane::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  Invalidate();
}

void TZQPane::Paint() {
  TZQGroup::Paint();
  if (!active_ || !IsDesigning()) return;
  const HDC dc = GetCanvas()->GetHandle();
  const TGdiObject pen(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
  const TSelectObject selectPen(dc, pen.Get());
  const TSelectObject selectBrush(dc, GetStockObject(HOLLOW_BRUSH));
  const int mode = SetROP2(dc, R2_NOT);
  const RECT r = GetClientRect();
  ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SetROP2(dc, mode);
}

void TZQPane::WndProc(TMessage& m) {
  if (m.Msg == CM_DESIGNHITTEST) {  // clicks on a pane at design time go to the designer
    m.Result = 0;
    return;
  }
  TZQGroup::WndProc(m);
}

// --- TZQSplitter

TZQSplitter::TZQSplitter(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 200, 140);
  proportion_ = static_cast<float>(position_) / static_cast<float>(GetWidth());
  // Made in code, a splitter has its two panes at once; one read from a form
  // file gets the stored ones instead (Loaded).
  CreatePanes();
}

const TClassInfo& TZQSplitter::StaticClassInfo() {
  static const TClassInfo info =
      TPublish<TZQSplitter>("TZQSplitter", &TWinControl::StaticClassInfo())
          .Creatable()
          .Enum("FullDragMode", &TZQSplitter::GetFullDragMode, &TZQSplitter::SetFullDragMode, zqfdUser,
                {"zqfdOff", "zqfdOn", "zqfdUser"})
          .Bool("Proportional", &TZQSplitter::GetProportional, &TZQSplitter::SetProportional, true)
          .Int("Position", &TZQSplitter::GetPosition, &TZQSplitter::SetPosition, 65)
          .Enum("Style", &TZQSplitter::GetStyle, &TZQSplitter::SetStyle, zqstVertical, {"zqstVertical", "zqstHorizontal"})
          .Int("SplitterWidth", &TZQSplitter::GetSplitterWidth, &TZQSplitter::SetSplitterWidth, 3)
          .Done();
  return info;
}

std::string TZQSplitter::PaneName(int index) const { return GetName() + "_pane" + std::to_string(index + 1); }

void TZQSplitter::CreatePanes() {
  for (int i = 0; i < 2; ++i) {
    auto* pane = new TZQPane(this);
    pane->SetIndex(i);
    if (!GetName().empty()) pane->SetName(PaneName(i));
    pane->SetParent(this);
    panes_[i] = pane;
  }
  SetActivePane(0);
}

void TZQSplitter::SetName(const std::string& NewName) {
  TCustomControl::SetName(NewName);
  if (GetComponentState().Contains(csLoading) || GetComponentState().Contains(csReading)) return;
  for (int i = 0; i < 2; ++i)
    if (panes_[i] && panes_[i]->GetName() != PaneName(i)) panes_[i]->SetName(PaneName(i));
}

void TZQSplitter::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TZQPane* pane : panes_)
    if (pane) proc(pane);
}

void TZQSplitter::Loaded() {
  TCustomControl::Loaded();
  // The stored panes take their slots by Index; a slot no stored pane fills
  // keeps its own pane, so both slots are always filled.
  TZQPane* stored[2] = {nullptr, nullptr};
  for (int i = 0; i < GetControlCount(); ++i) {
    auto* pane = dynamic_cast<TZQPane*>(GetControl(i));
    if (!pane || pane == panes_[0] || pane == panes_[1]) continue;
    int slot = pane->GetIndex();
    if (stored[slot]) slot = 1 - slot;  // two panes with one Index: the second takes the free slot
    if (stored[slot]) continue;
    pane->SetIndex(slot);
    stored[slot] = pane;
  }
  for (int i = 0; i < 2; ++i) {
    if (!stored[i]) continue;
    TZQPane* own = panes_[i];
    panes_[i] = stored[i];
    if (own && own->GetOwner() == this) own->Free();
  }
  if (IsDesigning()) SetActivePane(0);
  InitPanePos();
  FixProportion();
}

void TZQSplitter::SetActivePane(int index) {
  activePane_ = index;
  for (int i = 0; i < 2; ++i)
    if (panes_[i]) panes_[i]->SetActive(i == index);
}

void TZQSplitter::SwapPanes(bool adjust) {
  std::swap(panes_[0], panes_[1]);
  panes_[0]->SetIndex(0);
  panes_[1]->SetIndex(1);
  if (adjust) position_ = Extent() - position_;
  InitPanePos();
}

int TZQSplitter::Extent() { return style_ == zqstVertical ? GetWidth() : GetHeight(); }

void TZQSplitter::FixProportion() {
  const int extent = Extent();
  proportion_ = extent == 0 ? 0.5f : static_cast<float>(position_) / static_cast<float>(extent);
}

void TZQSplitter::InitPanePos() {
  if (GetComponentState().Contains(csLoading) || !HandleAllocated() || !panes_[0] || !panes_[1]) return;
  const RECT client = GetClientRect();
  int p = position_;
  // A non-proportional bar is clamped for the layout only: the stored position
  // comes back when the splitter grows again.
  const int extent = style_ == zqstVertical ? client.right : client.bottom;
  if (p > extent - panes_[1]->GetMinSize()) p = extent - panes_[1]->GetMinSize();
  const int w = splitterWidth_;
  if (style_ == zqstVertical) {
    panes_[0]->SetBounds(0, 0, p, client.bottom);
    panes_[1]->SetBounds(p + w, 0, client.right - p - w, client.bottom);
  } else {
    panes_[0]->SetBounds(0, 0, client.right, p);
    panes_[1]->SetBounds(0, p + w, client.right, client.bottom - p - w);
  }
}

void TZQSplitter::InternalSetPosition(int position, bool fix) {
  if (panes_[0]) {
    if (position < panes_[0]->GetMinSize()) position = panes_[0]->GetMinSize();
    else if (panes_[1] && position > Extent() - panes_[1]->GetMinSize()) position = Extent() - panes_[1]->GetMinSize();
  }
  if (position == position_) return;
  position_ = position;
  InitPanePos();
  if (fix) FixProportion();
  Change();
}

void TZQSplitter::SetProportion(float proportion) {
  proportion_ = proportion;
  InternalResize(true);
}

void TZQSplitter::InternalResize(bool force) {
  if (force || proportional_)
    InternalSetPosition(static_cast<int>(std::lround(static_cast<double>(Extent()) * proportion_)), false);
  if (OnResize) OnResize(this);
}

void TZQSplitter::SetStyle(TZQSplitterStyle v) {
  style_ = v;
  InitPanePos();
  Invalidate();
}

void TZQSplitter::SetSplitterWidth(int v) {
  splitterWidth_ = v;
  InitPanePos();
  Invalidate();
}

bool TZQSplitter::IsFullDrag() const {
  if (fullDragMode_ != zqfdUser) return fullDragMode_ == zqfdOn;
  BOOL full = FALSE;
  return SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0) && full;
}

void TZQSplitter::Change() {
  if (OnChange) OnChange(this);
}

void TZQSplitter::SplitterDrag() {
  if (OnSplitterDrag) OnSplitterDrag(this, dragCoordinate_);
}

void TZQSplitter::SplitterDrop(int position) {
  FixProportion();
  if (OnSplitterDrop) OnSplitterDrop(this, position);
}

void TZQSplitter::PaintSizingLine() {
  const HDC dc = GetDCEx(GetHandle(), nullptr, DCX_PARENTCLIP | DCX_LOCKWINDOWUPDATE);
  if (!dc) return;
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, OPAQUE);
  SetROP2(dc, R2_COPYPEN);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  const HGDIOBJ old = SelectObject(dc, CheckerBrush());
  const RECT client = GetClientRect();
  const int at = dragCoordinate_ - grabOffset_;
  if (style_ == zqstVertical) PatBlt(dc, at, 0, splitterWidth_, client.bottom, PATINVERT);
  else PatBlt(dc, 0, at, client.right, splitterWidth_, PATINVERT);
  SelectObject(dc, old);
  ReleaseDC(GetHandle(), dc);
}

int TZQSplitter::ClampDrag(int c) {
  const int low = panes_[0]->GetMinSize(), high = Extent() - panes_[1]->GetMinSize();
  if (c - grabOffset_ < low) c = low + grabOffset_;
  else if (c - grabOffset_ > high) c = high + grabOffset_;
  return c;
}

void TZQSplitter::SetDragCoordinate(int c) {
  if (!IsFullDrag()) {
    if (dragCoordinate_ >= 0) PaintSizingLine();  // erases the outline shown
    dragCoordinate_ = c;
    if (c >= 0) PaintSizingLine();
  } else if (c >= 0) {
    dragCoordinate_ = c;
    InternalSetPosition(c - grabOffset_, true);
  }
  SplitterDrag();
}

void TZQSplitter::BeginDrag(int x, int y) {
  int c = Along(x, y);
  const RECT pane1 = panes_[0]->GetBoundsRect();
  grabOffset_ = c - (style_ == zqstVertical ? pane1.right : pane1.bottom);
  c = ClampDrag(c);
  dragging_ = true;
  dragCoordinate_ = -1;
  SetDragCoordinate(c);
}

void TZQSplitter::EndDrag() {
  if (!dragging_) return;
  SetDragCoordinate(-1);
  dragging_ = false;
  if (GetCapture() == GetHandle()) ReleaseCapture();
}

void TZQSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (dragging_) {
    EndDrag();
    return;
  }
  const bool starts = Button == mbLeft || (IsDesigning() && Button == mbRight && !Shift.Contains(ssShift));
  if (!starts || !panes_[0] || !panes_[1]) return;
  SetCapture(GetHandle());
  dragButton_ = Button;
  BeginDrag(X, Y);
}

void TZQSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!dragging_) return;
  const int c = ClampDrag(Along(X, Y));
  if (c != dragCoordinate_) SetDragCoordinate(c);
}

void TZQSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!dragging_ || Button != dragButton_) return;
  MouseMove(Shift, X, Y);
  const int old = position_;
  // In outline mode the drag coordinate is where the bar goes; full drag has moved it already.
  if (!IsFullDrag()) position_ = dragCoordinate_ - grabOffset_;
  EndDrag();
  InitPanePos();
  SplitterDrop(position_);
  if (position_ != old) Change();
}

void TZQSplitter::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TZQSplitter::CreateWnd() {
  TCustomControl::CreateWnd();
  InitPanePos();
}

void TZQSplitter::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
      TCustomControl::WndProc(m);
      // A minimized splitter keeps its layout and its proportion.
      if (!GetComponentState().Contains(csLoading) && m.WParam != SIZE_MINIMIZED && Extent() > 0) {
        InternalResize(false);
        InitPanePos();
      }
      return;
    case WM_SETCURSOR: {
      POINT p;
      GetCursorPos(&p);
      p = ScreenToClient(p);
      const bool overPane = (panes_[0] && Contains(panes_[0], p)) || (panes_[1] && Contains(panes_[1], p));
      if (!overPane && LOWORD(m.LParam) == HTCLIENT) {
        ::SetCursor(CursorHandle(style_ == zqstVertical ? crHSplit : crVSplit));
        m.Result = 1;
        return;
      }
      break;
    }
    case WM_CANCELMODE:
      EndDrag();
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(m.LParam) != GetHandle()) EndDrag();
      break;
    case WM_PARENTNOTIFY:
      if (IsDesigning() && LOWORD(m.WParam) == WM_LBUTTONDOWN) {
        POINT p = {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        for (int i = 0; i < 2; ++i)
          if (panes_[i] && Contains(panes_[i], p)) SetActivePane(i);
      }
      break;
    case CM_COLORCHANGED:
      TCustomControl::WndProc(m);
      Invalidate();
      return;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

}  // namespace korvane
