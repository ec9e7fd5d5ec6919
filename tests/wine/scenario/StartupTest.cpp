// Start-up: the refusal while an IDE main window exists, which comes before
// anything else the tool does.
#include <gtest/gtest.h>

#include "ScenarioTest.h"

namespace bench {
namespace {

constexpr char kCloseIde[] = "Close the Visual Studio IDE before starting this utility";

struct IdeCase {
  const char* className;
  const char* title;
  const char* arguments;
};

class IdeRunning : public ScenarioTest, public ::testing::WithParamInterface<IdeCase> {};

TEST_P(IdeRunning, RefusesWithOneBoxEvenWhenQuiet) {
  IdeWindow ide(Built(layout::kBuiltIdeWindow), GetParam().className, GetParam().title);
  ASSERT_TRUE(ide.Exists());
  std::string before = SnapshotMachine();
  RunResult result = RunTool(GetParam().arguments);
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {{"RegOrvikPkg", kCloseIde}}));
  EXPECT_EQ(before, SnapshotMachine());
  EXPECT_TRUE(RunLog().empty()) << "an outside program ran: " << RunLog()[0].text;
}

// The window is hidden in every case: a hidden IDE counts. The class is
// found without regard to case, whatever the title.
INSTANTIATE_TEST_SUITE_P(
    MainWindowClass, IdeRunning,
    ::testing::Values(IdeCase{"wndclass_desked_gsk", "", "/s /install"},
                      IdeCase{"wndclass_desked_gsk", "Microsoft Development Environment [design]", "/?"},
                      IdeCase{"WNDCLASS_DESKED_GSK", "Solution1 - Microsoft Visual C++", "/enable"},
                      IdeCase{"Wndclass_Desked_Gsk", "untitled", ""}));

class OtherWindow : public ScenarioTest, public ::testing::WithParamInterface<IdeCase> {};

TEST_P(OtherWindow, DoesNotStopTheTool) {
  IdeWindow other(Built(layout::kBuiltIdeWindow), GetParam().className, GetParam().title);
  ASSERT_TRUE(other.Exists());
  RunResult result = RunTool(GetParam().arguments);
  EXPECT_TRUE(EndedWith(result, kFailure));
  EXPECT_TRUE(ShowedBoxes(result, {{"RegOrvikPkg", "Invalid argument: bogus\n"}}));
}

// A title that names the IDE is not enough without its class, and the title
// fragments are matched with their letter case.
INSTANTIATE_TEST_SUITE_P(
    TitleWithoutClass, OtherWindow,
    ::testing::Values(IdeCase{"Afx:400000:8", "Solution1 - Microsoft Visual C++ [run]", "bogus"},
                      IdeCase{"wndclass_desked_gsk_other", "Microsoft Visual Studio", "bogus"},
                      IdeCase{"Afx:400000:8", "project - visual studio .net", "bogus"},
                      IdeCase{"wndclass_desked", "Microsoft Development Environment", "bogus"}));

}  // namespace
}  // namespace bench
