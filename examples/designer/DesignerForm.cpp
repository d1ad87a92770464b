#include "examples/designer/DesignerForm.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "korvane/controls/base/Uzqframe.h"
#include "korvane/design/Uzqshreg.h"
#include "korvane/host/FormFile.h"

namespace korvane {

namespace {
constexpr int kPaletteHeight = 30, kPropertiesWidth = 280;

std::string ShortName(const std::string& className) {
  return className.rfind("TZQ", 0) == 0 ? className.substr(3) : className.substr(1);
}
}  // namespace

TDesignerForm::TDesignerForm(TComponent* AOwner) : TForm(AOwner) {
  SetCaption("Korvane Designer");
  SetBounds(0, 0, 1000, 620);
  Register(environment_);

  PaletteBar = new TPanel(this);
  PaletteBar->SetParent(this);
  PaletteBar->SetHeight(kPaletteHeight);
  PaletteBar->SetAlign(alTop);
  int left = 4, index = 0;
  for (const TClassInfo* info : environment_.PaletteOf("Shell")) {
    auto* button = new TSpeedButton(this);
    button->SetParent(PaletteBar);
    button->SetCaption(ShortName(info->Name));
    button->SetBounds(left, 4, 69, 22);
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    button->SetTag(index++);
    button->SetHint(info->Name);
    button->OnClick = [this](TObject* s) { PaletteClick(s); };
    PaletteButtons.push_back(button);
    left += 70;
  }

  Designed = new TForm(this);
  Designed->SetName("Form1");
  Designed->SetCaption("Form1");
  Designed->SetBorderStyle(bsSingle);
  Designed->SetParent(this);
  Designed->SetBounds(8, kPaletteHeight + 8, 590, 480);
  Designed->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    DesignedMouseDown(s, b, sh, x, y);
  };
  Designed->Show();

  Selector = new TComboBox(this);
  Selector->SetParent(this);
  Selector->SetStyle(csDropDownList);
  Selector->OnChange = [this](TObject*) {
    const int i = Selector->GetItemIndex();
    if (i >= 0) Select(i == 0 ? Designed : Designed->FindComponent(Selector->GetItems()->Get(i)));
  };
  Properties = new TPropertyGrid(this);
  Properties->SetParent(this);
  Properties->OnSelect = [this](TObject* s) { PropertySelect(s); };
  ValueEdt = new TEdit(this);
  ValueEdt->SetParent(this);
  ValueEdt->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
    if (key == VK_RETURN) ApplyValue(), key = 0;
  };
  ValueCbx = new TComboBox(this);
  ValueCbx->SetParent(this);
  ValueCbx->SetStyle(csOwnerDrawFixed);
  ValueCbx->OnChange = [this](TObject*) { ApplyValue(); };
  // A value list the editor draws itself (frame styles with their previews) is drawn by it here too.
  ValueCbx->OnDrawItem = [this](TWinControl*, int index, const RECT& r, UINT state) {
    TCanvas& canvas = *ValueCbx->GetCanvas();
    const bool selected = state & ODS_SELECTED;
    canvas.GetBrush()->SetColor(selected ? clHighlight : clWindow);
    canvas.FillRect(r);
    canvas.SetFont(ValueCbx->GetFont());
    canvas.GetFont()->SetColor(selected ? clHighlightText : clWindowText);
    if (index < 0 || index >= ValueCbx->GetItems()->GetCount()) return;
    TPropertyEditor* editor = Properties->GetSelected();
    if (editor && editor->GetAttributes().Contains(paOwnerDrawValues))
      editor->ListDrawValue(ValueCbx->GetItems()->Get(index), canvas, r, selected);
    else
      canvas.TextRect(r, r.left + 2, r.top + 1, ValueCbx->GetItems()->Get(index));
  };
  EllipsisBtn = new TButton(this);
  EllipsisBtn->SetParent(this);
  EllipsisBtn->SetCaption("...");
  EllipsisBtn->OnClick = [this](TObject*) {
    if (TPropertyEditor* editor = Properties->GetSelected(); editor && editor->Edit()) Properties->Invalidate();
  };
  VerbsMenu = new TPopupMenu(this);
  VerbsMenu->OnPopup = [this](TObject* s) { BuildVerbs(s); };
  auto* menu = new TMainMenu(this);
  const auto add = [this](TMenuItem* parent, const char* caption, TNotifyEvent click) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    item->OnClick = std::move(click);
    parent->Add(item);
    return item;
  };
  TMenuItem* file = add(menu->GetItems(), "&File", nullptr);
  add(file, "&Open...", [this](TObject*) { LoadFromFile(); });
  add(file, "Save &As...", [this](TObject*) { SaveToFile(); });
  add(file, "&Run Form", [this](TObject*) { RunDesign(); });
  add(file, "-", nullptr);
  add(file, "E&xit", [this](TObject*) { Close(); });
  SetMenu(menu);
  OnDesignMouse = [this](TControl* control, const TMessage& m) { DesignMouse(control, m); };
  OnResize = [this](TObject* s) { Layout(s); };
  Layout(this);
  RefreshSelector();
  Select(Designed);
}

