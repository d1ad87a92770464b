#include "korvane/controls/base/Uzqframe.h"
#include "korvane/controls/base/Uzqimagecombo.h"
#include "korvane/controls/base/Uzqsplitter.h"
#include "korvane/controls/base/Uzqtreelist.h"
#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/design/Uzqshreg.h"
#include "korvane/dialogs/Fzqfolderbrowsedlg.h"
#include "korvane/dialogs/Fzqopendlg.h"
#include "korvane/dialogs/Uzqsysfolderdlg.h"
#include "korvane/host/CommonDialogs.h"

namespace korvane {

namespace {
const char* const kVelmont = " Velmont";

void FileCategoryTable(TDesignEnvironment& e) {
  const auto file = [&e](const TDesignClass& c, std::vector<std::string> names) {
    e.RegisterPropertiesInCategory(kVelmont, c, names);
  };
  file(DesignClass<TZQCustomShellCombo>("TZQCustomShellCombo"), {"ShellTree", "ShellList", "IndentPixels", "Options"});
  file(DesignClass<TZQCustomShellList>("TZQCustomShellList"),
       {"Options", "Folder", "FileFilter", "OnAddItem", "OnDeleteItem", "OnPopupHint", "OnDblClickOpen",
        "OnCustomDrawSh", "OnCustomDrawShEx", "OnFillComplete", "OnFillStart", "OnFolderChanged"});
  file(DesignClass<TZQCustomShellTree>("TZQCustomShellTree"),
       {"SelectedItem", "SelectedFolder", "SelectedPathName", "ShTreeData", "BaseFolder", "ShellList", "Options",
        "OnAddItem", "OnDeleteItem", "OnInsertItem", "OnPopupHint", "OnCustomDrawSh", "OnCustomDrawShEx",
        "OnFillComplete", "OnFillStart"});
  file(DesignClass<TZQFileDlg>("TZQFileDlg"),
       {"DefaultExt",        "Title",           "Options",          "Filter",           "FilterIndex",
        "FormWidth",         "FormHeight",      "FormWindowState",  "FormSplitterPos",  "HelpContext",
        "HistoryList",       "InitialDir",      "OnAddListItem",    "OnAddTreeItem",    "OnAddComboItem",
        "OnInitialized",     "OnLvCustomDrawSh", "OnLvCustomDrawShEx", "OnTvCustomDrawSh", "OnTvCustomDrawShEx",
        "OnFormClose",       "OnFormShow",      "OnFolderChanged",  "OnSelectionChanged", "OnTypeChanged"});
  file(DesignClass<TZQFolderBrowseDlg>("TZQFolderBrowseDlg"),
       {"Title", "FormWidth", "FormHeight", "FormWindowState", "BaseFolder", "Options", "OnAddItem", "OnFormClose",
        "OnFormShow", "OnSelChange", "OnInitialized", "OnTvCustomDrawSh", "OnTvCustomDrawShEx"});
  const std::vector<std::string> framed = {"Alignment", "DefaultDrawing", "FrameSpace", "FrameStyle", "OnPaint"};
  file(DesignClass<TZQCustomFrame>("TZQCustomFrame"), framed);
  file(DesignClass<TZQCustomGroup>("TZQCustomGroup"), framed);
  file(DesignClass<TZQSplitter>("TZQSplitter"),
       {"FullDragMode", "Proportional", "Position", "Style", "SplitterWidth", "Pane1Color", "Pane1FrameStyle",
        "Pane1MinSize", "Pane2Color", "Pane2FrameStyle", "Pane2MinSize", "OnChange", "OnResize", "OnSplitterDrag",
        "OnSplitterDrop"});
  file(DesignClass<TZQCustomCombobox>("TZQCustomCombobox"), {"OnDeleteItem", "OnCloseUp", "OnSelEndCancel", "OnSelEndOk"});
  file(DesignClass<TZQCustomImageCombo>("TZQCustomImageCombo"), {"AutoSizeHeight", "IndentPixels", "ImageList"});
  file(DesignClass<TZQSysFolderDlg>("TZQSysFolderDlg"), {"Domain", "Options", "Title", "OnInitialized", "OnSelChanged"});
  file(DesignClass<TZQCustomListView>("TZQCustomListView"),
       {"HeaderSortDisplayMode", "HeaderDefaultDrawing", "OnZQCustomDraw", "OnZQCustomDrawEx", "OnItemContextMenu"});
  file(DesignClass<TZQCustomTreeView>("TZQCustomTreeView"), {"OnZQCustomDraw", "OnZQCustomDrawEx", "OnNodeContextMenu"});
}
}  // namespace

void Register(TDesignEnvironment& e) {
  e.RegisterComponents("Shell", {&TZQShellTree::StaticClassInfo(), &TZQShellList::StaticClassInfo(),
                                 &TZQShellCombo::StaticClassInfo(), &TZQOpenDlg::StaticClassInfo(),
                                 &TZQSaveDlg::StaticClassInfo(), &TZQFolderBrowseDlg::StaticClassInfo(),
                                 &TZQFrame::StaticClassInfo(), &TZQGroup::StaticClassInfo(),
                                 &TZQSplitter::StaticClassInfo(), &TZQImageCombo::StaticClassInfo(),
                                 &TZQSysFolderDlg::StaticClassInfo(), &TZQCombobox::StaticClassInfo(),
                                 &TZQTreeView::StaticClassInfo(), &TZQListView::StaticClassInfo()});
  e.RegisterNoIcon({&TZQPane::StaticClassInfo()});

  e.RegisterPropertyEditor("TZQShellLocator", nullptr, "", PropertyEditorOf<TZQShellLocatorEditor>());
  e.RegisterPropertyEditor("TCSIDL", nullptr, "", PropertyEditorOf<TCSIDLEditor>());

  e.RegisterComponentEditor(DesignClass<TZQSysFolderDlg>("TZQSysFolderDlg"), ComponentEditorOf<TZQSysFolderDlgEditor>());
  e.RegisterComponentEditor(DesignClass<TZQFolderBrowseDlg>("TZQFolderBrowseDlg"),
                            ComponentEditorOf<TZQFolderBrowseDlgEditor>());
  e.RegisterComponentEditor(DesignClass<TZQOpenDlg>("TZQOpenDlg"), ComponentEditorOf<TZQOpenDlgEditor>());
  e.RegisterComponentEditor(DesignClass<TZQSaveDlg>("TZQSaveDlg"), ComponentEditorOf<TZQSaveDlgEditor>());
  e.RegisterComponentEditor(DesignClass<TZQSplitter>("TZQSplitter"), ComponentEditorOf<TZQSplitterEditor>());
  for (const TDesignClass& c :
       {DesignClass<TZQShellTree>("TZQShellTree"), DesignClass<TZQShellList>("TZQShellList"),
        DesignClass<TZQShellCombo>("TZQShellCombo"), DesignClass<TZQFrame>("TZQFrame"),
        DesignClass<TZQGroup>("TZQGroup"), DesignClass<TZQImageCombo>("TZQImageCombo"),
        DesignClass<TZQCombobox>("TZQCombobox"), DesignClass<TZQTreeView>("TZQTreeView"),
        DesignClass<TZQListView>("TZQListView")})
    e.RegisterComponentEditor(c, ComponentEditorOf<TZQAboutEditor>());
  e.RegisterComponentEditor(DesignClass<TOpenDialog>("TOpenDialog"), ComponentEditorOf<TOpenDialogEditor>());

  e.RegisterPropertyEditor("TZQFrameStyle", nullptr, "", PropertyEditorOf<TZQFrameStyleProperty>());

  e.RegisterPropertyCategory(kVelmont, "Items added by Velmont controls");
  FileCategoryTable(e);
  e.RegisterPropertyInCategory(kLegacyCategory, "OnCustomDrawSh");
  e.RegisterPropertyInCategory(kLegacyCategory, "OnCustomDrawShEx");
}

}  // namespace korvane
