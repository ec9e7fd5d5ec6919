// Where the tool looks for the IDE and the package, seen through what /enable
// does with the paths it derives from InstallDir and InstallPath; and the box
// that names the IDE's root key when it is missing.
//
// The double-byte cases need the ANSI code page 932. Under Wine the code page
// follows LC_ALL in the Unix environment of the process that starts the
// chain, and a child inherits it; LC_ALL in the Windows environment handed
// to CreateProcessA changes nothing. So the whole test program runs in 932
// (scripts/wine-run-cp932.sh, ctest wine_scenarios_cp932); elsewhere those
// cases are skipped.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "RegistryEdits.h"
#include "ScenarioTest.h"

namespace bench {
namespace {

// Characters of code page 932: three whose second byte is a backslash, and
// the double-byte blank.
const std::string kSo = "\x83\x5C";
const std::string kHyou = "\x95\x5C";
const std::string kNou = "\x94\x5C";
const std::string kWideBlank = "\x81\x40";

const std::string kIdeRoot = layout::kIdeRoot;
const std::string kVendorDir = layout::kVendorDir;

struct PathCase {
  const char* label;
  const char* rootSuffix;
  std::string ideRoot;      // where the IDE's tools are meant to be found
  std::string installDir;   // the IDE's InstallDir
  std::string packageDir;   // where the backup is meant to go
  std::string installPath;  // the package's InstallPath
};
void PrintTo(const PathCase& c, std::ostream* out) { *out << c.label; }

// Creates every directory of the path, stepping over double-byte
// characters so that a second byte 0x5C is not taken for a separator.
void CreateDirectories(const std::string& directory) {
  for (std::size_t at = 3; at < directory.size(); ++at) {
    if (IsDBCSLeadByte(static_cast<BYTE>(directory[at]))) {
      ++at;
    } else if (directory[at] == '\\') {
      CreateDirectoryA(directory.substr(0, at).c_str(), nullptr);
    }
  }
  CreateDirectoryA(directory.c_str(), nullptr);
}

class HostPaths : public ScenarioTest, public ::testing::WithParamInterface<PathCase> {
 protected:
  void SetUp() override {
    if (NeedsCodePage932() && GetACP() != 932) {
      GTEST_SKIP() << "needs the ANSI code page 932: run the test program through scripts/wine-run-cp932.sh";
    }
    ScenarioTest::SetUp();
  }

  // Directories named in code page 932 are invisible to a later run in
  // another code page, which could then not wipe them.
  void TearDown() override {
    if (NeedsCodePage932() && GetACP() == 932) {
      EXPECT_EQ(WipeMachine(), "");
    }
  }

  bool NeedsCodePage932() const {
    const PathCase& paths = GetParam();
    for (const std::string* text : {&paths.installDir, &paths.installPath})
      for (char byte : *text)
        if (static_cast<unsigned char>(byte) >= 0x80) return true;
    return false;
  }

  // The IDE's spawner where the paths say, the other copies elsewhere as
  // decoys: the provisioned IDE and, under a suffix, the unsuffixed keys.
  void Arrange() {
    const PathCase& paths = GetParam();
    MachineSpec spec;
    spec.rootSuffix = paths.rootSuffix;
    spec.packageRegistered = true;
    Provision(spec);
    const std::string toolsDir = paths.ideRoot + "\\Common7\\Tools\\";
    CreateDirectories(toolsDir);
    CreateDirectories(paths.packageDir);
    ASSERT_TRUE(CopyFileA(Built(layout::kBuiltIdeSpawner).c_str(), (toolsDir + "vcspawn.exe").c_str(), FALSE))
        << toolsDir << ": " << GetLastError();
    ASSERT_EQ(SetRawValue(layout::IdeRootKey(spec.rootSuffix), "InstallDir", REG_SZ, Terminated(paths.installDir)),
              ERROR_SUCCESS);
    ASSERT_EQ(SetRawValue(layout::PackageKey(spec.rootSuffix), "InstallPath", REG_SZ, Terminated(paths.installPath)),
              ERROR_SUCCESS);
    if (!spec.rootSuffix.empty()) {
      ASSERT_EQ(SetRawValue(layout::IdeRootKey(""), "InstallDir", REG_SZ, Terminated(layout::kIdeExeDir)),
                ERROR_SUCCESS);
      ASSERT_EQ(SetRawValue(layout::PackageKey(""), "InstallPath", REG_SZ, Terminated(layout::kPackageDir)),
                ERROR_SUCCESS);
    }
  }
};

TEST_P(HostPaths, EnableSwapsTheSpawnerWhereThePathsLead) {
  ASSERT_NO_FATAL_FAILURE(Arrange());
  const PathCase& paths = GetParam();
  RunOptions options = ToolRun("\"" + ToolPath() + "\" /enable");
  if (*paths.rootSuffix) options.environment.emplace_back("ENVSDK_ROOTSUFFIX", std::string(paths.rootSuffix));
  RunResult result = RunProgram(options);
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));

