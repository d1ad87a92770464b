// The clipboard formats a data object offers, and their enumerator.
#pragma once
#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "korvane/shell/comobject.h"

namespace korvane {

// Owned FORMATETC records; a record's target device is a copy of its own.
class TZQFormatEtcList {
public:
  // One record per format, in order: no device, content aspect, index -1, global memory.
  TZQFormatEtcList(const CLIPFORMAT* formats, std::size_t count);
  ~TZQFormatEtcList();
  TZQFormatEtcList(const TZQFormatEtcList&) = delete;
  TZQFormatEtcList& operator=(const TZQFormatEtcList&) = delete;

  void Add(const FORMATETC& record);
  int GetCount() const { return static_cast<int>(records_.size()); }
  const FORMATETC& Get(int index) const { return records_[static_cast<std::size_t>(index)]; }
  // S_OK when a record has the format and shares a medium; DV_E_TYMED when
  // records have the format but none shares a medium; DV_E_FORMATETC otherwise
  // and for any aspect but DVASPECT_CONTENT.
  HRESULT QueryFormat(const FORMATETC& asked) const;

private:
  std::vector<FORMATETC> records_;
};

// IEnumFORMATETC over a format list, which it keeps alive.
class TZQFormatEtcList_IEnumFormatEtc final
    : public TComObject<TZQFormatEtcList_IEnumFormatEtc, IEnumFORMATETC> {
public:
  TZQFormatEtcList_IEnumFormatEtc(std::shared_ptr<const TZQFormatEtcList> list, ULONG position = 0)
      : list_(std::move(list)), position_(position) {}

  // A new enumerator at position into out, with its reference; E_OUTOFMEMORY when none could be made.
  static HRESULT Create(std::shared_ptr<const TZQFormatEtcList> list, ULONG position, IEnumFORMATETC** out) noexcept;
  HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* records, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** out) override;

private:
  std::shared_ptr<const TZQFormatEtcList> list_;
  ULONG position_;
};

}  // namespace korvane
