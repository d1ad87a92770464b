#include "korvane/controls/shell/common/folderdetails.h"

#include "korvane/shell/comobject.h"

namespace korvane {

namespace {
// IShellDetails answered by IShellFolder2.
class TFolder2Details final : public TComObject<TFolder2Details, IShellDetails> {
public:
  explicit TFolder2Details(TComPtr<IShellFolder2> folder) : folder_(std::move(folder)) {}

  HRESULT STDMETHODCALLTYPE GetDetailsOf(PCUITEMID_CHILD item, UINT column, SHELLDETAILS* details) override {
    return folder_->GetDetailsOf(item, column, details);
  }
  HRESULT STDMETHODCALLTYPE ColumnClick(UINT) override { return S_FALSE; }  // the caller sorts

private:
  TComPtr<IShellFolder2> folder_;
};
}  // namespace

TComPtr<IShellDetails> GetFolderDetails(IShellFolder* folder, PCItemIDList absolute, HWND owner) {
  TComPtr<IShellDetails> details;
  if (!folder) return details;
  if (SUCCEEDED(folder->CreateViewObject(owner, IID_IShellDetails, details.PutVoid())) && details) return details;
  details.Reset();
  if (!ShellGetPathFromIdList(absolute).empty()) return details;  // file-system folders keep the standard set
  TComPtr<IShellFolder2> folder2;
  if (SUCCEEDED(TComPtr<IShellFolder>::Share(folder).As(folder2)) && folder2)
    details = MakeComObject<TFolder2Details>(std::move(folder2));
  return details;
}

}  // namespace korvane
