#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <string>

#include "korvane/controls/shell/Uzqshellcontrols.h"
#include "korvane/host/Forms.h"
#include "korvane/host/SysUtils.h"
#include "tests/support/ShellFixtures.h"
#include "tests/support/TempDir.h"
#include "tests/support/Ui.h"

using namespace korvane;

namespace {

FORMATETC Format(UINT format, DWORD tymed = TYMED_HGLOBAL, DWORD aspect = DVASPECT_CONTENT) {
  return FORMATETC{static_cast<CLIPFORMAT>(format), nullptr, aspect, -1, tymed};
}

// The bytes of what GetData hands out, the medium released afterwards.
std::string DataOf(IDataObject* data, UINT format) {
  FORMATETC f = Format(format);
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&f, &medium))) return "<failed>";
  EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  EXPECT_EQ(medium.pUnkForRelease, nullptr);
  std::string bytes;
  if (TGlobalLock lock(medium.hGlobal); lock.Get())
    bytes.assign(static_cast<const char*>(lock.Get()), GlobalSize(medium.hGlobal));
  ReleaseStgMedium(&medium);
  return bytes;
}

}  // namespace

TEST(FormatList, QueryEnumerateSkipResetAndClone) {
  const CLIPFORMAT formats[] = {static_cast<CLIPFORMAT>(CF_IDLIST), CF_HDROP, CF_TEXT};
  auto list = std::make_shared<TZQFormatEtcList>(formats, 3);
  FORMATETC asked = Format(CF_HDROP);
  EXPECT_EQ(list->QueryFormat(asked), S_OK);
  asked = Format(CF_HDROP, TYMED_HGLOBAL | TYMED_ISTREAM);
  EXPECT_EQ(list->QueryFormat(asked), S_OK);  // one medium in common is enough
  asked = Format(CF_HDROP, TYMED_ISTREAM);
  EXPECT_EQ(list->QueryFormat(asked), DV_E_TYMED);
  asked = Format(CF_BITMAP);
  EXPECT_EQ(list->QueryFormat(asked), DV_E_FORMATETC);
  asked = Format(CF_TEXT, TYMED_HGLOBAL, DVASPECT_ICON);
  EXPECT_EQ(list->QueryFormat(asked), DV_E_FORMATETC);

  auto* raw = new TZQFormatEtcList_IEnumFormatEtc(list);
  raw->AddRef();
  TComPtr<IEnumFORMATETC> e = TComPtr<IEnumFORMATETC>::Attach(raw);
  list.reset();  // the enumerator keeps the records alive
  FORMATETC got[4] = {};
  ULONG fetched = 0;
  EXPECT_EQ(e->Next(2, got, &fetched), S_OK);
  EXPECT_EQ(fetched, 2u);
  EXPECT_EQ(got[0].cfFormat, CF_IDLIST);
  EXPECT_EQ(got[1].cfFormat, CF_HDROP);
  EXPECT_EQ(got[1].lindex, -1);
  TComPtr<IEnumFORMATETC> clone;
  EXPECT_EQ(e->Clone(clone.Put()), S_OK);
  EXPECT_EQ(e->Next(4, got, &fetched), S_FALSE);  // one left
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(got[0].cfFormat, CF_TEXT);
  EXPECT_EQ(clone->Next(1, got, nullptr), S_OK);  // the clone went on from where it was made
  EXPECT_EQ(got[0].cfFormat, CF_TEXT);
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Skip(2), S_OK);
  EXPECT_EQ(e->Skip(2), S_FALSE);
  EXPECT_EQ(e->Next(1, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(clone.Detach()->Release(), 0u);  // every reference given back
  EXPECT_EQ(e.Detach()->Release(), 0u);
}

TEST(Blocks, FileDropAndIdListArrayLayouts) {
  // CF_HDROP: the header, each name and its zero, one more zero; read back by the system.
  TGlobalHandle hdrop = BuildHDrop({"C:\\a.txt", "C:\\b"});
  ASSERT_TRUE(hdrop);
  EXPECT_EQ(GlobalSize(hdrop.Get()), 2u * MAX_PATH + 21u);
  const auto drop = static_cast<HDROP>(hdrop.Get());
  EXPECT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0), 2u);
  char name[MAX_PATH] = {};
  DragQueryFileA(drop, 1, name, MAX_PATH);
  EXPECT_STREQ(name, "C:\\b");
  // A name longer than MAX_PATH still fits.
  const std::string longName(400, 'x');
  TGlobalHandle big = BuildHDrop({longName});
  EXPECT_EQ(DragQueryFileA(static_cast<HDROP>(big.Get()), 0, nullptr, 0), 400u);

  test::TempDir dir;
  dir.File("one.txt");
  TIdListPtr parent = test::Parse(dir.Path());
  TIdListPtr file = test::Parse(dir / "one.txt");
  PCItemIDList last = ILFindLastID(file.Get());
  TGlobalHandle cida = BuildIdListArray(parent.Get(), {last, last});
  TGlobalLock lock(cida.Get());
  const auto* bytes = static_cast<const BYTE*>(lock.Get());
  const auto* header = reinterpret_cast<const UINT*>(bytes);
  EXPECT_EQ(header[0], 2u);
  EXPECT_EQ(header[1], 16u);  // count, three offsets, then the parent
  EXPECT_EQ(std::memcmp(bytes + header[1], parent.Get(), static_cast<std::size_t>(IdListLen(parent.Get()))), 0);
  EXPECT_EQ(header[2], header[1] + static_cast<UINT>(IdListLen(parent.Get())));
  EXPECT_EQ(std::memcmp(bytes + header[3], last, static_cast<std::size_t>(IdListLen(last))), 0);
  EXPECT_EQ(GlobalSize(cida.Get()), header[3] + static_cast<UINT>(IdListLen(last)));
  // No parent: the desktop's empty list.
  TGlobalHandle desktop = BuildIdListArray(nullptr, {last});
  TGlobalLock desktopLock(desktop.Get());
  const auto* d = static_cast<const BYTE*>(desktopLock.Get());
  EXPECT_EQ(d[12] | d[13], 0);
}

