// Matching what a control shows against a fresh enumeration of its folder.
// Items are identified by the folder's own CompareIDs, which is canonical: the
// bytes of a file-system list also carry size, date and attributes, so a
// modified file has other bytes but is the same item. Bytes decide only where
// CompareIDs fails. Items with the same bytes are matched by a hash first, so
// the folder is asked only about the few that changed.
#pragma once
#include <cstddef>
#include <vector>

#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

struct TMergeShown {
  void* key;              // the caller's item
  PCItemIDList relative;  // its list, relative to the folder
};

struct TMergeResult {
  std::vector<void*> vanished;  // shown items the folder no longer has
  // Shown items that are still there with other bytes: key and index into fresh.
  std::vector<std::pair<void*, std::size_t>> changed;
  std::vector<std::size_t> added;  // indexes into fresh of new items, in enumeration order
};

TMergeResult MergeItems(IShellFolder* folder, std::vector<TMergeShown> shown, const std::vector<TIdListPtr>& fresh);

}  // namespace korvane
