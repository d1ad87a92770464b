#include "examples/designer/PropertyGrid.h"

#include <algorithm>
#include <map>

namespace korvane {

TPropertyGrid::TPropertyGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
  SetTabStop(true);
}

void TPropertyGrid::Edit(TComponent* component, const TDesignEnvironment& environment) {
  edited_ = component;
  rows_.clear();
  selected_ = -1;
  if (component) {
    // Each property under its first category; categories and names in alphabetical order (" Velmont" first).
    std::map<std::string, std::vector<const TPropInfo*>> byCategory;
    for (const TPropInfo* p : component->ClassInfo().AllProps())
      byCategory[environment.CategoriesOf(component, p->Name).front()].push_back(p);
    for (auto& [category, props] : byCategory) {
      rows_.push_back({category, nullptr});
      std::sort(props.begin(), props.end(), [](const TPropInfo* a, const TPropInfo* b) { return a->Name < b->Name; });
      for (const TPropInfo* p : props) rows_.push_back({category, environment.GetPropertyEditor(component, *p)});
    }
  }
  Invalidate();
}

TPropertyEditor* TPropertyGrid::Find(const std::string& propName) const {
  for (const TRow& row : rows_)
    if (row.Editor && row.Editor->GetProp().Name == propName) return row.Editor.get();
  return nullptr;
}

TPropertyEditor* TPropertyGrid::GetSelected() const {
  return selected_ >= 0 && static_cast<std::size_t>(selected_) < rows_.size() ? rows_[selected_].Editor.get() : nullptr;
}

void TPropertyGrid::SelectRow(int index) {
  selected_ = index;
  Invalidate();
  if (OnSelect) OnSelect(this);
}

void TPropertyGrid::Paint() {
  TCanvas* c = GetCanvas();
  const int width = GetClientWidth();
  c->SetFont(GetFont());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const int top = static_cast<int>(i) * kRowHeight;
    const RECT row = {0, top, width, top + kRowHeight};
    const TRow& r = rows_[i];
    const bool selected = static_cast<int>(i) == selected_;
    c->GetBrush()->SetColor(!r.Editor ? clBtnFace : selected ? clHighlight : clWindow);
    c->FillRect(row);
    c->GetFont()->SetColor(selected && r.Editor ? clHighlightText : clWindowText);
    if (!r.Editor) {
      c->GetFont()->SetStyle({fsBold});
      c->TextOut(4, top + 2, r.Category);
      c->GetFont()->SetStyle({});
      continue;
    }
    c->TextRect({12, top, kNameWidth, top + kRowHeight}, 12, top + 2, r.Editor->GetProp().Name);
    RECT value = {kNameWidth + 2, top, width, top + kRowHeight};
    const TPropertyAttributes attributes = r.Editor->GetAttributes();
    if (attributes.Contains(paDialog)) value.right -= 18;
    c->GetBrush()->SetColor(clWindow);
    c->GetFont()->SetColor(clWindowText);
    if (attributes.Contains(paOwnerDrawValues)) r.Editor->PropDrawValue(*c, value, selected);
    else c->TextRect(value, value.left + 1, top + 2, r.Editor->GetValue());
    if (attributes.Contains(paDialog)) {
      RECT button = {width - 18, top + 1, width - 1, top + kRowHeight - 1};
      DrawFrameControl(c->GetHandle(), &button, DFC_BUTTON, DFCS_BUTTONPUSH);
      c->GetBrush()->SetStyle(bsClear);
      c->TextOut(button.left + 4, top + 1, "...");
      c->GetBrush()->SetStyle(bsSolid);
    }
    c->GetPen()->SetColor(clBtnFace);
    c->MoveTo(0, top + kRowHeight - 1);
    c->LineTo(width, top + kRowHeight - 1);
  }
}

void TPropertyGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (CanFocus()) SetFocus();
  const int index = Y / kRowHeight;
  if (index >= 0 && static_cast<std::size_t>(index) < rows_.size() && rows_[index].Editor) SelectRow(index);
}

}  // namespace korvane
