#include "korvane/controls/shell/dragdrop/blocks.h"

#include <shlobj.h>

#include <cstring>

namespace korvane {

TGlobalHandle BuildTextBlock(const std::string& text) {
  TGlobalHandle block(GlobalAlloc(GMEM_FIXED, text.size() + 1));
  if (TGlobalLock lock(block.Get()); lock.Get()) std::memcpy(lock.Get(), text.c_str(), text.size() + 1);
  return block;
}

TGlobalHandle BuildHDrop(const std::vector<std::string>& names) {
  // Room as the shell's own layout reserves it: MAX_PATH per name and the header.
  std::size_t size = sizeof(DROPFILES) + 1 + names.size() * MAX_PATH;
  std::size_t needed = sizeof(DROPFILES) + 1;
  for (const std::string& n : names) needed += n.size() + 1;
  if (needed > size) size = needed;  // names longer than MAX_PATH still fit
  TGlobalHandle block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
  if (names.empty()) return block;
  TGlobalLock lock(block.Get());
  auto* bytes = static_cast<char*>(lock.Get());
  if (!bytes) return block;
  auto* header = reinterpret_cast<DROPFILES*>(bytes);
  header->pFiles = sizeof(DROPFILES);
  char* at = bytes + sizeof(DROPFILES);
  for (const std::string& n : names) {
    std::memcpy(at, n.c_str(), n.size() + 1);
    at += n.size() + 1;
  }
  return block;  // the closing zero is already there
}

TGlobalHandle BuildIdListArray(PCItemIDList parent, const std::vector<PCItemIDList>& relatives) {
  static const USHORT kDesktop = 0;
  const PCItemIDList parentList = parent ? parent : reinterpret_cast<PCItemIDList>(&kDesktop);
  const std::size_t count = relatives.size();
  std::size_t size = sizeof(UINT) * (count + 2) + static_cast<std::size_t>(IdListLen(parentList));
  for (PCItemIDList r : relatives) size += static_cast<std::size_t>(IdListLen(r));
  TGlobalHandle block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
  TGlobalLock lock(block.Get());
  auto* bytes = static_cast<BYTE*>(lock.Get());
  if (!bytes) return block;
  auto* cida = reinterpret_cast<UINT*>(bytes);
  cida[0] = static_cast<UINT>(count);
  std::size_t offset = sizeof(UINT) * (count + 2);
  auto put = [&](std::size_t slot, PCItemIDList list) {
    const auto n = static_cast<std::size_t>(IdListLen(list));
    cida[1 + slot] = static_cast<UINT>(offset);
    std::memcpy(bytes + offset, list, n);
    offset += n;
  };
  put(0, parentList);
  for (std::size_t i = 0; i < count; ++i) put(i + 1, relatives[i]);
  return block;
}

HGLOBAL CopyGlobalBlock(HGLOBAL block) {
  const SIZE_T size = block ? GlobalSize(block) : 0;
  if (size == 0) return nullptr;
  TGlobalHandle copy(GlobalAlloc(GMEM_MOVEABLE, size));
  {
    TGlobalLock from(block), to(copy.Get());
    if (!from.Get() || !to.Get()) return nullptr;
    std::memcpy(to.Get(), from.Get(), size);
  }
  return copy.Release();
}

}  // namespace korvane
