// A form that runs the test's script inside its own modal loop, once it shows:
// the script reads what the user would see and closes the form with a modal result.
#pragma once
#include <windows.h>

#include <functional>

#include "korvane/host/Forms.h"

namespace korvane::test {

template <class F>
class TScriptedForm : public F {
public:
  using F::F;
  std::function<void(TScriptedForm&)> script;

protected:
  static constexpr UINT kRunScript = WM_APP + 7;
  void DoShow() override {
    F::DoShow();
    PostMessageA(this->GetHandle(), kRunScript, 0, 0);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == kRunScript && script) return script(*this);
    F::WndProc(m);
  }
};

}  // namespace korvane::test
