#include "korvane/host/Dialogs.h"

#include "korvane/host/Application.h"

namespace korvane {

static TMessageDlgHandler& Handler() {
  static TMessageDlgHandler handler;
  return handler;
}

void SetMessageDlgHandler(TMessageDlgHandler handler) { Handler() = std::move(handler); }

static int Show(const std::string& caption, const std::string& text, UINT flags) {
  if (Handler()) return Handler()(caption, text, flags);
  HWND owner = GetActiveWindow();
  if (!owner) owner = Application->GetHandle();
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

TModalResult MessageDlgCaption(const std::string& Caption, const std::string& Msg, TMsgDlgType DlgType,
                               TMsgDlgButtons Buttons) {
  static const UINT kIcons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  UINT flags = kIcons[DlgType];
  const bool yes = Buttons.Contains(mbYes), no = Buttons.Contains(mbNo), cancel = Buttons.Contains(mbCancel);
  if (yes && no) flags |= cancel ? MB_YESNOCANCEL : MB_YESNO;
  else if (Buttons.Contains(mbAbort)) flags |= MB_ABORTRETRYIGNORE;
  else if (Buttons.Contains(mbRetry)) flags |= MB_RETRYCANCEL;
  else flags |= cancel ? MB_OKCANCEL : MB_OK;
  return Show(Caption, Msg, flags);
}

TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  static const char* kCaptions[] = {"Warning", "Error", "Information", "Confirm", ""};
  const std::string caption = DlgType == mtCustom ? Application->GetTitle() : kCaptions[DlgType];
  return MessageDlgCaption(caption, Msg, DlgType, Buttons);
}

void ShowMessage(const std::string& Msg) { Show(Application->GetTitle(), Msg, MB_OK); }

}  // namespace korvane
