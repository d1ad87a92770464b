#include "korvane/shell/idlistarray.h"

#include <cstring>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Format.h"
#include "korvane/shell/Uzqshellutils.h"
#include "korvane/shell/idlistbytes.h"

namespace korvane {
namespace {

const std::uint8_t* Bytes(PCItemIDList list) { return reinterpret_cast<const std::uint8_t*>(list); }

}  // namespace

int TZQIdListArray::GetCount() const {
  if (!source_) return 0;
  int count = 0;
  for (std::size_t offset = 0; IdItemSizeAt(source_, offset) != 0; offset += IdItemSizeAt(source_, offset)) ++count;
  return count;
}

PItemIDList TZQIdListArray::GetItem(int index) {
  result_.Reset();
  const int count = GetCount();
  if (!source_ || index < 0 || (index >= count && count != 0))
    throw Exception(Format("TZQIdListArray - index %d out of range", index));
  if (count == 0) {
    if (index == 0) result_.Reset(NewIdList(nullptr, nullptr, 0));
    return result_.Get();
  }
  const std::size_t offset = IdItemOffset(source_, index);
  result_.Reset(NewIdList(nullptr, Bytes(source_) + offset, IdItemSizeAt(source_, offset)));
  return result_.Get();
}

PItemIDList TZQIdListArray::GoUp(int levels) {
  result_.Reset();
  if (!source_) return nullptr;
  const int count = GetCount();
  if (levels < 0 || levels > count) return nullptr;
  result_.Reset(NewIdList(nullptr, Bytes(source_), IdItemOffset(source_, count - levels)));
  return result_.Get();
}

}  // namespace korvane
