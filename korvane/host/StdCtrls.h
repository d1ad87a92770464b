// Standard controls: button, edit, check box, label and panel.
#pragma once
#include "korvane/host/Controls.h"
#include "korvane/host/Forms.h"

namespace korvane {

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

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* AOwner);
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool v);
  TWinControl* GetFocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* v) { focusControl_ = v; }
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;

private:
  TAlignment alignment_ = taLeftJustify;
  bool transparent_ = true;
  TWinControl* focusControl_ = nullptr;
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
