// TZQSysFolderDlg: the system's Browse-for-Folder dialog as a component. Its
// settings become SHBrowseForFolder's parameters; the chosen folder comes back
// as an identifier list (the component's own copy) and as a path.
#pragma once
#include <functional>
#include <string>

#include "korvane/host/Component.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

enum TZQSysFolderDlgOption : std::uint8_t {
  fdoComputers, fdoPrinters, fdoDontGoBelowDomain, fdoReturnFSAncestors, fdoReturnOnlyFSDirs, fdoStatusText
};
using TZQSysFolderDlgOptions = TSet<TZQSysFolderDlgOption>;

class TZQSysFolderDlg;
using TFDOnInitializedEvent = std::function<void(TZQSysFolderDlg* aSender, HWND hwnd)>;
using TFDOnSelChangedEvent = std::function<void(TZQSysFolderDlg* aSender, HWND hwnd, PItemIDList pidl)>;

class TZQSysFolderDlg : public TComponent {
public:
  explicit TZQSysFolderDlg(TComponent* AOwner);
  ~TZQSysFolderDlg() override;

  // True when the user chose a folder with OK. Raises "<Name>: Execute already
  // called." when the dialog is already running.
  virtual bool Execute();

  PItemIDList GetFolderIdList() const { return folder_.Get(); }  // valid until replaced
  void SetFolderIdList(PCItemIDList list);                       // stores a copy
  // With a trailing backslash; empty without a folder or a file-system path.
  std::string GetFolderPath() const;
  void SetFolderPath(const std::string& path);  // a path that does not convert changes nothing
  // During Execute only; outside it they raise with the component's name.
  void SetOkEnabled(bool value);
  void SetStatusText(const std::string& text);

  const std::string& GetTitle() const { return title_; }
  void SetTitle(const std::string& v) { title_ = v; }
  TZQSysFolderDlgOptions GetOptions() const { return options_; }
  void SetOptions(TZQSysFolderDlgOptions v) { options_ = v; }
  // The dialog's root; csidlNone: no root, the whole namespace.
  TCSIDL GetDomain() const { return domain_; }
  void SetDomain(TCSIDL v) { domain_ = v; }
  HWND GetDialogWindow() const { return dialog_; }  // during Execute
  bool GetExecuting() const { return executing_; }
  static UINT OptionFlags(TZQSysFolderDlgOptions options);  // the BIF_ flags the options add

  TFDOnInitializedEvent OnInitialized;
  TFDOnSelChangedEvent OnSelChanged;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
  virtual void SelChanged(HWND wnd, PItemIDList list);
  virtual void Initialized(HWND wnd);

private:
  static int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM lParam, LPARAM data);

  HWND dialog_ = nullptr;
  std::string title_;
  TZQSysFolderDlgOptions options_;
  TCSIDL domain_ = csidlDesktop;
  TIdListPtr folder_;  // made with the shell allocator
  bool executing_ = false;
};

}  // namespace korvane
