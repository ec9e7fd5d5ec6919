// "/install": the walk-through on a clean machine, the version check against
// an installed copy with its question and the copy's own uninstall, and what
// stays behind when a step fails.
#include <windows.h>

#include <gtest/gtest.h>

#include "PackageScenario.h"

namespace bench {
namespace {

using layout::kOlderCopyDir;
using layout::kPackageDir;

constexpr char kQuestion[] = "Orvik Integration Tool is already installed.\r\nWould you like to reinstall?";
const ExpectedBox kReinstallQuestion = {"Reinstall Orvik Integration Tool", kQuestion, IconKind::kNone, {IDYES, IDNO}};
const ExpectedBox kLaterVersion = {kAppCaption, "Later version already installed", IconKind::kExclamation};

ExpectedBox ErrorExecuting(const std::string& commandLine) {
  return {kAppCaption, "Error executing " + commandLine, IconKind::kExclamation};
}

// The new copy's three runs, each from the package directory: VelPkg.dll
// registered, then OrvikPkg.dll by the enable step, then the IDE's set-up.
std::vector<std::string> NewInstallRuns(const std::string& rootSuffix) {
  return {DllCall(kPackageDir, "VelPkg.dll", "DllRegisterServer"),
          DllCall(kPackageDir, "OrvikPkg.dll", "DllRegisterServer"), IdeSetupCall(rootSuffix)};
}

class Install : public PackageScenario {
 protected:
  // The package enabled for the IDE, its spawner swapped with both backups
  // of the IDE's own.
  void ExpectInstalled(const std::string& rootSuffix) {
    std::string packageKey = layout::PackageKey(rootSuffix);
    EXPECT_TRUE(ValueIs(packageKey, "InstallPath", REG_SZ, Terminated(kPackageDir)));
    EXPECT_TRUE(ValueIs(packageKey, "Enabled", REG_DWORD, DwordBytes(1)));
    EXPECT_TRUE(FileEquals(ToolsFile("vcspawn.exe"), Built(layout::kBuiltVendorSpawner)));
    EXPECT_TRUE(FileEquals(ToolsFile("vcspawn_ms.exe"), Built(layout::kBuiltIdeSpawner)));
    EXPECT_TRUE(FileEquals(PackageFile("vcspawn_ms.exe"), Built(layout::kBuiltIdeSpawner)));
  }

  // The installed copy's tool replaced by a recorder that logs how it was
  // started, where, and succeeds: the run log then shows the exact command.
  void PutRecorderInOlderCopy() {
    std::string copy = std::string(kOlderCopyDir) + layout::kToolName;
    ASSERT_TRUE(CopyFileA(Built(layout::kBuiltIdeSpawner).c_str(), copy.c_str(), FALSE)) << GetLastError();
  }

