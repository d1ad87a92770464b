#include "korvane/host/SysUtils.h"
#include "korvane/host/ComInit.h"
#include "korvane/shell/Uzqshellutils.h"
#include "korvane/shell/widepath.h"

namespace korvane {
namespace {

HRESULT CreateLink(TComPtr<IShellLinkA>& link, TComPtr<IPersistFile>& file) {
  OleInitializeForThread();
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put()));
  if (FAILED(hr)) return hr;
  return link.As(file);
}

}  // namespace

HRESULT CreateShortcut(const std::string& file, const TLinkData& data) {
  TComPtr<IShellLinkA> link;
  TComPtr<IPersistFile> persist;
  HRESULT hr = CreateLink(link, persist);
  if (FAILED(hr)) return hr;
  const TLinkDataOptions o = data.LinkOptions;
  if (FAILED(hr = link->SetPath(data.LinkPath.c_str()))) return hr;
  if (o.Contains(ldoUseDesc) && FAILED(hr = link->SetDescription(data.Description.c_str()))) return hr;
  if (o.Contains(ldoUseArgs) && FAILED(hr = link->SetArguments(data.Arguments.c_str()))) return hr;
  if (o.Contains(ldoUseIcon) && FAILED(hr = link->SetIconLocation(data.IconLocation.c_str(), data.IconIndex)))
    return hr;
  if (o.Contains(ldoUseWorkDir) && FAILED(hr = link->SetWorkingDirectory(data.WorkingDirectory.c_str()))) return hr;
  if (o.Contains(ldoUseHotKey) && FAILED(hr = link->SetHotkey(data.HotKey))) return hr;
  if (o.Contains(ldoUseShowCmd) && FAILED(hr = link->SetShowCmd(data.ShowCmd))) return hr;
  TWidePath wide;
  if (FAILED(hr = wide.Assign(file))) return hr;
  return persist->Save(wide.Data(), TRUE);
}

HRESULT CreateQuickShortcut(const std::string& file, const std::string& target) {
  TLinkData data;
  data.LinkPath = target;
  data.Description = target;
  data.WorkingDirectory = ExtractFilePath(target);
  data.LinkOptions = {ldoUseDesc, ldoUseWorkDir};
  return CreateShortcut(file, data);
}

HRESULT ResolveShortcut(const std::string& file, TLinkData& data, bool wantIdList) {
  TComPtr<IShellLinkA> link;
  TComPtr<IPersistFile> persist;
  HRESULT hr = CreateLink(link, persist);
  if (FAILED(hr)) return hr;
  TWidePath wide;
  if (FAILED(hr = wide.Assign(file))) return hr;
  if (FAILED(hr = persist->Load(wide.Data(), STGM_READ))) return hr;
  if (FAILED(hr = link->Resolve(nullptr, SLR_ANY_MATCH | (data.NoUI ? SLR_NO_UI : 0)))) return hr;

  char buf[MAX_PATH + 1];
  auto text = [&](auto&& call, std::string& out) {
    buf[0] = 0;
    const HRESULT r = call();
    buf[MAX_PATH] = 0;
    if (SUCCEEDED(r)) out = buf;
    return r;
  };
  int icon = 0, show = 0;
  WORD hotKey = 0;
  if (FAILED(hr = text([&] { return link->GetPath(buf, MAX_PATH, &data.FindData, 0); }, data.LinkPath))) return hr;
  if (FAILED(hr = text([&] { return link->GetArguments(buf, MAX_PATH); }, data.Arguments))) return hr;
  if (FAILED(hr = text([&] { return link->GetDescription(buf, MAX_PATH); }, data.Description))) return hr;
  if (FAILED(hr = text([&] { return link->GetIconLocation(buf, MAX_PATH, &icon); }, data.IconLocation))) return hr;
  data.IconIndex = icon;
  if (FAILED(hr = text([&] { return link->GetWorkingDirectory(buf, MAX_PATH); }, data.WorkingDirectory)))
    return hr;
  if (FAILED(hr = link->GetShowCmd(&show))) return hr;
  data.ShowCmd = show;
  if (FAILED(hr = link->GetHotkey(&hotKey))) return hr;
  data.HotKey = hotKey;

  data.LinkOptions = {ldoUseDesc, ldoUseArgs, ldoUseIcon, ldoUseWorkDir, ldoUseHotKey, ldoUseShowCmd};
  data.LinkIdList.Reset();
  if (wantIdList) {
    PItemIDList list = nullptr;
    if (SUCCEEDED(link->GetIDList(&list))) data.LinkIdList = TIdListPtr(list);
  }
  return hr;
}

}  // namespace korvane
