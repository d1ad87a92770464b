#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "korvane/dialogs/Fzqopendlg.h"
#include "korvane/host/Application.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Screen.h"
#include "korvane/host/Streams.h"
#include "tests/support/ScriptedForm.h"

using namespace korvane;

namespace {
// Counts the forms it destroys.
class TCountedForm : public TForm {
public:
  using TForm::TForm;
  ~TCountedForm() override { ++destroyed; }
  static inline int destroyed = 0;
};
using TScriptedForm = test::TScriptedForm<TCountedForm>;

class TTestDialog : public TZQFormDialog<TScriptedForm> {
public:
  using TZQFormDialog::TZQFormDialog;
  std::function<void(TScriptedForm&)> script;
  int saves = 0;

protected:
  TScriptedForm* CreateForm() override {
    auto* form = new TScriptedForm(Application);
    form->SetBounds(40, 40, 300, 200);  // the designed size
    form->script = script;
    return form;
  }
  void InitForm(TScriptedForm& form) override { ApplyFormGeometry(form); }
  void SaveFormSettings(TScriptedForm& form) override {
    SaveFormGeometry(form);
    ++saves;
  }
  void RefuseExecution() override { throw Exception(GetName() + " already executing"); }
};

RECT RestoredRect(HWND wnd) {
  WINDOWPLACEMENT p = {};
  p.length = sizeof p;
  GetWindowPlacement(wnd, &p);
  return p.rcNormalPosition;
}

std::vector<std::uint8_t> StateBytes(TZQDialog& dialog) {
  TMemoryStream stream;
  dialog.WriteStateToStream(stream);
  return stream.Bytes();
}

// A registry key of this test process's own, removed with the fixture.
class DialogRegistry : public ::testing::Test {
protected:
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }
  std::string key = "Software\\KorvaneTests\\Dialog" + std::to_string(GetCurrentProcessId());
};
}  // namespace

TEST(Dialog, CancelKeepsTheRestoredSizeAndAMaximizedDialogReopensMaximized) {
  TTestDialog dialog(nullptr);
  TCursor during = crDefault;
  dialog.OnInitialized = [&](TObject*) { during = Screen->GetCursor(); };
  dialog.script = [](TScriptedForm& f) {
    f.SetBounds(60, 60, 420, 310);
    f.SetWindowState(wsMaximized);
    f.SetModalResult(mrCancel);
  };
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(during, crHourGlass);
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  EXPECT_EQ(dialog.saves, 1);  // after Cancel too
  EXPECT_EQ(dialog.GetFormWidth(), 420);
  EXPECT_EQ(dialog.GetFormHeight(), 310);
  EXPECT_EQ(dialog.GetFormWindowState(), wsMaximized);
  EXPECT_EQ(dialog.GetForm(), nullptr);

  RECT restored = {};
  bool zoomed = false;
  dialog.script = [&](TScriptedForm& f) {
    zoomed = IsZoomed(f.GetHandle());
    restored = RestoredRect(f.GetHandle());
    f.SetModalResult(mrOk);
  };
  EXPECT_TRUE(dialog.Execute());
  EXPECT_TRUE(zoomed);
  EXPECT_EQ(restored.right - restored.left, 420);
  EXPECT_EQ(restored.bottom - restored.top, 310);
}

TEST(Dialog, ASizeOfZeroOrLessKeepsTheDesignedSize) {
  for (int size : {0, -1, -500}) {
    TTestDialog dialog(nullptr);
    dialog.SetFormWidth(size);
    dialog.SetFormHeight(size);
    int width = 0, height = 0;
    dialog.script = [&](TScriptedForm& f) {
      width = f.GetWidth();
      height = f.GetHeight();
      f.SetModalResult(mrOk);
    };
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(width, 300) << size;
    EXPECT_EQ(height, 200) << size;
  }
}

