// A COM object of a test, owned by the test (on the stack or as a member): the library's COM base
// answers QueryInterface and counts, and the last Release frees nothing. The count starts at 1,
// the test's own reference, so that a balanced user leaves it at 1.
#pragma once
#include "korvane/shell/comobject.h"

namespace korvane::test {

template <class Derived, class... Interfaces>
class TComFake : public TComObject<Derived, Interfaces...> {
public:
  TComFake() { this->AddRef(); }
  void OnFinalRelease() {}
  ULONG Refs() const { return this->GetRefCount(); }
};

}  // namespace korvane::test
