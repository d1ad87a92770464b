#include "shell/idlistarray.h"

#include <cstring>

#include "host/Exceptions.h"
#include "host/Format.h"
#include "shell/Uzqshellutils.h"

namespace korvane {
namespace {

const std::uint8_t* Bytes(PCItemIDList list) { return reinterpret_cast<const std::uint8_t*>(list); }
USHORT SizeAt(PCItemIDList list, std::size_t offset) {
  USHORT cb;
  std::memcpy(&cb, Bytes(list) + offset, sizeof cb);
  return cb;
}

// Offset of item index (or of the terminator when index is the count).
std::size_t OffsetOf(PCItemIDList list, int index) {
  std::size_t offset = 0;
  for (int i = 0; i < index; ++i) offset += SizeAt(list, offset);
  return offset;
}

PItemIDList NewList(const std::uint8_t* items, std::size_t size) {
  auto* p = static_cast<std::uint8_t*>(ShellMemAlloc(size + 2));
  if (!p) return nullptr;
  if (size) std::memcpy(p, items, size);
  p[size] = 0;
  p[size + 1] = 0;
  return reinterpret_cast<PItemIDList>(p);
}

}  // namespace

int TZQIdListArray::GetCount() const {
  if (!source_) return 0;
  int count = 0;
  for (std::size_t offset = 0; SizeAt(source_, offset) != 0; offset += SizeAt(source_, offset)) ++count;
  return count;
}

PItemIDList TZQIdListArray::GetItem(int index) {
  result_.Reset();
  const int count = GetCount();
  if (!source_ || index < 0 || (index >= count && count != 0))
    throw Exception(Format("TZQIdListArray - index %d out of range", index));
  if (count == 0) {
    if (index == 0) result_.Reset(NewList(nullptr, 0));
    return result_.Get();
  }
  const std::size_t offset = OffsetOf(source_, index);
  result_.Reset(NewList(Bytes(source_) + offset, SizeAt(source_, offset)));
  return result_.Get();
}

PItemIDList TZQIdListArray::GoUp(int levels) {
  result_.Reset();
  if (!source_) return nullptr;
  const int count = GetCount();
  if (levels < 0 || levels > count) return nullptr;
  result_.Reset(NewList(Bytes(source_), OffsetOf(source_, count - levels)));
  return result_.Get();
}

}  // namespace korvane
