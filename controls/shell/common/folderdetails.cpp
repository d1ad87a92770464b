#include "controls/shell/common/folderdetails.h"

#include <atomic>

namespace korvane {

namespace {
// IShellDetails answered by IShellFolder2.
class TFolder2Details final : public IShellDetails {
public:
  explicit TFolder2Details(TComPtr<IShellFolder2> folder) : folder_(std::move(folder)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IShellDetails)) {
      *out = static_cast<IShellDetails*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetDetailsOf(PCUITEMID_CHILD item, UINT column, SHELLDETAILS* details) override {
    return folder_->GetDetailsOf(item, column, details);
  }
  HRESULT STDMETHODCALLTYPE ColumnClick(UINT) override { return S_FALSE; }  // the caller sorts

private:
  TComPtr<IShellFolder2> folder_;
  std::atomic<ULONG> refs_{1};
};
}  // namespace

TComPtr<IShellDetails> GetFolderDetails(IShellFolder* folder, PCItemIDList absolute, HWND owner) {
  TComPtr<IShellDetails> details;
  if (!folder) return details;
  if (SUCCEEDED(folder->CreateViewObject(owner, IID_IShellDetails, details.PutVoid())) && details) return details;
  details.Reset();
  if (!ShellGetPathFromIdList(absolute).empty()) return details;  // file-system folders keep the standard set
  TComPtr<IShellFolder2> folder2;
  if (SUCCEEDED(folder->QueryInterface(IID_IShellFolder2, folder2.PutVoid())) && folder2)
    details = TComPtr<IShellDetails>::Attach(new TFolder2Details(std::move(folder2)));
  return details;
}

}  // namespace korvane
