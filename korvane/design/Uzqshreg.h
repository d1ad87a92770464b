// The package's design-time side: Register puts the components on the "Shell"
// palette page, attaches the property editors of the package's own property
// types and the component editors (verbs), and files the package's properties
// into the " Velmont" category. Nothing here runs inside an application.
#pragma once
#include <string>

#include "korvane/design/designintf.h"
#include "korvane/design/locatoreditor.h"
#include "korvane/host/Forms.h"
#include "korvane/host/StdCtrls.h"

namespace korvane {

void Register(TDesignEnvironment& environment);

// The version text of the About box: hundredths (150 -> "1.5", 200 -> "2"),
// then the release letter n (> 0) as the character n + 96.
std::string ZQFormatVersion(int hundredths, int releaseLetter);
// The package's version, in hundredths, and release letter (0: none).
constexpr int kZQPackageVersion = 150, kZQPackageRelease = 0;
// The About box: the product, its version and a Close button, titled with the
// class name of the component it describes.
class TZQAboutBox : public TForm {
public:
  explicit TZQAboutBox(TComponent* AOwner);
  void Describe(TComponent* component);
  TLabel* ProductTxt;
  TLabel* VersionTxt;
  TButton* CloseBtn;
};
void ZQShowAboutBox(TComponent* component);

// The locator property: a dialog, its text not typed in.
class TZQShellLocatorEditor : public TClassProperty {
public:
  using TClassProperty::TClassProperty;
  TPropertyAttributes GetAttributes() override { return {paDialog, paReadOnly}; }
  bool Edit() override;
};

// The special folders by name, the placeholder members left out.
class TCSIDLEditor : public TEnumProperty {
public:
  using TEnumProperty::TEnumProperty;
  std::vector<std::string> GetValues() override;
};

// The frame styles, each drawn with a preview of its frame.
class TZQFrameStyleProperty : public TEnumProperty {
public:
  using TEnumProperty::TEnumProperty;
  TPropertyAttributes GetAttributes() override { return {paValueList, paOwnerDrawValues}; }
  int ListMeasureWidth(const std::string& value, TCanvas& canvas, int width) override;
  void ListDrawValue(const std::string& value, TCanvas& canvas, const RECT& r, bool selected) override;
  void PropDrawValue(TCanvas& canvas, const RECT& r, bool selected) override;
};

// Component editors: a list of verbs each.
class TZQVerbEditor : public TDefaultEditor {
public:
  using TDefaultEditor::TDefaultEditor;
  int GetVerbCount() override { return static_cast<int>(Verbs().size()); }
  std::string GetVerb(int index) override;
  void ExecuteVerb(int index) override;

protected:
  struct TVerb {
    const char* Caption;
    void (*Run)(TComponent* component);
  };
  virtual const std::vector<TVerb>& Verbs() const = 0;
};

#define KORVANE_VERB_EDITOR(Name)                     \
  class Name : public TZQVerbEditor {                 \
  public:                                             \
    using TZQVerbEditor::TZQVerbEditor;               \
                                                      \
  protected:                                          \
    const std::vector<TVerb>& Verbs() const override; \
  };
KORVANE_VERB_EDITOR(TZQAboutEditor)
KORVANE_VERB_EDITOR(TZQSysFolderDlgEditor)
KORVANE_VERB_EDITOR(TZQFolderBrowseDlgEditor)
KORVANE_VERB_EDITOR(TZQOpenDlgEditor)
KORVANE_VERB_EDITOR(TZQSaveDlgEditor)
KORVANE_VERB_EDITOR(TZQSplitterEditor)
KORVANE_VERB_EDITOR(TOpenDialogEditor)
#undef KORVANE_VERB_EDITOR

// Runs a component's own test (a dialog's Execute) and puts its published
// properties back afterwards, so that testing changes nothing being designed.
void ZQTestComponent(TComponent* component, const std::function<void()>& test);

}  // namespace korvane
