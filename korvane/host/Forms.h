// Forms: top-level windows holding controls, shown modeless or modal.
#pragma once
#include <vector>
#include <functional>

#include "korvane/host/Controls.h"
#include "korvane/host/Handles.h"

namespace korvane {

class TMainMenu;

enum TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition : std::uint8_t { poDesigned, poDefault, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
enum TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

// The sizes the user can give a window by dragging its frame; 0: no bound.
struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

class TCustomForm : public TWinControl {
public:
  explicit TCustomForm(TComponent* AOwner);

  TFormBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons GetBorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons v);
  TPosition GetPosition() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  TWindowState GetWindowState() const;
  void SetWindowState(TWindowState v);
  TSizeConstraints& GetConstraints() { return constraints_; }
  // The system's size grip (a "SCROLLBAR" with SBS_SIZEGRIP) in the bottom-right corner.
  bool GetSizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool v);
  HWND GetSizeGripHandle() const { return grip_.Get(); }  // the window's minimum and maximum tracking size
  bool GetKeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  bool IsModal() const { return modal_; }
  // The focused control of the form, or nil.
  TWinControl* GetActiveControl();
  // The menu bar, or nil. Its commands and keys reach its items.
  TMainMenu* GetMenu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  // Shows the form and runs messages until ModalResult is set (and OnCloseQuery
  // agrees); answers it. EInvalidOperation for a form already visible.
  virtual TModalResult ShowModal();
  void Close();
  bool CloseQuery();
  // Frees the form once the messages being handled are done.
  void Release();

  TNotifyEvent OnShow, OnHide, OnActivate, OnDeactivate, OnCreate, OnDestroy;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;
  // A designer's surface: the mouse input of the form's controls in design state
  // (which the controls themselves never act on) comes here instead.
  std::function<void(TControl* Sender, const TMessage& Message)> OnDesignMouse;

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  bool WantsKeyPreview() const override { return keyPreview_; }
  virtual void DoShow();
  virtual void DoHide();
  void DoClose(TCloseAction& Action);
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void AttachMenu(bool attach);
  TMainMenu* menu_ = nullptr;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = {biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  bool keyPreview_ = false;
  TSizeConstraints constraints_;
  bool sizeGrip_ = false;
  TWindowHandle grip_;  // destroyed before the form's window
  void PlaceSizeGrip();
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
};

class TForm : public TCustomForm {
public:
  using TCustomForm::TCustomForm;
};

// The form a control sits on (its top-most parent when that is a form), or nil.
TCustomForm* GetParentForm(TControl* control);

// While it lives, the thread's visible and enabled top-level windows are
// disabled (a modal window of the thread runs); they are enabled again at its
// end, those still existing.
class TTaskWindowsDisabled {
public:
  explicit TTaskWindowsDisabled(HWND except = nullptr);
  ~TTaskWindowsDisabled();
  TTaskWindowsDisabled(const TTaskWindowsDisabled&) = delete;
  TTaskWindowsDisabled& operator=(const TTaskWindowsDisabled&) = delete;

private:
  std::vector<HWND> disabled_;
};

}  // namespace korvane