  // A registered copy of that version in its own directory, played by the
  // recorder unless the real tool is asked for.
  void ProvisionInstalled(const std::string& version, const std::string& rootSuffix = "", bool recorder = true) {
    MachineSpec installed;
    installed.rootSuffix = rootSuffix;
    installed.packageRegistered = true;
    installed.installedVersion = version;
    installed.olderCopy = true;
    Provision(installed);
    if (recorder) PutRecorderInOlderCopy();
  }
};

// How the recorder in copyDir logs the copy's uninstall. The tool starts it
// unquoted; Wine hands a program whose path holds blanks the command line
// with that path quoted once it has found it (Windows passes it as given).
std::string CopyUninstallCall(const std::string& copyDir = kOlderCopyDir) {
  std::string copy = copyDir + layout::kToolName;
  std::string shown = copy.find(' ') == std::string::npos ? copy : "\"" + copy + "\"";
  return Show({copy, AsCurrentDirectory(copyDir), shown + " /uninstall"});
}

struct FreshCase {
  const char* rootSuffix;
  const char* toolName;
  const char* baseVersion;  // ProductVersion under the unsuffixed key, or null
};

class FreshInstall : public Install, public ::testing::WithParamInterface<FreshCase> {};

TEST_P(FreshInstall, RegistersEnablesAndRunsTheIdeSetupSilently) {
  MachineSpec clean;
  clean.rootSuffix = GetParam().rootSuffix;
  clean.toolName = GetParam().toolName;
  if (GetParam().baseVersion) clean.installedVersion = GetParam().baseVersion;
  Provision(clean);

  RunResult result = Run("/install");
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  EXPECT_EQ(Log(), NewInstallRuns(clean.rootSuffix));
  ExpectInstalled(clean.rootSuffix);
  EXPECT_TRUE(KeyAbsent(layout::kVendorKey));
  if (GetParam().baseVersion) {
    EXPECT_TRUE(ValueIs(layout::BasePackageKey(), "ProductVersion", REG_SZ, Terminated(GetParam().baseVersion)));
    EXPECT_TRUE(ValueIs(layout::BasePackageKey(), "InstallPath", REG_SZ, Terminated(kOlderCopyDir)));
  } else if (!clean.rootSuffix.empty()) {
    EXPECT_TRUE(KeyAbsent(layout::IdeRootKey("")));
  }
}

// The version is compared only when the package is known under the suffixed
// root: a version kept in the unsuffixed key alone is not an installed copy,
// and a renamed tool never needs to read its own.
INSTANTIATE_TEST_SUITE_P(NotInstalled, FreshInstall,
                         ::testing::Values(FreshCase{"", "RegOrvikPkg.exe", nullptr},
                                           FreshCase{"Exp", "RegOrvikPkg.exe", nullptr},
                                           FreshCase{"Exp", "RegOrvikPkg.exe", "7.1"},
                                           FreshCase{"", "Orvik Setup.exe", nullptr}));

struct InstalledCase {
  const char* version;
  const char* rootSuffix;
};

class Reinstall : public Install, public ::testing::WithParamInterface<InstalledCase> {};

TEST_P(Reinstall, AnsweredYesRunsTheCopysUninstallInItsDirectoryThenInstalls) {
  ASSERT_NO_FATAL_FAILURE(ProvisionInstalled(GetParam().version, GetParam().rootSuffix));
  RunResult result = Run("/install", {Answer::Press("Yes")});
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {kReinstallQuestion}));
  std::vector<std::string> runs = {CopyUninstallCall()};
  for (const std::string& run : NewInstallRuns(GetParam().rootSuffix)) runs.push_back(run);
  EXPECT_EQ(Log(), runs);
  ExpectInstalled(GetParam().rootSuffix);
  EXPECT_TRUE(ValueIs(layout::BasePackageKey(), "ProductVersion", REG_SZ, Terminated(GetParam().version)));
}

TEST_P(Reinstall, AnsweredNoChangesNothing) {
  ASSERT_NO_FATAL_FAILURE(ProvisionInstalled(GetParam().version, GetParam().rootSuffix));
  std::string before = SnapshotMachine();
  RunResult result = Run("/install", {Answer::Press("No")});
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {kReinstallQuestion, {kAppCaption, kInstallFailed}}));
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_EQ(Log(), std::vector<std::string>{});
}

TEST_P(Reinstall, QuietlyInstallsOverTheCopyWithoutRemovingIt) {
  ASSERT_NO_FATAL_FAILURE(ProvisionInstalled(GetParam().version, GetParam().rootSuffix));
  RunResult result = Run("/s /install");
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  EXPECT_EQ(Log(), NewInstallRuns(GetParam().rootSuffix));
  ExpectInstalled(GetParam().rootSuffix);
}

// Versions count by their leading decimal number against the tool's own 7.0:
// 7.0.270 is the same, letters alone read as 0 and so as older.
INSTANTIATE_TEST_SUITE_P(SameOrOlder, Reinstall,
                         ::testing::Values(InstalledCase{"7.0", ""}, InstalledCase{"6.5", ""},
                                           InstalledCase{"7.0.270", ""}, InstalledCase{"Seven", ""},
                                           InstalledCase{"7", "Exp"}));

TEST_F(Install, StartsTheCopyByItsPathAndOptionUnquoted) {
  ASSERT_NO_FATAL_FAILURE(ProvisionInstalled("7.0"));
  const std::string copyDir = std::string(layout::kBenchDir) + "\\OldCopy\\";
  ASSERT_TRUE(CreateDirectoryA(copyDir.c_str(), nullptr));
  ASSERT_TRUE(CopyFileA(Built(layout::kBuiltIdeSpawner).c_str(), (copyDir + layout::kToolName).c_str(), FALSE));
  ASSERT_TRUE(SetText(layout::BasePackageKey(), "InstallPath", copyDir));
  RunResult result = Run("/install", {Answer::Press("Yes")});
  EXPECT_TRUE(EndedWith(result, 0));
  std::vector<std::string> log = Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0], Show({copyDir + "RegOrvikPkg.exe", AsCurrentDirectory(copyDir),
                          "C:\\RegOrvikBench\\OldCopy\\RegOrvikPkg.exe /uninstall"}));
}

