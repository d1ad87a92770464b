#include "korvane/controls/shell/dragdrop/dataobject.h"

#include "korvane/controls/shell/common/olestartup.h"

namespace korvane {

namespace {
std::vector<std::string> Paths(const std::vector<std::string>& names) {
  std::vector<std::string> paths;
  for (const std::string& n : names)
    if (!n.empty()) paths.push_back(n);
  return paths;
}

std::string TextOf(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& n : names) text += n + "\r\n";
  return text;
}
}  // namespace

std::string FileSystemParsingName(IShellFolder* parent, PCItemIDList relative) {
  if (!parent || !relative) return {};
  PCUITEMID_CHILD child = relative;
  SFGAOF attributes = SFGAO_FILESYSTEM;
  if (FAILED(parent->GetAttributesOf(1, &child, &attributes)) || !(attributes & SFGAO_FILESYSTEM)) return {};
  return ShellGetFriendlyNameFromIdList(parent, relative, zqfnForParsing);
}

TZQShellDataObject::TZQShellDataObject(PCItemIDList parent, const std::vector<PCItemIDList>& relatives,
                                       const std::vector<std::string>& names)
    : idList_(BuildIdListArray(parent, relatives)) {
  const std::vector<std::string> paths = Paths(names);
  const CLIPFORMAT formats[] = {static_cast<CLIPFORMAT>(CF_IDLIST), CF_HDROP, CF_TEXT};
  formats_ = std::make_shared<TZQFormatEtcList>(formats, paths.empty() ? 1 : 3);
  if (paths.empty()) return;
  text_ = BuildTextBlock(TextOf(paths));
  hdrop_ = BuildHDrop(paths);
}

HRESULT TZQShellDataObject::QueryGetData(FORMATETC* format) {
  return format ? formats_->QueryFormat(*format) : E_POINTER;
}

HRESULT TZQShellDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!medium) return E_POINTER;
  if (const HRESULT hr = QueryGetData(format); FAILED(hr)) return hr;
  HGLOBAL source = nullptr;
  if (format->cfFormat == CF_IDLIST) source = idList_.Get();
  else if (format->cfFormat == CF_HDROP) source = hdrop_.Get();
  else if (format->cfFormat == CF_TEXT) source = text_.Get();
  else return DV_E_FORMATETC;
  HGLOBAL copy = CopyGlobalBlock(source);
  if (!copy) return E_OUTOFMEMORY;
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = copy;  // the receiver's
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT TZQShellDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out) out->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT TZQShellDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  return TZQFormatEtcList_IEnumFormatEtc::Create(formats_, 0, out);
}

}  // namespace korvane
