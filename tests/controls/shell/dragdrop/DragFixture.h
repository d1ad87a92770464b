// What the drag tests of the tree and the list share: a topmost form placed
// away from the drop window, a counting data object, and point helpers.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "tests/support/DragDrive.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"
#include "tests/support/ComFake.h"

namespace korvane::test {

// Forwards to a data object and counts what drop targets ask of it.
class CountingData : public test::TComFake<CountingData, IDataObject> {
public:
  explicit CountingData(IDataObject* inner) : inner_(inner) {}
  int gets = 0, queries = 0;
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override { return ++gets, inner_->GetData(f, m); }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* f, STGMEDIUM* m) override { return inner_->GetDataHere(f, m); }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override { return ++queries, inner_->QueryGetData(f); }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* a, FORMATETC* b) override {
    return inner_->GetCanonicalFormatEtc(a, b);
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* f, STGMEDIUM* m, BOOL r) override { return inner_->SetData(f, m, r); }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD d, IEnumFORMATETC** e) override { return inner_->EnumFormatEtc(d, e); }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
  IDataObject* inner_;
};

// The shell's own data object of items of one folder.
inline TComPtr<IDataObject> ShellDataOf(const std::string& folder, const std::vector<std::string>& names) {
  TComPtr<IShellFolder> parent;
  TIdListPtr folderList;
  EXPECT_EQ(ShellGetIdListFromPath(folder, folderList), S_OK);
  EXPECT_EQ(ShellGetFolderFromIdList(folderList.Get(), parent), S_OK);
  std::vector<TIdListPtr> lists;
  std::vector<PCUITEMID_CHILD> items;
  for (const std::string& n : names) {
    TIdListPtr full;
    EXPECT_EQ(ShellGetIdListFromPath(folder + "\\" + n, full), S_OK) << n;
    lists.emplace_back(ILClone(ILFindLastID(full.Get())));
    items.push_back(lists.back().Get());
  }
  TComPtr<IDataObject> data;
  EXPECT_EQ(ShellGetUIObjectOf(parent.Get(), nullptr, static_cast<UINT>(items.size()), items.data(), data), S_OK);
  return data;
}

// What a drop target was offered by a drag of file-system items out of a shell control.
inline void ExpectShellFormatsAndEffects(const RecordingDropTarget& target) {
  ASSERT_EQ(target.formats.size(), 3u);
  EXPECT_EQ(target.formats[0], CF_IDLIST);
  EXPECT_EQ(target.formats[1], CF_HDROP);
  EXPECT_EQ(target.formats[2], CF_TEXT);
  // The shell answers more bits than asked for; the drag offers copy, move and link only.
  EXPECT_EQ(target.offered, static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK));
}

inline POINT Center(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The reference count of a COM object, read without changing it.
inline ULONG RefCount(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

// A form at a fixed place on the screen, above other test processes' windows;
// the drop window of a test goes to its right.
class DragForm {
public:
  DragForm() {
    form->SetBounds(20, 20, 360, 320);
    MakeTopmost(form->GetHandle());
  }
  TestForm form{340, 280};
  static RECT DropRect() { return RECT{420, 40, 620, 240}; }
  static POINT DropPoint() { return POINT{520, 140}; }
};

}  // namespace korvane::test
