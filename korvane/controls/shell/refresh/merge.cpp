#include "korvane/controls/shell/refresh/merge.h"

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

// Eight bytes at a time: the lists are read once per merge, 100 000 of them for a large folder.
std::uint64_t HashBytes(PCItemIDList list) {
  const auto* p = reinterpret_cast<const unsigned char*>(list);
  const std::size_t n = static_cast<std::size_t>(IdListLen(list));
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ n;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, p + i, 8);
    h = (h ^ w) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 29;
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, p + i, n - i);
  h = (h ^ tail) * 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 32);
}

// The shown lists by hash: open addressing, linear probing; a slot holds index + 1, 0 when empty.
class TShownTable {
public:
  explicit TShownTable(const std::vector<TMergeShown>& shown) : hashes_(shown.size()) {
    std::size_t size = 16;
    while (size < 2 * shown.size()) size *= 2;
    slots_.assign(size, 0);
    mask_ = size - 1;
    for (std::size_t j = 0; j < shown.size(); ++j) {
      hashes_[j] = HashBytes(shown[j].relative);
      std::size_t at = hashes_[j] & mask_;
      while (slots_[at]) at = (at + 1) & mask_;
      slots_[at] = j + 1;
    }
  }
  // Calls f(j) for each shown j with hash h until it answers true.
  template <class F>
  void Find(std::uint64_t h, F&& f) const {
    for (std::size_t at = h & mask_; slots_[at]; at = (at + 1) & mask_)
      if (hashes_[slots_[at] - 1] == h && f(slots_[at] - 1)) return;
  }

private:
  std::vector<std::uint64_t> hashes_;
  std::vector<std::size_t> slots_;
  std::size_t mask_ = 0;
};
}  // namespace

TMergeResult MergeItems(IShellFolder* folder, std::vector<TMergeShown> shown, const std::vector<TIdListPtr>& fresh) {
  TMergeResult result;
  std::vector<bool> matched(shown.size(), false);

  // Most items are unchanged, byte for byte: those are matched by a hash of
  // their bytes, without asking the folder.
  const TShownTable table(shown);
  std::vector<std::size_t> unmatchedFresh;
  for (std::size_t i = 0; i < fresh.size(); ++i) {
    bool found = false;
    table.Find(HashBytes(fresh[i].Get()), [&](std::size_t j) {
      found = !matched[j] && CompareBytes(shown[j].relative, fresh[i].Get()) == 0;
      if (found) matched[j] = true;
      return found;
    });
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
