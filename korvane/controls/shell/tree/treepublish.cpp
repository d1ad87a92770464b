// TZQShellTree's published properties (the form file and the designer read them).
#include "korvane/controls/shell/tree/shelltree.h"

#include "korvane/host/PropInfo.h"

namespace korvane {

TComponent* TZQCustomShellTree::GetShellListComponent() const {
  return shellList_ ? shellList_->LinkComponent() : nullptr;
}

const TClassInfo& TZQShellTree::StaticClassInfo() {
  static const TClassInfo info =
      TPublish<TZQShellTree>("TZQShellTree", &TCustomTreeView::StaticClassInfo())
          .Creatable()
          .Object("BaseFolder", &TZQShellTree::GetBaseFolder)
          .OfType("TZQShellLocator")
          .Ref("ShellList", &TZQShellTree::GetShellListComponent, &TZQShellTree::SetShellList)
          .Set("Options", &TZQShellTree::GetOptions, &TZQShellTree::SetOptions, ZQ_SHELL_TREE_DEFAULT_OPTIONS,
               {"zqstoAutoFill", "zqstoVirtualFolders", "zqstoDesignInteractive", "zqstoDefaultKeyHandling",
                "zqstoContextMenus", "zqstoDynamicRefresh", "zqstoIncludeNonFolders", "zqstoOleDrag",
                "zqstoOleDrop", "zqstoShowHidden"})
          .Int("ChangeDelay", &TZQShellTree::GetChangeDelay, &TZQShellTree::SetChangeDelay, 0)
          .Enum("DragMode", &TZQShellTree::GetDragMode, &TZQShellTree::SetDragMode, dmManual,
                {"dmManual", "dmAutomatic"})
          .Int("DragCursor", &TZQShellTree::GetDragCursor, &TZQShellTree::SetDragCursor, crDrag)
          .Bool("AutoExpand", &TZQShellTree::GetAutoExpand, &TZQShellTree::SetAutoExpand, false)
          .Bool("HotTrack", &TZQShellTree::GetHotTrack, &TZQShellTree::SetHotTrack, false)
          .Bool("ToolTips", &TZQShellTree::GetToolTips, &TZQShellTree::SetToolTips, true)
          .Done();
  return info;
}

}  // namespace korvane
