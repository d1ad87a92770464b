#include <gtest/gtest.h>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Screen.h"
#include "korvane/host/StdCtrls.h"
#include "tests/support/Ui.h"

using namespace korvane;

TEST(ShellWindowHelpers, OwnerWindowIsTheParentFormOrNone) {
  test::TestForm form;
  auto* panel = new TPanel(form.Get());
  panel->SetParent(form.Get());
  auto* button = new TButton(form.Get());
  button->SetParent(panel);
  EXPECT_EQ(GetParentFormHandle(button), form->GetHandle());
  EXPECT_EQ(GetParentFormHandle(form.Get()), form->GetHandle());
  TPanel orphan(nullptr);  // its top-most parent is no form
  auto* inner = new TButton(nullptr);
  inner->SetParent(&orphan);
  EXPECT_EQ(GetParentFormHandle(inner), nullptr);
  EXPECT_EQ(GetParentFormHandle(nullptr), nullptr);
}

TEST(ShellWindowHelpers, WaitCursorSleepShowsTheHourglassAndRestores) {
  Screen->SetCursor(crCross);
  const DWORD start = GetTickCount();
  WaitCursorSleep(60);
  EXPECT_GE(GetTickCount() - start, 50u);
  EXPECT_EQ(Screen->GetCursor(), crCross);
  Screen->SetCursor(crDefault);
}

TEST(ShellWindowHelpers, ScrollingAControl) {
  test::TestForm form(200, 100);
  struct TScrollBox : TWinControl {
    using TWinControl::TWinControl;
    void CreateParams(TCreateParams& p) override {
      TWinControl::CreateParams(p);
      CreateSubClass(p, "LISTBOX");
      p.Style |= WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
    }
  };
  auto* box = new TScrollBox(form.Get());
  box->SetBounds(0, 0, 150, 80);
  box->SetParent(form.Get());
  for (int i = 0; i < 50; ++i) SendMessageA(box->GetHandle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("row"));
  ScrollControl(box, SB_VERT, SB_LINEDOWN);
  EXPECT_EQ(SendMessageA(box->GetHandle(), LB_GETTOPINDEX, 0, 0), 1);
  EXPECT_TRUE(ScrollControlByWheel(box, SB_VERT, SB_LINEUP, SB_PAGEUP));
  EXPECT_EQ(SendMessageA(box->GetHandle(), LB_GETTOPINDEX, 0, 0), 0);
}
