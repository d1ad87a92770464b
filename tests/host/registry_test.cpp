#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "korvane/host/Exceptions.h"
#include "korvane/host/Registry.h"
#include "korvane/host/Strings.h"

using namespace korvane;

namespace {
class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override { key = "\\Software\\KorvaneTests\\" + std::to_string(GetCurrentProcessId()); }
  void TearDown() override {
    TRegistry reg;
    reg.DeleteKey(key);
  }
  std::string key;
};
}  // namespace

TEST_F(RegistryTest, BinaryAndTypedValuesRoundTripThroughTheRealRegistry) {
  {
    TRegistry reg;
    EXPECT_EQ(reg.GetRootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.KeyExists(key));
    EXPECT_FALSE(reg.OpenKey(key, false));
    ASSERT_TRUE(reg.OpenKey(key + "\\State", true));
    EXPECT_EQ(reg.GetCurrentPath(), key.substr(1) + "\\State");
    const unsigned char bytes[] = {0, 1, 2, 250, 0, 9};
    reg.WriteBinaryData("Window", bytes, sizeof bytes);
    reg.WriteString("Name", "value");
    reg.WriteInteger("Count", -3);
  }
  TRegistry reg;
  EXPECT_TRUE(reg.KeyExists(key + "\\State"));
  ASSERT_TRUE(reg.OpenKeyReadOnly(key + "\\State"));
  EXPECT_TRUE(reg.ValueExists("Window"));
  EXPECT_FALSE(reg.ValueExists("Missing"));
  EXPECT_EQ(reg.GetDataSize("Window"), 6);
  EXPECT_EQ(reg.GetDataType("Window"), rdBinary);
  unsigned char back[16] = {};
  EXPECT_EQ(reg.ReadBinaryData("Window", back, sizeof back), 6);
  EXPECT_EQ(std::memcmp(back, "\0\1\2\xfa\0\x09", 6), 0);
  EXPECT_EQ(reg.ReadBinaryData("Missing", back, sizeof back), 0);
  EXPECT_EQ(reg.ReadString("Name"), "value");
  EXPECT_EQ(reg.ReadInteger("Count"), -3);
  try {
    reg.ReadBinaryData("Window", back, 3);  // too small a buffer
    FAIL();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'Window'");
  }
  EXPECT_THROW(reg.ReadBinaryData("Name", back, sizeof back), ERegistryException);
  EXPECT_THROW(reg.ReadInteger("Name"), ERegistryException);
  // A read-only key refuses writes with the registry's error text.
  try {
    reg.WriteInteger("Count", 1);
    FAIL();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Failed to set data for 'Count'");
  }
}

TEST_F(RegistryTest, RelativeKeysSubKeysAndRecursiveDelete) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(key, true));
  ASSERT_TRUE(reg.OpenKey("Child\\Grandchild", true));  // relative to the current key
  EXPECT_EQ(reg.GetCurrentPath(), key.substr(1) + "\\Child\\Grandchild");
  reg.WriteString("x", "y");
  ASSERT_TRUE(reg.OpenKey(key, false));
  EXPECT_TRUE(reg.HasSubKeys());
  TStringList names;
  reg.GetKeyNames(names);
  EXPECT_EQ(names.GetText(), "Child\r\n");
  reg.CloseKey();
  EXPECT_TRUE(reg.DeleteKey(key));
  EXPECT_FALSE(reg.KeyExists(key + "\\Child"));
  EXPECT_FALSE(reg.KeyExists(key));
}
