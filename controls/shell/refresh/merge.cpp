#include "controls/shell/refresh/merge.h"

#include <algorithm>
#include <cstring>

namespace korvane {

namespace {
int CompareBytes(PCItemIDList a, PCItemIDList b) {
  const int la = IdListLen(a), lb = IdListLen(b);
  const int c = std::memcmp(a, b, static_cast<std::size_t>(std::min(la, lb)));
  return c != 0 ? c : (la < lb ? -1 : la > lb ? 1 : 0);
}

// The folder's order; bytes where it cannot tell.
int Compare(IShellFolder* folder, PCItemIDList a, PCItemIDList b) {
  const HRESULT hr = folder->CompareIDs(0, a, b);
  if (FAILED(hr)) return CompareBytes(a, b);
  return static_cast<std::int16_t>(HRESULT_CODE(hr));
}
}  // namespace

TMergeResult MergeItems(IShellFolder* folder, std::vector<TMergeShown> shown, const std::vector<TIdListPtr>& fresh) {
  TMergeResult result;
  std::sort(shown.begin(), shown.end(),
            [&](const TMergeShown& a, const TMergeShown& b) { return Compare(folder, a.relative, b.relative) < 0; });
  std::vector<bool> matched(shown.size(), false);
  for (std::size_t i = 0; i < fresh.size(); ++i) {
    PCItemIDList item = fresh[i].Get();
    auto at = std::lower_bound(shown.begin(), shown.end(), item, [&](const TMergeShown& s, PCItemIDList x) {
      return Compare(folder, s.relative, x) < 0;
    });
    // The first equal entry not matched yet (a folder may repeat an item).
    while (at != shown.end() && Compare(folder, at->relative, item) == 0 && matched[static_cast<std::size_t>(at - shown.begin())])
      ++at;
    if (at == shown.end() || Compare(folder, at->relative, item) != 0) {
      result.added.push_back(i);
      continue;
    }
    matched[static_cast<std::size_t>(at - shown.begin())] = true;
    if (CompareBytes(at->relative, item) != 0) result.changed.emplace_back(at->key, i);
  }
  for (std::size_t j = 0; j < shown.size(); ++j)
    if (!matched[j]) result.vanished.push_back(shown[j].key);
  return result;
}

}  // namespace korvane
