// The shared shell allocator and the version facts, taken at the allocator's first use.
#include "korvane/shell/Uzqshellutils.h"

namespace korvane {
namespace {

class TShellUnits {
public:
  TShellUnits() {
    SHGetMalloc(malloc_.Put());
    ZQOSVersion();
    ZQComCtlVersion();
  }
  IMalloc* Malloc() const { return malloc_.Get(); }

private:
  TComPtr<IMalloc> malloc_;
};

TShellUnits& Units() {
  static TShellUnits units;
  return units;
}

}  // namespace

IMalloc* ShellIMalloc() { return Units().Malloc(); }

void* ShellMemAlloc(std::size_t size) { return ShellIMalloc()->Alloc(size); }

void* ShellMemRealloc(void* block, std::size_t size) {
  return block ? ShellIMalloc()->Realloc(block, size) : nullptr;
}

void ShellMemFree(void* block) {
  if (block) ShellIMalloc()->Free(block);
}

TIdListPtr::TIdListPtr(PItemIDList list, IMalloc* allocator) : list_(list), alloc_(TComPtr<IMalloc>::Share(allocator)) {}

TIdListPtr::TIdListPtr(TIdListPtr&& o) noexcept
    : list_(std::exchange(o.list_, nullptr)), alloc_(std::move(o.alloc_)) {}

TIdListPtr& TIdListPtr::operator=(TIdListPtr&& o) noexcept {
  if (this != &o) {
    Reset();
    list_ = std::exchange(o.list_, nullptr);
    alloc_ = std::move(o.alloc_);
  }
  return *this;
}

void TIdListPtr::Reset(PItemIDList list) {
  if (list_ && list_ != list) {
    if (alloc_) alloc_->Free(list_);
    else ShellMemFree(list_);
  }
  list_ = list;
}

}  // namespace korvane
