// Paths cut and trimmed by whole characters, folders of paths, and versions.

#include <gtest/gtest.h>

#include <string>

#include "CodePages.h"
#include "text/Paths.h"
#include "text/Version.h"

namespace {

TEST(Paths, InstallRootIsTwoLevelsAboveInstallDir) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\VS\\Common7\\IDE\\", "C:\\VS"}, {"C:\\VS\\Common7\\IDE", "C:\\VS"}, {"C:\\IDE\\", "C:"},
      {"IDE", "IDE"}, {"", ""}, {"\\", ""}};
  for (const auto& [installDir, root] : cases) EXPECT_EQ(TwoLevelsUp(kSingleByte, installDir), root) << installDir;
}

TEST(Paths, DoubleByteCharactersAreNeverCutInHalf) {
  // 0x95 0x5C is one character whose second byte is a backslash: a
  // byte-wise cut would take it for one, as the single-byte results show.
  const struct {
    const char* installDir;
    const char* root932;
    const char* rootSingleByte;
  } cases[] = {{"C:\\VS\\Common7\\I\x95\x5C\\", "C:\\VS", "C:\\VS\\Common7"},
               {"C:\\VS\x95\x5C\\IDE\\", "C:", "C:\\VS\x95"}};
  for (const auto& c : cases) {
    EXPECT_EQ(TwoLevelsUp(kCodePage932, c.installDir), c.root932) << c.installDir;
    EXPECT_EQ(TwoLevelsUp(kSingleByte, c.installDir), c.rootSingleByte) << c.installDir;
  }
  EXPECT_FALSE(EndsWithBackslash(kCodePage932, "C:\\P\x95\x5C"));
  EXPECT_EQ(TrimWhiteSpace(kCodePage932, "\x81\x40 C:\\P\x95\x5C\t\x81\x40\x81\x40"), "C:\\P\x95\x5C");
  // The double-byte blank's second byte is '@', not a blank; 0x81 0x20 is no blank at all.
  EXPECT_EQ(TrimWhiteSpace(kCodePage932, "\x81\x20x\x82\x40"), "\x81\x20x\x82\x40");
  EXPECT_EQ(TrimWhiteSpace(kSingleByte, " \t a b \r\n"), "a b");
  EXPECT_EQ(TrimWhiteSpace(kSingleByte, " \t "), "");
}

TEST(Paths, AppNameIsTheFileNameWithoutExtension) {
  EXPECT_EQ(AppNameFromPath(kSingleByte, "C:\\Program Files\\Orvik\\RegOrvikPkg.exe"), "RegOrvikPkg");
  EXPECT_EQ(AppNameFromPath(kSingleByte, "C:\\a.b\\Tool.v2.exe"), "Tool.v2");
  EXPECT_EQ(AppNameFromPath(kSingleByte, "C:Tool"), "Tool");
  // 0x83 0x5C is one character: the name is not cut after its first byte.
  EXPECT_EQ(AppNameFromPath(kCodePage932, "C:\\Tools\\Setup\x83\x5C.exe"), "Setup\x83\x5C");
}

TEST(Paths, FolderKeepsItsLastBackslash) {
  EXPECT_EQ(FolderOf(kSingleByte, "C:\\Program Files\\Orvik\\Tool.exe"), "C:\\Program Files\\Orvik\\");
  EXPECT_EQ(FolderOf(kSingleByte, "Tool.exe"), "");
  EXPECT_EQ(FolderOf(kCodePage932, "C:\\Tools\x83\x5CSetup.exe"), "C:\\");
}

TEST(Versions, OnlyTheLeadingDecimalNumberCounts) {
  EXPECT_EQ(VersionFromText("7.0.270"), 7.0f);
  EXPECT_EQ(VersionFromText("7.10"), 7.1f);
  EXPECT_LT(VersionFromText("7.10"), VersionFromText("7.9"));
  EXPECT_EQ(VersionFromText("letters"), 0.0f);
  EXPECT_EQ(VersionFromText(" 6.5beta"), 6.5f);
}

}  // namespace
