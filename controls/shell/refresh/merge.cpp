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

std::uint64_t HashBytes(PCItemIDList list) {
  const auto* p = reinterpret_cast<const unsigned char*>(list);
  std::uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (int i = 0, n = IdListLen(list); i < n; ++i) h = (h ^ p[i]) * 1099511628211ull;
  return h;
}
}  // namespace

TMergeResult MergeItems(IShellFolder* folder, std::vector<TMergeShown> shown, const std::vector<TIdListPtr>& fresh) {
  TMergeResult result;
  std::vector<bool> matched(shown.size(), false);

  // Most items are unchanged, byte for byte: those are matched by a hash of
  // their bytes, without asking the folder.
  std::vector<std::pair<std::uint64_t, std::size_t>> byHash;
  byHash.reserve(shown.size());
  for (std::size_t j = 0; j < shown.size(); ++j) byHash.emplace_back(HashBytes(shown[j].relative), j);
  std::sort(byHash.begin(), byHash.end());
  std::vector<std::size_t> unmatchedFresh;
  for (std::size_t i = 0; i < fresh.size(); ++i) {
    const std::uint64_t h = HashBytes(fresh[i].Get());
    auto at = std::lower_bound(byHash.begin(), byHash.end(), std::make_pair(h, std::size_t{0}));
    bool found = false;
    for (; at != byHash.end() && at->first == h && !found; ++at)
      if (!matched[at->second] && CompareBytes(shown[at->second].relative, fresh[i].Get()) == 0) {
        matched[at->second] = true;
        found = true;
      }
    if (!found) unmatchedFresh.push_back(i);
  }

  // The rest by the folder's CompareIDs: a modified file is the same item with other bytes.
  std::vector<std::size_t> rest;
  for (std::size_t j = 0; j < shown.size(); ++j)
    if (!matched[j]) rest.push_back(j);
  std::sort(rest.begin(), rest.end(), [&](std::size_t a, std::size_t b) {
    return Compare(folder, shown[a].relative, shown[b].relative) < 0;
  });
  for (std::size_t i : unmatchedFresh) {
    PCItemIDList item = fresh[i].Get();
    auto at = std::lower_bound(rest.begin(), rest.end(), item, [&](std::size_t j, PCItemIDList x) {
      return Compare(folder, shown[j].relative, x) < 0;
    });
    // The first equal entry not matched yet (a folder may repeat an item).
    while (at != rest.end() && matched[*at] && Compare(folder, shown[*at].relative, item) == 0) ++at;
    if (at == rest.end() || matched[*at] || Compare(folder, shown[*at].relative, item) != 0) {
      result.added.push_back(i);
      continue;
    }
    matched[*at] = true;
    result.changed.emplace_back(shown[*at].key, i);
  }
  for (std::size_t j = 0; j < shown.size(); ++j)
    if (!matched[j]) result.vanished.push_back(shown[j].key);
  return result;
}

}  // namespace korvane
