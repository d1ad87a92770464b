// Modal message dialogs over MessageBoxA. A test or an application may answer
// them itself through SetMessageDlgHandler; otherwise the real box shows.
#pragma once
#include <functional>
#include <string>

#include "korvane/host/Forms.h"

namespace korvane {

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : std::uint8_t { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// caption, text, MessageBox flags -> the answer (IDOK, IDYES, ...).
using TMessageDlgHandler = std::function<int(const std::string& Caption, const std::string& Text, UINT Flags)>;
void SetMessageDlgHandler(TMessageDlgHandler handler);

// A message box owned by the active window, captioned with the dialog type's
// name (or caption when given); answers mrOk, mrYes, mrNo, mrCancel, ...
TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
TModalResult MessageDlgCaption(const std::string& Caption, const std::string& Msg, TMsgDlgType DlgType,
                               TMsgDlgButtons Buttons);
void ShowMessage(const std::string& Msg);

}  // namespace korvane
