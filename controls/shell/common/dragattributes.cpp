#include <cstring>
#include <vector>

#include "controls/shell/common/dragattributes.h"
#include "controls/shell/common/olestartup.h"
#include "host/Handles.h"
#include "shell/idlistbytes.h"

namespace korvane {
namespace {

constexpr DWORD kDefaultAttributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;

// More items than this are not asked about: the shell takes seconds per
// ten thousand items, and the answer is only a hint for the drop effect.
constexpr UINT kMaxItems = 8192;

}  // namespace

DWORD GetDataObjectAttributes(IDataObject* data) {
  if (!data) return kDefaultAttributes;
  FORMATETC format = {static_cast<CLIPFORMAT>(CF_IDLIST), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  TStgMedium medium;
  if (FAILED(data->GetData(&format, medium.Put())) || medium.Get().tymed != TYMED_HGLOBAL || !medium.Get().hGlobal)
    return kDefaultAttributes;
  // The block comes from another application: every count and offset is checked
  // against its real size before anything is read from it.
  const std::size_t size = GlobalSize(medium.Get().hGlobal);
  TGlobalLock lock(medium.Get().hGlobal);
  const auto* block = static_cast<const std::uint8_t*>(lock.Get());
  if (!block || size < sizeof(UINT)) return kDefaultAttributes;
  UINT count;
  std::memcpy(&count, block, sizeof count);
  // The count, the parent's offset and one offset per item must fit.
  if (count > kMaxItems || size / sizeof(UINT) < 2 || count > size / sizeof(UINT) - 2)
    return kDefaultAttributes;
  std::vector<UINT> offsets(count + 1);
  std::memcpy(offsets.data(), block + sizeof(UINT), offsets.size() * sizeof(UINT));
  for (UINT offset : offsets)
    if (WellFormedIdListLen(block, size, offset) == 0) return kDefaultAttributes;

  TComPtr<IShellFolder> parent;
  const HRESULT hr = ShellGetFolderFromIdList(reinterpret_cast<PCItemIDList>(block + offsets[0]), parent);
  if (FAILED(hr)) RaiseSysError(hr);
  std::vector<PCUITEMID_CHILD> items(count);
  for (UINT i = 0; i < count; ++i) items[i] = reinterpret_cast<PCUITEMID_CHILD>(block + offsets[i + 1]);
  SFGAOF mask = kDefaultAttributes;
  parent->GetAttributesOf(count, items.data(), &mask);
  return mask & kDefaultAttributes;
}

}  // namespace korvane
