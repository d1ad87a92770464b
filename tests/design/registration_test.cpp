#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/controls/base/Uzqsplitter.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/design/Uzqshreg.h"
#include "korvane/dialogs/Fzqfolderbrowsedlg.h"
#include "korvane/dialogs/Fzqopendlg.h"
#include "korvane/dialogs/Uzqsysfolderdlg.h"
#include "korvane/host/CommonDialogs.h"
#include "korvane/host/FormFile.h"
#include "korvane/shell/Uzqshellutils.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedForm.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {
// A component of the application's own with a special-folder property.
class TFolderPicker : public TComponent {
public:
  using TComponent::TComponent;
  TCSIDL GetRoot() const { return root_; }
  void SetRoot(TCSIDL v) { root_ = v; }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TPublish<TFolderPicker>("TFolderPicker", &TComponent::StaticClassInfo())
                                       .Enum("Root", &TFolderPicker::GetRoot, &TFolderPicker::SetRoot, csidlDesktop,
                                             CSIDLNames())
                                       .OfType("TCSIDL")
                                       .Done();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

private:
  TCSIDL root_ = csidlDesktop;
};

class Registration : public ::testing::Test {
protected:
  void SetUp() override { Register(environment); }
  std::unique_ptr<TPropertyEditor> EditorOf(TComponent* c, const char* prop) {
    const TPropInfo* p = c->ClassInfo().FindProp(prop);
    return p ? environment.GetPropertyEditor(c, *p) : nullptr;
  }
  std::vector<std::string> Verbs(TComponent* c) {
    auto editor = environment.GetComponentEditor(c);
    std::vector<std::string> verbs;
    for (int i = 0; i < editor->GetVerbCount(); ++i) verbs.push_back(editor->GetVerb(i));
    EXPECT_EQ(editor->GetVerb(-1), "");
    EXPECT_EQ(editor->GetVerb(editor->GetVerbCount()), "");
    return verbs;
  }
  TDesignEnvironment environment;
};
}  // namespace

TEST_F(Registration, ThePaletteHoldsTheFourteenComponentsInOrderAndThePaneWithoutIcon) {
  std::vector<std::string> shell;
  for (const TClassInfo* c : environment.PaletteOf("Shell")) shell.push_back(c->Name);
  EXPECT_EQ(shell, (std::vector<std::string>{"TZQShellTree", "TZQShellList", "TZQShellCombo", "TZQOpenDlg",
                                             "TZQSaveDlg", "TZQFolderBrowseDlg", "TZQFrame", "TZQGroup",
                                             "TZQSplitter", "TZQImageCombo", "TZQSysFolderDlg", "TZQCombobox",
                                             "TZQTreeView", "TZQListView"}));
  const auto& palette = environment.Palette();
  ASSERT_EQ(palette.size(), 15u);
  EXPECT_EQ(palette.back().Class->Name, "TZQPane");
  EXPECT_FALSE(palette.back().HasIcon);
  EXPECT_NE(FindClass("TZQPane"), nullptr);  // a form file with a splitter can be read
}

TEST_F(Registration, EachPropertyTypeFindsItsEditor) {
  TZQShellTree tree(nullptr);
  TZQShellList list(nullptr);
  TZQFolderBrowseDlg browse(nullptr);
  for (auto [component, prop] : {std::pair<TComponent*, const char*>{&tree, "BaseFolder"}, {&list, "Folder"},
                                 {&browse, "BaseFolder"}}) {
    auto editor = EditorOf(component, prop);
    ASSERT_NE(dynamic_cast<TZQShellLocatorEditor*>(editor.get()), nullptr) << prop;
    EXPECT_EQ(editor->GetAttributes(), (TPropertyAttributes{paDialog, paReadOnly}));
    EXPECT_EQ(editor->GetValue(), "(TZQShellLocator)");
  }
  TFolderPicker picker(nullptr);
  auto csidl = EditorOf(&picker, "Root");
  ASSERT_NE(dynamic_cast<TCSIDLEditor*>(csidl.get()), nullptr);
  const std::vector<std::string> names = csidl->GetValues();
  EXPECT_EQ(names.size(), 24u);
  EXPECT_EQ(names.front(), "csidlDesktop");
  EXPECT_EQ(names.back(), "csidlNone");
  for (const std::string& name : names) EXPECT_EQ(name.find('_'), std::string::npos) << name;
  csidl->SetValue("csidlFonts");
  EXPECT_EQ(picker.GetRoot(), csidlFonts);

  // A property of no registered type gets the kind's own editor.
  TZQSplitter splitter(nullptr);
  auto style = EditorOf(&splitter, "Style");
  EXPECT_NE(dynamic_cast<TEnumProperty*>(style.get()), nullptr);
  EXPECT_EQ(dynamic_cast<TZQFrameStyleProperty*>(style.get()), nullptr);
}

