// The explorer sample.
//   explorer [FOLDER]            opens at FOLDER (default: the user's documents)
//   explorer --png FILE [FOLDER] waits until the list has filled, saves the window as a PNG and exits
//   ... --open-png FILE          then shows File > Open... and saves that dialog as a PNG too
//   ... --browse-png FILE        likewise Go > Browse for Folder (Korvane)...
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "examples/explorer/ExplorerForm.h"
#include "korvane/host/Application.h"
#include "korvane/host/ExtCtrls.h"
#include "korvane/host/Graphics.h"

using namespace korvane;

namespace {

std::string Documents() {
  char path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "C:\\";
}

// Runs messages for ms milliseconds, or until done answers true.
template <class F>
void RunFor(DWORD ms, F done) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms && !done()) {
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool SaveWindow(HWND wnd, const std::string& file) {
  CaptureWindow(wnd, false)->SaveToPngFile(file);
  return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Runs a dialog through run(); a timer started when its form shows saves the form as file and cancels it.
template <class D>
bool SaveDialog(D& dialog, const std::function<void()>& run, const std::string& file) {
  bool saved = false;
  TTimer timer(nullptr);
  timer.SetEnabled(false);
  timer.SetInterval(1500);
  timer.OnTimer = [&](TObject*) {
    timer.SetEnabled(false);
    if (auto* form = dialog.GetForm()) {
      saved = SaveWindow(form->GetHandle(), file);
      form->SetModalResult(mrCancel);
    }
  };
  dialog.OnFormShow = [&](TObject*) { timer.SetEnabled(true); };
  run();
  dialog.OnFormShow = nullptr;
  std::printf("%s\n", saved ? file.c_str() : "no dialog picture saved");
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  std::string png, openPng, browsePng, folder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) png = argv[++i];
    else if (std::strcmp(argv[i], "--open-png") == 0 && i + 1 < argc) openPng = argv[++i];
    else if (std::strcmp(argv[i], "--browse-png") == 0 && i + 1 < argc) browsePng = argv[++i];
    else folder = argv[i];
  }
  if (folder.empty()) folder = Documents();

  auto* form = new TExplorerForm(nullptr);
  Application->SetMainForm(form);
  form->Show();
  form->OpenFolder(folder);
  if (png.empty()) {
    Application->Run();
    form->Free();
    return 0;
  }
  // Headless: the list fills after its first messages, the icons with the first paints.
  RunFor(15000, [&] { return form->List->GetItems()->GetCount() > 0; });
  RunFor(1000, [] { return false; });
  bool saved = SaveWindow(form->GetHandle(), png);
  std::printf("%s\n", saved ? png.c_str() : "no picture saved");
  if (saved && !openPng.empty()) saved = SaveDialog(*form->OpenDialog, [&] { form->OpenFile(); }, openPng);
  if (saved && !browsePng.empty()) saved = SaveDialog(*form->FolderDialog, [&] { form->BrowseWithTree(); }, browsePng);
  form->Free();
  return saved ? 0 : 1;
}
