// Where the IDE and the package live, outside programs, and IDE detection.

#include <gtest/gtest.h>

#include <string>

#include "AppTest.h"
#include "setup/RunCommand.h"

namespace unit {
namespace {

class HostPathsTest : public AppTest {};

TEST_F(HostPathsTest, InstallRootIsTwoLevelsAboveInstallDir) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\VS\\Common7\\IDE\\", "C:\\VS"}, {"C:\\VS\\Common7\\IDE", "C:\\VS"}, {"D:\\a\\b\\c\\d", "D:\\a\\b"},
      {"C:\\a\\b", "C:"}, {"C:\\IDE\\", "C:"}, {"IDE", "IDE"}, {"", ""}, {"\\", ""},
      {std::string(1020, 'x') + "\\a\\b", std::string(1020, 'x')}, {std::string(1025, 'x'), ""}};
  for (const auto& [installDir, root] : cases) {
    machine.registry.SetString(kIdeRootKey, "InstallDir", installDir);
    EXPECT_EQ(app.GetIdeInstallRoot(), root) << installDir;
  }
  machine.registry.SetRawValue(kIdeRootKey, "InstallDir", 2, std::string("C:\\E\\Common7\\IDE\\\0junk", 22));
  EXPECT_EQ(app.GetIdeInstallRoot(), "C:\\E");
  app.RootSuffix = "Exp";
  EXPECT_EQ(app.GetIdeInstallRoot(), "");
  machine.registry.SetString("Software\\Microsoft\\VisualStudio\\7.0Exp", "InstallDir", "C:\\X\\Common7\\IDE\\");
  EXPECT_EQ(app.GetIdeInstallRoot(), "C:\\X");
}

TEST_F(HostPathsTest, DoubleByteCharactersAreNeverCutInHalf) {
  machine.SetCodePage(932);
  // 0x95 0x5C is one character whose second byte is a backslash.
  machine.registry.SetString(kIdeRootKey, "InstallDir", "C:\\VS\x95\x5C\\Common7\\IDE\\");
  EXPECT_EQ(app.GetIdeInstallRoot(), "C:\\VS\x95\x5C");
  machine.registry.SetString(kIdeRootKey, "InstallDir", "C:\\VS\\Common7\\I\x95\x5C");
  EXPECT_EQ(app.GetIdeInstallRoot(), "C:\\VS");

  machine.registry.SetString(kPackageKey, "InstallPath", "\x81\x40 C:\\P\x95\x5C\t\x81\x40\x81\x40");
  std::string path;
  ASSERT_TRUE(app.GetPackageInstallPath(path));
  EXPECT_EQ(path, "C:\\P\x95\x5C\\");
}

TEST_F(HostPathsTest, PackagePathIsTrimmedAndEndsInOneBackslash) {
  const std::pair<std::string, std::string> cases[] = {
      {"  C:\\Pkg\t ", "C:\\Pkg\\"}, {"C:\\Pkg\\", "C:\\Pkg\\"}, {"", "\\"}, {" \t ", "\\"}, {"a b", "a b\\"}};
  for (const auto& [installPath, expected] : cases) {
    machine.registry.SetString(kPackageKey, "InstallPath", installPath);
    std::string path = "stale";
    ASSERT_TRUE(app.GetPackageInstallPath(path));
    EXPECT_EQ(path, expected) << installPath;
  }
  // Readable is enough, although the package then counts as not installed.
  machine.registry.MarkReadOnly(kPackageKey);
  std::string path;
  EXPECT_TRUE(app.GetPackageInstallPath(path));
  EXPECT_FALSE(app.PackageKeyExists());
  machine.registry.SetString(kPackageKey, "InstallPath", std::string(261, 'p'));
  EXPECT_FALSE(app.GetPackageInstallPath(path));
  EXPECT_EQ(path, "");
}

TEST_F(HostPathsTest, MissingRootKeyIsReportedEvenInQuietMode) {
  app.QuietMode = true;
  app.RootSuffix = "Exp";
  machine.registry.CreateKeyPath(kIdeRootKey);
  EXPECT_FALSE(app.RequireIdeRootKey());
  ASSERT_EQ(machine.ui.MessageBoxes().size(), 1u);
  const memory::MessageBoxCall& box = machine.ui.MessageBoxes()[0];
  EXPECT_EQ(box.text,
            "The key \"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\VisualStudio\\7.0Exp\" is absent in the Registry.");
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.type, 0x10u);
  app.RootSuffix = "";
  EXPECT_TRUE(app.RequireIdeRootKey());
}

