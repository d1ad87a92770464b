#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "examples/designer/DesignerForm.h"
#include "korvane/controls/base/Uzqframe.h"
#include "korvane/controls/base/Uzqsplitter.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/FormFile.h"
#include "tests/support/ModalDriver.h"

using namespace korvane;

TEST(Designer, ADesignSavedAsAFormFileLoadsIntoAnApplicationForm) {
  auto* designer = new TDesignerForm(nullptr);
  designer->Show();
  // Dropped through the palette as the user would: a button chosen, then a click on the form.
  designer->PaletteButtons[8]->Click();  // TZQSplitter
  designer->Designed->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 12));
  designer->Designed->Perform(WM_LBUTTONUP, 0, MAKELPARAM(10, 12));
  auto* splitter = dynamic_cast<TZQSplitter*>(designer->GetSelected());
  ASSERT_NE(splitter, nullptr);
  EXPECT_EQ(splitter->GetName(), "ZQSplitter1");
  EXPECT_EQ(splitter->GetLeft(), 10);
  EXPECT_TRUE(splitter->GetComponentState().Contains(csDesigning));
  // The tree chosen, then a click into the splitter's left pane: it goes there.
  designer->PaletteButtons[0]->Click();
  splitter->GetPane(0)->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  auto* tree = dynamic_cast<TZQShellTree*>(designer->GetSelected());
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->GetParent(), splitter->GetPane(0));
  EXPECT_EQ(tree->GetOwner(), designer->Designed);
  // A click on a designed control selects it rather than acting on it.
  splitter->GetPane(1)->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(designer->GetSelected(), splitter);
  auto* frame = designer->Drop(TZQFrame::StaticClassInfo(), 20, 200);
  EXPECT_EQ(designer->Drop(TZQFrame::StaticClassInfo(), 20, 250)->GetName(), "ZQFrame2");  // names stay unique

  // A frame style chosen in the property grid.s list; the splitter's verbs on its context menu.
  designer->Select(frame);
  const auto& rows = designer->Properties->Rows();
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front().Category, " Velmont");
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].Editor && rows[i].Editor->GetProp().Name == "FrameStyle") designer->Properties->SelectRow(static_cast<int>(i));
  ASSERT_TRUE(designer->ValueCbx->GetVisible());
  designer->ValueCbx->SetItemIndex(designer->ValueCbx->GetItems()->IndexOf("zqfsBump"));
  designer->ApplyValue();
  EXPECT_EQ(static_cast<TZQFrame*>(frame)->GetFrameStyle(), zqfsBump);
  EXPECT_EQ(designer->VerbsOf(splitter), (std::vector<std::string>{"&About...", "&Center Panes", "Swap &Panes"}));

  // A locator property opens its editor from the ellipsis.
  designer->Select(tree);
  for (std::size_t i = 0; i < designer->Properties->Rows().size(); ++i)
    if (const auto& row = designer->Properties->Rows()[i]; row.Editor && row.Editor->GetProp().Name == "BaseFolder")
      designer->Properties->SelectRow(static_cast<int>(i));
  EXPECT_TRUE(designer->EllipsisBtn->GetEnabled());
  test::ModalDriver driver([] { return test::FindProcessWindow(nullptr, "Shell Locator Editor"); },
                           [](HWND editor) { PostMessageA(editor, WM_CLOSE, 0, 0); });
  designer->EllipsisBtn->Click();
  EXPECT_TRUE(driver.Acted());

  // The form file, loaded by a plain application form at run time.
  const std::string text = designer->SaveToText();
  designer->Free();
  auto* application = new TForm(nullptr);
  TextToComponent(text, application);
  auto* loadedFrame = dynamic_cast<TZQFrame*>(application->FindComponent("ZQFrame1"));
  auto* loadedSplitter = dynamic_cast<TZQSplitter*>(application->FindComponent("ZQSplitter1"));
  auto* loadedTree = dynamic_cast<TZQShellTree*>(application->FindComponent("ZQShellTree1"));
  ASSERT_NE(loadedFrame, nullptr) << text;
  ASSERT_NE(loadedSplitter, nullptr) << text;
  ASSERT_NE(loadedTree, nullptr) << text;
  EXPECT_EQ(loadedFrame->GetFrameStyle(), zqfsBump);
  EXPECT_EQ(loadedTree->GetParent(), loadedSplitter->GetPane(0));
  EXPECT_FALSE(loadedFrame->GetComponentState().Contains(csDesigning));
  application->Free();
}