TEST_F(Registration, FrameStylesDropDownWithAPreviewOfEachFrame) {
  TZQFrame frame(nullptr);
  auto editor = EditorOf(&frame, "FrameStyle");
  ASSERT_NE(dynamic_cast<TZQFrameStyleProperty*>(editor.get()), nullptr);
  EXPECT_TRUE(editor->GetAttributes().Contains(paOwnerDrawValues));
  TBitmap bitmap(120, 20);
  TCanvas& canvas = *bitmap.GetCanvas();
  const int x2 = 2 * canvas.TextWidth("X");
  EXPECT_EQ(editor->ListMeasureWidth("zqfsSingle", canvas, 70), 70 + x2);
  canvas.GetBrush()->SetColor(clWhite);
  canvas.FillRect({0, 0, 120, 20});
  editor->ListDrawValue("zqfsSingle", canvas, {0, 0, 120, 20}, false);
  // The preview box: button face, the single frame's dark line inset by 2, nothing outside the box.
  EXPECT_EQ(bitmap.PixelRGB(1, 10), ColorToRGB(clBtnFace));
  EXPECT_NE(bitmap.PixelRGB(2, 10), ColorToRGB(clBtnFace));
  EXPECT_EQ(bitmap.PixelRGB(x2 - 1, 10), ColorToRGB(clBtnFace));
}

TEST_F(Registration, VerbsPerEditorAndWhatTheSplitterOnesDo) {
  TZQShellTree tree(nullptr);
  TZQSysFolderDlg sys(nullptr);
  TZQOpenDlg open(nullptr);
  TZQSaveDlg save(nullptr);
  TZQFolderBrowseDlg browse(nullptr);
  TOpenDialog system(nullptr);
  TZQSplitter splitter(nullptr);
  const std::vector<std::string> aboutTest = {"&About...", "&Test..."};
  EXPECT_EQ(Verbs(&tree), std::vector<std::string>{"&About..."});
  EXPECT_EQ(Verbs(&sys), aboutTest);
  EXPECT_EQ(Verbs(&open), aboutTest);
  EXPECT_EQ(Verbs(&save), aboutTest);
  EXPECT_EQ(Verbs(&browse), aboutTest);
  EXPECT_EQ(Verbs(&system), std::vector<std::string>{"&Test..."});
  EXPECT_EQ(Verbs(&splitter), (std::vector<std::string>{"&About...", "&Center Panes", "Swap &Panes"}));
  TComponent plain(nullptr);
  EXPECT_TRUE(Verbs(&plain).empty());

  test::TestForm form;
  splitter.SetParent(form.Get());
  splitter.SetBounds(0, 0, 405, 100);
  splitter.SetSplitterWidth(5);
  TZQPane* first = splitter.GetPane(0);
  auto editor = environment.GetComponentEditor(&splitter);
  editor->ExecuteVerb(1);
  EXPECT_EQ(splitter.GetPosition(), 200);
  editor->ExecuteVerb(2);
  EXPECT_EQ(splitter.GetPane(1), first);
  splitter.SetParent(nullptr);
}

TEST_F(Registration, ThePackagesPropertiesLandInItsCategory) {
  TZQShellTree tree(nullptr);
  TZQOpenDlg open(nullptr);
  TZQSplitter splitter(nullptr);
  const std::vector<std::string> velmont = {" Velmont"};
  EXPECT_EQ(environment.CategoriesOf(&tree, "BaseFolder"), velmont);
  EXPECT_EQ(environment.CategoriesOf(&open, "FormSplitterPos"), velmont);  // filed for TZQFileDlg
  EXPECT_EQ(environment.CategoriesOf(&splitter, "Pane2MinSize"), velmont);
  EXPECT_EQ(environment.CategoriesOf(&tree, "OnCustomDrawSh"), (std::vector<std::string>{" Velmont", "Legacy"}));
  EXPECT_EQ(environment.CategoriesOf(&splitter, "Align"), std::vector<std::string>{"Miscellaneous"});
  EXPECT_EQ(environment.CategoryDescription(" Velmont"), "Items added by Velmont controls");
}

TEST(About, TheVersionRuleAndTheBox) {
  const struct {
    int hundredths, letter;
    const char* text;
  } cases[] = {{150, 0, "1.5"}, {200, 0, "2"}, {125, 0, "1.25"}, {150, 1, "1.5a"}, {310, 3, "3.1c"}, {5, 0, "0.05"}};
  for (const auto& c : cases) EXPECT_EQ(ZQFormatVersion(c.hundredths, c.letter), c.text) << c.hundredths;

  TZQSplitter splitter(nullptr);
  test::TScriptedForm<TZQAboutBox> box(nullptr);
  box.Describe(&splitter);
  std::string caption, version;
  box.steps = {[&](test::TScriptedForm<TZQAboutBox>& f) {
    caption = f.GetCaption();
    version = f.VersionTxt->GetCaption();
    f.CloseBtn->Click();
  }};
  box.ShowModal();
  EXPECT_FALSE(box.leftOpen);
  EXPECT_EQ(caption, "TZQSplitter About");
  EXPECT_EQ(version, "Version 1.5");
  EXPECT_TRUE(box.ProductTxt->GetFont()->GetStyle().Contains(fsBold));
}

TEST_F(Registration, TestingADialogLeavesTheDesignedComponentAsItWas) {
  TZQOpenDlg open(nullptr);
  open.SetName("OpenDialog1");
  open.SetFilter("Text|*.txt");
  open.SetFormWidth(500);
  const std::string before = ComponentToText(&open);
  // The user resizes the dialog under test and closes it.
  test::ModalDriver driver([] { return test::FindProcessWindow(nullptr, "Open"); }, [](HWND dialog) {
    SetWindowPos(dialog, nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  });
  environment.GetComponentEditor(&open)->ExecuteVerb(1);
  EXPECT_TRUE(driver.Acted());
  EXPECT_EQ(ComponentToText(&open), before);
  EXPECT_EQ(open.GetFormWidth(), 500);
}
