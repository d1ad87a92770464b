// The data object the shell controls hand to drop targets and Send To: the
// items as the shell's identifier-list array, and the file-system items among
// them as a file drop and as text (each path followed by CR LF), built once
// when the object is made.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "korvane/controls/shell/dragdrop/blocks.h"
#include "korvane/controls/shell/dragdrop/formats.h"
#include "korvane/shell/comobject.h"

namespace korvane {

// The parsing name of a file-system item (its full path); empty for a virtual
// item, whose "::{CLSID}" name must not reach other applications as a path.
std::string FileSystemParsingName(IShellFolder* parent, PCItemIDList relative);

class TZQShellDataObject : public TComObject<TZQShellDataObject, IDataObject> {
public:
  // names: one per item, empty for a virtual item; the
  // file drop and the text hold the others, and are not offered without any.
  TZQShellDataObject(PCItemIDList parent, const std::vector<PCItemIDList>& relatives,
                     const std::vector<std::string>& names);
  // The formats in order of preference: the identifier-list array, CF_HDROP, CF_TEXT.
  const TZQFormatEtcList& GetFormats() const { return *formats_; }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
  TGlobalHandle text_, hdrop_, idList_;
  std::shared_ptr<TZQFormatEtcList> formats_;
};

}  // namespace korvane
