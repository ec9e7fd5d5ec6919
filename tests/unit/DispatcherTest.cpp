// Start-up and the dispatcher, with the operations replaced by recorders.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "AppTest.h"
#include "resource.h"

namespace {

using memory::MemoryPlatform;

// The application with every operation recorded instead of carried out.
class RecordingApp : public CRegOrvikPkgApp {
 public:
  using CRegOrvikPkgApp::CRegOrvikPkgApp;

  std::vector<std::string> calls;
  std::map<std::string, bool> results;  // an operation missing here succeeds
  bool ideRunning = false;
  int dialogs = 0;

  bool InstallTool() override { return Record("install"); }
  bool UninstallTool() override { return Record("uninstall"); }
  bool EnablePackage() override { return Record("enable"); }
  bool DisablePackage() override { return Record("disable"); }
  bool RegisterCompiler(const CompilerInfo& i) override {
    return Record("reg[" + i.Name + "|" + i.Executable + "|" + i.Include + "|" + i.Library + "|" + i.DefaultOptions +
                  "|" + i.TargetPlatform + "|" + i.Documentation + "]" + (QuietMode ? " quiet" : ""));
  }
  bool UnregisterCompiler(const std::string& name) override { return Record("unreg[" + name + "]"); }
  bool SetDefaultCompiler(const std::string& name) override { return Record("set[" + name + "]"); }
  bool UnregisterAllCompilers(platform::KeyHandle key) override {
    return Record(key == nullptr ? "unregall" : "unregall with a key");
  }
  bool IsIdeRunning() override { return ideRunning; }

 protected:
  void RunMainDialog() override { ++dialogs; }

 private:
  bool Record(const std::string& call) {
    calls.push_back(call);
    const std::string name = call.substr(0, call.find('['));
    const auto it = results.find(name);
    return it == results.end() || it->second;
  }
};

struct DispatchCase {
  const char* arguments;  // after the program's name
  std::vector<std::string> calls;
  std::vector<std::string> boxes;
  bool result;
};

class DispatchTest : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(DispatchTest, RunsOptionsInOrderAndReportsTheFirstFailure) {
  const DispatchCase& c = GetParam();
  MemoryPlatform machine;
  RecordingApp app(machine);
  app.results["fail"] = false;
  app.results["unreg"] = std::string(c.arguments).find("bad") == std::string::npos;
  app.results["install"] = std::string(c.arguments).find("/uninstall") == std::string::npos;

