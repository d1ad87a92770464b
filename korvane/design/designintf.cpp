#include "korvane/design/designintf.h"

#include <algorithm>

#include "korvane/host/Format.h"

namespace korvane {

namespace {
// The value a property of an ordinal kind shows: the member's name, a set's members, or the number.
std::string OrdText(const TPropInfo& p, std::int64_t v) {
  if (p.Kind == pkBoolean) return v ? "True" : "False";
  if (p.Kind == pkEnum) return v >= 0 && static_cast<std::size_t>(v) < p.Names.size() ? p.Names[v] : std::to_string(v);
  if (p.Kind == pkSet) {
    std::string text;
    for (std::size_t i = 0; i < p.Names.size() && i < 64; ++i)
      if (static_cast<std::uint64_t>(v) & (std::uint64_t{1} << i)) text += (text.empty() ? "" : ",") + p.Names[i];
    return "[" + text + "]";
  }
  if (p.Idents)
    for (const auto& [name, value] : *p.Idents)
      if (value == v) return name;
  return std::to_string(v);
}
}  // namespace

std::string TPropertyEditor::GetValue() {
  switch (prop_.Kind) {
    case pkString: return prop_.GetStr(*component_);
    case pkComponent: {
      TComponent* c = prop_.GetRef(*component_);
      return c ? c->GetName() : std::string();
    }
    case pkClass: return TClassProperty(component_, prop_).GetValue();
    default: return OrdText(prop_, prop_.GetOrd(*component_));
  }
}

void TPropertyEditor::SetValue(const std::string& value) {
  switch (prop_.Kind) {
    case pkString: prop_.SetStr(*component_, value); return;
    case pkBoolean: prop_.SetOrd(*component_, value == "True" ? 1 : 0); return;
    case pkEnum: {
      const auto at = std::find(prop_.Names.begin(), prop_.Names.end(), value);
      if (at != prop_.Names.end()) prop_.SetOrd(*component_, at - prop_.Names.begin());
      return;
    }
    case pkInteger:
      if (prop_.Idents)
        for (const auto& [name, v] : *prop_.Idents)
          if (name == value) return prop_.SetOrd(*component_, v);
      try {
        prop_.SetOrd(*component_, std::stoll(value));
      } catch (const std::exception&) {  // not a number: the value stays
      }
      return;
    default: return;  // sets, links and sub-objects have editors of their own
  }
}

int TPropertyEditor::ListMeasureWidth(const std::string&, TCanvas&, int width) { return width; }

void TPropertyEditor::ListDrawValue(const std::string& value, TCanvas& canvas, const RECT& r, bool) {
  canvas.TextRect(r, r.left + 1, r.top + 1, value);
}

void TPropertyEditor::PropDrawValue(TCanvas& canvas, const RECT& r, bool selected) {
  ListDrawValue(GetValue(), canvas, r, selected);
}

std::string TClassProperty::GetValue() {
  if (!prop_.TypeName.empty()) return "(" + prop_.TypeName + ")";
  TPersistent* object = prop_.GetObj ? prop_.GetObj(*component_) : nullptr;
  return "(" + (object ? object->ClassName() : std::string()) + ")";
}

void TDesignEnvironment::RegisterComponents(const std::string& page, const std::vector<const TClassInfo*>& classes) {
  for (const TClassInfo* c : classes) {
    RegisterClass(*c);
    palette_.push_back({page, c, true});
  }
}

void TDesignEnvironment::RegisterNoIcon(const std::vector<const TClassInfo*>& classes) {
  for (const TClassInfo* c : classes) {
    RegisterClass(*c);
    palette_.push_back({std::string(), c, false});
  }
}

void TDesignEnvironment::RegisterPropertyEditor(const std::string& typeName, const TDesignClass* componentClass,
                                                const std::string& propName, TPropertyEditorFactory factory) {
  propertyEditors_.push_back({typeName, componentClass ? std::make_unique<TDesignClass>(*componentClass) : nullptr,
                              propName, std::move(factory)});
}

void TDesignEnvironment::RegisterComponentEditor(const TDesignClass& componentClass, TComponentEditorFactory factory) {
  componentEditors_.emplace_back(componentClass, std::move(factory));
}

void TDesignEnvironment::RegisterPropertyCategory(const std::string& name, const std::string& description) {
  categories_[name] = description;
}

void TDesignEnvironment::RegisterPropertiesInCategory(const std::string& category, const TDesignClass& componentClass,
                                                      const std::vector<std::string>& names) {
  filed_.push_back({category, std::make_unique<TDesignClass>(componentClass), names});
}

void TDesignEnvironment::RegisterPropertyInCategory(const std::string& category, const std::string& propName) {
  filed_.push_back({category, nullptr, {propName}});
}

std::vector<const TClassInfo*> TDesignEnvironment::PaletteOf(const std::string& page) const {
  std::vector<const TClassInfo*> classes;
  for (const TPaletteEntry& e : palette_)
    if (e.HasIcon && e.Page == page) classes.push_back(e.Class);
  return classes;
}

const TClassInfo* TDesignEnvironment::FindComponentClass(const std::string& name) const {
  for (const TPaletteEntry& e : palette_)
    if (e.Class->Name == name) return e.Class;
  return nullptr;
}

std::unique_ptr<TPropertyEditor> TDesignEnvironment::GetPropertyEditor(TComponent* component,
                                                                       const TPropInfo& prop) const {
  const TPropertyEditorEntry* best = nullptr;
  int bestScore = -1;
  for (const TPropertyEditorEntry& e : propertyEditors_) {
    if (e.TypeName != prop.TypeName || prop.TypeName.empty()) continue;
    if (e.Class && !e.Class->Matches(component)) continue;
    if (!e.PropName.empty() && e.PropName != prop.Name) continue;
    const int score = (e.Class ? 1 : 0) + (e.PropName.empty() ? 0 : 2);
    if (score >= bestScore) best = &e, bestScore = score;  // a later one of equal rank wins
  }
  if (best) return best->Factory(component, prop);
  if (prop.Kind == pkEnum) return std::make_unique<TEnumProperty>(component, prop);
  if (prop.Kind == pkClass) return std::make_unique<TClassProperty>(component, prop);
  return std::make_unique<TPropertyEditor>(component, prop);
}

std::unique_ptr<TComponentEditor> TDesignEnvironment::GetComponentEditor(TComponent* component) const {
  for (auto it = componentEditors_.rbegin(); it != componentEditors_.rend(); ++it)
    if (it->first.Matches(component)) return it->second(component);
  return std::make_unique<TDefaultEditor>(component);
}

std::vector<std::string> TDesignEnvironment::CategoriesOf(const TComponent* component,
                                                          const std::string& propName) const {
  std::vector<std::string> found;
  for (const TCategoryEntry& e : filed_) {
    if (e.Class && !e.Class->Matches(component)) continue;
    if (std::find(e.Names.begin(), e.Names.end(), propName) == e.Names.end()) continue;
    if (std::find(found.begin(), found.end(), e.Category) == found.end()) found.push_back(e.Category);
  }
  if (found.empty()) found.push_back(kMiscellaneousCategory);
  return found;
}

std::string TDesignEnvironment::CategoryDescription(const std::string& name) const {
  const auto it = categories_.find(name);
  return it == categories_.end() ? std::string() : it->second;
}

}  // namespace korvane
