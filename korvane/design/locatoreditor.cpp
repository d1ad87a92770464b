#include "korvane/design/locatoreditor.h"

#include "korvane/controls/shell/common/itemparent.h"
#include "korvane/host/Dialogs.h"
#include "korvane/host/Format.h"
#include "korvane/host/ScopeExit.h"
#include "korvane/shell/Uzqshconsts.h"
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

namespace {
std::string& HelpFile() {
  static std::string file = "ZQShCtrl.hlp";
  return file;
}
int& HelpContext() {
  static int context = 30000;
  return context;
}

TRadioButton* MakeRadio(TForm* form, int top, const std::string& caption) {
  auto* radio = new TRadioButton(form);
  radio->SetParent(form);
  radio->SetBounds(8, top, 120, 17);
  radio->SetCaption(caption);
  radio->OnClick = [form](TObject* s) { static_cast<TFrmShellLocatorEditor*>(form)->KindClick(s); };
  return radio;
}

TButton* MakeButton(TForm* form, int left, int top, const std::string& caption) {
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(left, top, 75, 23);
  button->SetCaption(caption);
  return button;
}

void EnableInput(TWinControl* input, bool enabled) {
  input->SetEnabled(enabled);
  input->SetColor(enabled ? clWindow : clBtnFace);
}
}  // namespace

const std::array<TFrmShellLocatorEditor::TSpecialFolder, 23>& TFrmShellLocatorEditor::SpecialFolders() {
  static const std::array<TSpecialFolder, 23> folders = {{
      {"csidlDesktop", csidlDesktop},
      {"csidlPrograms", csidlPrograms},
      {"csidlControls (Control Panel)", csidlControls},
      {"csidlPrinters", csidlPrinters},
      {"csidlPersonal", csidlPersonal},
      {"csidlFavorites", csidlFavorites},
      {"csidlStartup", csidlStartup},
      {"csidlRecent", csidlRecent},
      {"csidlSendTo", csidlSendTo},
      {"csidlBitBucket (Recyle Bin)", csidlBitBucket},
      {"csidlStartMenu", csidlStartMenu},
      {"csidlDesktopDirectory", csidlDesktopDirectory},
      {"csidlDrives (My Computer)", csidlDrives},
      {"csidlNetwork (Net. Neighborhood)", csidlNetwork},
      {"csidlNethood", csidlNethood},
      {"csidlFonts", csidlFonts},
      {"csidlTemplates", csidlTemplates},
      {"csidlCommonStartMenu", csidlCommonStartMenu},
      {"csidlCommonPrograms", csidlCommonPrograms},
      {"csidlCommonStartup", csidlCommonStartup},
      {"csidlCommonDesktopDirectory", csidlCommonDesktopDirectory},
      {"csidlAppData", csidlAppData},
      {"csidlPrintHood", csidlPrintHood},
  }};
  return folders;
}

void TFrmShellLocatorEditor::SetHelpInfo(const std::string& helpFile, int helpContext) {
  HelpFile() = helpFile;
  HelpContext() = helpContext;
}

TFrmShellLocatorEditor::TFrmShellLocatorEditor(TComponent* AOwner) : TForm(AOwner) {
  SetCaption("Shell Locator Editor");
  SetBorderStyle(bsDialog);
  SetBorderIcons({biSystemMenu});
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 381, 230);
  HandleNeeded();
  SetBounds(0, 0, GetWidth() + 373 - GetClientWidth(), GetHeight() + 203 - GetClientHeight());

  DontUseAnythingRdo = MakeRadio(this, 12, "Don't use anything");
  UseCSIDLRdo = MakeRadio(this, 44, "Use CSIDL");
  ComboBox1 = new TComboBox(this);
  ComboBox1->SetParent(this);
  ComboBox1->SetBounds(136, 40, 229, 21);
  ComboBox1->SetStyle(csDropDownList);
  for (const TSpecialFolder& f : SpecialFolders()) ComboBox1->GetItems()->Add(f.Text);
  UsePathnameRdo = MakeRadio(this, 76, "Use pathname");
  PathNameEdt = new TEdit(this);
  PathNameEdt->SetParent(this);
  PathNameEdt->SetBounds(136, 72, 229, 21);
  UsePidlRdo = MakeRadio(this, 108, "Use item id list");
  ItemTxt = new TLabel(this);
  ItemTxt->SetParent(this);
  ItemTxt->SetAutoSize(false);
  ItemTxt->SetBounds(136, 108, 148, 17);
  BrowseBtn = MakeButton(this, 290, 104, "&Browse...");
  BrowseBtn->OnClick = [this](TObject* s) { BrowseBtnClick(s); };
  OkBtn = MakeButton(this, 130, 170, "OK");
  OkBtn->SetDefault(true);
  OkBtn->SetModalResult(mrOk);
  CancelBtn = MakeButton(this, 210, 170, "Cancel");
  CancelBtn->SetCancel(true);
  CancelBtn->SetModalResult(mrCancel);
  HelpBtn = MakeButton(this, 290, 170, "&Help");
  HelpBtn->OnClick = [this](TObject* s) { HelpBtnClick(s); };

  BrowseDlg = new TZQFolderBrowseDlg(this);
  BrowseDlg->SetTitle("Select an item");
  BrowseDlg->SetFormHeight(600);
  BrowseDlg->SetOptions({zqfbReadOnly});
  OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
  DontUseAnythingRdo->SetChecked(true);
  KindClick(DontUseAnythingRdo);
}

