#include <gtest/gtest.h>

#include <atomic>

#include "korvane/host/Application.h"
#include "korvane/host/Buttons.h"
#include "korvane/host/ComboBox.h"
#include "korvane/host/Dialogs.h"
#include "korvane/host/ExtCtrls.h"
#include "korvane/host/ImgList.h"
#include "korvane/host/Threads.h"
#include "korvane/shell/Uzqshellutils.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/Ui.h"

using namespace korvane;

TEST(ComboBox, ItemsObjectsSelectionAndOwnerDrawing) {
  test::TestForm form;
  auto* combo = new TComboBox(form.Get());
  combo->SetParent(form.Get());
  TObject one, two;
  combo->GetItems()->AddObject("first", &one);
  combo->GetItems()->AddObject("second", &two);
  combo->SetItemIndex(1);
  EXPECT_EQ(SendMessageA(combo->GetHandle(), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(combo->GetText(), "second");
  EXPECT_EQ(combo->GetItems()->GetObject(1), &two);
  int selects = 0;
  combo->OnSelect = [&](TObject*) { ++selects; };
  SendMessageA(combo->GetHandle(), CB_SETCURSEL, 0, 0);
  SendMessageA(form->GetHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo->GetHandle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo->GetHandle()));
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(combo->GetItemIndex(), 0);

  // Owner drawn: a new window keeps the items and the selection, and DrawItem paints them.
  std::vector<int> drawn;
  combo->OnDrawItem = [&](TWinControl* c, int index, const RECT& r, UINT) {
    drawn.push_back(index);
    auto* cb = static_cast<TComboBox*>(c);
    cb->GetCanvas()->GetBrush()->SetColor(clLime);
    cb->GetCanvas()->FillRect(r);
  };
  combo->SetStyle(csOwnerDrawFixed);
  EXPECT_EQ(combo->GetItems()->GetCount(), 2);
  EXPECT_EQ(combo->GetItemIndex(), 0);
  EXPECT_EQ(SendMessageA(combo->GetHandle(), CB_GETITEMDATA, 1, 0), reinterpret_cast<LRESULT>(&two));
  auto shot = test::Snapshot(*combo);
  EXPECT_FALSE(drawn.empty());
  EXPECT_EQ(shot->PixelRGB(4, shot->GetHeight() / 2), RGB(0, 255, 0));
}

TEST(Timer, FiresOnTheUserInterfaceThreadWhileEnabled) {
  TTimer timer(nullptr);
  int ticks = 0;
  const DWORD thread = GetCurrentThreadId();
  timer.SetInterval(20);
  timer.OnTimer = [&](TObject* s) {
    EXPECT_EQ(s, &timer);
    EXPECT_EQ(GetCurrentThreadId(), thread);
    ++ticks;
  };
  timer.SetEnabled(true);
  EXPECT_TRUE(test::PumpUntil([&] { return ticks >= 2; }, 3000));
  timer.SetEnabled(false);
  const int stopped = ticks;
  test::Pump(100);
  EXPECT_EQ(ticks, stopped);
}

TEST(Thread, RunsExecuteUntilTerminated) {
  struct TWorker : TThread {
    TWorker() : TThread(true) {}
    std::atomic<int> loops{0};
    void Execute() override {
      while (!GetTerminated()) {
        ++loops;
        Sleep(5);
      }
    }
  } worker;
  EXPECT_EQ(worker.loops, 0);  // created suspended
  worker.Start();
  while (worker.loops < 3) Sleep(5);
  worker.Terminate();
  worker.WaitFor();
  EXPECT_TRUE(worker.GetFinished());
}

TEST(Thread, ABoundedWaitTellsWhetherExecuteReturned) {
  struct TWorker : TThread {
    TWorker() : TThread(true) {}
    ~TWorker() override {
      SetEvent(go);
      WaitFor();
      CloseHandle(go);
    }
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    void Execute() override { WaitForSingleObject(go, 10000); }
  } worker;
  EXPECT_EQ(worker.GetHandle(), nullptr);
  EXPECT_TRUE(worker.WaitFor(0));  // nothing started, nothing to wait for
  worker.Start();
  ASSERT_NE(worker.GetHandle(), nullptr);
  EXPECT_NE(worker.GetThreadID(), 0u);
  EXPECT_FALSE(worker.WaitFor(50));
  EXPECT_FALSE(worker.GetFinished());
  SetEvent(worker.go);
  EXPECT_TRUE(worker.WaitFor(5000));
  EXPECT_TRUE(worker.GetFinished());
}

TEST(MessageDialogs, TheRealBoxIsAnsweredAndTheSeamCanAnswerInstead) {
  test::ModalDriver driver([] { return test::FindProcessWindow("#32770", "Confirm"); },
                           [](HWND box) { PostMessageA(box, WM_COMMAND, IDNO, 0); });
  EXPECT_EQ(MessageDlg("Replace it?", mtConfirmation, {mbYes, mbNo}), mrNo);
  EXPECT_TRUE(driver.Acted());
  std::string seen;
  SetMessageDlgHandler([&](const std::string& caption, const std::string& text, UINT flags) {
    seen = caption + ": " + text;
    EXPECT_EQ(flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
    return IDCANCEL;
  });
  EXPECT_EQ(MessageDlgCaption("Open", "Sure?", mtWarning, {mbYes, mbNo, mbCancel}), mrCancel);
  SetMessageDlgHandler(nullptr);
  EXPECT_EQ(seen, "Open: Sure?");
}

TEST(ImageLists, ASharedSystemListOutlivesItsWrapper) {
  HIMAGELIST system = ShellGetSystemImageList(zqsizSmall);
  {
    TImageList images(nullptr);
    images.SetShareImages(true);
    images.SetHandle(system);
    EXPECT_EQ(images.GetWidth(), 16);
    EXPECT_GT(images.GetCount(), 0);
  }
  EXPECT_GT(ImageList_GetImageCount(system), 0);  // not destroyed
  TImageList own(nullptr);
  own.SetSize(16, 16);
  HIMAGELIST mine = own.GetHandle();
  own.AddIcon(LoadIconA(nullptr, IDI_APPLICATION));
  EXPECT_EQ(own.GetCount(), 1);
  own.SetHandle(nullptr);
  EXPECT_EQ(ImageList_GetImageCount(mine), 0);  // its own list was destroyed
  // A list it made stays its own to destroy when it then shares another (as the shell controls do).
  own.SetSize(16, 16);
  mine = own.GetHandle();
  own.AddIcon(LoadIconA(nullptr, IDI_APPLICATION));
  own.SetShareImages(true);
  own.SetHandle(system);
  EXPECT_EQ(ImageList_GetImageCount(mine), 0);
}

TEST(SpeedButtons, GroupsKeepOneButtonDown) {
  test::TestForm form;
  auto* a = new TSpeedButton(form.Get());
  auto* b = new TSpeedButton(form.Get());
  for (TSpeedButton* s : {a, b}) {
    s->SetParent(form.Get());
    s->SetGroupIndex(1);
  }
  b->SetLeft(30);
  a->Click();
  EXPECT_TRUE(a->GetDown());
  b->Click();
  EXPECT_TRUE(b->GetDown());
  EXPECT_FALSE(a->GetDown());
  b->SetDown(false);  // the last one down stays down
  EXPECT_TRUE(b->GetDown());
  int clicks = 0;
  a->OnClick = [&](TObject*) { ++clicks; };
  SendMessageA(form->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(form->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(a->GetDown());
}

TEST(Hints, ShortAndLongParts) {
  EXPECT_EQ(GetShortHint("Up One Level|Moves up a folder"), "Up One Level");
  EXPECT_EQ(GetLongHint("Up One Level|Moves up a folder"), "Moves up a folder");
  EXPECT_EQ(GetShortHint("Both"), "Both");
  EXPECT_EQ(GetLongHint("Both"), "Both");
  int asked = 0;
  Application->OnHelp = [&](UINT command, ULONG_PTR data, bool&) {
    EXPECT_EQ(command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(data, 42u);
    ++asked;
    return true;
  };
  EXPECT_TRUE(Application->HelpContext(42));
  Application->OnHelp = nullptr;
  EXPECT_EQ(asked, 1);
}
