#include "korvane/controls/shell/common/enumitems.h"

namespace korvane {

HRESULT EnumerateItems(IShellFolder* folder, HWND owner, SHCONTF flags, IMalloc* allocator,
                       std::vector<TIdListPtr>& items, bool& started) {
  TComPtr<IEnumIDList> enumerator;
  const HRESULT hr = folder->EnumObjects(owner, flags, enumerator.Put());
  started = SUCCEEDED(hr);
  if (FAILED(hr)) return hr;
  if (!enumerator) return S_OK;
  for (;;) {
    PITEMID_CHILD item = nullptr;
    ULONG fetched = 0;
    const HRESULT next = enumerator->Next(1, &item, &fetched);
    if (next != S_OK || fetched == 0) return next == S_OK || next == S_FALSE ? S_OK : next;
    items.emplace_back(item, allocator);
  }
}

}  // namespace korvane
