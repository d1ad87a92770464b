// Standard controls: button, edit, check box, label and panel.
#pragma once
#include "korvane/host/Controls.h"
#include "korvane/host/Forms.h"

namespace korvane {

// True when caption's accelerator (the character after a single "&") is ch, ignoring case.
bool IsAccel(unsigned ch, const std::string& caption);

class TButton : public TWinControl {
public:
  explicit TButton(TComponent* AOwner);
  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  bool GetDefault() const { return default_; }
  void SetDefault(bool v);
  bool GetCancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  void Click() override;
  void WndProc(TMessage& Message) override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  TModalResult modalResult_ = mrNone;
  bool default_ = false, cancel_ = false;
};

class TEdit : public TWinControl {
public:
  explicit TEdit(TComponent* AOwner);
  // The text the user typed (read from the window when it exists).
  std::string GetText();
  void SetText(const std::string& v);
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  void SelectAll();
  TNotifyEvent OnChange;
  void WndProc(TMessage& Message) override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void DestroyWnd() override;

private:
  bool readOnly_ = false;
};

class TCheckBox : public TWinControl {
public:
  explicit TCheckBox(TComponent* AOwner);
  bool GetChecked();
  void SetChecked(bool v);
  void WndProc(TMessage& Message) override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void DestroyWnd() override;

private:
  bool checked_ = false;
};

// A radio button: the radio buttons of one parent form a group, and checking
// one (by a click or by Checked) unchecks the others.
class TRadioButton : public TCheckBox {
public:
  explicit TRadioButton(TComponent* AOwner);
  void SetChecked(bool v);
  void WndProc(TMessage& Message) override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

protected:
  void CreateParams(TCreateParams& Params) override;
};

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* AOwner);
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool v);
  TWinControl* GetFocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* v);  // its accelerator focuses that control
  // The label takes the size of its caption in its font (the default).
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TAlignment alignment_ = taLeftJustify;
  bool transparent_ = true;
  TWinControl* focusControl_ = nullptr;
  bool autoSize_ = true;
  void AdjustBounds();
};

enum TPanelBevel : std::uint8_t { bvNone, bvLowered, bvRaised };

class TPanel : public TCustomControl {
public:
  explicit TPanel(TComponent* AOwner);
  TPanelBevel GetBevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel v);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  RECT GetClientRect() override;

protected:
  void Paint() override;

private:
  TPanelBevel bevelOuter_ = bvRaised;
};

}  // namespace korvane