TEST_F(Install, TheRealOlderCopyUninstallsItselfFromItsOwnDirectory) {
  ASSERT_NO_FATAL_FAILURE(ProvisionInstalled("6.5", "", false));
  RunResult result = Run("/install", {Answer::Press("Yes")});
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {kReinstallQuestion}));
  // The copy's own regsvr32.exe and devenv.exe runs inherit its directory;
  // the new copy's runs show the tool's directory restored afterwards.
  std::vector<std::string> runs = {DllCall(kOlderCopyDir, "VelPkg.dll", "DllUnregisterServer", kOlderCopyDir),
                                   IdeSetupCall("", kOlderCopyDir)};
  for (const std::string& run : NewInstallRuns("")) runs.push_back(run);
  EXPECT_EQ(Log(), runs);
  ExpectInstalled("");
  EXPECT_TRUE(ValueIs(layout::BasePackageKey(), "ProductVersion", REG_SZ, Terminated("6.5")));
}

struct RemovalCase {
  const char* installPath;  // InstallPath under the unsuffixed key
  std::vector<ExpectedBox> boxes;
};

class CopyNotRemoved : public Install, public ::testing::WithParamInterface<RemovalCase> {};

TEST_P(CopyNotRemoved, InstallGoesOnFromTheToolsOwnDirectory) {
  ASSERT_NO_FATAL_FAILURE(ProvisionInstalled("7.0"));
  ASSERT_TRUE(SetText(layout::BasePackageKey(), "InstallPath", GetParam().installPath));
  RunResult result = Run("/install", {Answer::Press("Yes")});
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, GetParam().boxes));
  EXPECT_EQ(Log(), NewInstallRuns(""));
  ExpectInstalled("");
}

// The file name is joined to InstallPath as it stands, so a path without its
// backslash names a program that does not exist; a directory that does not
// exist is not entered, and nothing is run there.
INSTANTIATE_TEST_SUITE_P(
    InstallPath, CopyNotRemoved,
    ::testing::Values(
        RemovalCase{"C:\\Program Files\\Orvik\\Compiler Integration 6.5",
                    {kReinstallQuestion,
                     ErrorExecuting("C:\\Program Files\\Orvik\\Compiler Integration 6.5RegOrvikPkg.exe /uninstall")}},
        RemovalCase{"C:\\Program Files\\Orvik\\Gone\\", {kReinstallQuestion}}));

struct LaterCase {
  const char* version;
  const char* arguments;
  std::vector<ExpectedBox> boxes;
  std::uint32_t exitCode;
};

class LaterInstalled : public Install, public ::testing::WithParamInterface<LaterCase> {};

TEST_P(LaterInstalled, SaysSoEvenWhenQuietChangesNothingAndRunsTheNextOption) {
  ASSERT_NO_FATAL_FAILURE(ProvisionInstalled(GetParam().version));
  std::string before = SnapshotMachine();
  RunResult result = Run(GetParam().arguments);
  EXPECT_TRUE(EndedWith(result, GetParam().exitCode));
  EXPECT_TRUE(ShowedBoxes(result, GetParam().boxes));
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_EQ(Log(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Versions, LaterInstalled,
    ::testing::Values(LaterCase{"7.1", "/install", {kLaterVersion}, 0},
                      LaterCase{"7.01", "/install /bogus", {kLaterVersion, {kAppCaption, "Invalid argument: /bogus\n"}},
                                kFailure},
                      LaterCase{"8", "/install /SetCompiler x",
                                {kLaterVersion, {kAppCaption, "Failed to select compiler x\n"}}, kFailure},
                      LaterCase{"70", "/s /install /SetCompiler x", {kLaterVersion}, kFailure}));

struct UnknownCase {
  const char* toolName;
  const char* rootSuffix;
  const char* arguments;
  std::vector<ExpectedBox> boxes;
};

class UnknownVersion : public Install, public ::testing::WithParamInterface<UnknownCase> {};

TEST_P(UnknownVersion, FailsWithOnlyTheFailureTextAndChangesNothing) {
  MachineSpec spec;
  spec.toolName = GetParam().toolName;
  spec.rootSuffix = GetParam().rootSuffix;
  spec.packageRegistered = true;
  if (spec.rootSuffix.empty()) spec.installedVersion = "7.0";
  Provision(spec);
  std::string before = SnapshotMachine();
  RunResult result = Run(GetParam().arguments);
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, GetParam().boxes));
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_EQ(Log(), std::vector<std::string>{});
}

