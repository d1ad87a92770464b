// The shell tree against the bare shell work: expanding a node of 10 000 and of
// 2 000 sub-folders until its children are shown, and the heap the tree's own
// records and lists take per node.
#include <algorithm>
#include <string>
#include <vector>

#include "Bench.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Application.h"
#include "korvane/host/Forms.h"

using namespace korvane;
using namespace korvane::bench;

namespace {

// Enumeration, attributes per item, CompareIDs order and the same number of
// nodes in a plain tree view (text by callback), inside one update bracket.
// Timed as the shell tree is: from a window that exists to the end of its
// paint. Also the heap bytes the view holds with its nodes in it.
TBareRun ExpandBare(const std::string& path, HWND parent, std::vector<TIdListPtr>& keep) {
  HWND tv = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0, 0, 300, 400, parent,
                            nullptr, nullptr, nullptr);
  TBareRun run = {};
  run.seconds = BestSeconds(1, [&] {
    const TComPtr<IShellFolder> folder = EnumerateBare(path, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, keep);
    SendMessageA(tv, WM_SETREDRAW, FALSE, 0);
    TVINSERTSTRUCTA ins = {};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = LPSTR_TEXTCALLBACKA;
    for (const TIdListPtr& c : keep) {
      SFGAOF mask = 0xF20B0000;
      PCUITEMID_CHILD p = c.Get();
      folder->GetAttributesOf(1, &p, &mask);
      ins.item.lParam = reinterpret_cast<LPARAM>(c.Get());
      SendMessageA(tv, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins));
    }
    g_sortFolder = folder.Get();
    TVSORTCB sort = {TVI_ROOT, CompareBare, 0};
    SendMessageA(tv, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    SendMessageA(tv, WM_SETREDRAW, TRUE, 0);
    UpdateWindow(tv);
  });
  run.heap = HeapBytes();
  DestroyWindow(tv);
  return run;
}

struct TTreeRun {
  double seconds;
  std::size_t heapWithNodes;
};

// A shell tree whose base holds the folder; expanding its node until shown.
TTreeRun ExpandTree(TForm* form, const std::string& base, const std::string& name) {
  auto* tree = new TZQShellTree(form);
  tree->SetBounds(0, 0, 300, 400);
  tree->SetParent(form);
  tree->GetBaseFolder()->SetPathName(base);
  TTreeNode* node = nullptr;
  for (TTreeNode* c = tree->GetItems()->GetFirstNode()->GetFirstChild(); c; c = c->GetNextSibling())
    if (TZQCustomShellTree::GetDataFromNode(c)->GetPathName() == base + "\\" + name) node = c;
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&a);
  node->Expand(false);
  UpdateWindow(tree->GetHandle());
  QueryPerformanceCounter(&b);
  const TTreeRun run = {static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart), HeapBytes()};
  tree->Free();
  return run;
}

// One sample, in a process of its own as the list's fill samples are (a
// long-lived process's fragmented heap slows later work unevenly): an untimed
// bare expansion, then the bare and the tree's expansion of the 10 000
// sub-folders side by side, the tree first on odd runs, then the tree's of 2 000.
int Sample(const std::string& base, int run) {
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 320, 420);
  form->Show();
  std::vector<TIdListPtr> keep;
  ExpandBare(base + "\\n10000", form->GetHandle(), keep);
  keep.clear();
  TBareRun bare = {};
  std::size_t beforeBare = 0;
  const auto expandBare = [&] {
    beforeBare = HeapBytes();
    bare = ExpandBare(base + "\\n10000", form->GetHandle(), keep);
    keep.clear();
  };
  if (run % 2 == 0) expandBare();
  const std::size_t beforeTree = HeapBytes();
  const TTreeRun tree = ExpandTree(form, base, "n10000");
  if (run % 2 == 1) expandBare();
  const double tree2 = ExpandTree(form, base, "n2000").seconds;
  std::printf("sample %.6f %.6f %.6f %.0f %.0f\n", bare.seconds, tree.seconds, tree2,
              static_cast<double>(bare.heap - beforeBare), static_cast<double>(tree.heapWithNodes - beforeTree));
  form->Free();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string base = DataFolder("tree");
  if (base.empty()) {
    std::printf("KORVANE_BENCH_DATA is not set: run through ./run bench\n");
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "--sample") return Sample(base, std::atoi(argv[2]));
  std::vector<double> vsBare, scaling;
  double bare10 = 1e30, tree10 = 1e30, bareHeap = 0, treeHeap = 0;
  for (int run = 0; run < 9; ++run) {  // a sample takes a second or two
    const std::string out = RunSelf("--sample " + std::to_string(run));
    double bare = 0, tree = 0, tree2 = 0, heapBare = 0, heapTree = 0;
    if (std::sscanf(out.c_str(), "sample %lf %lf %lf %lf %lf", &bare, &tree, &tree2, &heapBare, &heapTree) != 5 ||
        bare <= 0 || tree2 <= 0) {
      std::fprintf(stderr, "a sample failed: %s\n", out.c_str());
      continue;
    }
    bare10 = std::min(bare10, bare);
    tree10 = std::min(tree10, tree);
    vsBare.push_back(tree / bare);
    scaling.push_back(tree / tree2);
    bareHeap = heapBare;
    treeHeap = heapTree;
  }
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 320, 420);
  form->Show();
  {
    // Walking to the last of 10 000 sub-folders: the walk looks the child up among its siblings.
    auto* tree = new TZQShellTree(form);
    tree->SetParent(form);
    tree->GetBaseFolder()->SetPathName(base);
    Report("tree_walk_to_last_of_10000_s",
           BestSeconds(1, [&] { tree->SetSelectedPathName(base + "\\n10000\\d09999"); }), "s");
    tree->Free();
  }
  {
    // A merge after one new folder among 10 000 loaded ones, named by its change, against a bare enumeration.
    auto* tree = new TZQShellTree(form);
    tree->SetParent(form);
    tree->SetOptions(tree->GetOptions() - TZQShellTreeOptions{zqstoDynamicRefresh});  // started here
    tree->GetBaseFolder()->SetPathName(base);
    const std::string big = base + "\\n10000";
    for (TTreeNode* c = tree->GetItems()->GetFirstNode()->GetFirstChild(); c; c = c->GetNextSibling())
      if (TZQCustomShellTree::GetDataFromNode(c)->GetPathName() == big) c->Expand(false);
    std::vector<double> vsEnum;
    for (int run = 0; run < 9; ++run) {  // one enumeration of 10 000 varies by a fifth: a median of nine
      const std::string added = big + "\\merge-new-" + std::to_string(run);
      CreateDirectoryA(added.c_str(), nullptr);
      const double bare = BareEnumeration(big);
      const double merge = BestSeconds(1, [&] { tree->RefreshFolders({big}); });
      vsEnum.push_back(merge / bare);
      RemoveDirectoryA(added.c_str());
    }
    tree->Free();
    Report("tree_refresh_one_change_vs_enum", Median(vsEnum), "ratio");
  }
  if (!vsBare.empty()) {
    Report("tree_bare_expand_10000_s", bare10, "s");
    Report("tree_expand_10000_s", tree10, "s");
    Report("tree_expand_10000_vs_bare", Median(vsBare), "ratio");
    Report("tree_expand_scaling", Median(scaling), "ratio");
    Report("tree_bytes_per_node", (treeHeap - bareHeap) / 10000.0, "bytes");
  }
  form->Free();
  return 0;
}
