// What the tool says and how: the usage window, the caption of its failure
// boxes, and the boxes that quiet mode does not silence.
#include <gtest/gtest.h>

#include "ScenarioTest.h"

namespace bench {
namespace {

const std::string kUsageText =
    "Usage: RegOrvikPkg [option]\r\n"
    "Option may be one of the following:\r\n"
    "/Install\t- Install and register Orvik Integration Packages.\r\n"
    "/Uninstall\t- Uninstall Orvik Integration Packages.\r\n"
    "/Enable\t- Register Orvik Integration Package.\r\n"
    "/Disable\t- Unregister Orvik Integration Package.\r\n"
    "/RegCompiler <NAME> <BIN> <INC> <LIB> <DEFPARMS> <PLATFORM> [DOC] -\r\n"
    "\tRegister compiler with specified NAME, BIN, INC, LIB paths,\r\n"
    "\tdocumentation path DOC\r\n"
    "\tdefault parameters (DEFPARMS) and target PLATFORM.\r\n"
    "\tPlatforms are: WIN32.\r\n"
    "/UnregCompiler <NAME>\t- Unregister compiler with specified NAME.\r\n"
    "/SetCompiler <NAME>\t- Set default compiler.\r\n"
    "/UnregAllCompilers\t\t- Unregister all registered compilers.\r\n"
    "/? or /h\t- Shows this help.";

class UsageWindow : public ScenarioTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UsageWindow, IsTheOnlyWindowAndNoOptionRuns) {
  ASSERT_EQ(kUsageText.size(), 707u);
  std::string before = SnapshotMachine();
  int focused = -1;
  RunResult result = RunTool(GetParam(), {Answer::Do("note the focus, press OK", [&](LiveWindow& window) {
                                 focused = window.FocusedId();
                                 return window.Press(IDOK);
                               })});
  EXPECT_TRUE(EndedWith(result, 0));
  ASSERT_EQ(result.windows.size(), 1u) << FormatTranscript(result);
  const WindowRecord& usage = result.windows[0];
  EXPECT_FALSE(usage.isMessageBox);
  EXPECT_EQ(usage.caption, "Orvik Package Registration Utility Command Line Parameters");
  EXPECT_EQ(usage.editText, kUsageText);
  ASSERT_EQ(usage.buttons.size(), 1u);
  EXPECT_EQ(usage.buttons[0].id, IDOK);
  EXPECT_EQ(focused, IDOK);
  const DWORD editStyle = ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL;
  EXPECT_EQ(usage.Control(1005)->style & editStyle, editStyle);
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_TRUE(RunLog().empty());
}

INSTANTIATE_TEST_SUITE_P(HelpAnywhere, UsageWindow,
                         ::testing::Values("/?", "/h", "-H", "\"/?\"", "/enable /?", "/UnregCompiler /h", "bogus /?",
                                           "/s /?", "/install -h"));

struct CaptionCase {
  const char* fileName;
  const char* caption;
};

class FailureCaption : public ScenarioTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(FailureCaption, IsTheProgramsFileNameWithoutItsExtension) {
  MachineSpec renamed;
  renamed.toolName = GetParam().fileName;
  Provision(renamed);
  RunResult result = RunTool("bogus");
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {{GetParam().caption, "Invalid argument: bogus\n"}}));
}

INSTANTIATE_TEST_SUITE_P(Renamed, FailureCaption,
                         ::testing::Values(CaptionCase{"RegOrvikPkg.exe", "RegOrvikPkg"},
                                           CaptionCase{"Orvik Setup.exe", "Orvik Setup"},
                                           CaptionCase{"reg.orvik.pkg.exe", "reg.orvik.pkg"}));

struct NoIdeCase {
  const char* rootSuffix;  // ENVSDK_ROOTSUFFIX, or null when unset
  const char* arguments;
  const char* failure;  // the dispatcher's text, or null under /s
};

class WithoutIde : public ScenarioTest, public ::testing::WithParamInterface<NoIdeCase> {};

TEST_P(WithoutIde, NamesTheMissingKeyEvenWhenQuiet) {
  MachineSpec noIde;
  noIde.ide = false;
  Provision(noIde);
  std::string before = SnapshotMachine();
  RunOptions options = ToolRun("\"" + ToolPath() + "\" " + GetParam().arguments);
  if (GetParam().rootSuffix) options.environment.emplace_back("ENVSDK_ROOTSUFFIX", std::string(GetParam().rootSuffix));
  RunResult result = RunProgram(options);

  std::string key = layout::IdeRootKey(GetParam().rootSuffix ? GetParam().rootSuffix : "");
  std::vector<ExpectedBox> boxes = {{"Error", "The key \"HKEY_LOCAL_MACHINE\\" + key + "\" is absent in the Registry."}};
  if (GetParam().failure) boxes.push_back({"RegOrvikPkg", GetParam().failure});
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, boxes));
  EXPECT_EQ(before, SnapshotMachine());
}

INSTANTIATE_TEST_SUITE_P(
    RootKeyAbsent, WithoutIde,
    ::testing::Values(NoIdeCase{nullptr, "/install", "Failed to install Orvik C++ Integration Tool\n"},
                      NoIdeCase{"Exp", "/uninstall", "Failed to uninstall Orvik C++ Integration Tool\n"},
                      NoIdeCase{"", "/s /install", nullptr}, NoIdeCase{"Exp", "/uninstall /s", nullptr}));

}  // namespace
}  // namespace bench
