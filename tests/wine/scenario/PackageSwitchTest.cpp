// "/enable" and "/disable" on a machine where the package is known to the IDE:
// the IDE's spawner swapped for the vendor's and back, OrvikPkg.dll registered
// and unregistered by the real regsvr32.exe, and Enabled written last.
#include <gtest/gtest.h>

#include "ScenarioTest.h"

namespace bench {
namespace {

constexpr char kCaption[] = "RegOrvikPkg";
constexpr char kFailedEnable[] = "Failed to register Orvik Package\n";
constexpr char kFailedDisable[] = "Failed to unregister Orvik Package\n";

const std::string kSpawner = std::string(layout::kIdeToolsDir) + "vcspawn.exe";
const std::string kToolsCopy = std::string(layout::kIdeToolsDir) + "vcspawn_ms.exe";
const std::string kBackup = std::string(layout::kPackageDir) + "vcspawn_ms.exe";
const std::string kVendorSpawner = std::string(layout::kPackageDir) + "ovcspawn.exe";
const std::string kServerKey = layout::ClassKey(layout::kOrvikPkgClsid) + "\\InprocServer32";
const std::string kCantCopyVendorSpawner = "Can't copy file ovcspawn.exe to\n" + kSpawner;
const std::string kCantMoveBackup = "Can't copy file " + kBackup + "\nto " + kSpawner;

// The package directory as the testbed programs see their current directory.
std::string PackageDirectory() {
  std::string directory = layout::kPackageDir;
  directory.pop_back();
  return directory;
}

// The run log as one line per run: program, directory and what it was asked.
std::vector<std::string> Runs(const std::vector<LogLine>& log) {
  std::vector<std::string> runs;
  for (const LogLine& line : log) runs.push_back(line.module + " | " + line.directory + " | " + line.text);
  return runs;
}

const std::string kRegistered =
    std::string(layout::kPackageDir) + "OrvikPkg.dll | " + PackageDirectory() + " | DllRegisterServer";
const std::string kUnregistered =
    std::string(layout::kPackageDir) + "OrvikPkg.dll | " + PackageDirectory() + " | DllUnregisterServer";

// Creates the key when it is missing.
void SetValue(const std::string& key, const char* name, DWORD type, const std::string& bytes) {
  HKEY handle;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
            ERROR_SUCCESS)
      << key;
  LONG status = RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size()));
  RegCloseKey(handle);
  ASSERT_EQ(status, ERROR_SUCCESS);
}

// The package's InstallPath naming a directory that does not exist, so that
// no backup can be written into it.
void MovePackageDirAway() {
  SetValue(layout::PackageKey(""), "InstallPath", REG_SZ,
           Terminated(std::string(layout::kVendorDir) + "\\Not There\\"));
}

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

class PackageSwitch : public ScenarioTest {
 protected:
  // A machine as the package's installer leaves it, with the package disabled.
  void SetUp() override {
    ScenarioTest::SetUp();
    MachineSpec installed;
    installed.packageRegistered = true;
    installed.enabled = 0;
    Provision(installed);
  }

  void Place(const char* built, const std::string& path) {
    ASSERT_TRUE(CopyFileA(Built(built).c_str(), path.c_str(), FALSE)) << path << ": " << GetLastError();
  }
  static void Remove(const std::string& path) {
    ASSERT_TRUE(DeleteFileA(path.c_str())) << path << ": " << GetLastError();
  }
  static void ClearRunLog() { DeleteFileA(layout::kRunLog); }

  // The state a successful enable leaves, whatever came before it.
  void ExpectEnabled(const std::string& rootSuffix = "") {
    EXPECT_TRUE(FileEquals(kSpawner, Built(layout::kBuiltVendorSpawner)));
    EXPECT_TRUE(ValueIs(kServerKey, nullptr, REG_SZ, Terminated(std::string(layout::kPackageDir) + "OrvikPkg.dll")));
    EXPECT_TRUE(ValueIs(layout::PackageKey(rootSuffix), "Enabled", REG_DWORD, DwordBytes(1)));
  }

  RunResult RunWithSwitch(const std::string& arguments, const char* name, const char* value) {
    RunOptions options = ToolRun("\"" + ToolPath() + "\" " + arguments);
    options.environment.emplace_back(name, std::string(value));
    return RunProgram(options);
  }
};

ExpectedBox Notice(const std::string& text) { return {kCaption, text, IconKind::kExclamation}; }
ExpectedBox Failure(const std::string& text) { return {kCaption, text, IconKind::kError}; }

