// "/uninstall": the package disabled first when it is enabled, VelPkg.dll
// unregistered, the IDE set up again, and the tool's own key removed once
// nothing is left below it; and what an install and an uninstall leave
// behind together.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "PackageScenario.h"

namespace bench {
namespace {

using layout::kPackageDir;
using layout::kToolKey;

::testing::AssertionResult KeyPresent(const std::string& key) {
  HKEY handle;
  LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle);
  if (status != ERROR_SUCCESS) return ::testing::AssertionFailure() << "HKLM\\" << key << " cannot be opened: " << status;
  RegCloseKey(handle);
  return ::testing::AssertionSuccess();
}

ExpectedBox ErrorExecuting(const std::string& commandLine) {
  return {kAppCaption, "Error executing " + commandLine, IconKind::kExclamation};
}

std::string OrvikPkgUnregistered() { return DllCall(kPackageDir, "OrvikPkg.dll", "DllUnregisterServer"); }
std::string VelPkgUnregistered() { return DllCall(kPackageDir, "VelPkg.dll", "DllUnregisterServer"); }

class Uninstall : public PackageScenario {
 protected:
  // A clean machine installed by the tool itself: the package enabled as a
  // real install leaves it. The run log then starts afresh.
  void InstallFirst(const std::string& rootSuffix) {
    MachineSpec clean;
    clean.rootSuffix = rootSuffix;
    Provision(clean);
    ASSERT_TRUE(EndedWith(Run("/install"), 0));
    installRuns_ = RunLog().size();
  }

  void ProvisionRegistered(std::optional<std::uint32_t> enabled, const std::string& rootSuffix = "") {
    MachineSpec registered;
    registered.rootSuffix = rootSuffix;
    registered.packageRegistered = true;
    registered.enabled = enabled;
    Provision(registered);
  }

  void ExpectIdeSpawnerBack() {
    EXPECT_TRUE(FileEquals(ToolsFile("vcspawn.exe"), Built(layout::kBuiltIdeSpawner)));
    EXPECT_TRUE(FileAbsent(PackageFile("vcspawn_ms.exe")));
  }

  std::size_t installRuns_ = 0;
};

class EnabledPackage : public Uninstall, public ::testing::WithParamInterface<const char*> {};

TEST_P(EnabledPackage, IsDisabledFirstThenUnregisteredAndTheIdeSetUp) {
  ASSERT_NO_FATAL_FAILURE(InstallFirst(GetParam()));
  RunResult result = Run("/uninstall");
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  EXPECT_EQ(Log(installRuns_),
            (std::vector<std::string>{OrvikPkgUnregistered(), VelPkgUnregistered(), IdeSetupCall(GetParam())}));
  ExpectIdeSpawnerBack();
  // The disable step wrote Enabled = 0; VelPkg.dll's unregistration then
  // took the package key away with it.
  EXPECT_TRUE(KeyAbsent(layout::PackageKey(GetParam())));
  EXPECT_TRUE(KeyAbsent(layout::ClassKey(layout::kPackageGuid)));
  EXPECT_TRUE(KeyAbsent(layout::ClassKey(layout::kOrvikPkgClsid)));
  EXPECT_TRUE(KeyAbsent(layout::kVendorKey));
}

INSTANTIATE_TEST_SUITE_P(RootSuffix, EnabledPackage, ::testing::Values("", "Exp"));

class DisabledPackage : public Uninstall, public ::testing::WithParamInterface<std::optional<std::uint32_t>> {};

TEST_P(DisabledPackage, IsNotDisabledAgain) {
  ProvisionRegistered(GetParam());
  RunResult result = Run("/uninstall");
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  EXPECT_EQ(Log(), (std::vector<std::string>{VelPkgUnregistered(), IdeSetupCall("")}));
  EXPECT_TRUE(FileEquals(ToolsFile("vcspawn.exe"), Built(layout::kBuiltIdeSpawner)));
  EXPECT_TRUE(FileAbsent(ToolsFile("vcspawn_ms.exe")));
  EXPECT_TRUE(KeyAbsent(layout::PackageKey("")));
}

// Only the number 1 counts as enabled.
INSTANTIATE_TEST_SUITE_P(Enabled, DisabledPackage,
                         ::testing::Values(std::nullopt, std::optional<std::uint32_t>(0),
                                           std::optional<std::uint32_t>(2)));

struct FailingStepCase {
  const char* variable;
  const char* value;
  const char* arguments;
  std::vector<ExpectedBox> boxes;
  std::size_t runs;  // how many of the uninstall's three runs happened
};

class FailingUninstallStep : public Uninstall, public ::testing::WithParamInterface<FailingStepCase> {};

TEST_P(FailingUninstallStep, StopsThereAndLeavesWhatWasDone) {
  ASSERT_NO_FATAL_FAILURE(InstallFirst(""));
  ASSERT_TRUE(SetText(kToolKey, "Kept", "yes"));
  RunResult result = Run(GetParam().arguments, {}, {{GetParam().variable, std::string(GetParam().value)}});
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, GetParam().boxes));
  std::vector<std::string> runs = {OrvikPkgUnregistered(), VelPkgUnregistered(), IdeSetupCall("")};
  runs.resize(GetParam().runs);
  EXPECT_EQ(Log(installRuns_), runs);
  EXPECT_TRUE(ValueIs(kToolKey, "Kept", REG_SZ, Terminated("yes")));

  std::string packageKey = layout::PackageKey("");
  if (GetParam().runs == 1) {
    EXPECT_TRUE(ValueIs(packageKey, "Enabled", REG_DWORD, DwordBytes(1)));
    EXPECT_TRUE(FileEquals(ToolsFile("vcspawn.exe"), Built(layout::kBuiltVendorSpawner)));
    return;
  }
  ExpectIdeSpawnerBack();
  if (GetParam().runs == 2) {
    EXPECT_TRUE(ValueIs(packageKey, "Enabled", REG_DWORD, DwordBytes(0)));
    EXPECT_TRUE(ValueIs(packageKey, "InstallPath", REG_SZ, Terminated(kPackageDir)));
  } else {
    EXPECT_TRUE(KeyAbsent(packageKey));
  }
}