  bool showDialog = false;
  EXPECT_EQ(app.ProcessCommandLine(std::string("\"C:\\x y\\RegOrvikPkg.exe\" ") + c.arguments, &showDialog),
            c.result);
  EXPECT_FALSE(showDialog);
  EXPECT_EQ(app.calls, c.calls);
  std::vector<std::string> boxes;
  for (const memory::MessageBoxCall& box : machine.ui.MessageBoxes()) boxes.push_back(box.text);
  EXPECT_EQ(boxes, c.boxes);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, DispatchTest,
    ::testing::Values(
        DispatchCase{"/install", {"install"}, {}, true},
        DispatchCase{"/INSTALL -install \"/install\"", {"install", "install", "install"}, {}, true},
        DispatchCase{"install", {}, {"Invalid argument: install\n"}, false},
        DispatchCase{"/install /bogus /enable", {"install"}, {"Invalid argument: /bogus\n"}, false},
        DispatchCase{"/bogus /install", {}, {"Invalid argument: /bogus\n"}, false},
        DispatchCase{"\"\"", {}, {"Invalid argument: \n"}, false},
        DispatchCase{"/enable /disable /UnregAllCompilers", {"enable", "disable", "unregall"}, {}, true},
        DispatchCase{"/uninstall /install /enable", {"uninstall", "install"},
                     {"Failed to install Orvik C++ Integration Tool\n"}, false},
        DispatchCase{"/UnregCompiler bad /enable", {"unreg[bad]"}, {"Failed to unregister compiler bad\n"}, false},
        DispatchCase{"/SetCompiler \"My C\"", {"set[My C]"}, {}, true},
        DispatchCase{"/SetCompiler", {}, {"Missing Compiler Name\n"}, false},
        DispatchCase{"/UnregCompiler", {}, {"Missing Compiler Name\n"}, false},
        // Arguments are taken by position, whatever they look like.
        DispatchCase{"/RegCompiler n b i l /install p", {"reg[n|b|i|l|/install|p|]"}, {}, true},
        DispatchCase{"/RegCompiler \"n\" \"b\" \"i\" \"l\" \"\"-O2\"\" \"p\" \"d\"", {"reg[n|b|i|l|\"-O2\"|p|d]"}, {},
                     true},
        DispatchCase{"/RegCompiler \"\" \"\" \"\" \"\" \"\" \"\"", {"reg[||||||]"}, {}, true},
        DispatchCase{"/RegCompiler n b i l o p /SetCompiler x", {"reg[n|b|i|l|o|p|/SetCompiler]"},
                     {"Invalid argument: x\n"}, false},
        DispatchCase{"/RegCompiler", {}, {"Missing Compiler Name\n"}, false},
        DispatchCase{"/RegCompiler n", {}, {"Missing Compiler's Bin path\n"}, false},
        DispatchCase{"/RegCompiler n b", {}, {"Missing Compiler's Include path\n"}, false},
        DispatchCase{"/RegCompiler n b i", {}, {"Missing Compiler's Library path\n"}, false},
        DispatchCase{"/RegCompiler n b i l", {}, {"Missing Default Compiler's options\n"}, false},
        DispatchCase{"/RegCompiler n b i l o", {}, {"Missing Compiler's Target Platform\n"}, false},
        // The quiet scan sees arguments too; quiet silences the failure text.
        DispatchCase{"/SetCompiler /s", {"set[/s]"}, {}, true},
        DispatchCase{"/s", {}, {}, true},
        DispatchCase{"/bogus -S", {}, {}, false},
        DispatchCase{"/RegCompiler n b i l o p /s", {"reg[n|b|i|l|o|p|/s] quiet"}, {}, true}));

TEST(Dispatch, FailureTextsNameTheCompilerAsGiven) {
  const std::pair<const char*, const char*> cases[] = {
      {"/RegCompiler \"A b\" x x x x x", "Failed to register compiler A b\n"},
      {"/UnregCompiler %s%d", "Failed to unregister compiler %s%d\n"},
      {"/SetCompiler \"\"", "Failed to select compiler \n"},
      {"/UnregAllCompilers", "Failed to unregister all registered compilers\n"},
      {"/enable", "Failed to register Orvik Package\n"},
      {"/disable", "Failed to unregister Orvik Package\n"},
      {"/uninstall", "Failed to uninstall Orvik C++ Integration Tool\n"}};
  for (const auto& [arguments, text] : cases) {
    MemoryPlatform machine;
    RecordingApp app(machine);
    for (const char* name : {"reg", "unreg", "set", "unregall", "enable", "disable", "uninstall"}) {
      app.results[name] = false;
    }
    bool showDialog = false;
    EXPECT_FALSE(app.ProcessCommandLine(std::string("p ") + arguments, &showDialog));
    ASSERT_EQ(machine.ui.MessageBoxes().size(), 1u) << arguments;
    EXPECT_EQ(machine.ui.MessageBoxes()[0].text, text);
    EXPECT_EQ(machine.ui.MessageBoxes()[0].caption, "RegOrvikPkg");
    EXPECT_EQ(machine.ui.MessageBoxes()[0].type, 0x10u);  // OK with the error icon
  }
}

TEST(Dispatch, HelpShowsOnlyTheUsageWindowWhateverElseStandsThere) {
  for (const char* arguments : {"/?", "/enable -H", "/UnregCompiler /h", "/s /bogus \"/?\""}) {
    MemoryPlatform machine;
    RecordingApp app(machine);
    std::string usage;
    machine.ui.ScriptDialog(IDD_USAGE, [&usage](memory::DialogDriver& user) {
      usage = user.Text(IDC_USAGE_TEXT);
      user.PressEnter();
    });
    bool showDialog = false;
    EXPECT_TRUE(app.ProcessCommandLine(std::string("p ") + arguments, &showDialog)) << arguments;
    EXPECT_TRUE(app.calls.empty()) << arguments;
    EXPECT_TRUE(machine.ui.MessageBoxes().empty()) << arguments;
    ASSERT_EQ(machine.ui.Dialogs().size(), 1u);
    EXPECT_EQ(usage.size(), 707u);
    EXPECT_EQ(usage.substr(0, 29), "Usage: RegOrvikPkg [option]\r\n");
    EXPECT_EQ(usage.substr(usage.size() - 29), "\r\n/? or /h\t- Shows this help.");
  }
}

TEST(Dispatch, AsksForTheDialogWhenNothingFollowsTheProgramName) {
  for (const char* commandLine : {"", "p", "\"C:\\a b\\p.exe\"", "p \t  \t", "/install"}) {
    MemoryPlatform machine;
    RecordingApp app(machine);
    bool showDialog = false;
    EXPECT_TRUE(app.ProcessCommandLine(commandLine, &showDialog));
    EXPECT_TRUE(showDialog) << commandLine;
    EXPECT_TRUE(app.calls.empty());
  }
  MemoryPlatform machine;
  RecordingApp app(machine);
  EXPECT_FALSE(app.ProcessCommandLine("p /install", nullptr));
  EXPECT_TRUE(app.calls.empty());
}

struct StartupCase {
  const char* commandLine;
  bool ideRunning;
  std::int32_t exitCode;
  int dialogs;
  std::vector<std::string> boxes;
};

TEST(Startup, ChoosesBetweenRefusalCommandLineAndDialog) {
  const StartupCase cases[] = {
      {"p /s /install", true, -1, 0, {"Close the Visual Studio IDE before starting this utility"}},
      {"p /?", true, -1, 0, {"Close the Visual Studio IDE before starting this utility"}},
      {"p", true, -1, 0, {"Close the Visual Studio IDE before starting this utility"}},
      {"p", false, 0, 1, {}},
      {"p  \t", false, 0, 1, {}},
      {"p /s", false, 0, 0, {}},
      {"p /enable", false, 0, 0, {}},
      {"p /enable /bogus", false, -1, 0, {"Invalid argument: /bogus\n"}},
  };
  for (const StartupCase& c : cases) {
    MemoryPlatform machine;
    machine.environment.SetCommandLine(c.commandLine);
    RecordingApp app(machine);
    app.ideRunning = c.ideRunning;
    EXPECT_EQ(app.Run(), c.exitCode) << c.commandLine;
    EXPECT_EQ(app.ExitCode, c.exitCode);
    EXPECT_EQ(app.dialogs, c.dialogs) << c.commandLine;
    std::vector<std::string> boxes;
    for (const memory::MessageBoxCall& box : machine.ui.MessageBoxes()) {
      boxes.push_back(box.text);
      EXPECT_EQ(box.type, 0x10u);
    }
    EXPECT_EQ(boxes, c.boxes) << c.commandLine;
    // The refusal comes before anything else: not even the environment is read.
    EXPECT_EQ(machine.faults.CallCount(memory::Call::GetEnvironmentVariable), c.ideRunning ? 0u : 1u);
  }
}

TEST(Startup, TakesTheRootSuffixVerbatim) {
  const std::pair<const char*, const char*> cases[] = {{nullptr, ""}, {"", ""}, {"Exp", "Exp"}, {" a\\b ", " a\\b "}};
  for (const auto& [value, expected] : cases) {
    MemoryPlatform machine;
    machine.environment.SetCommandLine("p /s");
    if (value != nullptr) machine.environment.SetVariable("ENVSDK_ROOTSUFFIX", value);
    RecordingApp app(machine);
    app.Run();
    EXPECT_EQ(app.RootSuffix, expected);
  }
}

TEST(Startup, CaptionIsTheFileNameWithoutItsExtension) {
  MemoryPlatform machine;
  machine.InstallProgramAt("D:\\Some Dir.x\\Renamed.Tool.exe");
  machine.environment.SetCommandLine("p /bogus");
  RecordingApp app(machine);
  EXPECT_EQ(app.Run(), -1);
  ASSERT_EQ(machine.ui.MessageBoxes().size(), 1u);
  EXPECT_EQ(machine.ui.MessageBoxes()[0].caption, "Renamed.Tool");
  EXPECT_EQ(machine.ui.MessageBoxes()[0].owner, nullptr);
}

}  // namespace