TEST_F(PackageSwitch, EnableFromCleanMachineSwapsRegistersAndRecordsSilently) {
  RunResult result = RunTool("/enable");
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  ExpectEnabled();
  EXPECT_TRUE(FileEquals(kBackup, Built(layout::kBuiltIdeSpawner)));
  EXPECT_TRUE(FileEquals(kToolsCopy, Built(layout::kBuiltIdeSpawner)));
  EXPECT_EQ(Runs(RunLog()), std::vector<std::string>{kRegistered});
}

// A backup from an earlier enable (here one that differs from the IDE's
// current spawner) is never overwritten; the tools copy is what stood there.
TEST_F(PackageSwitch, EnableKeepsAnEarlierBackup) {
  Place(layout::kBuiltEmpty, kBackup);
  RunResult result = RunTool("/enable");
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  ExpectEnabled();
  EXPECT_TRUE(FileEquals(kBackup, Built(layout::kBuiltEmpty)));
  EXPECT_TRUE(FileEquals(kToolsCopy, Built(layout::kBuiltIdeSpawner)));
}

struct VendorInPlaceCase {
  const char* name;
  const char* spawner;  // the vendor's spawner found in the tools directory
  bool backup;          // the package directory still holds the IDE's own
};

class VendorSpawnerInPlace : public PackageSwitch, public ::testing::WithParamInterface<VendorInPlaceCase> {};

// After a first enable: no new backup is made, the existing one is required,
// and the tools copy is refreshed from it rather than from the vendor's file.
TEST_P(VendorSpawnerInPlace, EnableAgainReliesOnTheExistingBackup) {
  ASSERT_TRUE(EndedWith(RunTool("/enable"), 0));
  Place(GetParam().spawner, kSpawner);
  Remove(kToolsCopy);
  if (GetParam().backup)
    Place(layout::kBuiltEmpty, kBackup);
  else
    Remove(kBackup);
  SetValue(layout::PackageKey(""), "Enabled", REG_DWORD, DwordBytes(0));
  ClearRunLog();
  std::string before = SnapshotMachine();

  RunResult result = RunTool("/enable");

  if (GetParam().backup) {
    EXPECT_TRUE(EndedWith(result, 0));
    EXPECT_TRUE(ShowedBoxes(result, {}));
    ExpectEnabled();
    EXPECT_TRUE(FileEquals(kBackup, Built(layout::kBuiltEmpty)));
    EXPECT_TRUE(FileEquals(kToolsCopy, Built(layout::kBuiltEmpty)));
    EXPECT_EQ(Runs(RunLog()), std::vector<std::string>{kRegistered});
  } else {
    EXPECT_TRUE(EndedWith(result, kFailure));
    EXPECT_TRUE(ShowedBoxes(result, {Failure(kFailedEnable)}));
    EXPECT_EQ(before, SnapshotMachine());
    EXPECT_TRUE(RunLog().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(MarkerAnyCase, VendorSpawnerInPlace,
                         ::testing::Values(VendorInPlaceCase{"WithBackup", layout::kBuiltVendorSpawner, true},
                                           VendorInPlaceCase{"NoBackup", layout::kBuiltVendorSpawner, false},
                                           VendorInPlaceCase{"CapsWithBackup", layout::kBuiltVendorSpawnerCaps, true},
                                           VendorInPlaceCase{"CapsNoBackup", layout::kBuiltVendorSpawnerCaps, false}),
                         CaseName<VendorInPlaceCase>);

TEST_F(PackageSwitch, EnableWithoutTheIdesSpawnerFailsSilentlyAndChangesNothing) {
  Remove(kSpawner);
  std::string before = SnapshotMachine();
  RunResult result = RunTool("/enable");
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {Failure(kFailedEnable)}));
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_TRUE(RunLog().empty());
}

// The backup step comes before the copy that fails: both copies of the IDE's
// spawner exist, and the spawner itself is still the IDE's.
TEST_F(PackageSwitch, EnableWithoutTheVendorsSpawnerStopsAfterTheBackups) {
  Remove(kVendorSpawner);
  RunResult result = RunTool("/enable");
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {Notice(kCantCopyVendorSpawner), Failure(kFailedEnable)}));
  EXPECT_TRUE(FileEquals(kSpawner, Built(layout::kBuiltIdeSpawner)));
  EXPECT_TRUE(FileEquals(kBackup, Built(layout::kBuiltIdeSpawner)));
  EXPECT_TRUE(FileEquals(kToolsCopy, Built(layout::kBuiltIdeSpawner)));
  EXPECT_TRUE(ValueIs(layout::PackageKey(""), "Enabled", REG_DWORD, DwordBytes(0)));
  EXPECT_TRUE(KeyAbsent(layout::ClassKey(layout::kOrvikPkgClsid)));
  EXPECT_TRUE(RunLog().empty());
}