TEST(Dialog, ASecondExecuteIsRefusedAndAFailingRunStillDestroysItsForm) {
  TTestDialog dialog(nullptr);
  std::string refusal;
  dialog.OnInitialized = [&](TObject*) {
    try {
      dialog.Execute();
    } catch (const Exception& e) {
      refusal = e.Message();
    }
  };
  dialog.script = [](TScriptedForm& f) { f.SetModalResult(mrOk); };
  EXPECT_TRUE(dialog.Execute());  // the running execution went on
  EXPECT_EQ(refusal, "TTestDialog already executing");

  const int destroyedBefore = TCountedForm::destroyed;
  dialog.OnInitialized = [](TObject*) { throw EAbort(); };
  EXPECT_THROW(dialog.Execute(), EAbort);
  EXPECT_EQ(TCountedForm::destroyed, destroyedBefore + 1);
  EXPECT_EQ(dialog.saves, 1);  // not after the failure
  EXPECT_FALSE(dialog.GetExecuting());
  EXPECT_EQ(dialog.GetForm(), nullptr);
  EXPECT_EQ(Screen->GetCursor(), crDefault);
}

TEST_F(DialogRegistry, TheStateIsNineLittleEndianBytesStoredAsOneBinaryValue) {
  TTestDialog dialog(nullptr);
  dialog.SetFormWidth(640);
  dialog.SetFormHeight(-1);
  dialog.SetFormWindowState(wsMaximized);
  const std::vector<std::uint8_t> expected = {0x80, 0x02, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 2};
  EXPECT_EQ(StateBytes(dialog), expected);

  dialog.WriteStateToRegistry(HKEY_CURRENT_USER, key, "State");
  std::uint8_t stored[32] = {};
  DWORD size = sizeof stored, type = 0;
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "State", RRF_RT_ANY, &type, stored, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(std::vector<std::uint8_t>(stored, stored + size), expected);

  TTestDialog read(nullptr);
  read.ReadStateFromRegistry(HKEY_CURRENT_USER, key, "State");
  EXPECT_EQ(read.GetFormWidth(), 640);
  EXPECT_EQ(read.GetFormHeight(), -1);
  EXPECT_EQ(read.GetFormWindowState(), wsMaximized);
}

TEST_F(DialogRegistry, MissingForeignAndDamagedRecords) {
  TTestDialog dialog(nullptr);
  EXPECT_THROW(dialog.ReadStateFromRegistry(HKEY_CURRENT_USER, key, "Never"), EReadError);
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr), 0);
  RegSetValueExA(k, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 4);
  RegCloseKey(k);
  EXPECT_THROW(dialog.ReadStateFromRegistry(HKEY_CURRENT_USER, key, "Text"), ERegistryException);

  RECT area = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  struct Case {
    std::vector<std::uint8_t> record;
    bool raises;
    int width, height;  // after reading; 0: the work area's
    TWindowState state;
  } cases[] = {
      {{10, 0, 0, 0, 20, 0, 0, 0}, true, 500, 400, wsMaximized},  // short by one byte: nothing changes
      {{10, 0, 0, 0, 20, 0, 0, 0, 7}, false, 10, 20, wsNormal},   // no state has ordinal 7
      {{10, 0, 0, 0, 20, 0, 0, 0, 1}, false, 10, 20, wsNormal},   // minimized opens normally
      {{0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F, 2}, false, 0, 0, wsMaximized},
  };
  for (const Case& c : cases) {
    dialog.SetFormWidth(500);
    dialog.SetFormHeight(400);
    dialog.SetFormWindowState(wsMaximized);
    TMemoryStream stream;
    stream.WriteBuffer(c.record.data(), c.record.size());
    stream.SetPosition(0);
    if (c.raises) EXPECT_THROW(dialog.ReadStateFromStream(stream), EReadError);
    else dialog.ReadStateFromStream(stream);
    EXPECT_EQ(dialog.GetFormWidth(), c.width ? c.width : area.right - area.left) << c.record.size();
    EXPECT_EQ(dialog.GetFormHeight(), c.height ? c.height : area.bottom - area.top);
    EXPECT_EQ(dialog.GetFormWindowState(), c.state);
  }
}
