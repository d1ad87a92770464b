// The Open dialog on a folder of 10 000 files against a plain shell list
// showing the same folder: both from nothing to the list's first paint done.
#include <cstdio>
#include <string>
#include <vector>

#include "Bench.h"
#include "korvane/dialogs/Fzqopendlg.h"
#include "korvane/host/Application.h"

using namespace korvane;
using namespace korvane::bench;

namespace {

// A form holding a shell list that shows path, painted.
double PlainList(const std::string& path) {
  TForm* form = nullptr;
  const double seconds = BestSeconds(1, [&] {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 459, 292);
    auto* list = new TZQShellList(form);
    list->SetViewStyle(vsList);
    list->SetAlign(alClient);
    list->SetParent(form);
    form->Show();
    list->GetFolder()->SetPathName(path);
    RedrawWindow(list->GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  });
  form->Free();
  return seconds;
}

// The Open dialog at path until its list has painted; the dialog is closed again outside the time.
double OpenDialog(const std::string& path) {
  TZQOpenDlg dialog(nullptr);
  dialog.SetInitialDir(path);
  LARGE_INTEGER freq, start, shown = {};
  QueryPerformanceFrequency(&freq);
  dialog.OnFormShow = [&](TObject* sender) {
    auto* form = static_cast<TZQFrmOpenDlg*>(sender);
    RedrawWindow(form->ZQShellList1->GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    QueryPerformanceCounter(&shown);
    form->SetModalResult(mrCancel);
  };
  QueryPerformanceCounter(&start);
  dialog.Execute();
  return static_cast<double>(shown.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
}

// One sample in a process of its own, warmed by one untimed plain fill; the order alternates.
int Sample(int run) {
  const std::string path = DataFolder("files-10000");
  PlainList(path);
  double plain = 0, dialog = 0;
  if (run % 2 == 0) plain = PlainList(path);
  dialog = OpenDialog(path);
  if (run % 2 == 1) plain = PlainList(path);
  std::printf("opendlg %.6f %.6f\n", plain, dialog);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (DataFolder("files-10000").empty()) {
    std::printf("KORVANE_BENCH_DATA is not set: run through ./run bench\n");
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "--sample") return Sample(std::atoi(argv[2]));
  std::vector<double> ratios;
  double best = 1e30;
  for (int run = 0; run < 5; ++run) {
    const std::string out = RunSelf("--sample " + std::to_string(run));
    double plain = 0, dialog = 0;
    if (std::sscanf(out.c_str(), "opendlg %lf %lf", &plain, &dialog) != 2 || plain <= 0 || dialog <= 0) {
      std::fprintf(stderr, "an Open dialog sample failed: %s\n", out.c_str());
      continue;
    }
    best = std::min(best, dialog);
    ratios.push_back(dialog / plain);
  }
  if (ratios.empty()) return 0;
  Report("opendlg_show_10000_s", best, "s");
  Report("opendlg_show_10000_vs_list", Median(ratios), "ratio");
  return 0;
}