TEST_F(PackageSwitch, EnableWhoseBackupCannotBeWrittenNamesTheSpawner) {
  MovePackageDirAway();
  std::string before = SnapshotMachine();

  RunResult result = RunTool("/enable");
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {Notice("Can't find file: " + kSpawner), Failure(kFailedEnable)}));
  EXPECT_EQ(before, SnapshotMachine());
}

TEST_F(PackageSwitch, EnableWhoseRegistrationFailsLeavesTheSwapAndTheOldState) {
  RunResult result = RunWithSwitch("/enable", "TESTBED_ORVIKPKG_FAIL", "register");
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {Notice("Error executing regsvr32.exe /c /s OrvikPkg.dll"), Failure(kFailedEnable)}));
  EXPECT_TRUE(FileEquals(kSpawner, Built(layout::kBuiltVendorSpawner)));
  EXPECT_TRUE(FileEquals(kBackup, Built(layout::kBuiltIdeSpawner)));
  EXPECT_TRUE(ValueIs(layout::PackageKey(""), "Enabled", REG_DWORD, DwordBytes(0)));
  EXPECT_TRUE(KeyAbsent(layout::ClassKey(layout::kOrvikPkgClsid)));
  EXPECT_EQ(Runs(RunLog()), std::vector<std::string>{kRegistered});
}

TEST_F(PackageSwitch, DisableRestoresTheSpawnerAndUnregisters) {
  ASSERT_TRUE(EndedWith(RunTool("/enable"), 0));
  ClearRunLog();
  RunResult result = RunTool("/disable");
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  EXPECT_TRUE(FileEquals(kSpawner, Built(layout::kBuiltIdeSpawner)));
  EXPECT_TRUE(FileAbsent(kBackup));
  EXPECT_TRUE(FileEquals(kToolsCopy, Built(layout::kBuiltIdeSpawner)));
  EXPECT_TRUE(KeyAbsent(layout::ClassKey(layout::kOrvikPkgClsid)));
  EXPECT_TRUE(ValueIs(layout::PackageKey(""), "Enabled", REG_DWORD, DwordBytes(0)));
  EXPECT_EQ(Runs(RunLog()), std::vector<std::string>{kUnregistered});
}

// The DLL is unregistered before the move is tried, and stays so.
TEST_F(PackageSwitch, DisableWithoutBackupNamesBothPathsAfterUnregistering) {
  ASSERT_TRUE(EndedWith(RunTool("/enable"), 0));
  Remove(kBackup);
  ClearRunLog();
  RunResult result = RunTool("/disable");
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {Notice(kCantMoveBackup), Failure(kFailedDisable)}));
  EXPECT_TRUE(FileEquals(kSpawner, Built(layout::kBuiltVendorSpawner)));
  EXPECT_TRUE(KeyAbsent(layout::ClassKey(layout::kOrvikPkgClsid)));
  EXPECT_TRUE(ValueIs(layout::PackageKey(""), "Enabled", REG_DWORD, DwordBytes(1)));
  EXPECT_EQ(Runs(RunLog()), std::vector<std::string>{kUnregistered});
}

TEST_F(PackageSwitch, DisableWhoseUnregistrationFailsTouchesNothingElse) {
  ASSERT_TRUE(EndedWith(RunTool("/enable"), 0));
  std::string before = SnapshotMachine();
  RunResult result = RunWithSwitch("/disable", "TESTBED_ORVIKPKG_FAIL", "unregister");
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(
      ShowedBoxes(result, {Notice("Error executing regsvr32.exe /c /s /u OrvikPkg.dll"), Failure(kFailedDisable)}));
  EXPECT_EQ(before, SnapshotMachine());
}

enum class Trouble { kNoVendorSpawner, kNoBackup, kPackageDirGone, kRegistrationFails };

struct QuietCase {
  const char* name;
  const char* arguments;
  Trouble trouble;
  std::vector<ExpectedBox> boxes;
};

class QuietSwitch : public PackageSwitch, public ::testing::WithParamInterface<QuietCase> {};

TEST_P(QuietSwitch, SilencesTheFileMessagesButNotTheRunnersReport) {
  RunOptions options = ToolRun("\"" + ToolPath() + "\" " + GetParam().arguments);
  switch (GetParam().trouble) {
    case Trouble::kNoVendorSpawner:
      Remove(kVendorSpawner);
      break;
    case Trouble::kNoBackup:
      ASSERT_TRUE(EndedWith(RunTool("/enable"), 0));
      Remove(kBackup);
      break;
    case Trouble::kPackageDirGone:
      MovePackageDirAway();
      break;
    case Trouble::kRegistrationFails:
      options.environment.emplace_back("TESTBED_ORVIKPKG_FAIL", std::string("1"));
      break;
  }
  RunResult result = RunProgram(options);
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, GetParam().boxes));
}

