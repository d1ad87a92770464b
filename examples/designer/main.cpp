// The designer sample.
//   designer                 the palette, a form to design and the property grid
//   designer --png FILE      drops a splitter with a shell tree and a frame, selects the frame,
//                            saves the window as a PNG and exits
#include <cstdio>
#include <cstring>
#include <string>

#include "examples/designer/DesignerForm.h"
#include "korvane/controls/base/Uzqframe.h"
#include "korvane/controls/base/Uzqsplitter.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Application.h"
#include "korvane/host/Graphics.h"

using namespace korvane;

namespace {
// A small design: a splitter with a shell tree in its left pane, and a bumped frame below it.
void DesignSample(TDesignerForm& form) {
  auto* splitter = static_cast<TZQSplitter*>(form.Drop(TZQSplitter::StaticClassInfo(), 8, 8));
  splitter->SetBounds(8, 8, 560, 300);
  auto* tree = static_cast<TZQShellTree*>(form.Drop(TZQShellTree::StaticClassInfo(), 0, 0, splitter->GetPane(0)));
  tree->SetAlign(alClient);
  splitter->SetPosition(240);
  auto* frame = form.Drop(TZQFrame::StaticClassInfo(), 8, 320);
  static_cast<TControl*>(frame)->SetBounds(8, 320, 560, 40);
  form.Select(frame);
  form.Properties->Find("FrameStyle")->SetValue("zqfsBump");
  form.Properties->Find("Caption")->SetValue("A frame in the bump style");
  form.Select(frame);
}
}  // namespace

int main(int argc, char** argv) {
  std::string png;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) png = argv[++i];
  auto* form = new TDesignerForm(nullptr);
  Application->SetMainForm(form);
  form->Show();
  if (png.empty()) {
    Application->Run();
    form->Free();
    return 0;
  }
  DesignSample(*form);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 1500) {
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  CaptureWindow(form->GetHandle(), false)->SaveToPngFile(png);
  const bool saved = GetFileAttributesA(png.c_str()) != INVALID_FILE_ATTRIBUTES;
  std::printf("%s\n", saved ? png.c_str() : "no picture saved");
  form->Free();
  return saved ? 0 : 1;
}