TFrmShellLocatorEditor::~TFrmShellLocatorEditor() = default;

void TFrmShellLocatorEditor::SetLocator(TZQShellLocator* locator) {
  locator_ = locator;
  browsed_ = false;
  loading_ = true;
  const auto loaded = ScopeExit([this] { loading_ = false; });
  PathNameEdt->SetText(locator->GetPathName());
  if (const TCSIDL csidl = locator->GetCSIDL(); csidl != csidlNone) {
    // A value without an entry (a placeholder read from a file) selects nothing: OK then keeps the locator.
    ComboBox1->SetItemIndex(-1);
    for (std::size_t i = 0; i < SpecialFolders().size(); ++i)
      if (SpecialFolders()[i].Value == csidl) ComboBox1->SetItemIndex(static_cast<int>(i));
    UseCSIDLRdo->SetChecked(true);
  } else if (PItemIDList list = locator->GetIdList()) {
    if (!locator->GetPathName().empty()) {
      UsePathnameRdo->SetChecked(true);
    } else {
      ItemTxt->SetCaption(GetAbsIdListInFolderName(list));
      UsePidlRdo->SetChecked(true);
    }
  } else {
    DontUseAnythingRdo->SetChecked(true);
  }
  KindClick(nullptr);
}

void TFrmShellLocatorEditor::KindClick(TObject* Sender) {
  EnableInput(ComboBox1, UseCSIDLRdo->GetChecked());
  EnableInput(PathNameEdt, UsePathnameRdo->GetChecked());
  ItemTxt->SetEnabled(UsePidlRdo->GetChecked());
  BrowseBtn->SetEnabled(UsePidlRdo->GetChecked());
  // The user choosing "Use CSIDL" with nothing picked gets the first entry.
  if (!loading_ && Sender == UseCSIDLRdo && UseCSIDLRdo->GetChecked() && ComboBox1->GetItemIndex() < 0)
    ComboBox1->SetItemIndex(0);
}

void TFrmShellLocatorEditor::BrowseBtnClick(TObject*) {
  if (!BrowseDlg->Execute()) return;
  browsed_ = true;
  ItemTxt->SetCaption(GetAbsIdListInFolderName(BrowseDlg->GetSelectedFolder()->GetIdList()));
}

void TFrmShellLocatorEditor::HelpBtnClick(TObject*) {
  WinHelpA(GetHandle(), HelpFile().c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(HelpContext()));
}

void TFrmShellLocatorEditor::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = GetModalResult() != mrOk || !locator_ || WriteBack();
}

bool TFrmShellLocatorEditor::WriteBack() {
  if (DontUseAnythingRdo->GetChecked()) {
    locator_->SetIdList(nullptr);
  } else if (UsePathnameRdo->GetChecked()) {
    // A path the shell cannot parse is refused, never taken as the Desktop.
    const std::string path = PathNameEdt->GetText();
    TIdListPtr parsed;
    if (path.empty() || ShellGetIdListFromPath(path, parsed) != S_OK || !parsed) {
      MessageDlgCaption(GetCaption(), Format(LoadResString(SPathDoesNotExist), path), mtWarning, {mbOK});
      return false;
    }
    locator_->SetPathName(path);
  } else if (UsePidlRdo->GetChecked()) {
    if (browsed_) locator_->SetIdList(BrowseDlg->GetSelectedFolder()->GetIdList());
  } else if (const int index = ComboBox1->GetItemIndex(); index >= 0) {
    locator_->SetCSIDL(SpecialFolders()[static_cast<std::size_t>(index)].Value);
  }
  return true;
}

bool ZQEditShellLocator(TZQShellLocator& locator) {
  const std::unique_ptr<TFrmShellLocatorEditor> form(new TFrmShellLocatorEditor(nullptr));
  form->SetLocator(&locator);
  return form->ShowModal() == mrOk;
}

}  // namespace korvane
