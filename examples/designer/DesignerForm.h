// The designer sample: the "Shell" palette from the package's registrations, a
// form being designed, and a property grid using the registered property editors;
// a component's verbs on its context menu; the design saved as a text form
// file that an application loads at run time.
#pragma once
#include <string>
#include <vector>

#include "examples/designer/PropertyGrid.h"
#include "korvane/design/designintf.h"
#include "korvane/host/Buttons.h"
#include "korvane/host/ComboBox.h"
#include "korvane/host/Forms.h"
#include "korvane/host/Menus.h"
#include "korvane/dialogs/Fzqopendlg.h"
#include "korvane/host/StdCtrls.h"

namespace korvane {

class TDesignerForm : public TForm {
public:
  explicit TDesignerForm(TComponent* AOwner);

  TPanel* PaletteBar;
  std::vector<TSpeedButton*> PaletteButtons;  // one per class on the "Shell" page, in order
  TForm* Designed;                            // the form being designed, "Form1"
  TComboBox* Selector;                        // the designed form's components
  TPropertyGrid* Properties;
  TEdit* ValueEdt;
  TComboBox* ValueCbx;
  TButton* EllipsisBtn;
  TPopupMenu* VerbsMenu;

  const TDesignEnvironment& Environment() const { return environment_; }
  // A new component of the class on the designed form at (x, y) of parent (the form when nil),
  // named uniquely, in design state.
  TComponent* Drop(const TClassInfo& info, int x, int y, TWinControl* parent = nullptr);
  void Select(TComponent* component);
  TComponent* GetSelected() const { return Properties->GetEdited(); }
  // The selected property takes the value box's text, or the list's choice.
  void ApplyValue();
  // The verbs of the component's editor, as its context menu offers them.
  std::vector<std::string> VerbsOf(TComponent* component);
  std::string SaveToText();
  void LoadFromText(const std::string& text);
  // File menu: the design to and from a form file through the package's own dialogs,
  // and the design run as an application form would load it.
  void SaveToFile();
  void LoadFromFile();
  void RunDesign();

private:
  void PaletteClick(TObject* sender);
  void DesignedMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  // A click on a designed control: selects it, drops the pending class into a container, or
  // (right button) offers its verbs.
  void DesignMouse(TControl* control, const TMessage& message);
  void PropertySelect(TObject* sender);
  void BuildVerbs(TObject* sender);
  void RefreshSelector();
  void Layout(TObject* sender);
  TDesignEnvironment environment_;
  const TClassInfo* pending_ = nullptr;  // the palette's chosen class, dropped at the next click
};

}  // namespace korvane