void TDesignerForm::Layout(TObject*) {
  const int width = GetClientWidth(), height = GetClientHeight();
  const int x = width - kPropertiesWidth - 4, top = kPaletteHeight + 8;
  Selector->SetBounds(x, top, kPropertiesWidth, 21);
  Properties->SetBounds(x, top + 26, kPropertiesWidth, height - top - 26 - 34);
  ValueEdt->SetBounds(x, height - 30, kPropertiesWidth - 32, 21);
  ValueCbx->SetBounds(x, height - 30, kPropertiesWidth - 32, 21);
  EllipsisBtn->SetBounds(x + kPropertiesWidth - 28, height - 30, 28, 21);
}

void TDesignerForm::PaletteClick(TObject* sender) {
  auto* button = static_cast<TSpeedButton*>(sender);
  pending_ = button->GetDown() ? environment_.PaletteOf("Shell")[static_cast<std::size_t>(button->GetTag())] : nullptr;
}

void TDesignerForm::DesignedMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft || !pending_) return;
  const TClassInfo* info = pending_;
  pending_ = nullptr;
  for (TSpeedButton* b : PaletteButtons) b->SetDown(false);
  Select(Drop(*info, x, y));
}

void TDesignerForm::DesignMouse(TControl* control, const TMessage& m) {
  // The designed component is the control or the nearest parent the designed form owns (a pane's splitter).
  TControl* designed = control;
  while (designed && designed->GetOwner() != Designed) designed = designed->GetParent();
  if (!designed) return;
  const int x = static_cast<short>(LOWORD(m.LParam)), y = static_cast<short>(HIWORD(m.LParam));
  if (m.Msg == WM_LBUTTONDOWN) {
    auto* container = dynamic_cast<TZQGroup*>(control);
    if (pending_ && container) {
      const TClassInfo* info = pending_;
      pending_ = nullptr;
      for (TSpeedButton* b : PaletteButtons) b->SetDown(false);
      Select(Drop(*info, x, y, container));
      return;
    }
    Select(designed);
  } else if (m.Msg == WM_RBUTTONUP) {
    Select(designed);
    const POINT at = control->ClientToScreen({x, y});
    VerbsMenu->SetPopupComponent(designed);
    VerbsMenu->Popup(at.x, at.y);
  }
}

TComponent* TDesignerForm::Drop(const TClassInfo& info, int x, int y, TWinControl* parent) {
  TComponent* component = info.Create(Designed);
  const std::string base = info.Name.substr(1);  // "TZQSplitter" -> "ZQSplitter1"
  int n = 1;
  while (Designed->FindComponent(base + std::to_string(n))) ++n;
  component->SetName(base + std::to_string(n));
  component->SetDesigning(true);
  if (auto* control = dynamic_cast<TControl*>(component)) {
    control->SetLeft(x);
    control->SetTop(y);
    control->SetParent(parent ? parent : Designed);
    control->SetPopupMenu(VerbsMenu);
  }
  RefreshSelector();
  return component;
}

void TDesignerForm::RefreshSelector() {
  Selector->GetItems()->Clear();
  Selector->GetItems()->Add(Designed->GetName());
  for (int i = 0; i < Designed->GetComponentCount(); ++i) Selector->GetItems()->Add(Designed->GetComponent(i)->GetName());
}

void TDesignerForm::Select(TComponent* component) {
  Properties->Edit(component, environment_);
  const int index = Selector->GetItems()->IndexOf(component ? component->GetName() : std::string());
  Selector->SetItemIndex(index);
  PropertySelect(Properties);
}

