#include <gtest/gtest.h>

#include <utility>

#include "korvane/host/Handles.h"
#include "korvane/shell/Uzqshellutils.h"
#include "korvane/shell/idlistbytes.h"
#include "tests/support/ComFake.h"

using namespace korvane;

namespace {

// Counts every AddRef and Release; offers IUnknown and IMalloc, and counts frees.
class TCounting : public test::TComFake<TCounting, IMalloc> {
public:
  void* STDMETHODCALLTYPE Alloc(SIZE_T size) override { return CoTaskMemAlloc(size); }
  void* STDMETHODCALLTYPE Realloc(void* p, SIZE_T size) override { return CoTaskMemRealloc(p, size); }
  void STDMETHODCALLTYPE Free(void* p) override {
    ++frees;
    CoTaskMemFree(p);
  }
  SIZE_T STDMETHODCALLTYPE GetSize(void*) override { return 0; }
  int STDMETHODCALLTYPE DidAlloc(void*) override { return -1; }
  void STDMETHODCALLTYPE HeapMinimize() override {}
  int frees = 0;
};

}  // namespace

TEST(Owners, ComPointerBalancesEveryCopyMoveResetAndRelease) {
  TCounting object;
  {
    TComPtr<IMalloc> a = TComPtr<IMalloc>::Share(&object);
    EXPECT_EQ(object.Refs(), 2u);
    TComPtr<IMalloc> b = a;  // copy
    EXPECT_EQ(object.Refs(), 3u);
    TComPtr<IMalloc> c = std::move(b);  // move: no count
    EXPECT_EQ(object.Refs(), 3u);
    EXPECT_FALSE(b);
    b = c;  // copy-assign
    EXPECT_EQ(object.Refs(), 4u);
    b = b;  // self-assignment keeps the count
    EXPECT_EQ(object.Refs(), 4u);
    c.Reset();
    EXPECT_EQ(object.Refs(), 3u);
    TComPtr<IUnknown> unknown;
    EXPECT_EQ(a.As(unknown), S_OK);  // typed query: the IID comes from IUnknown
    EXPECT_EQ(object.Refs(), 4u);
    TComPtr<IStream> none;
    EXPECT_EQ(a.As(none), E_NOINTERFACE);
    EXPECT_FALSE(none);
    IMalloc* raw = a.Detach();
    EXPECT_EQ(object.Refs(), 4u);
    TComPtr<IMalloc> attached = TComPtr<IMalloc>::Attach(raw);  // takes the detached reference over
    EXPECT_EQ(object.Refs(), 4u);
    *attached.Put() = nullptr;  // Put releases what was held
    EXPECT_EQ(object.Refs(), 3u);
  }
  EXPECT_EQ(object.Refs(), 1u);
}

TEST(Owners, IdListPtrFreesWithItsAllocatorOnEveryPath) {
  TCounting allocator;
  {
    TIdListPtr a(NewIdList(&allocator, nullptr, 0), &allocator);
    EXPECT_EQ(allocator.Refs(), 2u);  // the owner keeps the allocator alive
    TIdListPtr b = std::move(a);
    EXPECT_EQ(allocator.Refs(), 2u);
    b.Reset(NewIdList(&allocator, nullptr, 0));
    EXPECT_EQ(allocator.frees, 1);
    PItemIDList kept = b.Release();
    EXPECT_EQ(allocator.frees, 1);
    allocator.Free(kept);
  }
  EXPECT_EQ(allocator.frees, 2);
  EXPECT_EQ(allocator.Refs(), 1u);
}

TEST(Owners, MediumAndStrRetAreReleased) {
  TCounting releaser;
  {
    TStgMedium medium;
    STGMEDIUM* m = medium.Put();
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = GlobalAlloc(GMEM_MOVEABLE, 8);
    m->pUnkForRelease = &releaser;  // ReleaseStgMedium calls it instead of freeing
    releaser.AddRef();
    {
      TGlobalLock lock(medium.Get().hGlobal);
      EXPECT_NE(lock.Get(), nullptr);
    }
    EXPECT_EQ(GlobalFlags(medium.Get().hGlobal) & GMEM_LOCKCOUNT, 0u);  // unlocked again
    GlobalFree(medium.Get().hGlobal);
  }
  EXPECT_EQ(releaser.Refs(), 1u);

  TStrRetOwner answer;
  STRRET* r = answer.Put();
  r->uType = STRRET_WSTR;
  r->pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(4));
  answer.Reset();  // freed with the task allocator (WINEDEBUG=warn+heap reports a leak or double free)
  EXPECT_EQ(answer.Get().uType, static_cast<UINT>(STRRET_CSTR));
}
