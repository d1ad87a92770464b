#include <cstring>
#include <vector>

#include "korvane/controls/shell/common/dragattributes.h"
#include "korvane/controls/shell/common/olestartup.h"
#include "korvane/host/Handles.h"
#include "korvane/shell/idlistbytes.h"

namespace korvane {
namespace {

constexpr DWORD kDefaultAttributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;

// More items than this are not asked about: the shell takes seconds per
// ten thousand items, and the answer is only a hint for the drop effect.
constexpr UINT kMaxItems = 8192;

}  // namespace

bool ParseIdListArray(const std::uint8_t* block, std::size_t size, std::vector<UINT>& offsets) {
  offsets.clear();
  if (!block || size < sizeof(UINT)) return false;
  UINT count;
  std::memcpy(&count, block, sizeof count);
  // The count, the parent's offset and one offset per item must fit.
  if (size / sizeof(UINT) < 2 || count > size / sizeof(UINT) - 2) return false;
  offsets.resize(static_cast<std::size_t>(count) + 1);
  std::memcpy(offsets.data(), block + sizeof(UINT), offsets.size() * sizeof(UINT));
  for (UINT offset : offsets)
    if (WellFormedIdListLen(block, size, offset) == 0) return false;
  return true;
}

namespace {
// Reads data's "Shell IDList Array" block: false when the data offers none. Offsets are empty when what
// it hands over cannot be used: another medium than a global block, no block, a malformed one, no items.
template <class F>
bool WithIdListArray(IDataObject* data, F&& f) {
  if (!data) return false;
  FORMATETC format = {static_cast<CLIPFORMAT>(CF_IDLIST), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  TStgMedium medium;
  if (FAILED(data->GetData(&format, medium.Put()))) return false;
  std::vector<UINT> offsets;
  if (medium.Get().tymed != TYMED_HGLOBAL || !medium.Get().hGlobal) {
    f(nullptr, offsets);
    return true;
  }
  // The block comes from another application: every count and offset is checked
  // against its real size before anything is read from it.
  const std::size_t size = GlobalSize(medium.Get().hGlobal);
  TGlobalLock lock(medium.Get().hGlobal);
  const auto* block = static_cast<const std::uint8_t*>(lock.Get());
  if (!ParseIdListArray(block, size, offsets) || offsets.size() < 2) offsets.clear();
  f(block, offsets);
  return true;
}
}  // namespace

bool HasMalformedIdListArray(IDataObject* data) {
  bool malformed = false;
  WithIdListArray(data, [&](const std::uint8_t*, const std::vector<UINT>& offsets) { malformed = offsets.empty(); });
  return malformed;
}

DWORD GetDataObjectAttributes(IDataObject* data) {
  DWORD answer = kDefaultAttributes;
  WithIdListArray(data, [&](const std::uint8_t* block, const std::vector<UINT>& offsets) {
    if (offsets.empty() || offsets.size() - 1 > kMaxItems) return;
    const auto count = static_cast<UINT>(offsets.size() - 1);
    TComPtr<IShellFolder> parent;
    const HRESULT hr = ShellGetFolderFromIdList(reinterpret_cast<PCItemIDList>(block + offsets[0]), parent);
    if (FAILED(hr)) RaiseSysError(hr);
    std::vector<PCUITEMID_CHILD> items(count);
    for (UINT i = 0; i < count; ++i) items[i] = reinterpret_cast<PCUITEMID_CHILD>(block + offsets[i + 1]);
    SFGAOF mask = kDefaultAttributes;
    parent->GetAttributesOf(count, items.data(), &mask);
    answer = mask & kDefaultAttributes;
  });
  return answer;
}

}  // namespace korvane
