// Foreign drag data for tests: one "Shell IDList Array" block offered as another
// application would, and the helpers that lay such a block out.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "korvane/shell/Uzqshellutils.h"
#include "tests/support/ComFake.h"

namespace korvane::test {
using Bytes = std::vector<std::uint8_t>;

// Counts the releases of the media it hands out.
class TReleaseCounter : public TComFake<TReleaseCounter, IUnknown> {
public:
  int Releases() const { return 1 - static_cast<int>(Refs()); }
};

// Offers one block in the "Shell IDList Array" format, as another application would.
class TBlockData : public TComFake<TBlockData, IDataObject> {
public:
  // How GetData hands the block over: as asked, or answering S_OK with a medium that holds none.
  enum TMedium { kGlobal, kNullGlobal, kStream, kNullMedium };
  explicit TBlockData(Bytes block, bool offer = true, TMedium medium = kGlobal)
      : block_(std::move(block)), offer_(offer), medium_(medium) {}
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    if (!offer_ || f->cfFormat != CF_IDLIST || !(f->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    *m = STGMEDIUM{};
    switch (medium_) {
      case kGlobal: break;
      case kNullGlobal:
        m->tymed = TYMED_HGLOBAL;
        return S_OK;
      case kStream:
        m->tymed = TYMED_ISTREAM;
        if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &m->pstm))) return E_OUTOFMEMORY;
        m->pstm->Write(block_.data(), static_cast<ULONG>(block_.size()), nullptr);
        return S_OK;
      case kNullMedium:
        m->tymed = TYMED_NULL;
        return S_OK;
    }
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, block_.size());
    if (!block_.empty()) std::memcpy(GlobalLock(h), block_.data(), block_.size());
    GlobalUnlock(h);
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = h;
    m->pUnkForRelease = &counter;  // ReleaseStgMedium calls it instead of freeing
    handed.push_back(h);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  ~TBlockData() {
    for (HGLOBAL h : handed) GlobalFree(h);
  }
  TReleaseCounter counter;
  std::vector<HGLOBAL> handed;

private:
  Bytes block_;
  bool offer_;
  TMedium medium_;
};

inline Bytes ListBytes(PCItemIDList l) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(l);
  return Bytes(p, p + IdListLen(l));
}

inline void Put32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// count, offsets (parent first), then the lists.
inline Bytes Cida(const Bytes& parent, const std::vector<Bytes>& items) {
  Bytes b;
  const std::uint32_t head = static_cast<std::uint32_t>(4 * (items.size() + 2));
  Put32(b, static_cast<std::uint32_t>(items.size()));
  std::uint32_t at = head;
  Put32(b, at);
  at += static_cast<std::uint32_t>(parent.size());
  for (const Bytes& i : items) {
    Put32(b, at);
    at += static_cast<std::uint32_t>(i.size());
  }
  b.insert(b.end(), parent.begin(), parent.end());
  for (const Bytes& i : items) b.insert(b.end(), i.begin(), i.end());
  return b;
}

}  // namespace korvane::test
