#include "korvane/shell/idlistbytes.h"

#include <cstdint>
#include <cstring>

#include "korvane/shell/Uzqshellutils.h"

namespace korvane {

USHORT IdItemSizeAt(const void* list, std::size_t offset) {
  USHORT cb;
  std::memcpy(&cb, static_cast<const std::uint8_t*>(list) + offset, sizeof cb);
  return cb;
}

std::size_t IdItemOffset(PCItemIDList list, int index) {
  std::size_t offset = 0;
  for (int i = 0; i < index; ++i) offset += IdItemSizeAt(list, offset);
  return offset;
}

PItemIDList NewIdList(IMalloc* allocator, const void* items, std::size_t size) {
  auto* p = static_cast<std::uint8_t*>(allocator ? allocator->Alloc(size + 2) : ShellMemAlloc(size + 2));
  if (!p) return nullptr;
  if (size && items) std::memcpy(p, items, size);
  p[size] = 0;
  p[size + 1] = 0;
  return reinterpret_cast<PItemIDList>(p);
}

std::size_t WellFormedIdListLen(const void* block, std::size_t size, std::size_t offset) {
  // Compared as remaining room, never as offset + n, which wraps.
  if (!block || offset > size) return 0;
  std::size_t pos = offset;
  for (;;) {
    if (size - pos < 2) return 0;
    const USHORT cb = IdItemSizeAt(block, pos);
    if (cb == 0) return pos + 2 - offset;
    if (cb < 2 || cb > size - pos) return 0;
    pos += cb;
  }
}

}  // namespace korvane