void TDesignerForm::PropertySelect(TObject*) {
  TPropertyEditor* editor = Properties->GetSelected();
  const TPropertyAttributes attributes = editor ? editor->GetAttributes() : TPropertyAttributes{};
  const bool list = attributes.Contains(paValueList);
  ValueCbx->SetVisible(list);
  ValueEdt->SetVisible(!list);
  ValueEdt->SetEnabled(editor && !attributes.Contains(paReadOnly));
  EllipsisBtn->SetEnabled(attributes.Contains(paDialog));
  if (!editor) return;
  if (list) {
    ValueCbx->GetItems()->Clear();
    for (const std::string& v : editor->GetValues()) ValueCbx->GetItems()->Add(v);
    ValueCbx->SetItemIndex(ValueCbx->GetItems()->IndexOf(editor->GetValue()));
    // The drop-down is as wide as the widest entry the editor measures.
    TBitmap measure(1, 1);
    TCanvas& canvas = *measure.GetCanvas();
    canvas.SetFont(ValueCbx->GetFont());
    int widest = ValueCbx->GetWidth();
    for (int i = 0; i < ValueCbx->GetItems()->GetCount(); ++i) {
      const std::string& value = ValueCbx->GetItems()->Get(i);
      widest = std::max(widest, editor->ListMeasureWidth(value, canvas, canvas.TextWidth(value) + 8));
    }
    SendMessageA(ValueCbx->GetHandle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest), 0);
  } else {
    ValueEdt->SetText(editor->GetValue());
  }
}

void TDesignerForm::ApplyValue() {
  TPropertyEditor* editor = Properties->GetSelected();
  if (!editor) return;
  const TPropertyAttributes attributes = editor->GetAttributes();
  if (attributes.Contains(paValueList)) {
    if (const int i = ValueCbx->GetItemIndex(); i >= 0) editor->SetValue(ValueCbx->GetItems()->Get(i));
  } else if (!attributes.Contains(paReadOnly)) {
    editor->SetValue(ValueEdt->GetText());
  }
  if (editor->GetProp().Name == "Name") RefreshSelector();
  Properties->Invalidate();
}

std::vector<std::string> TDesignerForm::VerbsOf(TComponent* component) {
  auto editor = environment_.GetComponentEditor(component);
  std::vector<std::string> verbs;
  for (int i = 0; i < editor->GetVerbCount(); ++i) verbs.push_back(editor->GetVerb(i));
  return verbs;
}

void TDesignerForm::BuildVerbs(TObject*) {
  TMenuItem* items = VerbsMenu->GetItems();
  items->Clear();
  auto* target = dynamic_cast<TComponent*>(VerbsMenu->GetPopupComponent());
  if (!target) return;
  Select(target);
  const std::vector<std::string> verbs = VerbsOf(target);
  for (std::size_t i = 0; i < verbs.size(); ++i) {
    auto* item = new TMenuItem(VerbsMenu);
    item->SetCaption(verbs[i]);
    item->OnClick = [this, target, i](TObject*) {
      environment_.GetComponentEditor(target)->ExecuteVerb(static_cast<int>(i));
      Properties->Invalidate();
    };
    items->Add(item);
  }
}

std::string TDesignerForm::SaveToText() { return ComponentToText(Designed); }

void TDesignerForm::SaveToFile() {
  TZQSaveDlg dialog(nullptr);
  dialog.SetFilter("Form files (*.dfm)|*.dfm|All files (*.*)|*.*");
  dialog.SetDefaultExt("dfm");
  dialog.SetOptions(dialog.GetOptions() + TZQOpenOptions{zqofOverwritePrompt});
  if (!dialog.Execute()) return;
  std::ofstream(dialog.GetFilename(), std::ios::binary) << SaveToText();
}

void TDesignerForm::LoadFromFile() {
  TZQOpenDlg dialog(nullptr);
  dialog.SetFilter("Form files (*.dfm)|*.dfm|All files (*.*)|*.*");
  dialog.SetOptions(dialog.GetOptions() + TZQOpenOptions{zqofFileMustExist});
  if (!dialog.Execute()) return;
  std::ostringstream text;
  text << std::ifstream(dialog.GetFilename(), std::ios::binary).rdbuf();
  LoadFromText(text.str());
}

void TDesignerForm::RunDesign() {
  auto* form = new TForm(nullptr);
  TextToComponent(SaveToText(), form);
  form->SetLeft(GetLeft() + 40);
  form->SetTop(GetTop() + 40);
  form->ShowModal();
  form->Free();
}

void TDesignerForm::LoadFromText(const std::string& text) {
  Select(nullptr);
  while (Designed->GetComponentCount() > 0) Designed->GetComponent(0)->Free();
  TextToComponent(text, Designed);
  for (int i = 0; i < Designed->GetComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(Designed->GetComponent(i))) control->SetPopupMenu(VerbsMenu);
  for (int i = 0; i < Designed->GetComponentCount(); ++i) Designed->GetComponent(i)->SetDesigning(true);
  RefreshSelector();
  Select(Designed);
}

}  // namespace korvane