INSTANTIATE_TEST_SUITE_P(QuietMode, QuietSwitch,
                         ::testing::Values(QuietCase{"NoVendorSpawner", "/s /enable", Trouble::kNoVendorSpawner, {}},
                                           QuietCase{"PackageDirGone", "/enable /s", Trouble::kPackageDirGone, {}},
                                           QuietCase{"NoBackup", "-S /disable", Trouble::kNoBackup, {}},
                                           QuietCase{"RegistrationFails",
                                                     "/enable \"/s\"",
                                                     Trouble::kRegistrationFails,
                                                     {Notice("Error executing regsvr32.exe /c /s OrvikPkg.dll")}},
                                           QuietCase{"UnregistrationFails",
                                                     "/s /disable",
                                                     Trouble::kRegistrationFails,
                                                     {Notice("Error executing regsvr32.exe /c /s /u OrvikPkg.dll")}}),
                         CaseName<QuietCase>);

struct RecordedState {
  const char* name;
  DWORD type;
  std::string bytes;
  bool enabled;
};

class EnabledValue : public PackageSwitch, public ::testing::WithParamInterface<RecordedState> {};

// The dialog's radio buttons start from the recorded state: a value of four
// bytes that reads as the number 1 is enabled whatever its type; a longer
// one never is, even when it starts with those four bytes.
TEST_P(EnabledValue, PresetsTheDialog) {
  SetValue(layout::PackageKey(""), "Enabled", GetParam().type, GetParam().bytes);
  RunResult result = RunTool("", {Answer::Press(IDCANCEL)});
  EXPECT_TRUE(EndedWith(result, 0));
  ASSERT_EQ(result.windows.size(), 1u) << FormatTranscript(result);
  const ControlRecord* enable = result.windows[0].Control(1000);
  const ControlRecord* disable = result.windows[0].Control(1001);
  ASSERT_TRUE(enable && disable) << FormatTranscript(result);
  EXPECT_EQ(enable->checked, GetParam().enabled ? BST_CHECKED : BST_UNCHECKED);
  EXPECT_EQ(disable->checked, GetParam().enabled ? BST_UNCHECKED : BST_CHECKED);
}

INSTANTIATE_TEST_SUITE_P(TypeIgnoredSizeNot, EnabledValue,
                         ::testing::Values(RecordedState{"Dword2", REG_DWORD, DwordBytes(2), false},
                                           RecordedState{"Dword257", REG_DWORD, DwordBytes(0x101), false},
                                           RecordedState{"Dword1InHighByte", REG_DWORD, DwordBytes(0x01000000), false},
                                           RecordedState{"Binary1", REG_BINARY, DwordBytes(1), true},
                                           RecordedState{"Qword1", REG_QWORD, DwordBytes(1) + DwordBytes(0), false}),
                         CaseName<RecordedState>);

// ENVSDK_ROOTSUFFIX names the IDE's root: with an IDE below 7.0 and one
// below 7.0Exp, the state is recorded for the suffixed one only.
TEST_F(PackageSwitch, RootSuffixRoutesTheStateToTheSuffixedKey) {
  MachineSpec experimental;
  experimental.rootSuffix = "Exp";
  experimental.packageRegistered = true;
  Provision(experimental);
  const std::string plainKey = layout::PackageKey("");
  SetValue(layout::IdeRootKey(""), "InstallDir", REG_SZ, Terminated(layout::kIdeExeDir));
  SetValue(plainKey, "InstallPath", REG_SZ, Terminated(layout::kPackageDir));
  SetValue(plainKey, "Enabled", REG_DWORD, DwordBytes(7));

  RunResult enabled = RunWithSwitch("/enable", "ENVSDK_ROOTSUFFIX", "Exp");
  EXPECT_TRUE(EndedWith(enabled, 0));
  EXPECT_TRUE(ShowedBoxes(enabled, {}));
  ExpectEnabled("Exp");
  EXPECT_TRUE(ValueIs(plainKey, "Enabled", REG_DWORD, DwordBytes(7)));

  RunResult disabled = RunWithSwitch("/disable", "ENVSDK_ROOTSUFFIX", "Exp");
  EXPECT_TRUE(EndedWith(disabled, 0));
  EXPECT_TRUE(ShowedBoxes(disabled, {}));
  EXPECT_TRUE(ValueIs(layout::PackageKey("Exp"), "Enabled", REG_DWORD, DwordBytes(0)));
  EXPECT_TRUE(ValueIs(plainKey, "Enabled", REG_DWORD, DwordBytes(7)));
  EXPECT_TRUE(FileEquals(kSpawner, Built(layout::kBuiltIdeSpawner)));
}

}  // namespace
}  // namespace bench
