#include "korvane/host/StdCtrls.h"

#include <vector>

#include "korvane/host/Handles.h"
#include "korvane/host/PropInfo.h"

namespace korvane {

// --- TButton

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  clickEvents_ = false;  // BN_CLICKED reports clicks
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

const TClassInfo& TButton::StaticClassInfo() {
  static const TClassInfo info = TPublish<TButton>("TButton", &TWinControl::StaticClassInfo())
                                     .Creatable()
                                     .Str("Caption", &TButton::GetCaption, &TButton::SetCaption)
                                     .Int("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult, 0)
                                     .Bool("Default", &TButton::GetDefault, &TButton::SetDefault, false)
                                     .Bool("Cancel", &TButton::GetCancel, &TButton::SetCancel, false)
                                     .Done();
  return info;
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "BUTTON");
  p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  if (v == default_) return;
  default_ = v;
  if (HandleAllocated()) SendMessageA(GetHandle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 1);
}

void TButton::Click() {
  if (modalResult_ != mrNone)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

bool IsAccel(unsigned ch, const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {  // "&&" is a plain "&"
      ++i;
      continue;
    }
    const auto upper = [](unsigned c) {
      return static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(c & 0xFF)))));
    };
    return upper(static_cast<unsigned char>(caption[i + 1])) == upper(ch);
  }
  return false;
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CM_DIALOGCHAR) {
    if (GetVisible() && GetEnabled() && IsAccel(static_cast<unsigned>(m.WParam), GetCaption()) && CanFocus()) {
      Click();
      m.Result = 1;
    }
    return;
  }
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Click();
    return;
  }
  if (m.Msg == CM_DIALOGKEY) {
    if (((m.WParam == VK_RETURN && default_) || (m.WParam == VK_ESCAPE && cancel_)) && CanFocus()) {
      Click();
      m.Result = 1;
    }
    return;
  }
  TWinControl::WndProc(m);
}

// --- TEdit

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
  clickEvents_ = false;
  SetTabStop(true);
  SetBounds(0, 0, 121, 21);
}

const TClassInfo& TEdit::StaticClassInfo() {
  static const TClassInfo info = TPublish<TEdit>("TEdit", &TWinControl::StaticClassInfo())
                                     .Creatable()
                                     .Str("Text", &TEdit::GetText, &TEdit::SetText)
                                     .Bool("ReadOnly", &TEdit::GetReadOnly, &TEdit::SetReadOnly, false)
                                     .Done();
  return info;
}

void TEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "EDIT");
  p.Style |= ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0);
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

std::string TEdit::GetText() {
  if (!HandleAllocated()) return TControl::GetText();
  const int n = GetWindowTextLengthA(GetHandle());
  std::vector<char> buf(static_cast<std::size_t>(n) + 1);
  GetWindowTextA(GetHandle(), buf.data(), n + 1);
  return buf.data();
}

void TEdit::SetText(const std::string& v) { TControl::SetText(v); }

void TEdit::DestroyWnd() {
  TControl::SetText(GetText());  // keep what was typed across a new window
  TWinControl::DestroyWnd();
}

void TEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  if (HandleAllocated()) SendMessageA(GetHandle(), EM_SETREADONLY, v, 0);
}

void TEdit::SelectAll() {
  if (HandleAllocated()) SendMessageA(GetHandle(), EM_SETSEL, 0, -1);
}

void TEdit::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    if (OnChange) OnChange(this);
    return;
  }
  TWinControl::WndProc(m);
}

// --- TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  clickEvents_ = false;
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

const TClassInfo& TCheckBox::StaticClassInfo() {
  static const TClassInfo info = TPublish<TCheckBox>("TCheckBox", &TWinControl::StaticClassInfo())
                                     .Creatable()
                                     .Str("Caption", &TCheckBox::GetCaption, &TCheckBox::SetCaption)
                                     .Bool("Checked", &TCheckBox::GetChecked, &TCheckBox::SetChecked, false)
                                     .Done();
  return info;
}

void TCheckBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "BUTTON");
  p.Style |= BS_AUTOCHECKBOX;
}

