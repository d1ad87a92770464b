// The design environment the package registers into: palette pages, property
// editors found by a property's type (and optionally its class and name),
// component editors with verbs, and property categories; with the questions a
// designer asks of them. A small, honest model of a host IDE's interfaces; the
// designer sample (examples/designer) is built on it.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "korvane/host/Component.h"
#include "korvane/host/Graphics.h"
#include "korvane/host/PropInfo.h"

namespace korvane {

// A class a registration applies to: it and its descendants.
struct TDesignClass {
  std::string Name;
  std::function<bool(const TComponent*)> Matches;
};
template <class T>
TDesignClass DesignClass(const char* name) {
  return {name, [](const TComponent* c) { return dynamic_cast<const T*>(c) != nullptr; }};
}

enum TPropertyAttribute : std::uint8_t { paValueList, paSubProperties, paDialog, paReadOnly, paOwnerDrawValues };
using TPropertyAttributes = TSet<TPropertyAttribute>;

// Edits one published property of one component.
class TPropertyEditor {
public:
  TPropertyEditor(TComponent* component, const TPropInfo& prop) : component_(component), prop_(prop) {}
  virtual ~TPropertyEditor() = default;
  TComponent* GetComponent() const { return component_; }
  const TPropInfo& GetProp() const { return prop_; }
  virtual TPropertyAttributes GetAttributes() { return {}; }
  // The value as a property grid shows it, and as typed in (ignored when read-only).
  virtual std::string GetValue();
  virtual void SetValue(const std::string& value);
  virtual std::vector<std::string> GetValues() { return {}; }  // the drop-down list (paValueList)
  // The dialog behind the ellipsis (paDialog); true when the property was changed.
  virtual bool Edit() { return false; }
  // Owner-drawn values (paOwnerDrawValues): an entry's width, and its drawing in the list or the row.
  virtual int ListMeasureWidth(const std::string& value, TCanvas& canvas, int width);
  virtual void ListDrawValue(const std::string& value, TCanvas& canvas, const RECT& r, bool selected);
  virtual void PropDrawValue(TCanvas& canvas, const RECT& r, bool selected);

protected:
  TComponent* component_;
  const TPropInfo& prop_;
};

// A sub-object: shown as "(TypeName)", its own properties below it.
class TClassProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return {paSubProperties, paReadOnly}; }
  std::string GetValue() override;
};

// An enumeration: its member names in a drop-down list.
class TEnumProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override { return {paValueList}; }
  std::vector<std::string> GetValues() override { return prop_.Names; }
};

// Verbs on a component's context menu in the designer.
class TComponentEditor {
public:
  explicit TComponentEditor(TComponent* component) : component_(component) {}
  virtual ~TComponentEditor() = default;
  TComponent* GetComponent() const { return component_; }
  virtual int GetVerbCount() { return 0; }
  virtual std::string GetVerb(int) { return std::string(); }  // empty outside the list
  virtual void ExecuteVerb(int) {}

protected:
  TComponent* component_;
};
// The environment's own editor for components without one of their own.
class TDefaultEditor : public TComponentEditor {
public:
  using TComponentEditor::TComponentEditor;
};

using TPropertyEditorFactory = std::function<std::unique_ptr<TPropertyEditor>(TComponent*, const TPropInfo&)>;
using TComponentEditorFactory = std::function<std::unique_ptr<TComponentEditor>(TComponent*)>;

template <class E>
TPropertyEditorFactory PropertyEditorOf() {
  return [](TComponent* c, const TPropInfo& p) { return std::unique_ptr<TPropertyEditor>(new E(c, p)); };
}
template <class E>
TComponentEditorFactory ComponentEditorOf() {
  return [](TComponent* c) { return std::unique_ptr<TComponentEditor>(new E(c)); };
}

// The category every property without one of its own is filed in, and the legacy one.
inline const char* const kMiscellaneousCategory = "Miscellaneous";
inline const char* const kLegacyCategory = "Legacy";

class TDesignEnvironment {
public:
  struct TPaletteEntry {
    std::string Page;  // empty for a class registered without an icon
    const TClassInfo* Class;
    bool HasIcon;
  };

  // --- What a package registers
  void RegisterComponents(const std::string& page, const std::vector<const TClassInfo*>& classes);
  void RegisterNoIcon(const std::vector<const TClassInfo*>& classes);
  // className or propName empty: any class, any name.
  void RegisterPropertyEditor(const std::string& typeName, const TDesignClass* componentClass,
                              const std::string& propName, TPropertyEditorFactory factory);
  void RegisterComponentEditor(const TDesignClass& componentClass, TComponentEditorFactory factory);
  void RegisterPropertyCategory(const std::string& name, const std::string& description);
  void RegisterPropertiesInCategory(const std::string& category, const TDesignClass& componentClass,
                                    const std::vector<std::string>& names);
  // Files a property name, on every class, in a category.
  void RegisterPropertyInCategory(const std::string& category, const std::string& propName);

  // --- What a designer asks
  const std::vector<TPaletteEntry>& Palette() const { return palette_; }
  std::vector<const TClassInfo*> PaletteOf(const std::string& page) const;
  const TClassInfo* FindComponentClass(const std::string& name) const;
  // The editor registered last with the most specific match; the kind's default otherwise
  // (an enumeration's list, a sub-object's class editor, a plain text editor).
  std::unique_ptr<TPropertyEditor> GetPropertyEditor(TComponent* component, const TPropInfo& prop) const;
  // The component's editor, or the default one.
  std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* component) const;
  // Every category the property is filed in; the miscellaneous one when none.
  std::vector<std::string> CategoriesOf(const TComponent* component, const std::string& propName) const;
  std::string CategoryDescription(const std::string& name) const;

private:
  struct TPropertyEditorEntry {
    std::string TypeName;
    std::unique_ptr<TDesignClass> Class;
    std::string PropName;
    TPropertyEditorFactory Factory;
  };
  struct TCategoryEntry {
    std::string Category;
    std::unique_ptr<TDesignClass> Class;  // nil: every class
    std::vector<std::string> Names;
  };
  std::vector<TPaletteEntry> palette_;
  std::vector<TPropertyEditorEntry> propertyEditors_;
  std::vector<std::pair<TDesignClass, TComponentEditorFactory>> componentEditors_;
  std::map<std::string, std::string> categories_;
  std::vector<TCategoryEntry> filed_;
};

}  // namespace korvane
