// Modules and version resources of the in-memory Windows, against what
// LoadStringA and VerQueryValueA were seen to do under Wine.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/memory/MemoryPlatform.h"

namespace {

class MemoryModulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    memory::VersionInfo version = memory::VersionInfo::ForProduct("7.0");
    version.translations->push_back({0x0411, 0x04B0});
    version.strings["040904b0"]["Empty"] = "";
    version.strings["041104b0"]["ProductVersion"] = "8.5";
    machine_.files.WriteFile("C:\\pkg\\spawner.exe",
                             memory::MakeImage({{101, "Orvik"}, {102, "A longer string for truncation"}, {103, ""}},
                                               version));
  }

  std::vector<char> VersionBlock(const char* file) {
    std::uint32_t handle = 99;
    const std::uint32_t size = machine_.modules.GetFileVersionInfoSize(file, &handle);
    EXPECT_EQ(0u, handle);
    std::vector<char> block(size);
    if (size != 0) {
      EXPECT_TRUE(machine_.modules.GetFileVersionInfo(file, handle, size, block.data()));
    }
    return block;
  }

  memory::MemoryPlatform machine_;
};

TEST_F(MemoryModulesTest, LoadStringCopiesWhatFitsAndTerminatesIt) {
  platform::ModuleHandle module = machine_.modules.LoadForResources("C:\\pkg\\spawner.exe");
  ASSERT_NE(nullptr, module);
  const struct {
    std::uint32_t id;
    int size;
    int copied;
    const char* text;
  } cases[] = {{101, 64, 5, "Orvik"}, {102, 10, 9, "A longer "}, {999, 10, 0, ""}, {103, 10, 0, ""}, {101, 1, 0, ""}};
  for (const auto& c : cases) {
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(c.copied, machine_.modules.LoadString(module, c.id, buffer, c.size)) << c.id;
    EXPECT_STREQ(c.text, buffer) << c.id;
  }
  char own[64];
  EXPECT_EQ(21, machine_.modules.LoadString(nullptr, 101, own, sizeof own));
  EXPECT_STREQ("&About RegOrvikPkg...", own);
  EXPECT_TRUE(machine_.modules.Free(module));
  EXPECT_FALSE(machine_.modules.Free(module));
}

TEST_F(MemoryModulesTest, OnlyImagesLoadAndAFileLoadedTwiceSharesOneHandle) {
  machine_.files.WriteFile("C:\\pkg\\junk.exe", "junk");
  EXPECT_EQ(nullptr, machine_.modules.LoadForResources("C:\\pkg\\junk.exe"));
  EXPECT_EQ(nullptr, machine_.modules.LoadForResources("C:\\pkg\\absent.exe"));
  platform::ModuleHandle first = machine_.modules.LoadForResources("C:\\pkg\\spawner.exe");
  platform::ModuleHandle second = machine_.modules.LoadForResources("c:\\PKG\\Spawner.EXE");
  EXPECT_EQ(first, second);
  EXPECT_EQ(2, machine_.modules.LoadedCount());
  machine_.modules.Free(first);
  machine_.modules.Free(second);
  EXPECT_EQ(0, machine_.modules.LoadedCount());
}

TEST_F(MemoryModulesTest, ABareLibraryNameIsSearchedAndGetsDll) {
  machine_.files.WriteFile("C:\\windows\\system32\\pkg.dll", memory::MakeImage({{1, "system"}}));
  machine_.files.WriteFile("C:\\Program Files\\Orvik\\pkg.dll", memory::MakeImage({{1, "own"}}));
  platform::ModuleHandle module = machine_.modules.LoadForResources("pkg");
  char text[16];
  machine_.modules.LoadString(module, 1, text, sizeof text);
  EXPECT_STREQ("own", text);
  machine_.modules.Free(module);
}

