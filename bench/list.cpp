// The shell list against the bare shell work: filling folders of 1 000, 10 000
// and 50 000 files in report and icon style, the filter, the shell calls of a
// second paint, and the heap the list's own items and records take per item.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "Bench.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Forms.h"
#include "tests/support/ForwardingFolder.h"

using namespace korvane;
using namespace korvane::bench;

namespace {

// Enumeration, attributes per item, CompareIDs order and the same number of
// items in a plain list view (text by callback), inside one update bracket.
// Timed as the shell list is: from a window that exists to the end of its first
// paint. The heap bytes in use with the items in the view, when asked for.
TBareRun FillBare(const std::string& path, HWND parent, DWORD style, std::vector<TIdListPtr>& keep, DWORD exStyle = 0,
                  bool measure = false) {
  HWND lv = CreateWindowExA(exStyle, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | style | LVS_SHAREIMAGELISTS, 0, 0, 620, 400,
                            parent, nullptr, nullptr, nullptr);
  TBareRun run = {};
  run.seconds = BestSeconds(1, [&] {
    LVCOLUMNA col = {};
    col.mask = LVCF_WIDTH;
    col.cx = 200;
    for (int i = 0; i < 4; ++i) SendMessageA(lv, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
    const TComPtr<IShellFolder> folder =
        EnumerateBare(path, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, keep);
    SendMessageA(lv, WM_SETREDRAW, FALSE, 0);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.pszText = LPSTR_TEXTCALLBACKA;
    for (const TIdListPtr& c : keep) {
      SFGAOF mask = 0xF20B0000;
      PCUITEMID_CHILD p = c.Get();
      folder->GetAttributesOf(1, &p, &mask);
      item.iItem = INT_MAX;
      item.lParam = reinterpret_cast<LPARAM>(c.Get());
      SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    g_sortFolder = folder.Get();
    SendMessageA(lv, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(CompareBare));
    SendMessageA(lv, WM_SETREDRAW, TRUE, 0);
    UpdateWindow(lv);
  });
  if (measure) run.heap = HeapBytes();
  DestroyWindow(lv);
  return run;
}

TZQShellList* MakeList(TForm* form, TViewStyle style) {
  auto* list = new TZQShellList(form);
  list->SetBounds(0, 0, 620, 400);
  list->SetViewStyle(style);
  list->SetParent(form);
  list->HandleNeeded();
  return list;
}

// Seconds to show the folder in a new shell list, and the heap in use after when asked.
struct TListRun {
  double seconds;
  std::size_t heap;
};
TListRun FillList(TForm* form, const std::string& path, TViewStyle style, const std::string& filter = "",
                  bool measure = false) {
  TZQShellList* list = MakeList(form, style);
  TZQShellListOptions options = list->GetOptions();
  options.Exclude(zqsloAutoFill);  // the filter is set without a fill of its own
  list->SetOptions(options);
  list->SetFileFilter(filter);
  TListRun run;
  run.seconds = BestSeconds(1, [&] {
    list->GetFolder()->SetPathName(path);
    UpdateWindow(list->GetHandle());
  });
  run.heap = measure ? HeapBytes() : 0;
  list->Free();
  return run;
}

// Counts every call made on a folder, passing it on; it lends the real folder's other interfaces.
class TCountingFolder final : public test::TForwardingFolder<TCountingFolder> {
public:
  explicit TCountingFolder(IShellFolder* real) : TForwardingFolder(real, true) {}
  long calls = 0;
  IShellFolder* Real() {
    ++calls;
    return TForwardingFolder::Real();
  }
};

// Counts the calls the program makes into shell32 through its import table.
class TShellImportCounter {
public:
  TShellImportCounter() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    code_ = static_cast<BYTE*>(VirtualAlloc(nullptr, 65536, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
      if (lstrcmpiA(reinterpret_cast<char*>(base + imp->Name), "shell32.dll") != 0) continue;
      for (auto* slot = reinterpret_cast<ULONG_PTR*>(base + imp->FirstThunk); *slot; ++slot) Hook(slot);
    }
  }
  long calls = 0;

private:
  // A thunk that counts, then jumps on to the function.
  void Hook(ULONG_PTR* slot) {
    BYTE* t = code_ + used_;
    std::size_t n = 0;
    auto put = [&](const void* bytes, std::size_t size) {
      std::memcpy(t + n, bytes, size);
      n += size;
    };
    const ULONG_PTR counter = reinterpret_cast<ULONG_PTR>(&calls), target = *slot;
#if defined(_WIN64)
    const BYTE movRax[] = {0x48, 0xB8}, lockInc[] = {0xF0, 0x48, 0xFF, 0x00}, jmpRax[] = {0xFF, 0xE0};
    put(movRax, 2), put(&counter, 8), put(lockInc, 4), put(movRax, 2), put(&target, 8), put(jmpRax, 2);
#else
    const BYTE lockInc[] = {0xF0, 0xFF, 0x05}, push = 0x68, ret = 0xC3;
    put(lockInc, 3), put(&counter, 4), put(&push, 1), put(&target, 4), put(&ret, 1);
#endif
    used_ += (n + 15) & ~std::size_t(15);
    DWORD old;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = reinterpret_cast<ULONG_PTR>(t);
    VirtualProtect(slot, sizeof *slot, old, &old);
  }
  BYTE* code_;
  std::size_t used_ = 0;
};

// Shell calls of a second full paint of a report view of the folder.
long SecondPaintShellCalls(TForm* form, const std::string& path, TShellImportCounter& imports) {
  TZQShellList* list = MakeList(form, vsReport);
  list->SetBounds(0, 0, 1200, 4000);  // rows enough to show the folder's first hundred items
  TIdListPtr absolute;
  TComPtr<IShellFolder> real;
  ShellGetIdListFromPath(path, absolute);
  ShellGetFolderFromIdList(absolute.Get(), real);
  TCountingFolder counting(real.Get());
  list->FillList(&counting, absolute.Get());
  RedrawWindow(list->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const long before = counting.calls + imports.calls;
  RedrawWindow(list->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const long calls = counting.calls + imports.calls - before;
  list->Free();
  return calls;
}

struct TMergeRun {
  double vsEnum;
  int moved;  // items whose place changed, the new one aside
};

// A filled report list of the folder; one file modified and one created; the
// merge timed against bare enumerations.
TMergeRun MergeOneChange(TForm* form, const std::string& path) {
  TZQShellList* list = MakeList(form, vsReport);
  TZQShellListOptions options = list->GetOptions();
  options.Exclude(zqsloDynamicRefresh);  // the merge is started here, not by the watcher
  list->SetOptions(options);
  list->GetFolder()->SetPathName(path);
  std::vector<TZQShListData*> before;
  for (int i = 0; i < list->GetItems()->GetCount(); ++i) before.push_back(list->GetShListData(i));
  const std::string added = path + "\\merge-new.txt", modified = path + "\\file00100.txt";
  DeleteFileA(added.c_str());
  HANDLE f = CreateFileA(modified.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, "modified", 8, &written, nullptr);
  CloseHandle(f);
  CloseHandle(CreateFileA(added.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  // The bare enumeration before and after the merge: a drift of the machine's speed cancels out.
  const double bareBefore = BareEnumeration(path);
  const double merge = BestSeconds(1, [&] { list->RefreshItems(); });
  const double bareAfter = BareEnumeration(path);
  TMergeRun run = {2 * merge / (bareBefore + bareAfter), 0};
  for (std::size_t i = 0; i < before.size(); ++i)
    if (static_cast<int>(i) >= list->GetItems()->GetCount() || list->GetShListData(static_cast<int>(i)) != before[i]) ++run.moved;
  list->Free();
  DeleteFileA(added.c_str());
  f = CreateFileA(modified.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr);  // back to empty
  CloseHandle(f);
  return run;
}

struct TCase {
  const char* name;
  const char* folder;
  TViewStyle style;
  int runs;
};
const TCase kCases[] = {{"list_fill_1000", "files-1000", vsReport, 5},      {"list_fill_10000", "files-10000", vsReport, 5},
                        {"list_fill_50000", "files-50000", vsReport, 7},    {"list_fill_icon_1000", "files-1000", vsIcon, 5},
                        {"list_fill_icon_10000", "files-10000", vsIcon, 3}, {"list_fill_icon_50000", "files-50000", vsIcon, 3}};
constexpr int kReport50 = 2;  // the case that also gives the bytes per item and the scaling

// One sample of a case: a bare fill and a shell list fill side by side, the
// list first on odd runs, printed as one line. Each sample runs in a process
// of its own. In a long-lived process every fill after fills of other sizes
// was slower by up to half, unevenly: Wine's heap gets fragmented. Allocating
// then walks longer free lists, and the list view's arrays, which grow ten
// slots at a time, move more often. A fresh process, warmed by one untimed
// fill of the size, gives every sample the same start.
int Sample(int index, int run) {
  const TCase& c = kCases[index];
  const std::string path = DataFolder(c.folder);
  const DWORD style = c.style == vsReport ? LVS_REPORT : LVS_ICON | LVS_AUTOARRANGE;
  const bool report50 = index == kReport50;
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 640, 420);
  form->Show();
  std::vector<TIdListPtr> keep;
  FillBare(path, form->GetHandle(), style, keep);
  keep.clear();
  TBareRun bare = {}, bordered = {};
  std::size_t beforeBare = 0;
  const auto fillBare = [&] {
    beforeBare = report50 ? HeapBytes() : 0;
    bare = FillBare(path, form->GetHandle(), style, keep, 0, report50);
    keep.clear();
    // Under Wine the icon styles cost far more with the sunken border the control has
    // (WS_EX_CLIENTEDGE): the layout is redone when the scroll bar appears.
    if (c.style != vsReport) bordered = FillBare(path, form->GetHandle(), style, keep, WS_EX_CLIENTEDGE);
    keep.clear();
  };
  if (run % 2 == 0) fillBare();
  const std::size_t beforeList = report50 ? HeapBytes() : 0;
  const TListRun list = FillList(form, path, c.style, "", report50);
  if (run % 2 == 1) fillBare();
  const double list10 = report50 ? FillList(form, DataFolder("files-10000"), vsReport).seconds : 0;
  std::printf("sample %.6f %.6f %.6f %.6f %.0f %.0f\n", bare.seconds, bordered.seconds, list.seconds, list10,
              static_cast<double>(bare.heap - beforeBare), static_cast<double>(list.heap - beforeList));
  form->Free();
  return 0;
}

// One merge sample, in a process of its own as the fill samples are.
int MergeSample() {
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 640, 420);
  form->Show();
  const TMergeRun r = MergeOneChange(form, DataFolder("files-50000"));
  std::printf("merge %.6f %d\n", r.vsEnum, r.moved);
  form->Free();
  return 0;
}

// One filter sample: a fill of the folder and a fill with a new file filter that admits every file
// ("*.txt": the filter's whole cost, nothing saved by leaving items out), side by side.
int FilterSample(int run) {
  const std::string path = DataFolder("files-50000");
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 640, 420);
  form->Show();
  FillList(form, path, vsReport);
  double fill = 0, filtered = 0;
  if (run % 2 == 0) fill = FillList(form, path, vsReport).seconds;
  filtered = FillList(form, path, vsReport, "*.txt").seconds;
  if (run % 2 == 1) fill = FillList(form, path, vsReport).seconds;
  std::printf("filter %.6f %.6f\n", fill, filtered);
  form->Free();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string f50 = DataFolder("files-50000"), f10 = DataFolder("files-10000");
  if (f50.empty()) {
    std::printf("KORVANE_BENCH_DATA is not set: run through ./run bench\n");
    return 0;
  }
  if (argc == 4 && std::string(argv[1]) == "--sample") return Sample(std::atoi(argv[2]), std::atoi(argv[3]));
  if (argc == 2 && std::string(argv[1]) == "--merge") return MergeSample();
  if (argc == 3 && std::string(argv[1]) == "--filter") return FilterSample(std::atoi(argv[2]));

  std::vector<double> scaling;
  double bareHeap = 0, listHeap = 0;
  for (int index = 0; index < static_cast<int>(std::size(kCases)); ++index) {
    const TCase& c = kCases[index];
    std::vector<double> vsBare, vsBordered;
    double best = 1e30;
    for (int run = 0; run < c.runs; ++run) {
      const std::string out = RunSelf("--sample " + std::to_string(index) + " " + std::to_string(run));
      double bare = 0, bordered = 0, list = 0, list10 = 0, heapBare = 0, heapList = 0;
      if (std::sscanf(out.c_str(), "sample %lf %lf %lf %lf %lf %lf", &bare, &bordered, &list, &list10, &heapBare,
                      &heapList) != 6 || bare <= 0 || list <= 0) {
        std::fprintf(stderr, "%s: a sample failed: %s\n", c.name, out.c_str());
        continue;
      }
      best = std::min(best, list);
      vsBare.push_back(list / bare);
      if (c.style != vsReport) vsBordered.push_back(list / bordered);
      if (index == kReport50) {
        scaling.push_back(list / list10);
        bareHeap = heapBare;
        listHeap = heapList;
      }
    }
    if (vsBare.empty()) continue;  // reported missing
    Report((std::string(c.name) + "_s").c_str(), best, "s");
    Report((std::string(c.name) + "_vs_bare").c_str(), Median(vsBare), "ratio");
    if (c.style != vsReport) Report((std::string(c.name) + "_vs_bare_with_border").c_str(), Median(vsBordered), "ratio");
  }
  if (!scaling.empty()) Report("list_fill_scaling", Median(scaling), "ratio");

  std::vector<double> mergeVsEnum;
  int moved = 0;
  for (int run = 0; run < 7; ++run) {
    const std::string out = RunSelf("--merge");
    TMergeRun r = {};
    if (std::sscanf(out.c_str(), "merge %lf %d", &r.vsEnum, &r.moved) != 2 || r.vsEnum <= 0) {
      std::fprintf(stderr, "a merge sample failed: %s\n", out.c_str());
      continue;
    }
    mergeVsEnum.push_back(r.vsEnum);
    moved = std::max(moved, r.moved);
  }
  if (!mergeVsEnum.empty()) {
    Report("list_merge_one_change_50000_vs_enum", Median(mergeVsEnum), "ratio");
    Report("list_merge_moved_items", moved, "items");
  }

  std::vector<double> filterVsFill;
  double bestFilter = 1e30;
  for (int run = 0; run < 5; ++run) {
    const std::string out = RunSelf("--filter " + std::to_string(run));
    double fill = 0, filtered = 0;
    if (std::sscanf(out.c_str(), "filter %lf %lf", &fill, &filtered) != 2 || fill <= 0 || filtered <= 0) {
      std::fprintf(stderr, "a filter sample failed: %s\n", out.c_str());
      continue;
    }
    filterVsFill.push_back(filtered / fill);
    bestFilter = std::min(bestFilter, filtered);
  }
  if (!filterVsFill.empty()) {
    Report("list_filter_50000_ms", 1000 * bestFilter, "ms");
    Report("list_filter_50000_vs_fill", Median(filterVsFill), "ratio");
  }

  TShellImportCounter imports;
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 640, 420);
  form->Show();
  Report("list_second_paint_shell_calls", static_cast<double>(SecondPaintShellCalls(form, f10, imports)), "calls");
  if (!scaling.empty()) Report("list_bytes_per_item", (listHeap - bareHeap) / 50000.0, "bytes");
  form->Free();
  return 0;
}