const std::string kIdeSetup = "\"" + std::string(layout::kIdeExeDir) + "devenv.exe\" /setup";

// The runner's report shows in quiet mode too; the failure text does not.
INSTANTIATE_TEST_SUITE_P(
    Steps, FailingUninstallStep,
    ::testing::Values(FailingStepCase{"TESTBED_ORVIKPKG_FAIL", "unregister", "/uninstall",
                                      {ErrorExecuting("regsvr32.exe /c /s /u OrvikPkg.dll"), {kAppCaption, kUninstallFailed}},
                                      1},
                      FailingStepCase{"TESTBED_VELPKG_FAIL", "unregister", "/uninstall",
                                      {ErrorExecuting("regsvr32.exe /c /s /u VelPkg.dll"), {kAppCaption, kUninstallFailed}},
                                      2},
                      FailingStepCase{"TESTBED_VELPKG_FAIL", "1", "/s /uninstall",
                                      {ErrorExecuting("regsvr32.exe /c /s /u VelPkg.dll")}, 2},
                      FailingStepCase{"TESTBED_DEVENV_EXIT", "2", "/uninstall",
                                      {ErrorExecuting(kIdeSetup), {kAppCaption, kUninstallFailed}}, 3}));

TEST_F(Uninstall, StopsWhenTheEnabledPackageCannotBeDisabled) {
  // Enabled says 1, but no enable ever made a backup of the IDE's spawner.
  ProvisionRegistered(1);
  RunResult result = Run("/uninstall");
  std::string backup = PackageFile("vcspawn_ms.exe");
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {{kAppCaption, "Can't copy file " + backup + "\nto " + ToolsFile("vcspawn.exe"),
                                    IconKind::kExclamation},
                                   {kAppCaption, kUninstallFailed}}));
  EXPECT_EQ(Log(), std::vector<std::string>{OrvikPkgUnregistered()});
  EXPECT_TRUE(ValueIs(layout::PackageKey(""), "Enabled", REG_DWORD, DwordBytes(1)));
}

enum class ToolKeyHolds { kNothing, kNoKey, kValues, kOtherSubkey };

struct ToolKeyCase {
  const char* rootSuffix;
  ToolKeyHolds holds;
  bool removed;
};

class ToolKey : public Uninstall, public ::testing::WithParamInterface<ToolKeyCase> {};

TEST_P(ToolKey, IsRemovedUnlessASubkeyIsLeftAndItsParentStays) {
  ProvisionRegistered(0, GetParam().rootSuffix);
  const std::string other = std::string(kToolKey) + "\\Other";
  switch (GetParam().holds) {
    case ToolKeyHolds::kNoKey:
      break;
    case ToolKeyHolds::kNothing: {
      HKEY key;
      ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kToolKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                ERROR_SUCCESS);
      RegCloseKey(key);
      break;
    }
    case ToolKeyHolds::kValues:
      ASSERT_TRUE(SetText(kToolKey, "First", "1"));
      ASSERT_TRUE(SetText(kToolKey, nullptr, "default"));
      break;
    case ToolKeyHolds::kOtherSubkey:
      ASSERT_TRUE(SetText(other, "Kept", "yes"));
      break;
  }
  RunResult result = Run("/uninstall");
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  if (GetParam().holds == ToolKeyHolds::kNoKey) {
    EXPECT_TRUE(KeyAbsent(layout::kVendorKey));
  } else if (GetParam().removed) {
    EXPECT_TRUE(KeyAbsent(kToolKey));
    EXPECT_TRUE(KeyPresent(layout::kVendorKey));
  } else {
    EXPECT_TRUE(ValueIs(other, "Kept", REG_SZ, Terminated("yes")));
  }
}

