// What the in-memory registry does beyond the conformance suite: keys the
// account may only read, set-up and inspection, and names in code page 932.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/WinConstants.h"
#include "platform/memory/MemoryRegistry.h"

namespace {

using ::testing::ElementsAre;

class MemoryRegistryTest : public ::testing::Test {
 protected:
  long Open(const char* path, std::uint32_t access) {
    platform::KeyHandle key = nullptr;
    const long result = registry_.OpenKey(platform::LocalMachine(), path, access, &key);
    if (result == 0) registry_.CloseKey(key);
    return result;
  }
  long Create(const char* path) {
    platform::KeyHandle key = nullptr;
    const long result = registry_.CreateKey(platform::LocalMachine(), path, win::kKeyAllAccess, &key);
    if (result == 0) registry_.CloseKey(key);
    return result;
  }

  memory::MemoryRegistry registry_;
};

TEST_F(MemoryRegistryTest, AReadOnlyKeyCanBeReadButNotWrittenCreatedBelowOrDeleted) {
  registry_.SetDword("Software\\Locked\\Child", "Enabled", 1);
  registry_.MarkReadOnly("Software\\Locked");
  EXPECT_EQ(0, Open("Software\\Locked", win::kKeyRead));
  EXPECT_EQ(0, Open("Software\\Locked\\Child", win::kKeyRead));
  for (std::uint32_t access : {win::kKeyAllAccess, win::kKeySetValue, win::kDelete, win::kGenericWrite}) {
    EXPECT_EQ(win::kErrorAccessDenied, Open("Software\\Locked\\Child", access)) << access;
  }
  EXPECT_EQ(win::kErrorAccessDenied, Create("Software\\Locked"));
  EXPECT_EQ(win::kErrorAccessDenied, Create("Software\\Locked\\New"));
  platform::KeyHandle software = nullptr;
  ASSERT_EQ(0, registry_.OpenKey(platform::LocalMachine(), "Software", win::kKeyAllAccess, &software));
  registry_.RemoveTree("Software\\Locked\\Child");
  EXPECT_EQ(win::kErrorAccessDenied, registry_.DeleteKey(software, "Locked"));
  registry_.CloseKey(software);
  EXPECT_EQ(0, Create("Software\\Open"));
}

TEST_F(MemoryRegistryTest, SetUpAndInspectionUseFullPaths) {
  registry_.SetString("Software\\Tool", "Text", std::string("a\0b", 3));
  registry_.SetRawValue("Software\\Tool\\", "Bin", win::kRegBinary, "\x01\xff");
  registry_.CreateKeyPath("software\\TOOL\\Sub");
  EXPECT_TRUE(registry_.KeyExists("SOFTWARE\\tool\\sub"));
  EXPECT_THAT(registry_.SubkeyNames("Software"), ElementsAre("Tool"));
  EXPECT_THAT(registry_.ValueNames("Software\\Tool"), ElementsAre("Bin", "Text"));
  EXPECT_EQ((memory::RegistryValue{win::kRegSz, std::string("a\0b", 3)}), *registry_.GetValue("Software\\Tool", "text"));
  EXPECT_FALSE(registry_.GetValue("Software\\Tool", "absent").has_value());
  EXPECT_EQ(
      "Software\n"
      "  Tool\n"
      "    \"Bin\" = REG_BINARY [01 ff]\n"
      "    \"Text\" = REG_SZ \"a\\x00b\"\n"
      "    Sub\n",
      registry_.Dump());
}

TEST_F(MemoryRegistryTest, RemovingATreeLeavesItsOpenHandlesOnADeletedKey) {
  registry_.CreateKeyPath("Software\\Gone\\Deeper");
  platform::KeyHandle deeper = nullptr;
  ASSERT_EQ(0, registry_.OpenKey(platform::LocalMachine(), "Software\\Gone\\Deeper", win::kKeyRead, &deeper));
  EXPECT_EQ(1, registry_.OpenHandleCount());
  registry_.RemoveTree("Software\\Gone");
  std::uint32_t size = 0;
  EXPECT_EQ(win::kErrorKeyDeleted, registry_.QueryValue(deeper, "v", nullptr, nullptr, &size));
  EXPECT_EQ(0, registry_.CloseKey(deeper));
  EXPECT_EQ(0, registry_.OpenHandleCount());
}

TEST_F(MemoryRegistryTest, InCodePage932TrailBytesAreNoSeparatorsAndFullWidthLettersFold) {
  registry_.SetCodePage(memory::CodePage(932));
  // 0x95 0x5C is one character whose second byte is a backslash.
  registry_.CreateKeyPath("Software\\\x95\x5C");
  EXPECT_THAT(registry_.SubkeyNames("Software"), ElementsAre("\x95\x5C"));
  registry_.CreateKeyPath("Software\\\x82\x60");  // full-width A
  EXPECT_EQ(0, Open("Software\\\x82\x81", win::kKeyRead));  // full-width a
  // Limits count characters: 139 characters in 269 bytes are within 260.
  std::string wide;
  for (int i = 0; i < 130; ++i) wide += "\x88\x9f";
  EXPECT_EQ(0, Create(("Software\\" + wide).c_str()));
}

TEST_F(MemoryRegistryTest, GenericRightsMapToKeyRights) {
  registry_.CreateKeyPath("Software");
  platform::KeyHandle key = nullptr;
  ASSERT_EQ(0, registry_.OpenKey(platform::LocalMachine(), "Software", win::kGenericRead, &key));
  const std::uint32_t one = 1;
  EXPECT_EQ(win::kErrorAccessDenied, registry_.SetValue(key, "v", win::kRegDword, &one, 4));
  registry_.CloseKey(key);
  ASSERT_EQ(0, registry_.OpenKey(platform::LocalMachine(), "Software", win::kGenericWrite, &key));
  EXPECT_EQ(0, registry_.SetValue(key, "v", win::kRegDword, &one, 4));
  registry_.CloseKey(key);
}

}  // namespace
