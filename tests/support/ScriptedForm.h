// A form that runs the test's script inside its own modal loop, once it shows:
// the script reads what the user would see and closes the form with a modal result.
// Several steps run one per message, so that what a step started (a close the
// form refuses, a posted update) is done before the next one looks. A form
// still open after the last step is cancelled and says so in leftOpen.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "korvane/host/Forms.h"

namespace korvane::test {

template <class F>
class TScriptedForm : public F {
public:
  using F::F;
  using TStep = std::function<void(TScriptedForm&)>;
  TStep script;              // a single step
  std::vector<TStep> steps;  // or several, in order
  bool leftOpen = false;

protected:
  static constexpr UINT kRunScript = WM_APP + 7;
  void DoShow() override {
    F::DoShow();
    PostMessageA(this->GetHandle(), kRunScript, 0, 0);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg != kRunScript) return F::WndProc(m);
    const std::size_t index = m.WParam;
    const std::size_t count = script ? 1 : steps.size();
    if (index < count) {
      (script ? script : steps[index])(*this);
    } else if (this->GetModalResult() == mrNone) {
      leftOpen = true;
      this->SetModalResult(mrCancel);
      return;
    } else {
      return;
    }
    PostMessageA(this->GetHandle(), kRunScript, index + 1, 0);
  }
};

}  // namespace korvane::test
