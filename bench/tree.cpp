// The shell tree against the bare shell work: expanding a node of 10 000 and of
// 2 000 sub-folders until its children are shown, and the heap the tree's own
// records and lists take per node.
#include <algorithm>
#include <string>
#include <vector>

#include "Bench.h"
#include "controls/shell/Uzqshellcontrols.h"
#include "host/Application.h"
#include "host/Forms.h"

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

}  // namespace

int main() {
  const std::string base = DataFolder("tree");
  if (base.empty()) {
    std::printf("KORVANE_BENCH_DATA is not set: run through ./run bench\n");
    return 0;
  }
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 320, 420);
  form->Show();
  std::vector<TIdListPtr> keep;
  double bare10 = 1e30, tree10 = 1e30, tree2 = 1e30;
  std::size_t bareHeap = 0, treeHeap = 0;
  for (int run = 0; run < 5; ++run) {  // bare and tree interleaved, best of five each
    const std::size_t before = HeapBytes();
    const TBareRun b = ExpandBare(base + "\\n10000", form->GetHandle(), keep);
    bare10 = std::min(bare10, b.seconds);
    bareHeap = b.heap - before;
    keep.clear();
    const std::size_t beforeTree = HeapBytes();
    const TTreeRun t = ExpandTree(form, base, "n10000");
    tree10 = std::min(tree10, t.seconds);
    treeHeap = t.heapWithNodes - beforeTree;
    tree2 = std::min(tree2, ExpandTree(form, base, "n2000").seconds);
  }
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
    // A merge after one new folder among 10 000 loaded ones, against a bare enumeration.
    auto* tree = new TZQShellTree(form);
    tree->SetParent(form);
    tree->SetOptions(tree->GetOptions() - TZQShellTreeOptions{zqstoDynamicRefresh});  // started here
    tree->GetBaseFolder()->SetPathName(base);
    const std::string big = base + "\\n10000";
    for (TTreeNode* c = tree->GetItems()->GetFirstNode()->GetFirstChild(); c; c = c->GetNextSibling())
      if (TZQCustomShellTree::GetDataFromNode(c)->GetPathName() == big) c->Expand(false);
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
      const std::string added = big + "\\merge-new-" + std::to_string(run);
      CreateDirectoryA(added.c_str(), nullptr);
      const double bare = BareEnumeration(big);
      const double merge = BestSeconds(1, [&] { tree->RefreshNodes(); });
      best = std::min(best, merge / bare);
      RemoveDirectoryA(added.c_str());
    }
    tree->Free();
    Report("tree_refresh_one_change_vs_enum", best, "ratio");
  }
  Report("tree_bare_expand_10000_s", bare10, "s");
  Report("tree_expand_10000_s", tree10, "s");
  Report("tree_expand_10000_vs_bare", tree10 / bare10, "ratio");
  Report("tree_expand_scaling", tree10 / tree2, "ratio");
  Report("tree_bytes_per_node", (static_cast<double>(treeHeap) - static_cast<double>(bareHeap)) / 10000.0, "bytes");
  form->Free();
  return 0;
}
