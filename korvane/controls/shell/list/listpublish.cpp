// TZQShellList's published properties (the form file and the designer read them).
#include "korvane/controls/shell/list/shelllist.h"

#include "korvane/host/PropInfo.h"

namespace korvane {

const TClassInfo& TZQShellList::StaticClassInfo() {
  static const TClassInfo info =
      TPublish<TZQShellList>("TZQShellList", &TCustomListView::StaticClassInfo())
          .Creatable()
          .Enum("HeaderSortDisplayMode", &TZQShellList::GetHeaderSortDisplayMode,
                &TZQShellList::SetHeaderSortDisplayMode, zqlvRightOfText,
                {"zqlvNone", "zqlvLeftAlign", "zqlvRightOfText", "zqlvRightAlign"})
          .Set("Options", &TZQShellList::GetOptions, &TZQShellList::SetOptions, ZQ_SHELL_LIST_DEFAULT_OPTIONS,
               {"zqsloAutoFill", "zqsloNonFilesystemAncestors", "zqsloDesignInteractive", "zqsloDefaultKeyHandling",
                "zqsloContextMenus", "zqsloDontChangeFolder", "zqsloDontGoBelowBase", "zqsloDynamicRefresh",
                "zqsloHideFoldersWhenLinkedToTree", "zqsloOleDrag", "zqsloOleDrop", "zqsloFolderContextMenu",
                "zqsloShowHidden"})
          .Object("Folder", &TZQShellList::GetFolder)
          .OfType("TZQShellLocator")
          .StoredWhen([](const TZQShellList& list) { return !list.IsLinked(); })  // the linked control names it
          .Str("FileFilter", &TZQShellList::GetFileFilter, &TZQShellList::SetFileFilter)
          .Bool("ColumnClick", &TZQShellList::GetColumnClick, &TZQShellList::SetColumnClick, true)
          .Bool("ShowColumnHeaders", &TZQShellList::GetShowColumnHeaders, &TZQShellList::SetShowColumnHeaders, true)
          .Done();
  return info;
}

}  // namespace korvane
