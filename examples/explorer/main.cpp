// The explorer sample.
//   explorer [FOLDER]            opens at FOLDER (default: the user's documents)
//   explorer --png FILE [FOLDER] waits until the list has filled, saves the window as a PNG and exits
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "examples/explorer/ExplorerForm.h"
#include "korvane/host/Application.h"
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

}  // namespace

int main(int argc, char** argv) {
  std::string png, folder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) png = argv[++i];
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
  const bool saved = SaveWindow(form->GetHandle(), png);
  std::printf("%s\n", saved ? png.c_str() : "no picture saved");
  form->Free();
  return saved ? 0 : 1;
}
