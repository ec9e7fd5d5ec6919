// The dispatcher as the user meets it: one failure text per failed run, the
// quiet switch, and command lines taken apart exactly as written.
#include <gtest/gtest.h>

#include "ScenarioTest.h"

namespace bench {
namespace {

constexpr char kCaption[] = "RegOrvikPkg";

struct FailureCase {
  const char* arguments;
  const char* text;
};

class CommandLineFailure : public ScenarioTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CommandLineFailure, ShowsOneTextWithTheErrorIconAndChangesNothing) {
  std::string before = SnapshotMachine();
  RunResult result = RunTool(GetParam().arguments);
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {{kCaption, GetParam().text}}));
  EXPECT_EQ(before, SnapshotMachine());
}

INSTANTIATE_TEST_SUITE_P(
    UnknownTokens, CommandLineFailure,
    ::testing::Values(FailureCase{"install", "Invalid argument: install\n"},
                      FailureCase{"//install", "Invalid argument: //install\n"},
                      FailureCase{"\"/bogus\"", "Invalid argument: /bogus\n"},
                      FailureCase{"\"\"", "Invalid argument: \n"},
                      FailureCase{"\"\"x\"\"", "Invalid argument: x\n"},
                      FailureCase{"\"/in\"stall", "Invalid argument: /in\"stall\n"},
                      FailureCase{"\"a \\\" b\"", "Invalid argument: a \" b\n"},
                      FailureCase{"bogus /install", "Invalid argument: bogus\n"}));

INSTANTIATE_TEST_SUITE_P(
    MissingArguments, CommandLineFailure,
    ::testing::Values(FailureCase{"/RegCompiler", "Missing Compiler Name\n"},
                      FailureCase{"/RegCompiler N", "Missing Compiler's Bin path\n"},
                      FailureCase{"/RegCompiler N B", "Missing Compiler's Include path\n"},
                      FailureCase{"-regcompiler N B I", "Missing Compiler's Library path\n"},
                      FailureCase{"/RegCompiler N B I L", "Missing Default Compiler's options\n"},
                      FailureCase{"/RegCompiler N B I L \"/install\"", "Missing Compiler's Target Platform\n"},
                      FailureCase{"/UnregCompiler", "Missing Compiler Name\n"},
                      FailureCase{"/SetCompiler", "Missing Compiler Name\n"}));

// On this machine each of these operations fails without a message of its
// own: no compiler is registered and the package is unknown to the IDE.
INSTANTIATE_TEST_SUITE_P(
    FailingOperations, CommandLineFailure,
    ::testing::Values(FailureCase{"/UnregCompiler Ghost", "Failed to unregister compiler Ghost\n"},
                      FailureCase{"/SetCompiler \"Ghost C++\"", "Failed to select compiler Ghost C++\n"},
                      FailureCase{"/UnregAllCompilers", "Failed to unregister all registered compilers\n"},
                      FailureCase{"/enable", "Failed to register Orvik Package\n"},
                      FailureCase{"-ENABLE", "Failed to register Orvik Package\n"},
                      FailureCase{"/disable", "Failed to unregister Orvik Package\n"}));

TEST_F(CommandLineFailure, InstallShowsItsTextWhenTheInstalledVersionCannotBeRead) {
  MachineSpec registeredWithoutVersion;
  registeredWithoutVersion.packageRegistered = true;
  Provision(registeredWithoutVersion);
  std::string before = SnapshotMachine();
  RunResult result = RunTool("\"/install\"");
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {{kCaption, "Failed to install Orvik C++ Integration Tool\n"}}));
  EXPECT_EQ(before, SnapshotMachine());
}

class QuietRun : public ScenarioTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(QuietRun, FailsWithoutShowingAnything) {
  std::string before = SnapshotMachine();
  RunResult result = RunTool(GetParam());
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {}));
  EXPECT_EQ(before, SnapshotMachine());
}

INSTANTIATE_TEST_SUITE_P(Failures, QuietRun,
                         ::testing::Values("/s bogus", "bogus /s", "-S \"\"", "/s /RegCompiler N B I L D",
                                           "/UnregAllCompilers \"/s\"", "/enable /s"));

TEST_F(QuietRun, WithNothingElseSucceedsSilentlyAndShowsNoDialog) {
  for (const char* arguments : {"/s", "-S /s", "\"/s\""}) {
    RunResult result = RunTool(arguments);
    EXPECT_TRUE(EndedWith(result, 0)) << arguments;
    EXPECT_TRUE(ShowedBoxes(result, {})) << arguments;
  }
}

struct ExactCase {
  const char* commandLine;  // {exe} stands for the tool's quoted full path
  const char* text;         // the failure text, or null for the dialog
};

class ExactCommandLine : public ScenarioTest, public ::testing::WithParamInterface<ExactCase> {
 protected:
  std::string Expand(std::string commandLine) const {
    std::size_t at = commandLine.find("{exe}");
    if (at != std::string::npos) commandLine.replace(at, 5, "\"" + ToolPath() + "\"");
    return commandLine;
  }
};

TEST_P(ExactCommandLine, IsTakenApartAsWritten) {
  std::string before = SnapshotMachine();
  if (GetParam().text) {
    RunResult result = RunCommandLine(Expand(GetParam().commandLine));
    EXPECT_TRUE(EndedWith(result, kFailure));
    EXPECT_TRUE(ShowedBoxes(result, {{kCaption, GetParam().text}}));
  } else {
    RunResult result = RunCommandLine(Expand(GetParam().commandLine), {Answer::Press(IDCANCEL)});
    EXPECT_TRUE(EndedWith(result, 0));
    ASSERT_EQ(result.windows.size(), 1u) << FormatTranscript(result);
    EXPECT_EQ(result.windows[0].caption, "Orvik Package Registration");
  }
  EXPECT_EQ(before, SnapshotMachine());
}

INSTANTIATE_TEST_SUITE_P(
    Delimiters, ExactCommandLine,
    ::testing::Values(ExactCase{"{exe}\t/bogus", "Invalid argument: /bogus\n"},
                      ExactCase{"{exe} \t /bogus \t  ", "Invalid argument: /bogus\n"},
                      ExactCase{"{exe}", nullptr}, ExactCase{"{exe}  \t \t", nullptr}));

TEST_F(ExactCommandLine, FirstTokenIsSkippedWhateverItHolds) {
  std::string before = SnapshotMachine();
  RunOptions options = ToolRun("/install", {Answer::Press(IDCANCEL)});
  options.applicationName = ToolPath();
  RunResult result = RunProgram(options);
  EXPECT_TRUE(EndedWith(result, 0));
  ASSERT_EQ(result.windows.size(), 1u) << FormatTranscript(result);
  EXPECT_EQ(result.windows[0].caption, "Orvik Package Registration");
  EXPECT_EQ(before, SnapshotMachine());
}

}  // namespace
}  // namespace bench