  const std::string toolsDir = paths.ideRoot + "\\Common7\\Tools\\";
  const std::string ideSpawner = Built(layout::kBuiltIdeSpawner);
  EXPECT_TRUE(FileEquals(toolsDir + "vcspawn.exe", Built(layout::kBuiltVendorSpawner)));
  EXPECT_TRUE(FileEquals(toolsDir + "vcspawn_ms.exe", ideSpawner));
  EXPECT_TRUE(FileEquals(paths.packageDir + "vcspawn_ms.exe", ideSpawner));
  EXPECT_TRUE(ValueIs(layout::PackageKey(paths.rootSuffix), "Enabled", REG_DWORD, DwordBytes(1)));

  EXPECT_TRUE(FileEquals(std::string(layout::kIdeToolsDir) + "vcspawn.exe", ideSpawner));
  EXPECT_TRUE(FileAbsent(std::string(layout::kIdeToolsDir) + "vcspawn_ms.exe"));
  EXPECT_TRUE(FileAbsent(std::string(layout::kPackageDir) + "vcspawn_ms.exe"));
}

std::string CaseLabel(const ::testing::TestParamInfo<PathCase>& info) { return info.param.label; }

INSTANTIATE_TEST_SUITE_P(
    SingleByte, HostPaths,
    ::testing::Values(PathCase{"BlanksAroundAPathWithoutBackslash", "", kIdeRoot + "\\Second Copy",
                               kIdeRoot + "\\Second Copy\\Common7\\IDE\\", kVendorDir + "\\Backups\\",
                               " \t " + kVendorDir + "\\Backups \t"},
                      PathCase{"SuffixedKeysWithoutTrailingBackslash", "Exp", kIdeRoot + "\\Exp Copy",
                               kIdeRoot + "\\Exp Copy\\Common7\\IDE", kVendorDir + "\\Exp Backups\\",
                               kVendorDir + "\\Exp Backups\\"}),
    CaseLabel);

// A byte-wise search would take the second byte of these characters for a
// backslash: cut the IDE's root in the wrong place, keep blanks whose second
// byte is '@', or miss the backslash a package directory lacks.
INSTANTIATE_TEST_SUITE_P(
    CodePage932, HostPaths,
    ::testing::Values(PathCase{"DoubleByteRootAndWideBlanks", "", kIdeRoot + "\\" + kSo + kNou + kHyou,
                               kIdeRoot + "\\" + kSo + kNou + kHyou + "\\Common7\\IDE\\",
                               kVendorDir + "\\" + kHyou + "\\",
                               kWideBlank + " " + kVendorDir + "\\" + kHyou + "\\ " + kWideBlank + kWideBlank},
                      PathCase{"TrailBytesInEveryCutComponent", "", kIdeRoot + "\\" + kHyou,
                               kIdeRoot + "\\" + kHyou + "\\" + kSo + "\\" + kNou + "\\",
                               kVendorDir + "\\" + kSo + kHyou + "\\",
                               " " + kWideBlank + kVendorDir + "\\" + kSo + kHyou + kWideBlank + " "}),
    CaseLabel);

struct RootKeyCase {
  const char* label;
  const char* machineSuffix;  // the IDE that is installed
  const char* toolSuffix;     // ENVSDK_ROOTSUFFIX of the run, or null when unset
  const char* arguments;
  const char* failure;  // the dispatcher's text, or null under /s
};
void PrintTo(const RootKeyCase& c, std::ostream* out) { *out << c.label; }

class MissingRootKey : public ScenarioTest, public ::testing::WithParamInterface<RootKeyCase> {};

TEST_P(MissingRootKey, IsNamedWithTheSuffixOfTheRunEvenWhenQuiet) {
  MachineSpec spec;
  spec.rootSuffix = GetParam().machineSuffix;
  Provision(spec);
  std::string before = SnapshotMachine();
  RunOptions options = ToolRun("\"" + ToolPath() + "\" " + GetParam().arguments);
  if (GetParam().toolSuffix) options.environment.emplace_back("ENVSDK_ROOTSUFFIX", std::string(GetParam().toolSuffix));
  RunResult result = RunProgram(options);

  const std::string key = layout::IdeRootKey(GetParam().toolSuffix ? GetParam().toolSuffix : "");
  std::vector<ExpectedBox> boxes = {{"Error", "The key \"HKEY_LOCAL_MACHINE\\" + key + "\" is absent in the Registry."}};
  if (GetParam().failure) boxes.push_back({"RegOrvikPkg", GetParam().failure});
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, boxes));
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_TRUE(RunLog().empty()) << "an outside program ran: " << RunLog()[0].text;
}

std::string RootKeyLabel(const ::testing::TestParamInfo<RootKeyCase>& info) { return info.param.label; }

INSTANTIATE_TEST_SUITE_P(
    OtherIdeInstalled, MissingRootKey,
    ::testing::Values(
        RootKeyCase{"SuffixedIdeUnsuffixedRun", "Exp", nullptr, "/install",
                    "Failed to install Orvik C++ Integration Tool\n"},
        RootKeyCase{"SuffixedIdeEmptySuffix", "Exp", "", "/uninstall /s", nullptr},
        RootKeyCase{"PlainIdeSuffixedRun", "", "Exp", "/uninstall", "Failed to uninstall Orvik C++ Integration Tool\n"},
        RootKeyCase{"PlainIdeSuffixedQuietRun", "", "Exp", "/s /install", nullptr},
        RootKeyCase{"OtherSuffix", "Exp", "exp2", "/install", "Failed to install Orvik C++ Integration Tool\n"}),
    RootKeyLabel);

}  // namespace
}  // namespace bench
