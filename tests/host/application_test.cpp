#include <gtest/gtest.h>

#include <stdexcept>

#include "korvane/host/Application.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/UtilWindow.h"

using namespace korvane;

TEST(Application, HandleExceptionIgnoresAbortAndHandsOverTheRest) {
  std::vector<std::string> seen;
  TObject sender;
  Application->OnException = [&](TObject* s, const Exception& e) {
    EXPECT_EQ(s, &sender);
    seen.push_back(e.Message());
  };
  EXPECT_TRUE(GuardCallback(&sender, [] {}));
  EXPECT_FALSE(GuardCallback(&sender, [] { Abort(); }));
  EXPECT_FALSE(GuardCallback(&sender, [] { throw EReadError("bad stream"); }));
  EXPECT_FALSE(GuardCallback(&sender, [] { throw std::runtime_error("foreign"); }));
  Application->OnException = nullptr;
  EXPECT_EQ(seen, (std::vector<std::string>{"bad stream", "foreign"}));
}

TEST(UtilWindow, MessagesReachTheMethodAndErrorsStayInside) {
  std::vector<UINT> got;
  int handled = 0;
  Application->OnException = [&](TObject*, const Exception&) { ++handled; };
  HWND wnd = AllocateHWnd([&](TMessage& m) {
    got.push_back(m.Msg);
    if (m.Msg == WM_USER + 1) m.Result = 42;
    if (m.Msg == WM_USER + 2) throw Exception("inside");
  });
  ASSERT_TRUE(IsWindow(wnd));
  EXPECT_EQ(GetParent(wnd), nullptr);  // top level, so broadcasts reach it
  EXPECT_EQ(SendMessageA(wnd, WM_USER + 1, 0, 0), 42);
  EXPECT_EQ(SendMessageA(wnd, WM_USER + 2, 0, 0), 0);
  EXPECT_EQ(handled, 1);
  DeallocateHWnd(wnd);
  EXPECT_FALSE(IsWindow(wnd));
  Application->OnException = nullptr;
  EXPECT_NE(std::find(got.begin(), got.end(), static_cast<UINT>(WM_USER + 1)), got.end());
}

TEST(ScopeGuards, RunOnEveryPathUnlessReleasedAndFlagsNest) {
  int runs = 0;
  {
    const auto guard = ScopeExit([&] { ++runs; });
  }
  try {
    const auto guard = ScopeExit([&] { ++runs; });
    throw Exception("leaving");
  } catch (const Exception&) {
  }
  {
    auto guard = ScopeExit([&] { ++runs; });
    guard.Release();
  }
  EXPECT_EQ(runs, 2);

  bool flag = false;
  {
    const TFlagScope outer(flag);
    {
      const TFlagScope inner(flag);
      EXPECT_TRUE(flag);
    }
    EXPECT_TRUE(flag);  // the outer scope still holds it
    {
      const TFlagScope off(flag, false);
      EXPECT_FALSE(flag);
    }
    EXPECT_TRUE(flag);
  }
  EXPECT_FALSE(flag);
}
