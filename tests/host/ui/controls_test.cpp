#include <gtest/gtest.h>

#include <vector>

#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/FormFile.h"
#include "korvane/host/Menus.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/Screen.h"
#include "korvane/host/StdCtrls.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {

// Paints a filled square and records what reaches it.
class TBox : public TCustomControl {
public:
  explicit TBox(TComponent* owner) : TCustomControl(owner) {}
  std::vector<std::string> log;
  COLORREF fill = RGB(200, 0, 0);
  bool throwOnPaint = false;

protected:
  void Paint() override {
    if (throwOnPaint) throw Exception("paint failed");
    GetCanvas()->GetBrush()->SetColor(static_cast<TColor>(fill));
    RECT r = {0, 0, GetWidth(), GetHeight()};
    GetCanvas()->FillRect(r);
  }
  void Click() override {
    log.push_back("click");
    TCustomControl::Click();
  }
  void KeyDown(WORD& key, TShiftState shift) override {
    log.push_back("key " + std::to_string(key) + (shift.Contains(ssShift) ? " shift" : ""));
    TCustomControl::KeyDown(key, shift);
  }
};

// A windowless square painted by its parent.
class TDot : public TGraphicControl {
public:
  explicit TDot(TComponent* owner) : TGraphicControl(owner) {}
  int clicks = 0;

protected:
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(clBlue);
    RECT r = {0, 0, GetWidth(), GetHeight()};
    GetCanvas()->FillRect(r);
  }
  void Click() override { ++clicks; }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace

TEST(WinControl, WindowsAreMadeLazilyAndFreedWithTheirParents) {
  auto* form = new TForm(nullptr);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* box = new TBox(form);
  box->SetParent(panel);
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_FALSE(box->HandleAllocated());
  HWND boxWnd = box->GetHandle();  // needs the parents' windows first
  EXPECT_TRUE(form->HandleAllocated());
  EXPECT_TRUE(panel->HandleAllocated());
  EXPECT_EQ(GetParent(boxWnd), panel->GetHandle());
  EXPECT_EQ(TWinControl::FindControl(boxWnd), box);
  EXPECT_EQ(GetParentForm(box), form);
  HWND formWnd = form->GetHandle();
  form->Free();
  EXPECT_FALSE(IsWindow(boxWnd));
  EXPECT_FALSE(IsWindow(formWnd));
}

TEST(WinControl, AlignAndAnchorsFollowTheParent) {
  test::TestForm form(300, 200);
  auto* top = new TPanel(form.Get());
  top->SetHeight(30);
  top->SetAlign(alTop);
  top->SetParent(form.Get());
  auto* client = new TPanel(form.Get());
  client->SetAlign(alClient);
  client->SetParent(form.Get());
  auto* button = new TButton(form.Get());
  button->SetParent(client);
  button->SetBounds(200, 100, 75, 25);
  button->SetAnchors({akRight, akBottom});
  EXPECT_EQ(top->GetWidth(), 300);
  EXPECT_EQ(client->GetTop(), 30);
  EXPECT_EQ(client->GetHeight(), 170);
  const RECT before = client->GetClientRect();
  const int rightGap = before.right - (button->GetLeft() + button->GetWidth());
  form->SetWidth(form->GetWidth() + 50);
  form->SetHeight(form->GetHeight() + 20);
  test::Pump(20);
  EXPECT_EQ(top->GetWidth(), 350);
  EXPECT_EQ(client->GetHeight(), 190);
  const RECT after = client->GetClientRect();
  EXPECT_EQ(after.right - (button->GetLeft() + button->GetWidth()), rightGap);
  EXPECT_EQ(button->GetTop(), 120);
  EXPECT_EQ(button->GetWidth(), 75);
}