TEST_F(MemoryModulesTest, VersionQueriesAnswerLikeVerQueryValue) {
  const std::vector<char> block = VersionBlock("C:\\pkg\\spawner.exe");
  const struct {
    const char* subBlock;
    bool found;
    std::uint32_t length;
    const char* text;  // for string values
  } cases[] = {
      {"\\VarFileInfo\\Translation", true, 8, nullptr},
      {"\\varfileinfo\\translation\\", true, 8, nullptr},
      {"VarFileInfo\\Translation", true, 8, nullptr},
      {"\\StringFileInfo\\040904b0\\ProductVersion", true, 4, "7.0"},
      {"\\StringFileInfo\\040904B0\\productversion", true, 4, "7.0"},
      {"\\\\StringFileInfo\\\\041104b0\\ProductVersion", true, 4, "8.5"},
      {"\\StringFileInfo\\040904b0\\Empty", true, 1, ""},
      {"\\StringFileInfo\\040904b0\\Missing", false, 0, nullptr},
      {"\\StringFileInfo\\040904b0", true, 0, nullptr},
      {"\\", true, 52, nullptr},
      {"", true, 52, nullptr},
  };
  for (const auto& c : cases) {
    const void* value = nullptr;
    std::uint32_t length = 12345;
    EXPECT_EQ(c.found, machine_.modules.VerQueryValue(block.data(), c.subBlock, &value, &length)) << c.subBlock;
    EXPECT_EQ(c.length, length) << c.subBlock;
    if (c.text != nullptr) {
      EXPECT_STREQ(c.text, static_cast<const char*>(value)) << c.subBlock;
    }
  }
  const void* value = nullptr;
  std::uint32_t length = 0;
  ASSERT_TRUE(machine_.modules.VerQueryValue(block.data(), "\\VarFileInfo\\Translation", &value, &length));
  std::uint16_t words[4];
  std::memcpy(words, value, sizeof words);
  EXPECT_EQ(0x0409, words[0]);
  EXPECT_EQ(0x04B0, words[1]);
  EXPECT_EQ(0x0411, words[2]);
}

TEST_F(MemoryModulesTest, TheProgramFindsItsOwnVersionByItsBareName) {
  const std::vector<char> block = VersionBlock("RegOrvikPkg.exe");
  const void* value = nullptr;
  std::uint32_t length = 0;
  ASSERT_TRUE(machine_.modules.VerQueryValue(block.data(), "\\StringFileInfo\\040904b0\\ProductVersion", &value,
                                             &length));
  EXPECT_STREQ("7.0", static_cast<const char*>(value));

  machine_.InstallProgramAt("C:\\elsewhere\\Renamed.exe");
  EXPECT_EQ(0u, machine_.modules.GetFileVersionInfoSize("RegOrvikPkg.exe", nullptr));
  machine_.files.WriteFile("C:\\RegOrvikPkg.exe", memory::MakeImage({}, memory::VersionInfo::ForProduct("6.0")));
  EXPECT_NE(0u, machine_.modules.GetFileVersionInfoSize("RegOrvikPkg.exe", nullptr));  // the current directory
  EXPECT_EQ(0u, machine_.modules.GetFileVersionInfoSize("C:\\pkg\\absent.exe", nullptr));
  machine_.files.WriteFile("C:\\pkg\\plain.exe", memory::MakeImage({{1, "no version"}}));
  EXPECT_EQ(0u, machine_.modules.GetFileVersionInfoSize("C:\\pkg\\plain.exe", nullptr));
}

TEST_F(MemoryModulesTest, AVersionResourceWithoutTranslationsHasNoVarFileInfo) {
  memory::VersionInfo version = memory::VersionInfo::ForProduct("7.0");
  version.translations.reset();
  machine_.files.WriteFile("C:\\pkg\\bare.exe", memory::MakeImage({}, version));
  const std::vector<char> block = VersionBlock("C:\\pkg\\bare.exe");
  const void* value = nullptr;
  std::uint32_t length = 0;
  EXPECT_FALSE(machine_.modules.VerQueryValue(block.data(), "\\VarFileInfo\\Translation", &value, &length));
}

}  // namespace
