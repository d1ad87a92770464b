// The shell combo's rebuild for a folder six levels below a drive: it runs on
// every folder change, so it must enumerate only the desktop, My Computer and
// the chain.
#include <string>

#include "Bench.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Forms.h"

using namespace korvane;
using namespace korvane::bench;

int main() {
  std::string path = "C:\\korvane-bench-combo";
  const std::string root = path;
  CreateDirectoryA(path.c_str(), nullptr);
  for (int level = 2; level <= 6; ++level) {
    path += "\\level" + std::to_string(level);
    CreateDirectoryA(path.c_str(), nullptr);
  }
  TForm* form = new TForm(nullptr);
  auto* combo = new TZQShellCombo(form);
  combo->SetParent(form);
  form->Show();  // the entries are built for a window
  combo->GetSelectedFolder()->SetPathName(path);
  Report("combo_fill_depth6_ms", 1000 * BestSeconds(5, [&] { combo->FillItems(); }), "ms");
  Report("combo_entries_depth6", combo->GetItems()->GetCount(), "entries");
  form->Free();
  for (int level = 6; level >= 2; --level) {
    RemoveDirectoryA(path.c_str());
    path.resize(path.rfind('\\'));
  }
  RemoveDirectoryA(root.c_str());
  return 0;
}
