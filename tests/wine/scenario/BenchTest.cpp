// The bench itself: the driver against puppet.exe, whose behaviour is known,
// and the testbed programs against the world they model.
#include <windows.h>

#include <gtest/gtest.h>

#include "ScenarioTest.h"

namespace bench {
namespace {

std::string OwnDirectory() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string directory = path;
  return directory.substr(0, directory.find_last_of('\\') + 1);
}

RunOptions Puppet(const std::string& arguments, std::vector<Answer> answers = {}) {
  RunOptions options;
  options.commandLine = "\"" + OwnDirectory() + "puppet.exe\" " + arguments;
  options.answers = std::move(answers);
  return options;
}

struct IconCase {
  const char* flags;
  IconKind icon;
};

class BenchDriverIcons : public ::testing::TestWithParam<IconCase> {};

TEST_P(BenchDriverIcons, ReadsTheSystemIconOfAMessageBox) {
  RunResult result = RunProgram(Puppet(std::string("box ") + GetParam().flags + " \"two\nlines\""));
  ASSERT_TRUE(EndedWith(result, IDOK));
  EXPECT_TRUE(ShowedBoxes(result, {{"puppet", "two\nlines", GetParam().icon}}));
}

INSTANTIATE_TEST_SUITE_P(AllKinds, BenchDriverIcons,
                         ::testing::Values(IconCase{"0x10", IconKind::kError}, IconCase{"0x30", IconKind::kExclamation},
                                           IconCase{"0x20", IconKind::kQuestion},
                                           IconCase{"0x40", IconKind::kInformation}, IconCase{"0", IconKind::kNone}));

TEST(BenchDriver, PressesButtonsByIdOrCaptionAndTheDefaultWhenUnscripted) {
  EXPECT_TRUE(EndedWith(RunProgram(Puppet("box 3 q", {Answer::Press("No")})), IDNO));
  EXPECT_TRUE(EndedWith(RunProgram(Puppet("box 3 q", {Answer::Press(IDCANCEL)})), IDCANCEL));
  RunResult unscripted = RunProgram(Puppet("box 0x103 q"));  // MB_YESNOCANCEL | MB_DEFBUTTON2
  EXPECT_TRUE(EndedWith(unscripted, IDNO));
  ASSERT_EQ(unscripted.windows.size(), 1u);
  EXPECT_TRUE(unscripted.windows[0].answeredByDefault);
}

TEST(BenchDriver, StartsWithTheExactCommandLineEnvironmentAndDirectory) {
  RunOptions options = Puppet("cmdline env BENCH_VALUE env BENCH_GONE cwd -- \t\"a  b\"  ");
  options.environment = {{"BENCH_VALUE", std::string("x=y z")}, {"BENCH_GONE", std::nullopt}};
  options.currentDirectory = "C:\\windows";
  SetEnvironmentVariableA("BENCH_GONE", "inherited");
  RunResult result = RunProgram(options);
  SetEnvironmentVariableA("BENCH_GONE", nullptr);
  ASSERT_TRUE(EndedWith(result, IDOK));
  EXPECT_TRUE(ShowedBoxes(result, {{"puppet", options.commandLine, IconKind::kNone},
                                   {"puppet", "x=y z", IconKind::kNone},
                                   {"puppet", "<unset>", IconKind::kNone},
                                   {"puppet", "C:\\windows", IconKind::kNone}}));
}

TEST(BenchDriver, ReportsAllThirtyTwoBitsOfTheExitCode) {
  EXPECT_TRUE(EndedWith(RunProgram(Puppet("exit -1")), 0xFFFFFFFFu));
  EXPECT_TRUE(EndedWith(RunProgram(Puppet("exit 0x80000003")), 0x80000003u));
}

TEST(BenchDriver, DrivesADialogStepByStepThroughItsNestedBoxes) {
  auto applySecond = [](LiveWindow& dialog) {
    EXPECT_EQ(dialog.FocusedId(), IDOK);
    EXPECT_FALSE(dialog.Control(12321)->enabled);
    if (!dialog.Click(1001)) return false;
    EXPECT_EQ(dialog.Control(1001)->checked, BST_CHECKED);
    EXPECT_TRUE(dialog.Control(12321)->enabled);
    if (!dialog.Press(12321)) return false;
    EXPECT_FALSE(dialog.Control(12321)->enabled);  // set after the nested box was closed
    return dialog.Press(IDOK);
  };
  RunResult result = RunProgram(Puppet("dialog", {Answer::Do("apply the second", applySecond), Answer::Press(IDOK)}));
  EXPECT_TRUE(EndedWith(result, IDOK + 0x10));
  ASSERT_EQ(result.windows.size(), 2u);
  EXPECT_EQ(result.windows[0].caption, "Puppet Dialog");
  EXPECT_EQ(result.windows[0].editText, "line one\r\n\tline two");
  EXPECT_EQ(result.windows[1].text, "applied");

  EXPECT_TRUE(EndedWith(RunProgram(Puppet("dialog", {Answer::Do("enter", [](LiveWindow& w) { return w.Key(VK_RETURN); })})), IDOK));
  EXPECT_TRUE(EndedWith(RunProgram(Puppet("dialog", {Answer::Do("close", [](LiveWindow& w) { return w.SysCommand(SC_CLOSE); })})),
                        IDCANCEL));
}

TEST(BenchDriver, RefusesWhatAPersonCouldNotDoAndEndsTheProgram) {
  RunResult result = RunProgram(Puppet("dialog", {Answer::Press(12321)}));
  EXPECT_FALSE(result.exited);
  EXPECT_NE(result.failure.find("disabled"), std::string::npos) << result.failure;
  ASSERT_EQ(result.leftOnScreen.size(), 1u);
  EXPECT_EQ(result.leftOnScreen[0].caption, "Puppet Dialog");
}

TEST(BenchDriver, EndsARunThatOutlastsItsTimeLimitAndRecordsTheScreen) {
  RunOptions options = Puppet("box 0 stay", {Answer::Do("look only", [](LiveWindow&) { return true; })});
  options.timeoutMs = 300;
  RunResult result = RunProgram(options);
  EXPECT_FALSE(result.exited);
  EXPECT_NE(result.failure.find("300 ms"), std::string::npos) << result.failure;
  EXPECT_LT(result.seconds, 5.0);
  ASSERT_EQ(result.leftOnScreen.size(), 1u);
  EXPECT_EQ(result.leftOnScreen[0].text, "stay");
}

TEST(BenchDriver, RecordsWindowsOfChildProgramsAndUnusedAnswers) {
  RunResult result = RunProgram(Puppet("spawn \"\\\"" + OwnDirectory() + "puppet.exe\\\" box 0 child\"", {Answer::Press(IDOK)}));
  EXPECT_TRUE(EndedWith(result, IDOK));
  ASSERT_EQ(result.windows.size(), 1u);
  EXPECT_TRUE(result.windows[0].shownByChild);
  EXPECT_EQ(result.windows[0].processName, "puppet.exe");

  RunResult unused = RunProgram(Puppet("exit 0", {Answer::Press(IDOK)}));
  EXPECT_NE(unused.failure.find("never came"), std::string::npos) << unused.failure;
}

class BenchTestbed : public ScenarioTest {
 protected:
  RunResult Program(const std::string& commandLine, std::vector<std::pair<std::string, std::optional<std::string>>> env) {
    RunOptions options = ToolRun(commandLine);
    options.environment.insert(options.environment.end(), env.begin(), env.end());
    return RunProgram(options);
  }
};

TEST_F(BenchTestbed, VelPkgRegistersThePackageWithTheIdeAndRemovesItAgain) {
  const std::string packageKey = layout::PackageKey("Exp");
  const std::string serverKey = layout::ClassKey(layout::kPackageGuid) + "\\InprocServer32";
  EXPECT_TRUE(EndedWith(Program("regsvr32.exe /c /s VelPkg.dll", {{"ENVSDK_ROOTSUFFIX", std::string("Exp")}}), 0));
  EXPECT_TRUE(ValueIs(packageKey, nullptr, REG_SZ, Terminated(layout::kPackageName)));
  EXPECT_TRUE(ValueIs(packageKey, "InstallPath", REG_SZ, Terminated(layout::kPackageDir)));
  EXPECT_TRUE(ValueIs(serverKey, nullptr, REG_SZ, Terminated(std::string(layout::kPackageDir) + "VelPkg.dll")));

  EXPECT_TRUE(EndedWith(Program("regsvr32.exe /c /s /u VelPkg.dll", {{"ENVSDK_ROOTSUFFIX", std::string("Exp")}}), 0));
  EXPECT_TRUE(KeyAbsent(packageKey));
  EXPECT_TRUE(KeyAbsent(layout::ClassKey(layout::kPackageGuid)));
}

TEST_F(BenchTestbed, UnregisteringVelPkgKeepsTheInstallersValues) {
  MachineSpec installed;
  installed.packageRegistered = true;
  installed.enabled = 0;
  installed.installedVersion = "7.0";
  Provision(installed);
  EXPECT_TRUE(EndedWith(Program("regsvr32.exe /c /s /u VelPkg.dll", {}), 0));
  EXPECT_TRUE(ValueIs(layout::BasePackageKey(), "ProductVersion", REG_SZ, Terminated("7.0")));
  EXPECT_FALSE(ValueIs(layout::BasePackageKey(), "Enabled", REG_DWORD, DwordBytes(0)));
}

TEST_F(BenchTestbed, PackageDllsFailOnRequestWithoutTouchingTheRegistry) {
  std::string before = SnapshotMachine();
  EXPECT_TRUE(EndedWith(Program("regsvr32.exe /c /s OrvikPkg.dll", {{"TESTBED_ORVIKPKG_FAIL", std::string("1")}}), 5));
  EXPECT_TRUE(EndedWith(Program("regsvr32.exe /c /s VelPkg.dll", {{"TESTBED_VELPKG_FAIL", std::string("register")}}), 5));
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_TRUE(EndedWith(Program("regsvr32.exe /c /s OrvikPkg.dll", {}), 0));
  EXPECT_TRUE(ValueIs(layout::ClassKey(layout::kOrvikPkgClsid) + "\\InprocServer32", nullptr, REG_SZ,
                      Terminated(std::string(layout::kPackageDir) + "OrvikPkg.dll")));
  ASSERT_EQ(RunLog().size(), 3u);
  EXPECT_EQ(RunLog()[2].text, "DllRegisterServer");
}

TEST_F(BenchTestbed, DevenvRecordsItsCommandLineAndExitsAsTold) {
  std::string commandLine = std::string("\"") + layout::kIdeExeDir + "devenv.exe\" /setup /rootsuffix Exp \t";
  EXPECT_TRUE(EndedWith(Program(commandLine, {{"TESTBED_DEVENV_EXIT", std::string("-1")}}), 0xFFFFFFFFu));
  std::vector<LogLine> log = RunLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].module, std::string(layout::kIdeExeDir) + "devenv.exe");
  EXPECT_EQ(log[0].directory + "\\", layout::kPackageDir);
  EXPECT_EQ(log[0].text, commandLine);
}

TEST_F(BenchTestbed, SpawnersCarryTheirMarkersInStringTable101) {
  struct Spawner {
    const char* built;
    const char* marker;
  };
  const Spawner spawners[] = {{layout::kBuiltIdeSpawner, "Build Spawner"},
                              {layout::kBuiltVendorSpawner, "Orvik"},
                              {layout::kBuiltVendorSpawnerCaps, "ORVIK"}};
  std::vector<std::string> notes;
  for (const Spawner& spawner : spawners) {
    HMODULE module = LoadLibraryExA(Built(spawner.built).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module) << spawner.built;
    char text[64] = "";
    LoadStringA(module, 101, text, sizeof text);
    EXPECT_STREQ(text, spawner.marker);
    LoadStringA(module, 102, text, sizeof text);
    notes.emplace_back(text);
    FreeLibrary(module);
  }
  EXPECT_NE(notes[0], notes[1]);
  EXPECT_NE(notes[1], notes[2]);
}

}  // namespace
}  // namespace bench