TEST(WinControl, NativeNotificationsAreReflectedToTheirControls) {
  test::TestForm form;
  auto* button = new TButton(form.Get());
  button->SetParent(form.Get());
  int clicks = 0;
  button->OnClick = [&](TObject* s) {
    EXPECT_EQ(s, button);
    ++clicks;
  };
  // BN_CLICKED goes to the form as WM_COMMAND and comes back to the button as CN_COMMAND.
  SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  auto* edit = new TEdit(form.Get());
  edit->SetParent(form.Get());
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  SetWindowTextA(edit->GetHandle(), "typed");
  EXPECT_GE(changes, 1);
  EXPECT_EQ(edit->GetText(), "typed");
}

TEST(WinControl, ExceptionsStopAtTheWindowProcedure) {
  test::TestForm form;
  auto* box = new TBox(form.Get());
  box->SetBounds(0, 0, 50, 50);
  box->SetParent(form.Get());
  std::vector<std::string> handled;
  Application->OnException = [&](TObject* sender, const Exception& e) {
    EXPECT_EQ(sender, box);
    handled.push_back(e.Message());
  };
  box->throwOnPaint = true;
  RedrawWindow(box->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  box->OnClick = [](TObject*) { Abort(); };  // silent
  SendMessageA(box->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageA(box->GetHandle(), WM_LBUTTONUP, 0, At(5, 5));
  Application->OnException = nullptr;
  EXPECT_EQ(handled, (std::vector<std::string>{"paint failed"}));
}

TEST(WinControl, MouseClicksWheelAndWindowlessChildren) {
  test::TestForm form;
  auto* box = new TBox(form.Get());
  box->SetBounds(10, 10, 100, 100);
  box->SetParent(form.Get());
  PostMessageA(box->GetHandle(), WM_LBUTTONUP, 0, At(5, 5));  // WINE: a sent button-down may enter a drag loop
  SendMessageA(box->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  test::Pump(10);
  SendMessageA(box->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageA(box->GetHandle(), WM_LBUTTONUP, 0, At(500, 5));  // released outside: no click
  EXPECT_EQ(box->log, (std::vector<std::string>{"click"}));

  int down = 0, up = 0;
  box->OnMouseWheelDown = [&](TObject*, TShiftState, POINT, bool& handled) { ++down, handled = true; };
  box->OnMouseWheelUp = [&](TObject*, TShiftState, POINT, bool&) { ++up; };
  EXPECT_EQ(SendMessageA(box->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0), 1);
  SendMessageA(box->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(down, 1);
  EXPECT_EQ(up, 1);

  auto* dot = new TDot(form.Get());
  dot->SetBounds(200, 20, 30, 30);
  dot->SetParent(form.Get());
  EXPECT_EQ(form->ControlAtPos({210, 30}), dot);
  SendMessageA(form->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(210, 30));
  SendMessageA(form->GetHandle(), WM_LBUTTONUP, 0, At(212, 31));
  EXPECT_EQ(dot->clicks, 1);
}

TEST(WinControl, PaintingShowsInTheWindowPixels) {
  test::TestForm form(200, 120);
  auto* box = new TBox(form.Get());
  box->SetBounds(10, 10, 40, 40);
  box->SetParent(form.Get());
  auto* dot = new TDot(form.Get());
  dot->SetBounds(100, 10, 20, 20);
  dot->SetParent(form.Get());
  auto shot = test::Snapshot(*form);
  EXPECT_EQ(shot->PixelRGB(30, 30), RGB(200, 0, 0));    // the custom control
  EXPECT_EQ(shot->PixelRGB(110, 20), RGB(0, 0, 255));   // the windowless child, painted by the form
  EXPECT_EQ(shot->PixelRGB(150, 100), GetSysColor(COLOR_BTNFACE));  // the form's colour
  box->fill = RGB(0, 128, 0);
  box->Invalidate();
  EXPECT_EQ(test::Snapshot(*box)->PixelRGB(5, 5), RGB(0, 128, 0));
}

TEST(WinControl, KeysReachTheControlAfterTheFormsPreview) {
  test::TestForm form;
  auto* box = new TBox(form.Get());
  box->SetParent(form.Get());
  std::vector<WORD> previewed;
  form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    previewed.push_back(key);
    if (key == VK_F5) key = 0;  // the form takes F5
  };
  SendMessageA(box->GetHandle(), WM_KEYDOWN, VK_F2, 0);
  EXPECT_TRUE(previewed.empty());  // no preview without KeyPreview
  form->SetKeyPreview(true);
  SendMessageA(box->GetHandle(), WM_KEYDOWN, VK_F2, 0);
  SendMessageA(box->GetHandle(), WM_KEYDOWN, VK_F5, 0);
  EXPECT_EQ(previewed, (std::vector<WORD>{VK_F2, VK_F5}));
  EXPECT_EQ(box->log, (std::vector<std::string>{"key 113", "key 113"}));
}

TEST(WinControl, ContextMenusPopAtTheClickOrTheTopLeftCorner) {
  test::TestForm form;
  auto* box = new TBox(form.Get());
  box->SetBounds(20, 20, 100, 100);
  box->SetParent(form.Get());
  auto* menu = new TPopupMenu(form.Get());
  auto* item = new TMenuItem(form.Get());
  item->SetCaption("Only");
  menu->GetItems()->Add(item);
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  box->SetPopupMenu(menu);
  {
    test::ModalDriver driver(test::FindMenuWindow, test::CancelMenu);
    SendMessageA(box->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box->GetHandle()), At(300, 200));
    EXPECT_TRUE(driver.Acted());
  }
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(menu->GetPopupPoint().x, 300);
  EXPECT_EQ(menu->GetPopupComponent(), box);
  {
    test::ModalDriver driver(test::FindMenuWindow, [](HWND w) { test::ChooseMenuItem(w, 0); });
    int chosen = 0;
    item->OnClick = [&](TObject*) { ++chosen; };
    SendMessageA(box->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box->GetHandle()), -1);  // keyboard
    EXPECT_EQ(chosen, 1);
  }
  const POINT corner = box->ClientToScreen({0, 0});
  EXPECT_EQ(menu->GetPopupPoint().x, corner.x);
  EXPECT_EQ(menu->GetPopupPoint().y, corner.y);
  // A handler that takes the event suppresses the menu.
  box->OnContextPopup = [](TObject*, POINT, bool& handled) { handled = true; };
  SendMessageA(box->GetHandle(), WM_CONTEXTMENU, 0, At(1, 1));
  EXPECT_EQ(popups, 2);
  menu->Free();  // the control hears of it
  EXPECT_EQ(box->GetPopupMenu(), nullptr);
}

TEST(Forms, ShowModalRunsUntilAModalResultTheCloseQueryAccepts) {
  auto* form = new TForm(nullptr);
  form->SetCaption("Modal under test");
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetModalResult(mrOk);
  int queries = 0;
  form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
  test::ModalDriver driver(
      [] { return test::FindProcessWindow(nullptr, "Modal under test"); },
      [&](HWND) {
        PostMessageA(ok->GetHandle(), BM_CLICK, 0, 0);  // refused by the first query
        Sleep(100);
        PostMessageA(ok->GetHandle(), BM_CLICK, 0, 0);
      });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_TRUE(driver.Acted());
  EXPECT_EQ(queries, 2);
  EXPECT_FALSE(form->GetVisible());
  // Escape reaches a cancel button through the dialog keys; closing answers mrCancel.
  auto* cancel = new TButton(form);
  cancel->SetParent(form);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  test::ModalDriver escape([] { return test::FindProcessWindow(nullptr, "Modal under test"); },
                           [&](HWND) { PostMessageA(cancel->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  form->Show();
  EXPECT_THROW(form->ShowModal(), EInvalidOperation);
  form->Free();
}

TEST(Screen, CursorScopesRestoreTheCursorOnEveryPath) {
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  try {
    TCursorScope wait;
    EXPECT_EQ(Screen->GetCursor(), crHourGlass);
    throw Exception("interrupted");
  } catch (const Exception&) {
  }
  EXPECT_EQ(Screen->GetCursor(), crDefault);
}

TEST(FormFiles, ControlsAreWrittenUnderTheirParentsAndReadBack) {
  RegisterClass(TPanel::StaticClassInfo());
  RegisterClass(TButton::StaticClassInfo());
  test::TTestRoot source(nullptr);
  source.SetName("Form1");
  auto* panel = new TPanel(&source);
  panel->SetName("Panel1");
  panel->SetParent(&source);
  panel->SetBounds(8, 8, 200, 60);
  auto* button = new TButton(&source);
  button->SetName("Button1");
  button->SetParent(panel);
  button->SetCaption("Go");
  button->SetModalResult(mrOk);
  const std::string text = ComponentToText(&source);
  EXPECT_NE(text.find("  object Panel1: TPanel\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("    object Button1: TButton\r\n"), std::string::npos) << text;

  test::TTestRoot target(nullptr);
  TextToComponent(text, &target);
  auto* p = dynamic_cast<TPanel*>(target.FindComponent("Panel1"));
  auto* b = dynamic_cast<TButton*>(target.FindComponent("Button1"));
  ASSERT_TRUE(p && b);
  EXPECT_EQ(p->GetParent(), &target);
  EXPECT_EQ(b->GetParent(), p);
  EXPECT_EQ(b->GetCaption(), "Go");
  EXPECT_EQ(b->GetModalResult(), mrOk);
  EXPECT_EQ(p->GetWidth(), 200);
}

TEST(WinControl, TabMovesFocusInTabOrderThroughTheDialogKeys) {
  test::TestForm form;
  auto* first = new TEdit(form.Get());
  auto* second = new TEdit(form.Get());
  auto* third = new TButton(form.Get());
  for (TWinControl* c : std::initializer_list<TWinControl*>{first, second, third}) c->SetParent(form.Get());
  second->SetTop(30);
  third->SetTop(60);
  third->SetTabOrder(0);  // the button comes first now
  EXPECT_EQ(third->GetTabOrder(), 0);
  EXPECT_EQ(first->GetTabOrder(), 1);
  // Tests running alongside share the desktop and may take the activation (and
  // with it the focus) away: a run during which the form stayed active counts.
  bool stayedActive = false;
  for (int attempt = 0; attempt < 5 && !stayedActive; ++attempt) {
    SetForegroundWindow(form->GetHandle());
    third->SetFocus();
    if (!third->Focused()) continue;
    PostMessageA(third->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    test::Pump(20);
    const bool firstFocused = first->Focused(), firstActive = form->GetActiveControl() == first;
    PostMessageA(first->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    test::Pump(20);
    stayedActive = GetForegroundWindow() == form->GetHandle();
    if (!stayedActive) continue;
    EXPECT_TRUE(firstFocused);
    EXPECT_TRUE(firstActive);
    EXPECT_TRUE(second->Focused());
  }
  EXPECT_TRUE(stayedActive);
}

TEST(WinControl, AtDesignTimeTheMouseGoesToTheControlOnlyWhenItAsks) {
  struct TDesigned : TBox {
    using TBox::TBox;
    bool wants = false;
    void WndProc(TMessage& m) override {
      if (m.Msg == CM_DESIGNHITTEST) {
        m.Result = wants ? 1 : 0;
        return;
      }
      TBox::WndProc(m);
    }
  };
  test::TestForm form;
  auto* box = new TDesigned(form.Get());
  box->SetParent(form.Get());
  int downs = 0;
  box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  form->SetDesigning(true);
  EXPECT_TRUE(box->GetComponentState().Contains(csDesigning));
  SendMessageA(box->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
  SendMessageA(box->GetHandle(), WM_LBUTTONUP, 0, At(3, 3));
  EXPECT_EQ(downs, 0);  // the designer keeps the mouse
  box->wants = true;
  SendMessageA(box->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
  SendMessageA(box->GetHandle(), WM_LBUTTONUP, 0, At(3, 3));
  EXPECT_EQ(downs, 1);
  form->SetDesigning(false);
}
