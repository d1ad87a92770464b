#include <cstring>
#include <vector>

#include "controls/shell/shellhelpers.h"

namespace korvane {
namespace {

constexpr DWORD kDefaultAttributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;

// Releases a storage medium on every path.
struct TMedium {
  STGMEDIUM m = {};
  ~TMedium() { ReleaseStgMedium(&m); }
};

class TGlobalLock {
public:
  explicit TGlobalLock(HGLOBAL h) : h_(h), p_(static_cast<const std::uint8_t*>(GlobalLock(h))) {}
  ~TGlobalLock() {
    if (p_) GlobalUnlock(h_);
  }
  const std::uint8_t* Get() const { return p_; }

private:
  HGLOBAL h_;
  const std::uint8_t* p_;
};

// True when an identifier list starts at offset and ends (terminator included) within size.
bool ListFits(const std::uint8_t* block, std::size_t size, std::size_t offset) {
  for (;;) {
    if (offset + 2 > size) return false;
    USHORT cb;
    std::memcpy(&cb, block + offset, sizeof cb);
    if (cb == 0) return true;
    if (cb < 2) return false;
    offset += cb;
  }
}

}  // namespace

DWORD GetDataObjectAttributes(IDataObject* data) {
  if (!data) return kDefaultAttributes;
  FORMATETC format = {static_cast<CLIPFORMAT>(CF_IDLIST), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  TMedium medium;
  if (FAILED(data->GetData(&format, &medium.m)) || medium.m.tymed != TYMED_HGLOBAL || !medium.m.hGlobal)
    return kDefaultAttributes;
  // The block comes from another application: every count and offset is checked
  // against its real size before anything is read from it.
  const std::size_t size = GlobalSize(medium.m.hGlobal);
  TGlobalLock lock(medium.m.hGlobal);
  const std::uint8_t* block = lock.Get();
  if (!block || size < sizeof(UINT)) return kDefaultAttributes;
  UINT count;
  std::memcpy(&count, block, sizeof count);
  // The count, the parent's offset and one offset per item must fit.
  if (size / sizeof(UINT) < 2 || count > size / sizeof(UINT) - 2) return kDefaultAttributes;
  std::vector<UINT> offsets(count + 1);
  std::memcpy(offsets.data(), block + sizeof(UINT), offsets.size() * sizeof(UINT));
  for (UINT offset : offsets)
    if (!ListFits(block, size, offset)) return kDefaultAttributes;

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
