// Reading a form file of many sibling controls: the time of 16 384 against 4 096, which a reader
// linear in the number of components keeps near 4.
#include "Bench.h"
#include "korvane/controls/base/Uzqframe.h"
#include "korvane/host/FormFile.h"
#include "korvane/host/Forms.h"

using namespace korvane;
using namespace korvane::bench;

namespace {
struct TBenchRoot : TForm {
  using TForm::TForm;
};

double ReadSiblings(int count) {
  std::string text = "object F: TBenchRoot\r\n";
  for (int i = 0; i < count; ++i)
    text += "  object G" + std::to_string(i) + ": TZQGroup\r\n    Left = " + std::to_string(i % 500) + "\r\n  end\r\n";
  text += "end\r\n";
  TBenchRoot* root = new TBenchRoot(nullptr);
  const double seconds = BestSeconds(1, [&] { TextToComponent(text, root); });
  root->Free();
  return seconds;
}
}  // namespace

int main() {
  RegisterClass(TZQGroup::StaticClassInfo());
  ReadSiblings(1024);  // warm
  const double small = ReadSiblings(4096), large = ReadSiblings(16384);
  Report("form_read_4096_siblings_s", small, "s");
  Report("form_read_scaling", large / small, "ratio");
  return 0;
}
