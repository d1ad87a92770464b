// The background fills against the synchronous ones of the same folder, side
// by side in one process. The shell list on 50 000 files: the time to the first
// paint that shows a screenful, the time until every item is in and painted,
// and the longest wait of a message another thread sends every 5 ms meanwhile.
// The shell tree expanding a node of 10 000 sub-folders: that longest wait.
#include <string>
#include <vector>

#include "Bench.h"
#include "StallProbe.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Forms.h"

using namespace korvane;
using namespace korvane::bench;

namespace {

double Now() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// What a message loop does before it takes the next message, a paint included:
// it answers the messages other threads sent meanwhile.
void AnswerSent() {
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

TZQShellList* MakeList(TForm* form, bool background) {
  auto* list = new TZQShellList(form);
  list->SetBounds(0, 0, 620, 400);
  list->SetViewStyle(vsReport);
  TZQShellListOptions options = list->GetOptions();
  options.Exclude(zqsloAutoFill);
  options.Exclude(zqsloDynamicRefresh);
  if (background) options.Include(zqsloBackgroundFill);
  list->SetOptions(options);
  list->SetParent(form);
  list->HandleNeeded();
  return list;
}

struct TSync {
  double seconds, stall;
};
TSync FillSync(TForm* form, const std::string& path) {
  TZQShellList* list = MakeList(form, false);
  TStallProbe probe(form->GetHandle());
  probe.AwaitSending();
  const double start = Now();
  list->GetFolder()->SetPathName(path);
  UpdateWindow(list->GetHandle());
  const double seconds = Now() - start;
  const double stall = probe.Stop();
  list->Free();
  return {seconds, stall};
}

struct TBackground {
  double first, total, stall;
};
TBackground FillBackground(TForm* form, const std::string& path) {
  TZQShellList* list = MakeList(form, true);
  const HWND wnd = list->GetHandle();
  const int screenful = static_cast<int>(SendMessageA(wnd, LVM_GETCOUNTPERPAGE, 0, 0));
  TStallProbe probe(form->GetHandle());
  probe.AwaitSending();
  TBackground run = {0, 0, 0};
  const double start = Now();
  list->GetFolder()->SetPathName(path);
  for (;;) {
    MSG msg;  // one message at a time: the screenful is looked for after each
    const bool got = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    if (got) DispatchMessageA(&msg);
    if (run.first == 0 && list->GetItems()->GetCount() >= screenful) {
      AnswerSent();
      UpdateWindow(wnd);
      run.first = Now() - start;
    }
    if (!list->IsFilling()) {
      AnswerSent();
      UpdateWindow(wnd);
      run.total = Now() - start;
      break;
    }
    if (!got) MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);  // as a message loop waits
  }
  run.stall = probe.Stop();
  list->Free();
  return run;
}

// The longest wait of the probe's messages while a tree expands the node for
// the sub-folder name of base, until every child is in and painted.
double ExpandStall(TForm* form, const std::string& base, const std::string& name, bool background) {
  auto* tree = new TZQShellTree(form);
  tree->SetBounds(0, 0, 300, 400);
  tree->SetParent(form);
  TZQShellTreeOptions options = tree->GetOptions();
  options.Exclude(zqstoDynamicRefresh);
  if (background) options.Include(zqstoBackgroundFill);
  tree->SetOptions(options);
  tree->GetBaseFolder()->SetPathName(base);
  TTreeNode* node = nullptr;
  for (TTreeNode* c = tree->GetItems()->GetFirstNode()->GetFirstChild(); c; c = c->GetNextSibling())
    if (c->GetText() == name) node = c;
  bool complete = false;
  tree->OnFillComplete = [&](TObject*) { complete = true; };
  TStallProbe probe(form->GetHandle());
  probe.AwaitSending();
  node->Expand(false);
  while (!complete) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    else MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  UpdateWindow(tree->GetHandle());
  const double stall = probe.Stop();
  tree->Free();
  return stall;
}

int TreeSample(int run) {
  const std::string base = DataFolder("tree");
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 320, 420);
  form->Show();
  ExpandStall(form, base, "n10000", false);  // warm
  double sync = 0;
  if (run % 2 == 0) sync = ExpandStall(form, base, "n10000", false);
  const double bg = ExpandStall(form, base, "n10000", true);
  if (run % 2 == 1) sync = ExpandStall(form, base, "n10000", false);
  std::printf("tree %.6f %.6f\n", sync, bg);
  form->Free();
  return 0;
}

// One sample in a process of its own (see bench/list.cpp), the order alternating.
int Sample(int run) {
  const std::string path = DataFolder("files-50000");
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 640, 420);
  form->Show();
  FillSync(form, path);  // warm
  TSync sync = {};
  if (run % 2 == 0) sync = FillSync(form, path);
  const TBackground bg = FillBackground(form, path);
  if (run % 2 == 1) sync = FillSync(form, path);
  std::printf("sample %.6f %.6f %.6f %.6f %.6f\n", sync.seconds, sync.stall, bg.first, bg.total, bg.stall);
  form->Free();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (DataFolder("files-50000").empty()) {
    std::printf("KORVANE_BENCH_DATA is not set: run through ./run bench\n");
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "--sample") return Sample(std::atoi(argv[2]));
  if (argc == 3 && std::string(argv[1]) == "--tree") return TreeSample(std::atoi(argv[2]));
  std::vector<double> first, stall, total;
  for (int run = 0; run < 5; ++run) {
    const std::string out = RunSelf("--sample " + std::to_string(run));
    double sync = 0, syncStall = 0, bgFirst = 0, bgTotal = 0, bgStall = 0;
    if (std::sscanf(out.c_str(), "sample %lf %lf %lf %lf %lf", &sync, &syncStall, &bgFirst, &bgTotal, &bgStall) != 5 ||
        sync <= 0 || syncStall <= 0)
      continue;
    std::fprintf(stderr, "sync %.3f s (stall %.3f), background first %.3f total %.3f stall %.3f\n", sync, syncStall,
                 bgFirst, bgTotal, bgStall);
    first.push_back(bgFirst / sync);
    total.push_back(bgTotal / sync);
    stall.push_back(bgStall / syncStall);
  }
  if (!first.empty()) {  // else reported missing
    Report("list_bg_first_screen_50000_vs_sync", Median(first), "ratio");
    Report("list_bg_stall_50000_vs_sync", Median(stall), "ratio");
    Report("list_bg_total_50000_vs_sync", Median(total), "ratio");
  }
  std::vector<double> treeStall;
  for (int run = 0; run < 5; ++run) {
    double sync = 0, bg = 0;
    if (std::sscanf(RunSelf("--tree " + std::to_string(run)).c_str(), "tree %lf %lf", &sync, &bg) != 2 || sync <= 0)
      continue;
    std::fprintf(stderr, "tree expansion stall: sync %.3f s, background %.3f s\n", sync, bg);
    treeStall.push_back(bg / sync);
  }
  if (!treeStall.empty()) Report("tree_bg_stall_10000_vs_sync", Median(treeStall), "ratio");
  return 0;
}
