#include "korvane/controls/shell/dragdrop/formats.h"

#include <cstring>
#include <new>

namespace korvane {

namespace {
DVTARGETDEVICE* CopyDevice(const DVTARGETDEVICE* device) {
  if (!device || device->tdSize < sizeof(DWORD)) return nullptr;
  auto* copy = static_cast<DVTARGETDEVICE*>(CoTaskMemAlloc(device->tdSize));
  if (copy) std::memcpy(copy, device, device->tdSize);
  return copy;
}
}  // namespace

TZQFormatEtcList::TZQFormatEtcList(const CLIPFORMAT* formats, std::size_t count) {
  records_.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    records_.push_back(FORMATETC{formats[i], nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
}

TZQFormatEtcList::~TZQFormatEtcList() {
  for (FORMATETC& r : records_) CoTaskMemFree(r.ptd);
}

void TZQFormatEtcList::Add(const FORMATETC& record) {
  FORMATETC copy = record;
  copy.ptd = CopyDevice(record.ptd);
  records_.push_back(copy);
}

HRESULT TZQFormatEtcList::QueryFormat(const FORMATETC& asked) const {
  if (asked.dwAspect != DVASPECT_CONTENT) return DV_E_FORMATETC;
  bool formatFound = false;
  for (const FORMATETC& r : records_) {
    if (r.cfFormat != asked.cfFormat) continue;
    if (r.tymed & asked.tymed) return S_OK;
    formatFound = true;
  }
  return formatFound ? DV_E_TYMED : DV_E_FORMATETC;
}

HRESULT TZQFormatEtcList_IEnumFormatEtc::Next(ULONG count, FORMATETC* records, ULONG* fetched) {
  if (!records) return E_POINTER;
  ULONG copied = 0;
  while (copied < count && position_ < static_cast<ULONG>(list_->GetCount())) {
    records[copied] = list_->Get(static_cast<int>(position_));
    records[copied].ptd = CopyDevice(records[copied].ptd);  // the caller frees its copy
    ++copied;
    ++position_;
  }
  if (fetched) *fetched = copied;
  return copied == count ? S_OK : S_FALSE;
}

HRESULT TZQFormatEtcList_IEnumFormatEtc::Skip(ULONG count) {
  const ULONG size = static_cast<ULONG>(list_->GetCount());
  if (size - position_ < count) {
    position_ = size;
    return S_FALSE;
  }
  position_ += count;
  return S_OK;
}

HRESULT TZQFormatEtcList_IEnumFormatEtc::Reset() {
  position_ = 0;
  return S_OK;
}

HRESULT TZQFormatEtcList_IEnumFormatEtc::Create(std::shared_ptr<const TZQFormatEtcList> list, ULONG position,
                                                IEnumFORMATETC** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  try {
    *out = MakeComObject<TZQFormatEtcList_IEnumFormatEtc>(std::move(list), position).Detach();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT TZQFormatEtcList_IEnumFormatEtc::Clone(IEnumFORMATETC** out) { return Create(list_, position_, out);
}

}  // namespace korvane
