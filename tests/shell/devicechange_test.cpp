#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>

#include <string>
#include <vector>

#include "korvane/host/Application.h"
#include "korvane/shell/Uzqshellutils.h"

using namespace korvane;

namespace {
std::vector<std::string> calls;

struct TSubscriber : TObject {
  explicit TSubscriber(std::string n) : name(std::move(n)) {}
  void DeviceChanged(TObject* sender, TMessage& m) {
    EXPECT_EQ(sender, ZQDeviceChangeHandler());
    EXPECT_EQ(m.Msg, ZQ_WM_DEVICECHANGE_REPOSTED);
    calls.push_back(name + ":" + std::to_string(m.WParam));
  }
  void Other(TObject*, TMessage&) { calls.push_back(name + ":other"); }
  void Fails(TObject*, TMessage&) { throw Exception("subscriber failed"); }
  std::string name;
};

void Pump() { Application->ProcessMessages(); }
}  // namespace

TEST(DeviceChangeHandler, BroadcastsReachEverySubscriberInOrderAfterTheSenderReturned) {
  calls.clear();
  TZQDeviceChangeHandler* h = ZQDeviceChangeHandler();
  ASSERT_EQ(h, ZQDeviceChangeHandler());  // one per process
  TSubscriber a("A"), b("B");
  const TZQDeviceChangeEvent ea(&a, &TSubscriber::DeviceChanged), eb(&b, &TSubscriber::DeviceChanged);
  h->Add(ea);
  h->Add(eb);
  Pump();
  // The system's broadcast reaches the hidden top-level window.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0, SMTO_NORMAL, 2000, &result);
  SendMessageA(h->GetHandle(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
  EXPECT_TRUE(calls.empty());  // re-posted: nothing ran inside the senders' calls
  Pump();
  EXPECT_EQ(calls, (std::vector<std::string>{"A:32768", "B:32768", "A:32772", "B:32772"}));

  calls.clear();
  h->Remove(TZQDeviceChangeEvent(&a, &TSubscriber::Other));  // never added: no change
  TSubscriber c("C");
  h->Remove(TZQDeviceChangeEvent(&c, &TSubscriber::DeviceChanged));
  EXPECT_EQ(h->GetCount(), 2);
  h->Remove(ea);
  SendMessageA(h->GetHandle(), WM_DEVICECHANGE, 7, 0);
  Pump();
  EXPECT_EQ(calls, (std::vector<std::string>{"B:7"}));

  calls.clear();
  h->SetEnabled(false);
  SendMessageA(h->GetHandle(), WM_DEVICECHANGE, 8, 0);
  Pump();
  EXPECT_TRUE(calls.empty());
  h->SetEnabled(true);
  h->Remove(eb);
  EXPECT_EQ(h->GetCount(), 0);
  EXPECT_EQ(SendMessageA(h->GetHandle(), WM_QUERYENDSESSION, 0, 0), 1);
}

TEST(DeviceChangeHandler, ASubscriberErrorStopsAtTheWindowBoundary) {
  TZQDeviceChangeHandler* h = ZQDeviceChangeHandler();
  TSubscriber f("F");
  std::vector<std::string> handled;
  Application->OnException = [&](TObject*, const Exception& e) { handled.push_back(e.Message()); };
  const TZQDeviceChangeEvent ef(&f, &TSubscriber::Fails);
  h->Add(ef);
  SendMessageA(h->GetHandle(), WM_DEVICECHANGE, 1, 0);
  Pump();
  h->Remove(ef);
  Application->OnException = nullptr;
  EXPECT_EQ(handled, (std::vector<std::string>{"subscriber failed"}));
}