TEST(TreeDataObject, ANodeInEveryFormatAndTheSystemReadsIt) {
  test::TempDir dir;
  dir.Folder("beta");
  test::TestForm form{300, 200};
  auto* tree = new TZQShellTree(form.Get());
  tree->SetParent(form.Get());
  tree->GetBaseFolder()->SetPathName(dir.Path());
  TTreeNode* beta = tree->GetItems()->GetFirstNode()->GetFirstChild();
  ASSERT_NE(beta, nullptr);
  auto* object = new TDataObject_shtv(tree, beta);
  object->AddRef();
  TComPtr<IDataObject> data = TComPtr<IDataObject>::Attach(object);

  EXPECT_EQ(DataOf(data.Get(), CF_TEXT), dir / "beta" + "\r\n" + std::string(1, '\0'));
  FORMATETC f = Format(CF_HDROP);
  STGMEDIUM medium = {};
  ASSERT_EQ(data->GetData(&f, &medium), S_OK);
  char name[MAX_PATH] = {};
  DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0, name, MAX_PATH);
  EXPECT_TRUE(AnsiSameText(name, dir / "beta")) << name;
  ReleaseStgMedium(&medium);
  // The identifier-list array: parent and item joined, the system names the folder's path.
  const std::string cida = DataOf(data.Get(), CF_IDLIST);
  ASSERT_GE(cida.size(), 12u);
  const auto* header = reinterpret_cast<const UINT*>(cida.data());
  EXPECT_EQ(header[0], 1u);
  TIdListPtr joined(ILCombine(reinterpret_cast<PCIDLIST_ABSOLUTE>(cida.data() + header[1]),
                              reinterpret_cast<PCUIDLIST_RELATIVE>(cida.data() + header[2])));
  char path[MAX_PATH] = {};
  ASSERT_TRUE(SHGetPathFromIDListA(joined.Get(), path));
  EXPECT_TRUE(AnsiSameText(path, dir / "beta")) << path;
  f = Format(CF_BITMAP);
  EXPECT_EQ(data->GetData(&f, &medium), DV_E_FORMATETC);
  EXPECT_EQ(data->QueryGetData(&f), DV_E_FORMATETC);
  EXPECT_EQ(data->SetData(&f, &medium, FALSE), E_NOTIMPL);
  EXPECT_EQ(data->DAdvise(&f, 0, nullptr, nullptr), OLE_E_ADVISENOTSUPPORTED);
  TComPtr<IEnumFORMATETC> formats;
  EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, formats.Put()), E_NOTIMPL);
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats.Put()), S_OK);
  FORMATETC got[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(formats->Next(3, got, &fetched), S_OK);
  EXPECT_EQ(got[0].cfFormat, CF_IDLIST);
  EXPECT_EQ(got[1].cfFormat, CF_HDROP);
  EXPECT_EQ(got[2].cfFormat, CF_TEXT);
  TComPtr<IUnknown> unknown;
  EXPECT_EQ(data->QueryInterface(IID_IUnknown, unknown.PutVoid()), S_OK);
  TComPtr<IDropTarget> none;
  EXPECT_EQ(data->QueryInterface(IID_IDropTarget, none.PutVoid()), E_NOINTERFACE);
  unknown.Reset();
  // The data object goes first; its enumerator, in another application's hands, still works.
  EXPECT_EQ(data.Detach()->Release(), 0u);
  EXPECT_EQ(formats->Reset(), S_OK);
  EXPECT_EQ(formats->Next(3, got, &fetched), S_OK);
  EXPECT_EQ(got[2].cfFormat, CF_TEXT);
  EXPECT_EQ(formats.Detach()->Release(), 0u);
}