struct RunCase {
  const char* name;
  std::uint32_t exitCode;
  std::uint32_t wait;  // scripted wait result, 0 for a normal end
  std::uint32_t result;
  bool reported;
};

TEST_F(HostPathsTest, RunCommandSucceedsOnExitCodesZeroAndOne) {
  const RunCase cases[] = {
      {"zero", 0, 0, 0, false},          {"one", 1, 0, 0, false},
      {"two", 2, 0, 2, true},            {"minus one", 0xFFFFFFFF, 0, 0xFFFFFFFF, true},
      {"time-out", 0, 0x102, 0xFFFFFFFF, true}, {"abandoned", 0, 0x80, 0xFFFFFFFF, true},
      {"failed wait", 0, 0xFFFFFFFF, 259, true}};
  machine.processes.InstallProgram("C:\\t\\tool.exe", [&](const memory::ChildRun& run) {
    return static_cast<std::uint32_t>(std::stoul(run.commandLine.substr(run.commandLine.rfind(' ') + 1)));
  });
  app.QuietMode = true;  // the runner speaks in quiet mode too
  for (const RunCase& c : cases) {
    const std::string commandLine = "\"C:\\t\\tool.exe\" \"q\" " + std::to_string(c.exitCode);
    if (c.wait != 0) machine.processes.ScriptWaitResult(c.wait);
    const std::size_t boxes = machine.ui.MessageBoxes().size();
    EXPECT_EQ(RunCommand(commandLine.c_str(), nullptr, 0xFFFFFFFF), c.result) << c.name;
    ASSERT_EQ(machine.ui.MessageBoxes().size(), boxes + (c.reported ? 1 : 0)) << c.name;
    if (c.reported) {
      EXPECT_EQ(machine.ui.MessageBoxes().back().text, "Error executing " + commandLine);
      EXPECT_EQ(machine.ui.MessageBoxes().back().type, 0x30u);  // OK with the exclamation icon
      EXPECT_EQ(machine.ui.MessageBoxes().back().caption, "RegOrvikPkg");
    }
  }
  const memory::ProcessLaunch& launch = machine.processes.Launches().front();
  EXPECT_FALSE(launch.inheritHandles);
  EXPECT_EQ(launch.creationFlags, 0u);
  EXPECT_EQ(launch.startupFlags, 1u);  // STARTF_USESHOWWINDOW
  EXPECT_EQ(launch.showWindow, 0u);    // SW_HIDE
  EXPECT_FALSE(launch.currentDirectory.has_value());
}

TEST_F(HostPathsTest, RunCommandReportsProgramsThatCannotStart) {
  machine.files.MakeDirectory("C:\\t");
  machine.processes.InstallProgram("C:\\t\\tool.exe", [](const memory::ChildRun&) { return 0u; });
  EXPECT_EQ(RunCommand("missing.exe /x", nullptr, 0xFFFFFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(RunCommand("C:\\t\\tool.exe", "C:\\nowhere", 0xFFFFFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(RunCommand("C:\\t\\tool.exe", "C:\\t", 0xFFFFFFFF), 0u);
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Error executing missing.exe /x", "Error executing C:\\t\\tool.exe"}));
  EXPECT_EQ(machine.processes.Launches().back().currentDirectory.value_or(""), "C:\\t");
}

TEST_F(HostPathsTest, IdeIsFoundByItsClassOrByTitleAndExactClass) {
  EXPECT_FALSE(app.IsIdeRunning());
  platform::WindowHandle lookAlike = machine.ui.AddWindow("Other", "Microsoft Visual C++ - project");
  machine.ui.AddWindow("x", "visual studio .net");
  EXPECT_FALSE(app.IsIdeRunning());
  machine.ui.RemoveWindow(lookAlike);
  machine.ui.AddWindow("WNDCLASS_DESKED_GSK", "");
  EXPECT_TRUE(app.IsIdeRunning());
}

}  // namespace
}  // namespace unit
