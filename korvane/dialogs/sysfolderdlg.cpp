#include "korvane/dialogs/Uzqsysfolderdlg.h"

#include "korvane/host/Application.h"
#include "korvane/host/ComInit.h"
#include "korvane/host/Controls.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/Forms.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/host/SysUtils.h"

namespace korvane {

TZQSysFolderDlg::TZQSysFolderDlg(TComponent* AOwner) : TComponent(AOwner) {}

TZQSysFolderDlg::~TZQSysFolderDlg() = default;

const TClassInfo& TZQSysFolderDlg::StaticClassInfo() {
  static const TClassInfo info =
      TPublish<TZQSysFolderDlg>("TZQSysFolderDlg", &TComponent::StaticClassInfo())
          .Creatable()
          .Enum("Domain", &TZQSysFolderDlg::GetDomain, &TZQSysFolderDlg::SetDomain, csidlNone, CSIDLNames())
          .Set("Options", &TZQSysFolderDlg::GetOptions, &TZQSysFolderDlg::SetOptions, 0,
               {"fdoComputers", "fdoPrinters", "fdoDontGoBelowDomain", "fdoReturnFSAncestors", "fdoReturnOnlyFSDirs",
                "fdoStatusText"})
          .Str("Title", &TZQSysFolderDlg::GetTitle, &TZQSysFolderDlg::SetTitle)
          .Done();
  return info;
}

UINT TZQSysFolderDlg::OptionFlags(TZQSysFolderDlgOptions options) {
  static const UINT kFlags[] = {BIF_BROWSEFORCOMPUTER, BIF_BROWSEFORPRINTER, BIF_DONTGOBELOWDOMAIN,
                                BIF_RETURNFSANCESTORS, BIF_RETURNONLYFSDIRS, BIF_STATUSTEXT};
  UINT flags = 0;
  for (int i = 0; i < 6; ++i)
    if (options.Contains(static_cast<TZQSysFolderDlgOption>(i))) flags |= kFlags[i];
  return flags;
}

void TZQSysFolderDlg::SetFolderIdList(PCItemIDList list) {
  IMalloc* m = ShellIMalloc();
  folder_ = TIdListPtr(list ? CopyIdList(m, list) : nullptr, m);
}

std::string TZQSysFolderDlg::GetFolderPath() const {
  if (!folder_) return std::string();
  const std::string path = ShellGetPathFromIdList(folder_.Get());
  return path.empty() ? path : EnsureTrailingCharDB(path, '\\');
}

void TZQSysFolderDlg::SetFolderPath(const std::string& path) {
  TIdListPtr list;
  if (ShellGetIdListFromPath(path, list) == S_OK) SetFolderIdList(list.Get());
}

void TZQSysFolderDlg::SetOkEnabled(bool value) {
  if (!executing_) throw Exception(Format("%s: SetOkEnabled assignment only valid during Execute", GetName().c_str()));
  SendMessageA(dialog_, BFFM_ENABLEOK, 0, value ? 1 : 0);
}

void TZQSysFolderDlg::SetStatusText(const std::string& text) {
  if (!executing_) throw Exception(Format("%s: Status text assignment only valid during Execute", GetName().c_str()));
  SendMessageA(dialog_, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool TZQSysFolderDlg::Execute() {
  if (executing_) throw Exception(Format("%s: Execute already called.", GetName().c_str()));
  IMalloc* m = ShellIMalloc();
  if (!m) RaiseSysError(E_OUTOFMEMORY);
  executing_ = true;
  const HWND active = GetActiveWindow();
  const auto done = ScopeExit([this, active] {
    executing_ = false;
    dialog_ = nullptr;
    if (active && IsWindow(active)) SetActiveWindow(active);
  });
  auto* ownerControl = dynamic_cast<TWinControl*>(GetOwner());
  const HWND owner = ownerControl ? ownerControl->GetHandle() : nullptr;
  // csidlNone names no special folder here: the dialog shows the whole namespace.
  TIdListPtr root;
  if (domain_ != csidlNone && FAILED(ShellGetSpecialFolderIdList(owner, domain_, root))) return false;

  TIdListPtr chosen;
  {
    const TTaskWindowsDisabled disabled;
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = root.Get();
    info.pszDisplayName = displayName;
    info.lpszTitle = title_.c_str();
    info.ulFlags = OptionFlags(options_);
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    OleInitializeForThread();  // the dialog's new style needs OLE
    chosen = TIdListPtr(SHBrowseForFolderA(&info), m);
  }
  if (!chosen) {
    folder_.Reset();  // a cancelled dialog leaves no folder
    return false;
  }
  SetFolderIdList(chosen.Get());
  return true;
}

int CALLBACK TZQSysFolderDlg::BrowseCallback(HWND wnd, UINT msg, LPARAM lParam, LPARAM data) {
  auto* self = reinterpret_cast<TZQSysFolderDlg*>(data);
  self->dialog_ = wnd;
  GuardCallback(self, [&] {
    if (msg == BFFM_INITIALIZED) self->Initialized(wnd);
    else if (msg == BFFM_SELCHANGED) self->SelChanged(wnd, reinterpret_cast<PItemIDList>(lParam));
  });
  return 0;
}

void TZQSysFolderDlg::Initialized(HWND wnd) {
  if (OnInitialized) OnInitialized(this, wnd);
  if (!folder_) return;
  // The dialog reports the new selection inside this send, which replaces the
  // component's list: send a copy that outlives the send.
  IMalloc* m = ShellIMalloc();
  const TIdListPtr selection(CopyIdList(m, folder_.Get()), m);
  SendMessageA(wnd, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(selection.Get()));
}

void TZQSysFolderDlg::SelChanged(HWND wnd, PItemIDList list) {
  SetFolderIdList(list);
  if (OnSelChanged) OnSelChanged(this, wnd, folder_.Get());
}

}  // namespace korvane