// A renamed tool finds no RegOrvikPkg.exe to read its own version from; under
// a root suffix the installed version is looked for in the unsuffixed key,
// which this machine does not have.
INSTANTIATE_TEST_SUITE_P(
    Unreadable, UnknownVersion,
    ::testing::Values(UnknownCase{"Orvik Setup.exe", "", "/install", {{"Orvik Setup", kInstallFailed}}},
                      UnknownCase{"RegOrvikPkg2.exe", "", "/s /install", {}},
                      UnknownCase{"RegOrvikPkg.exe", "Exp", "/install", {{kAppCaption, kInstallFailed}}}));

struct FailingStepCase {
  const char* rootSuffix;
  const char* variable;
  const char* value;
  const char* arguments;
  std::vector<ExpectedBox> boxes;
  std::size_t runs;  // how many of the new install's runs happened
};

class FailingInstallStep : public Install, public ::testing::WithParamInterface<FailingStepCase> {};

TEST_P(FailingInstallStep, StopsThereAndLeavesWhatWasDone) {
  MachineSpec clean;
  clean.rootSuffix = GetParam().rootSuffix;
  Provision(clean);
  std::string before = SnapshotMachine();
  RunResult result = Run(GetParam().arguments, {}, {{GetParam().variable, std::string(GetParam().value)}});
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, GetParam().boxes));
  std::vector<std::string> runs = NewInstallRuns(clean.rootSuffix);
  runs.resize(GetParam().runs);
  EXPECT_EQ(Log(), runs);
  if (GetParam().runs == 1) {
    EXPECT_EQ(before, SnapshotMachine());
    return;
  }
  // VelPkg.dll stays registered and the vendor's spawner in place; Enabled
  // is written only once OrvikPkg.dll is registered.
  std::string packageKey = layout::PackageKey(clean.rootSuffix);
  EXPECT_TRUE(ValueIs(packageKey, "InstallPath", REG_SZ, Terminated(kPackageDir)));
  EXPECT_TRUE(FileEquals(ToolsFile("vcspawn.exe"), Built(layout::kBuiltVendorSpawner)));
  if (GetParam().runs == 3)
    EXPECT_TRUE(ValueIs(packageKey, "Enabled", REG_DWORD, DwordBytes(1)));
  else
    EXPECT_TRUE(ValueAbsent(packageKey, "Enabled"));
}

const std::string kDevenv = std::string(layout::kIdeExeDir) + "devenv.exe";
const std::string kVelPkgRegistration = "regsvr32.exe /c /s VelPkg.dll";

INSTANTIATE_TEST_SUITE_P(
    Steps, FailingInstallStep,
    ::testing::Values(
        FailingStepCase{"", "TESTBED_VELPKG_FAIL", "register", "/install",
                        {ErrorExecuting(kVelPkgRegistration), {kAppCaption, kInstallFailed}}, 1},
        FailingStepCase{"", "TESTBED_VELPKG_FAIL", "1", "/s /install", {ErrorExecuting(kVelPkgRegistration)}, 1},
        FailingStepCase{"", "TESTBED_ORVIKPKG_FAIL", "register", "/install",
                        {ErrorExecuting("regsvr32.exe /c /s OrvikPkg.dll"), {kAppCaption, kInstallFailed}}, 2},
        FailingStepCase{"", "TESTBED_DEVENV_EXIT", "2", "/install",
                        {ErrorExecuting("\"" + kDevenv + "\" /setup"), {kAppCaption, kInstallFailed}}, 3},
        FailingStepCase{"Exp", "TESTBED_DEVENV_EXIT", "-1", "/s /install",
                        {ErrorExecuting("\"" + kDevenv + "\" /setup /rootsuffix Exp")}, 3}));

}  // namespace
}  // namespace bench