TEST(ShellDataObject, VirtualItemsTravelOnlyAsTheIdentifierListArray) {
  TIdListPtr drivesList, controls, driveC;
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlDrives, drivesList), S_OK);
  ASSERT_EQ(ShellGetSpecialFolderIdList(nullptr, csidlControls, controls), S_OK);
  driveC = test::Parse("C:\\");
  TComPtr<IShellFolder> drives;
  ASSERT_EQ(ShellGetFolderFromIdList(drivesList.Get(), drives), S_OK);
  PCItemIDList panel = ILFindLastID(controls.Get());
  PCItemIDList c = ILFindLastID(driveC.Get());
  const std::string panelName = FileSystemParsingName(drives.Get(), panel);
  EXPECT_EQ(panelName, "");  // its parsing name is "::{CLSID}", no path
  EXPECT_EQ(ShellGetFriendlyNameFromIdList(drives.Get(), panel, zqfnForParsing).rfind("::", 0), 0u);

  auto* mixed = new TZQShellDataObject(drivesList.Get(), {c, panel}, {FileSystemParsingName(drives.Get(), c), panelName});
  mixed->AddRef();
  TComPtr<IDataObject> data = TComPtr<IDataObject>::Attach(mixed);
  EXPECT_EQ(DataOf(data.Get(), CF_TEXT), std::string("C:\\\r\n") + '\0');
  FORMATETC f = Format(CF_HDROP);
  STGMEDIUM medium = {};
  ASSERT_EQ(data->GetData(&f, &medium), S_OK);
  EXPECT_EQ(DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0xFFFFFFFF, nullptr, 0), 1u);
  ReleaseStgMedium(&medium);
  EXPECT_EQ(reinterpret_cast<const UINT*>(DataOf(data.Get(), CF_IDLIST).data())[0], 2u);  // both items

  auto* onlyVirtual = new TZQShellDataObject(drivesList.Get(), {panel}, {panelName});
  onlyVirtual->AddRef();
  data = TComPtr<IDataObject>::Attach(onlyVirtual);
  EXPECT_EQ(data->QueryGetData(&f), DV_E_FORMATETC);
  f = Format(CF_TEXT);
  EXPECT_EQ(data->QueryGetData(&f), DV_E_FORMATETC);
  TComPtr<IEnumFORMATETC> formats;
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats.Put()), S_OK);
  FORMATETC got[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(formats->Next(3, got, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 1u);
  EXPECT_EQ(got[0].cfFormat, CF_IDLIST);
}
