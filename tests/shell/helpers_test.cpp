#include <gtest/gtest.h>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Handles.h"
#include "korvane/host/Registry.h"
#include "korvane/host/SysUtils.h"
#include "korvane/shell/Uzqshellutils.h"

using namespace korvane;

namespace {
// File types written into HKEY_CLASSES_ROOT for one test and removed after it.
class ClassesRoot : public ::testing::Test {
protected:
  void Key(const std::string& key, const std::string& defaultValue) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(reg.OpenKey("\\" + key, true));
    reg.WriteString("", defaultValue);
    created.push_back(key.substr(0, key.find('\\')));
  }
  void TearDown() override {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    for (const std::string& k : created) reg.DeleteKey("\\" + k);
  }
  std::vector<std::string> created;
  const std::string id = "{0B1A2C3D-4E5F-6071-8293-A4B5C6D7E8F9}";
};

std::string Text(const CLSID& c) {
  TCoTaskMemory<wchar_t> w;
  if (FAILED(StringFromCLSID(c, w.Put()))) return std::string();
  char buf[64] = {};
  WideCharToMultiByte(CP_ACP, 0, w.Get(), -1, buf, sizeof buf, nullptr, nullptr);
  return buf;
}
}  // namespace

TEST_F(ClassesRoot, ClassIdFromEachFormOfFileType) {
  CLSID c = {};
  Key("KorvaneTest.Direct", "CLSID\\" + id);
  ASSERT_TRUE(ZQClsidFromFileType("KorvaneTest.Direct", c));
  EXPECT_EQ(Text(c), id);

  Key("KorvaneTest.Sub", "A document");
  Key("KorvaneTest.Sub\\CLSID", id);
  c = {};
  ASSERT_TRUE(ZQClsidFromFileType("KorvaneTest.Sub", c));
  EXPECT_EQ(Text(c), id);

  Key(".kvtest", "KorvaneTest.Sub");  // an extension naming the type that has the class
  c = {};
  ASSERT_TRUE(ZQClsidFromFileType(".kvtest", c));
  EXPECT_EQ(Text(c), id);

  Key("KorvaneTest.None", "no class here");
  EXPECT_FALSE(ZQClsidFromFileType("KorvaneTest.None", c));
  EXPECT_FALSE(ZQClsidFromFileType("KorvaneTest.Missing", c));
  Key("KorvaneTest.Bad", "clsid\\not-a-guid");
  EXPECT_FALSE(ZQClsidFromFileType("KorvaneTest.Bad", c));
}

TEST(DriveInfo, FlushRunsAndTheLockNests) {
  EXPECT_NO_THROW(FlushDriveInfoCache());
  LockFlushDriveInfoCache();
  LockFlushDriveInfoCache();
  EXPECT_NO_THROW(FlushDriveInfoCache());
  UnlockFlushDriveInfoCache();
  UnlockFlushDriveInfoCache();
  EXPECT_NO_THROW(FlushDriveInfoCache());
}

TEST(RaiseSysError, CarriesTheSystemText) {
  try {
    RaiseSysError(E_ACCESSDENIED);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), SysErrorMessage(static_cast<unsigned long>(E_ACCESSDENIED)));
    EXPECT_FALSE(e.Message().empty());
  }
  // A code the system has no text for is named: never an empty message box.
  const HRESULT noText = static_cast<HRESULT>(0x8004FF01);  // an interface's own code: no system text
  ASSERT_EQ(SysErrorMessage(static_cast<unsigned long>(noText)), "");
  try {
    RaiseSysError(noText);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "System error 8004FF01");
  }
}
