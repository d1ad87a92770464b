// The data object the shell controls hand to drop targets and Send To: the
// items as the shell's identifier-list array, and the file-system items among
// them as a file drop and as text (each path followed by CR LF), built once
// when the object is made.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "controls/shell/dragdrop/blocks.h"
#include "controls/shell/dragdrop/formats.h"

namespace korvane {

class TZQCustomShellTree;
class TZQCustomShellList;
class TTreeNode;

// The parsing name of a file-system item (its full path); empty for a virtual
// item, whose "::{CLSID}" name must not reach other applications as a path.
std::string FileSystemParsingName(IShellFolder* parent, PCItemIDList relative);

class TZQShellDataObject : public IDataObject {
public:
  // A new object with no reference yet (Attach it after AddRef, or hand it out
  // through QueryInterface). names: one per item, empty for a virtual item; the
  // file drop and the text hold the others, and are not offered without any.
  TZQShellDataObject(PCItemIDList parent, const std::vector<PCItemIDList>& relatives,
                     const std::vector<std::string>& names);
  TZQShellDataObject(const TZQShellDataObject&) = delete;
  TZQShellDataObject& operator=(const TZQShellDataObject&) = delete;
  // The formats in order of preference: the identifier-list array, CF_HDROP, CF_TEXT.
  const TZQFormatEtcList& GetFormats() const { return *formats_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override;
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

protected:
  virtual ~TZQShellDataObject() = default;

private:
  std::atomic<ULONG> refs_{0};
  TGlobalHandle text_, hdrop_, idList_;
  std::shared_ptr<TZQFormatEtcList> formats_;
};

// A node of the shell tree that has a record and a parent node.
class TDataObject_shtv final : public TZQShellDataObject {
public:
  TDataObject_shtv(TZQCustomShellTree* tree, TTreeNode* node);
};

// The selected items of a shell list: Selected alone when it is the only one,
// else every selected item with a record, in index order.
class TDataObject_shlv final : public TZQShellDataObject {
public:
  explicit TDataObject_shlv(TZQCustomShellList* list) : TDataObject_shlv(list, Collect(list)) {}

private:
  struct TItems {
    std::vector<PCItemIDList> relatives;
    std::vector<std::string> names;
  };
  static TItems Collect(TZQCustomShellList* list);
  TDataObject_shlv(TZQCustomShellList* list, const TItems& items);
};

}  // namespace korvane
