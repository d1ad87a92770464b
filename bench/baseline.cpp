// The bare shell work of a large folder with each item's name, for reference
// (the controls' ratios are taken against bare fills of their own, in
// bench/list.cpp and bench/tree.cpp); the helpers that read foreign input,
// which must stay linear.
#include <string>
#include <vector>

#include "Bench.h"
#include "korvane/host/Component.h"
#include "korvane/host/FormFile.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/Strings.h"
#include "korvane/shell/Uzqshellutils.h"

using namespace korvane;
using namespace korvane::bench;

namespace {

// A plain component a form file can create.
class TBenchItem : public TComponent {
public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TPublish<TBenchItem>("TBenchItem", &TComponent::StaticClassInfo()).Creatable().Done();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

// EnumObjects and Next for every item, their attributes, and each one's name.
void EnumerateBare(const std::string& path) {
  TIdListPtr list;
  TComPtr<IShellFolder> folder;
  if (ShellGetIdListFromPath(path, list) != S_OK || FAILED(ShellGetFolderFromIdList(list.Get(), folder))) {
    std::printf("cannot open %s\n", path.c_str());
    return;
  }
  TComPtr<IEnumIDList> items;
  if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, items.Put()) != S_OK) return;
  std::vector<TIdListPtr> children;
  PITEMID_CHILD child = nullptr;
  ULONG fetched = 0;
  while (items->Next(1, &child, &fetched) == S_OK) children.emplace_back(child);
  for (const TIdListPtr& c : children) {
    SFGAOF mask = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM;
    PCUITEMID_CHILD p = c.Get();
    folder->GetAttributesOf(1, &p, &mask);
    ShellGetFriendlyNameFromIdList(folder.Get(), c.Get(), zqfnInFolder);
  }
}

}  // namespace

int main() {
  RegisterClass(TBenchItem::StaticClassInfo());
  const std::string files = DataFolder("files-50000");
  if (files.empty()) {
    std::printf("KORVANE_BENCH_DATA is not set: run through ./run bench\n");
  } else {
    // Several seconds under Wine, mostly the names: one run.
    Report("bare_enum_50000_s", BestSeconds(1, [&] { EnumerateBare(files); }), "s");
  }

  std::string line;
  while (line.size() < 32767) line += "arg ";
  line.resize(32767);
  Report("parametize_cmdline_32767_bytes_ms", 1000 * BestSeconds(3, [&] {
           TStringList args;
           ParametizeCmdLineDB(line, args);
         }), "ms");
  const std::string blanks = "x" + std::string(16000, ' ');
  Report("trim_right_16000_blanks_ms", 1000 * BestSeconds(3, [&] { TrimRightDB(blanks); }), "ms");

  std::string form = "object F: TBenchItem\r\n";
  for (int i = 0; i < 8192; ++i) form += "object C" + std::to_string(i) + ": TBenchItem\r\nend\r\n";
  form += "end\r\n";
  Report("form_read_8192_siblings_ms", 1000 * BestSeconds(3, [&] {
           TBenchItem root(nullptr);
           TextToComponent(form, &root);
         }), "ms");
  return 0;
}
