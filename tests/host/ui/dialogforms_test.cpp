// What the dialog forms are built from: accelerators, radio menu items, the minimum
// tracking size, the size grip and a close query that fails.
#include <gtest/gtest.h>

#include <string>

#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Forms.h"
#include "korvane/host/Menus.h"
#include "korvane/host/StdCtrls.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/Ui.h"

using namespace korvane;

TEST(DialogForms, AltWithAnAcceleratorFocusesTheLabelsControlOrClicksTheButton) {
  test::TestForm form;
  auto* first = new TEdit(form.Get());
  auto* named = new TEdit(form.Get());
  auto* label = new TLabel(form.Get());
  auto* literal = new TLabel(form.Get());
  auto* go = new TButton(form.Get());
  for (TControl* c : std::initializer_list<TControl*>{first, named, label, literal, go}) c->SetParent(form.Get());
  named->SetTop(30);
  label->SetCaption("File &name:");
  label->SetFocusControl(named);
  EXPECT_TRUE(label->GetWidth() > 30 && label->GetWidth() < 100) << label->GetWidth();  // sized to its caption
  literal->SetCaption("Salt && &Pepper");  // "&&" is a plain "&": its accelerator is "p"
  literal->SetFocusControl(first);
  go->SetTop(60);
  go->SetCaption("&Go");
  int clicks = 0;
  go->OnClick = [&](TObject*) { ++clicks; };
  SetForegroundWindow(form->GetHandle());
  first->SetFocus();
  ASSERT_TRUE(first->Focused());
  auto alt = [&](char ch) {
    PostMessageA(GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(ch), 1 << 29);
    test::Pump(20);
  };
  alt('N');
  EXPECT_TRUE(named->Focused());
  alt('z');  // no one's accelerator
  EXPECT_TRUE(named->Focused());
  alt('p');
  EXPECT_TRUE(first->Focused());
  alt('g');
  EXPECT_EQ(clicks, 1);
  // A label whose control went no longer focuses anything.
  named->Free();
  alt('n');
  EXPECT_EQ(label->GetFocusControl(), nullptr);
}

TEST(DialogForms, AClickedRadioButtonUnchecksTheOthersOfItsParent) {
  test::TestForm form;
  TRadioButton* buttons[3];
  for (int i = 0; i < 3; ++i) {
    buttons[i] = new TRadioButton(form.Get());
    buttons[i]->SetParent(form.Get());
    buttons[i]->SetTop(24 * i);
  }
  auto* box = new TCheckBox(form.Get());  // not a radio button: left alone
  box->SetParent(form.Get());
  box->SetTop(80);
  box->SetChecked(true);
  buttons[0]->SetChecked(true);
  SendMessageA(buttons[2]->GetHandle(), BM_CLICK, 0, 0);
  test::Pump(20);
  const LRESULT shown[3] = {SendMessageA(buttons[0]->GetHandle(), BM_GETCHECK, 0, 0),
                            SendMessageA(buttons[1]->GetHandle(), BM_GETCHECK, 0, 0),
                            SendMessageA(buttons[2]->GetHandle(), BM_GETCHECK, 0, 0)};
  EXPECT_EQ(shown[0], BST_UNCHECKED);
  EXPECT_EQ(shown[1], BST_UNCHECKED);
  EXPECT_EQ(shown[2], BST_CHECKED);
  EXPECT_TRUE(box->GetChecked());
}

TEST(DialogForms, ARadioMenuItemChecksAloneInItsGroupAndShowsADot) {
  auto* form = new TForm(nullptr);
  auto* menu = new TMainMenu(form);
  auto* view = new TMenuItem(menu);
  view->SetCaption("&View");
  menu->GetItems()->Add(view);
  TMenuItem* items[4];
  for (int i = 0; i < 4; ++i) {
    items[i] = new TMenuItem(menu);
    items[i]->SetCaption("Item " + std::to_string(i));
    items[i]->SetRadioItem(i < 3);  // the last is a plain check item
    view->Add(items[i]);
  }
  items[3]->SetChecked(true);
  items[0]->SetChecked(true);
  items[2]->SetChecked(true);
  EXPECT_FALSE(items[0]->GetChecked());
  EXPECT_TRUE(items[2]->GetChecked());
  EXPECT_TRUE(items[3]->GetChecked());  // outside the radio group
  form->SetMenu(menu);
  form->HandleNeeded();
  HMENU sub = GetSubMenu(GetMenu(form->GetHandle()), 0);
  ASSERT_NE(sub, nullptr);
  for (int i = 0; i < 4; ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfoA(sub, i, TRUE, &info));
    EXPECT_EQ((info.fType & MFT_RADIOCHECK) != 0, i < 3) << i;
    EXPECT_EQ((info.fState & MFS_CHECKED) != 0, i >= 2) << i;
  }
  form->Free();
}

TEST(DialogForms, AFormKeepsItsMinimumSizeAndItsGripInTheCorner) {
  test::TestForm form(500, 400);
  form->GetConstraints().MinWidth = 459;
  form->GetConstraints().MinHeight = 274;
  form->SetSizeGrip(true);
  MoveWindow(form->GetHandle(), 10, 10, 200, 150, TRUE);  // the frame's own sizing path clamps it
  RECT window = {};
  GetWindowRect(form->GetHandle(), &window);
  EXPECT_EQ(window.right - window.left, 459);
  EXPECT_EQ(window.bottom - window.top, 274);

  HWND grip = form->GetSizeGripHandle();
  ASSERT_NE(grip, nullptr);
  char cls[32] = {};
  GetClassNameA(grip, cls, sizeof cls);
  EXPECT_STRCASEEQ(cls, "ScrollBar");
  EXPECT_NE(GetWindowLongA(grip, GWL_STYLE) & SBS_SIZEGRIP, 0);
  RECT client = {}, at = {};
  GetClientRect(form->GetHandle(), &client);
  GetWindowRect(grip, &at);
  MapWindowPoints(nullptr, form->GetHandle(), reinterpret_cast<POINT*>(&at), 2);
  EXPECT_EQ(at.left, client.right - 13);
  EXPECT_EQ(at.top, client.bottom - 13);
  EXPECT_EQ(at.right, client.right);
  EXPECT_EQ(GetWindow(form->GetHandle(), GW_CHILD), grip);  // above its siblings
}

TEST(DialogForms, ACloseQueryThatRaisesKeepsTheModalFormOpenAndReachesTheApplication) {
  auto* form = new TForm(nullptr);
  form->SetCaption("Raising close query");
  int queries = 0;
  form->OnCloseQuery = [&](TObject*, bool& canClose) {
    if (++queries == 1) throw Exception("not yet");
    canClose = true;
  };
  std::string shown;
  const auto saved = Application->OnException;
  Application->OnException = [&](TObject*, const Exception& e) { shown = e.Message(); };
  test::ModalDriver driver([] { return test::FindProcessWindow(nullptr, "Raising close query"); },
                           [](HWND wnd) {
                             PostMessageA(wnd, WM_CLOSE, 0, 0);  // refused: the query raised
                             Sleep(100);
                             PostMessageA(wnd, WM_CLOSE, 0, 0);
                           });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  Application->OnException = saved;
  EXPECT_TRUE(driver.Acted());
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(shown, "not yet");
  form->Free();
}