bool TCheckBox::GetChecked() {
  if (HandleAllocated()) checked_ = SendMessageA(GetHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  return checked_;
}

void TCheckBox::SetChecked(bool v) {
  if (v == GetChecked()) return;
  checked_ = v;
  if (HandleAllocated()) SendMessageA(GetHandle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  Click();
}

void TCheckBox::DestroyWnd() {
  GetChecked();
  TWinControl::DestroyWnd();
}

TRadioButton::TRadioButton(TComponent* AOwner) : TCheckBox(AOwner) { SetBounds(0, 0, 113, 17); }

const TClassInfo& TRadioButton::StaticClassInfo() {
  static const TClassInfo info = TPublish<TRadioButton>("TRadioButton", &TWinControl::StaticClassInfo())
                                     .Creatable()
                                     .Str("Caption", &TRadioButton::GetCaption, &TRadioButton::SetCaption)
                                     .Bool("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked, false)
                                     .Done();
  return info;
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TCheckBox::CreateParams(p);
  p.Style = (p.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_RADIOBUTTON;  // the group is kept here, not by the system
}

void TRadioButton::SetChecked(bool v) {
  TCheckBox::SetChecked(v);
  if (!v || !GetParent()) return;
  for (int i = 0; i < GetParent()->GetControlCount(); ++i)
    if (auto* other = dynamic_cast<TRadioButton*>(GetParent()->GetControl(i)); other && other != this)
      other->SetChecked(false);
}

void TRadioButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    SetChecked(true);
    return;
  }
  TCheckBox::WndProc(m);
}

void TCheckBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    checked_ = SendMessageA(GetHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    Click();
    return;
  }
  if (m.Msg == WM_CREATE) {
    TWinControl::WndProc(m);
    SendMessageA(GetHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    return;
  }
  TWinControl::WndProc(m);
}

// --- TLabel

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 17); }

void TLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!autoSize_) return;
  const TWindowDC screen(nullptr);
  const TSelectObject font(screen.Get(), GetFont()->GetHandle());
  const std::string text = GetCaption().empty() ? std::string(" ") : GetCaption();
  RECT r = {0, 0, 0, 0};
  DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_EXPANDTABS);
  SetBounds(GetLeft(), GetTop(), r.right, r.bottom);
}

const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo info = TPublish<TLabel>("TLabel", &TControl::StaticClassInfo())
                                     .Creatable()
                                     .Str("Caption", &TLabel::GetCaption, &TLabel::SetCaption)
                                     .Bool("AutoSize", &TLabel::GetAutoSize, &TLabel::SetAutoSize, true)
                                     .Done();
  return info;
}

void TLabel::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}

void TLabel::SetTransparent(bool v) {
  transparent_ = v;
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* v) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = v;
  if (v) v->FreeNotification(this);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TLabel::WndProc(TMessage& m) {
  if (m.Msg == CM_DIALOGCHAR) {
    if (focusControl_ && GetVisible() && GetEnabled() && IsAccel(static_cast<unsigned>(m.WParam), GetCaption()) &&
        focusControl_->CanFocus()) {
      focusControl_->SetFocus();
      m.Result = 1;
    }
    return;
  }
  if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED) {
    AdjustBounds();
    Invalidate();
  }
  TGraphicControl::WndProc(m);
}

void TLabel::Paint() {
  TCanvas* c = GetCanvas();
  RECT r = GetClientRect();
  if (transparent_) {
    c->GetBrush()->SetStyle(bsClear);
  } else {
    c->GetBrush()->SetColor(GetParent() ? GetParent()->GetColor() : clBtnFace);
    c->FillRect(r);
  }
  c->SetFont(GetFont());
  static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  if (!GetEnabled()) c->GetFont()->SetColor(clGrayText);
  c->DrawText(GetCaption(), r, DT_EXPANDTABS | DT_WORDBREAK | kAlign[alignment_]);
}

// --- TPanel

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info = TPublish<TPanel>("TPanel", &TWinControl::StaticClassInfo())
                                     .Creatable()
                                     .Str("Caption", &TPanel::GetCaption, &TPanel::SetCaption)
                                     .Enum("BevelOuter", &TPanel::GetBevelOuter, &TPanel::SetBevelOuter, bvRaised,
                                           {"bvNone", "bvLowered", "bvRaised"})
                                     .Done();
  return info;
}

void TPanel::SetBevelOuter(TPanelBevel v) {
  bevelOuter_ = v;
  AlignControls();
  Invalidate();
}

RECT TPanel::GetClientRect() {
  RECT r = TWinControl::GetClientRect();
  if (bevelOuter_ != bvNone) InflateRect(&r, -1, -1);
  return r;
}

void TPanel::Paint() {
  TCanvas* c = GetCanvas();
  RECT r = {0, 0, GetWidth(), GetHeight()};
  c->GetBrush()->SetColor(GetColor());
  c->FillRect(r);
  if (bevelOuter_ != bvNone) {
    const TColor topLeft = bevelOuter_ == bvRaised ? clBtnHighlight : clBtnShadow;
    const TColor bottomRight = bevelOuter_ == bvRaised ? clBtnShadow : clBtnHighlight;
    c->GetPen()->SetColor(topLeft);
    c->Polyline({{0, r.bottom - 1}, {0, 0}, {r.right - 1, 0}});
    c->GetPen()->SetColor(bottomRight);
    c->Polyline({{r.right - 1, 0}, {r.right - 1, r.bottom - 1}, {-1, r.bottom - 1}});
  }
  if (!GetCaption().empty()) {
    c->SetFont(GetFont());
    c->GetBrush()->SetStyle(bsClear);
    c->DrawText(GetCaption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

}  // namespace korvane
