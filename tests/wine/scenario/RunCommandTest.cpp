// Outside programs as the user meets them: the IDE's devenv.exe, reached
// through install and uninstall, ends with the exit code it is told to, and
// only codes other than 0 and 1 are reported, once, in quiet mode too.
#include <gtest/gtest.h>

#include "ScenarioTest.h"

namespace bench {
namespace {

constexpr char kCaption[] = "RegOrvikPkg";
const std::string kDevenv = std::string(layout::kIdeExeDir) + "devenv.exe";
const std::string kSetup = "\"" + kDevenv + "\" /setup";

struct ChildCase {
  const char* name;
  const char* arguments;
  const char* rootSuffix;  // of the machine and of ENVSDK_ROOTSUFFIX
  const char* devenvExit;  // TESTBED_DEVENV_EXIT, or null to leave it unset
  std::string setupCommand;
  const char* failure;  // the dispatcher's text after the report, or null
  bool reported;
};

std::string ChildName(const ::testing::TestParamInfo<ChildCase>& info) { return info.param.name; }

class ChildExitCode : public ScenarioTest, public ::testing::WithParamInterface<ChildCase> {};

TEST_P(ChildExitCode, FailsOnlyOnCodesOtherThanZeroAndOne) {
  const ChildCase& child = GetParam();
  MachineSpec machine;
  machine.rootSuffix = child.rootSuffix;
  Provision(machine);
  RunOptions options = ToolRun("\"" + ToolPath() + "\" " + child.arguments);
  if (*child.rootSuffix) options.environment.emplace_back("ENVSDK_ROOTSUFFIX", std::string(child.rootSuffix));
  if (child.devenvExit) options.environment.emplace_back("TESTBED_DEVENV_EXIT", std::string(child.devenvExit));

  RunResult result = RunProgram(options);

  std::vector<ExpectedBox> boxes;
  if (child.reported) boxes.push_back({kCaption, "Error executing " + child.setupCommand, IconKind::kExclamation});
  if (child.failure) boxes.push_back({kCaption, child.failure, IconKind::kError});
  EXPECT_TRUE(EndedWith(result, child.reported ? kFailure : 0));
  EXPECT_TRUE(ShowedBoxes(result, boxes));
  // The child got the command line unchanged and the tool's own directory.
  std::vector<LogLine> log = RunLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().module, kDevenv);
  EXPECT_EQ(log.back().text, child.setupCommand);
  EXPECT_EQ(log.back().directory + "\\", layout::kPackageDir);
}

constexpr char kFailedInstall[] = "Failed to install Orvik C++ Integration Tool\n";
constexpr char kFailedUninstall[] = "Failed to uninstall Orvik C++ Integration Tool\n";

INSTANTIATE_TEST_SUITE_P(
    IdeSetup, ChildExitCode,
    ::testing::Values(ChildCase{"UninstallExit0", "/uninstall", "", nullptr, kSetup, nullptr, false},
                      ChildCase{"UninstallExit1", "/uninstall", "", "1", kSetup, nullptr, false},
                      ChildCase{"InstallExit1", "/install", "", "1", kSetup, nullptr, false},
                      ChildCase{"UninstallExit2", "/uninstall", "", "2", kSetup, kFailedUninstall, true},
                      ChildCase{"InstallExitAllOnes", "/install", "", "0xFFFFFFFF", kSetup, kFailedInstall, true},
                      ChildCase{"UninstallExitStillActive", "/uninstall", "", "259", kSetup, kFailedUninstall, true},
                      ChildCase{"QuietUninstallExit2", "/s /uninstall", "", "2", kSetup, nullptr, true},
                      ChildCase{"SuffixedUninstallExit3", "/uninstall", "Exp", "3", kSetup + " /rootsuffix Exp",
                                kFailedUninstall, true}),
    ChildName);

TEST_F(ChildExitCode, ProgramThatCannotStartIsReportedEvenWhenQuiet) {
  ASSERT_TRUE(DeleteFileA(kDevenv.c_str()));
  RunResult result = RunTool("/s /uninstall");
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {{kCaption, "Error executing " + kSetup, IconKind::kExclamation}}));
  for (const LogLine& line : RunLog()) EXPECT_NE(line.module, kDevenv);
}

}  // namespace
}  // namespace bench