// The tool's key carries no root suffix.
INSTANTIATE_TEST_SUITE_P(Contents, ToolKey,
                         ::testing::Values(ToolKeyCase{"", ToolKeyHolds::kNoKey, false},
                                           ToolKeyCase{"", ToolKeyHolds::kNothing, true},
                                           ToolKeyCase{"", ToolKeyHolds::kValues, true},
                                           ToolKeyCase{"Exp", ToolKeyHolds::kValues, true},
                                           ToolKeyCase{"", ToolKeyHolds::kOtherSubkey, false}));

TEST_F(Uninstall, KeepsTheToolKeyWhileCompilersAreRegisteredAndRemovesItAfterwards) {
  ProvisionRegistered(0);
  ASSERT_TRUE(EndedWith(Run("/RegCompiler OrvikCC C:\\oc\\bin C:\\oc\\inc C:\\oc\\lib /O2 WIN32"), 0));
  const std::string compiler = std::string(kToolKey) + "\\Compilers\\OrvikCC";

  EXPECT_TRUE(EndedWith(Run("/uninstall"), 0));
  EXPECT_TRUE(ValueIs(compiler, "Executable", REG_SZ, "C:\\oc\\bin"));
  EXPECT_TRUE(ValueIs(compiler, "TargetPlatform", REG_SZ, "WIN32"));

  RunResult result = Run("/UnregAllCompilers /uninstall");
  EXPECT_TRUE(EndedWith(result, 0));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  EXPECT_TRUE(KeyAbsent(kToolKey));
  EXPECT_TRUE(KeyPresent(layout::kVendorKey));
}

struct NoRootCase {
  const char* arguments;
  const char* failure;  // the dispatcher's text, or null when quiet
};

class SuffixedRootAbsent : public Uninstall, public ::testing::WithParamInterface<NoRootCase> {};

TEST_P(SuffixedRootAbsent, NamesTheKeyAndChangesNothing) {
  ASSERT_NO_FATAL_FAILURE(InstallFirst(""));
  ASSERT_TRUE(SetText(kToolKey, "Kept", "yes"));
  std::string before = SnapshotMachine();
  RunResult result = Run(GetParam().arguments, {}, {{"ENVSDK_ROOTSUFFIX", std::string("Exp")}});
  std::vector<ExpectedBox> boxes = {
      {"Error", "The key \"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\VisualStudio\\7.0Exp\" is absent in the Registry."}};
  if (GetParam().failure) boxes.push_back({kAppCaption, GetParam().failure});
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, boxes));
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_EQ(Log(installRuns_), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Options, SuffixedRootAbsent,
                         ::testing::Values(NoRootCase{"/uninstall", kUninstallFailed},
                                           NoRootCase{"/s /uninstall", nullptr},
                                           NoRootCase{"/install", kInstallFailed}));

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Missing(const std::vector<std::string>& lines, const std::vector<std::string>& from) {
  std::vector<std::string> missing;
  for (const std::string& line : lines)
    if (std::find(from.begin(), from.end(), line) == from.end()) missing.push_back(line);
  return missing;
}

class RoundTrip : public Uninstall, public ::testing::WithParamInterface<const char*> {};

TEST_P(RoundTrip, LeavesOnlyTheIdesSpawnerCopyBehind) {
  MachineSpec clean;
  clean.rootSuffix = GetParam();
  Provision(clean);
  std::vector<std::string> before = Lines(SnapshotMachine());
  ASSERT_TRUE(EndedWith(Run("/install"), 0));
  ASSERT_TRUE(EndedWith(Run("/uninstall"), 0));
  std::vector<std::string> after = Lines(SnapshotMachine());

  // The copy of the IDE's spawner that every enable makes beside it: the
  // same size and bytes as the spawner it copied.
  std::string spawner = ToolsFile("vcspawn.exe");
  auto spawnerLine = std::find_if(before.begin(), before.end(),
                                  [&](const std::string& line) { return line.rfind(spawner + "  ", 0) == 0; });
  ASSERT_NE(spawnerLine, before.end());
  std::string copyLine = ToolsFile("vcspawn_ms.exe") + spawnerLine->substr(spawner.size());

  EXPECT_EQ(Missing(before, after), std::vector<std::string>{});
  EXPECT_EQ(Missing(after, before), std::vector<std::string>{copyLine});
}

INSTANTIATE_TEST_SUITE_P(RootSuffix, RoundTrip, ::testing::Values("", "Exp"));

}  // namespace
}  // namespace bench
