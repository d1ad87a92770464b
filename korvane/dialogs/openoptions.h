// The file dialog's options and help types, shared by the component and its form.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include "korvane/host/System.h"

namespace korvane {

enum TZQOpenOption : std::uint8_t {
  zqofAllowMultiselect, zqofCreatePrompt, zqofExtensionDifferent, zqofFileMustExist, zqofHideReadOnly,
  zqofNoChangeDir, zqofNoDereferenceLinks, zqofNoReadOnlyReturn, zqofNoTestFileCreate, zqofNoValidate,
  zqofOverwritePrompt, zqofReadOnly, zqofPathMustExist, zqofShareAware, zqofShowHelp, zqofAllowTree, zqofShowTree,
  zqofShowHints, zqofHideFoldersInListWhenTreeVisible, zqofOleDrag, zqofOleDrop, zqofShowHidden
};
using TZQOpenOptions = TSet<TZQOpenOption>;
// zqofHideReadOnly, zqofAllowTree, zqofShowHints, zqofOleDrag, zqofOleDrop, zqofShowHidden
constexpr std::uint64_t ZQ_OPEN_DIALOG_DEFAULT_OPTIONS = 3833872;

using THelpContext = int;
// A help request: answers true when handled; callHelp false keeps the system's help away.
using THelpEvent = std::function<bool(UINT command, ULONG_PTR data, bool& callHelp)>;

}  // namespace korvane
