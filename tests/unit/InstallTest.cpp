// The version check, install and uninstall.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTest.h"
#include "platform/memory/FakeImage.h"
#include "platform/memory/ProgramResources.h"

namespace unit {
namespace {

constexpr char kOldCopyDir[] = "C:\\Old\\";
constexpr char kDevenvSetup[] = "\"C:\\VS\\Common7\\IDE\\devenv.exe\" /setup";

class InstallTest : public AppTest {
 protected:
  void SetUp() override {
    AddIde(machine);
    AddPrograms(machine);
    machine.files.WriteFile(std::string(kPackageDir) + "ovcspawn.exe", VendorSpawner());
    machine.files.SetCurrentDirectory(kPackageDir);
    // Registering the second package DLL makes the package known to the IDE,
    // with its directory as InstallPath; unregistering it forgets it.
    machine.processes.InstallProgram(std::string(kSystemDir) + "regsvr32.exe", [this](const memory::ChildRun& run) {
      runDirectories.push_back(run.currentDirectory);
      const std::string key = std::string(kIdeRootKey) + app.RootSuffix +
                              "\\Packages\\{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}";
      if (run.commandLine == "regsvr32.exe /c /s VelPkg.dll") {
        machine.registry.SetString(key, "InstallPath", run.currentDirectory + "\\");
      }
      return 0u;
    });
  }

  // An installed copy of the given version, with its uninstaller in its own directory.
  void AddInstalled(const std::string& version, const std::string& installPath = kOldCopyDir) {
    machine.registry.SetString(kPackageKey, "ProductVersion", version);
    machine.registry.SetString(kPackageKey, "InstallPath", installPath);
    machine.processes.InstallProgram(std::string(kOldCopyDir) + "RegOrvikPkg.exe", [this](const memory::ChildRun& run) {
      runDirectories.push_back(run.currentDirectory);
      uninstallerSaw = machine.files.CurrentDirectory();
      return 0u;
    });
  }

  void SetOwnVersion(const memory::VersionInfo& version) {
    machine.files.WriteFile(machine.modules.OwnFileName(), memory::MakeImage(memory::ProgramStrings(), version));
  }

  std::vector<std::string> runDirectories;
  std::string uninstallerSaw;
};

TEST_F(InstallTest, VersionsCompareByTheirLeadingNumber) {
  EXPECT_EQ(app.CompareVersions(), NotInstalled);
  const std::pair<const char*, VersionState> cases[] = {
      {"7.0", SameInstalled}, {"7.0.270", SameInstalled}, {"7", SameInstalled}, {"6.0", OlderInstalled},
      {"7.1", LaterInstalled}, {"letters", OlderInstalled}, {"", OlderInstalled}, {"70e-1", SameInstalled}};
  for (const auto& [installed, state] : cases) {
    machine.registry.SetString(kPackageKey, "ProductVersion", installed);
    EXPECT_EQ(app.CompareVersions(), state) << installed;
  }
  machine.registry.SetString(kPackageKey, "ProductVersion", "7.10");
  SetOwnVersion(memory::VersionInfo::ForProduct("7.9"));
  EXPECT_EQ(app.CompareVersions(), OlderInstalled);
  machine.registry.SetString(kPackageKey, "ProductVersion", std::string(261, '7'));
  EXPECT_EQ(app.CompareVersions(), VersionUnknown);
}

TEST_F(InstallTest, UnreadableOwnVersionIsUnknown) {
  machine.registry.SetString(kPackageKey, "ProductVersion", "7.0");
  memory::VersionInfo noTranslation = memory::VersionInfo::ForProduct("7.0");
  noTranslation.translations.reset();
  memory::VersionInfo secondHasIt = memory::VersionInfo::ForProduct("7.0");
  secondHasIt.translations = std::vector<memory::VersionInfo::Translation>{{0x0407, 0x04B0}, {0x0409, 0x04B0}};
  memory::VersionInfo noProductVersion = memory::VersionInfo::ForProduct("7.0");
  noProductVersion.strings["040904b0"].erase("ProductVersion");
  for (const auto& version : {noTranslation, secondHasIt, noProductVersion}) {
    SetOwnVersion(version);
    EXPECT_EQ(app.CompareVersions(), VersionUnknown);
  }
  // Under another name the program's own file is not found.
  machine.InstallProgramAt("C:\\Program Files\\Orvik\\Other.exe");
  EXPECT_EQ(app.CompareVersions(), VersionUnknown);
  // The package key goes with the suffix; the installed version never does.
  app.RootSuffix = "Exp";
  EXPECT_EQ(app.CompareVersions(), NotInstalled);
  machine.registry.SetString(std::string(kIdeRootKey) + "Exp\\Packages\\{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}", "x", "");
  machine.InstallProgramAt("C:\\Program Files\\Orvik\\RegOrvikPkg.exe");
  EXPECT_EQ(app.CompareVersions(), SameInstalled);
  machine.registry.RemoveTree(kPackageKey);
  EXPECT_EQ(app.CompareVersions(), VersionUnknown);
}

class CleanInstallTest : public InstallTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(CleanInstallTest, RegistersEnablesAndRunsTheIdeSetup) {
  const std::string suffix = GetParam();
  machine.registry.SetString(kIdeRootKey + suffix, "InstallDir", kIdeExeDir);
  app.RootSuffix = suffix;
  ASSERT_TRUE(app.InstallTool());
  EXPECT_TRUE(machine.ui.MessageBoxes().empty());
  const std::string setup = std::string(kDevenvSetup) + (suffix.empty() ? "" : " /rootsuffix " + suffix);
  EXPECT_EQ(Runs(),
            (std::vector<std::string>{"regsvr32.exe /c /s VelPkg.dll", "regsvr32.exe /c /s OrvikPkg.dll", setup}));
  for (const memory::ProcessLaunch& launch : machine.processes.Launches()) {
    EXPECT_FALSE(launch.currentDirectory.has_value());
  }
  EXPECT_TRUE(app.QueryPackageEnabled());
  EXPECT_EQ(File(std::string(kIdeToolsDir) + "vcspawn.exe"), VendorSpawner());
}

INSTANTIATE_TEST_SUITE_P(Suffixes, CleanInstallTest, ::testing::Values("", "Exp"));

TEST_F(InstallTest, ReinstallAsksThenRunsTheInstalledCopysUninstallInItsDirectory) {
  AddInstalled("7.0");
  machine.ui.AnswerMessageBox(6);
  ASSERT_TRUE(app.InstallTool());
  ASSERT_EQ(machine.ui.MessageBoxes().size(), 1u);
  const memory::MessageBoxCall& question = machine.ui.MessageBoxes()[0];
  EXPECT_EQ(question.text, "Orvik Integration Tool is already installed.\r\nWould you like to reinstall?");
  EXPECT_EQ(question.caption, "Reinstall Orvik Integration Tool");
  EXPECT_EQ(question.type, 0x4u);  // Yes and No, no icon
  EXPECT_EQ(question.owner, nullptr);
  EXPECT_EQ(Runs().front(), "C:\\Old\\RegOrvikPkg.exe /uninstall");
  EXPECT_EQ(machine.processes.Launches().front().currentDirectory.value_or(""), kOldCopyDir);
  EXPECT_EQ(uninstallerSaw, "C:\\Old");
  EXPECT_EQ(machine.files.CurrentDirectory(), "C:\\Pkg");
  EXPECT_EQ(runDirectories.back(), "C:\\Pkg");  // the later registrations ran from the package directory
  EXPECT_EQ(Runs().back(), kDevenvSetup);
}

TEST_F(InstallTest, DeclinedReinstallChangesNothing) {
  AddInstalled("6.5");
  const std::string before = machine.registry.Dump() + machine.files.Dump();
  machine.ui.AnswerMessageBox(7);
  EXPECT_FALSE(app.InstallTool());
  EXPECT_TRUE(Runs().empty());
  EXPECT_EQ(machine.registry.Dump() + machine.files.Dump(), before);
}

TEST_F(InstallTest, QuietReinstallGoesOverTheInstalledCopy) {
  AddInstalled("7.0");
  app.QuietMode = true;
  ASSERT_TRUE(app.InstallTool());
  EXPECT_TRUE(machine.ui.MessageBoxes().empty());
  EXPECT_EQ(Runs().front(), "regsvr32.exe /c /s VelPkg.dll");
}

TEST_F(InstallTest, LaterVersionIsReportedEvenInQuietModeAndChangesNothing) {
  AddInstalled("7.1");
  app.QuietMode = true;
  EXPECT_TRUE(app.InstallTool());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Later version already installed"});
  EXPECT_EQ(machine.ui.MessageBoxes()[0].type, 0x30u);
  EXPECT_TRUE(Runs().empty());
}

TEST_F(InstallTest, UnknownVersionAndMissingRootStopSilentlyOrWithTheKeyMessage) {
  AddInstalled("7.0");
  machine.InstallProgramAt("C:\\Program Files\\Orvik\\Other.exe");
  EXPECT_FALSE(app.InstallTool());
  EXPECT_TRUE(machine.ui.MessageBoxes().empty());
  machine.registry.RemoveTree(kIdeRootKey);
  EXPECT_FALSE(app.InstallTool());
  EXPECT_FALSE(app.UninstallTool());
  EXPECT_EQ(machine.ui.MessageBoxes().size(), 2u);
  EXPECT_TRUE(Runs().empty());
}

TEST_F(InstallTest, UninstallerThatCannotStartIsReportedAndInstallGoesOn) {
  AddInstalled("7.0", "C:\\Old");
  machine.ui.AnswerMessageBox(6);
  EXPECT_TRUE(app.InstallTool());
  EXPECT_EQ(Boxes().back(), "Error executing C:\\OldRegOrvikPkg.exe /uninstall");
  EXPECT_EQ(machine.files.CurrentDirectory(), "C:\\Pkg");
  EXPECT_EQ(Runs().back(), kDevenvSetup);
}

TEST_F(InstallTest, UninstallDisablesOnlyAnEnabledPackageAndRemovesAnEmptyToolKey) {
  ASSERT_TRUE(app.InstallTool());
  machine.registry.SetString(kToolKey, "Values only", "x");
  machine.registry.CreateKeyPath("Software\\Orvik\\Other");
  ASSERT_TRUE(app.UninstallTool());
  EXPECT_EQ(Runs(), (std::vector<std::string>{"regsvr32.exe /c /s VelPkg.dll", "regsvr32.exe /c /s OrvikPkg.dll",
                                              kDevenvSetup, "regsvr32.exe /c /s /u OrvikPkg.dll",
                                              "regsvr32.exe /c /s /u VelPkg.dll", kDevenvSetup}));
  EXPECT_EQ(File(std::string(kIdeToolsDir) + "vcspawn.exe"), IdeSpawner());
  EXPECT_FALSE(machine.registry.KeyExists(kToolKey));
  EXPECT_TRUE(machine.registry.KeyExists("Software\\Orvik"));

  // Disabled, with compilers: nothing to disable, and the list stays.
  ASSERT_TRUE(app.RegisterCompiler(CompilerInfo{"c", "", "", "", "", "", ""}));
  ASSERT_TRUE(app.UninstallTool());
  EXPECT_EQ(Runs().size(), 8u);
  EXPECT_TRUE(machine.registry.KeyExists(kCompilersKey));
  ASSERT_TRUE(app.UnregisterAllCompilers());
  ASSERT_TRUE(app.UninstallTool());
  EXPECT_FALSE(machine.registry.KeyExists(kToolKey));
  ASSERT_TRUE(app.UninstallTool());  // nothing left to remove
}

TEST(InstallFaults, FailuresLeaveNothingOpenAndTheDirectoryRestored) {
  const auto setUp = [](memory::MemoryPlatform& machine, CRegOrvikPkgApp&) {
    machine.registry.SetString(kIdeRootKey, "InstallDir", kIdeExeDir);
    machine.files.WriteFile(std::string(kIdeToolsDir) + "vcspawn.exe", IdeSpawner());
    machine.files.WriteFile(std::string(kPackageDir) + "ovcspawn.exe", VendorSpawner());
    machine.files.SetCurrentDirectory(kPackageDir);
    machine.registry.SetString(kPackageKey, "ProductVersion", "7.0");
    machine.registry.SetString(kPackageKey, "InstallPath", kOldCopyDir);
    machine.processes.InstallProgram(std::string(kSystemDir) + "regsvr32.exe", [&machine](const memory::ChildRun&) {
      machine.registry.SetString(kPackageKey, "InstallPath", kPackageDir);
      return 0u;
    });
    machine.processes.InstallProgram(std::string(kIdeExeDir) + "devenv.exe", [](const memory::ChildRun&) { return 0u; });
    machine.processes.InstallProgram(std::string(kOldCopyDir) + "RegOrvikPkg.exe", [](const memory::ChildRun&) { return 0u; });
    machine.registry.SetString(kToolKey, "v", "x");
    machine.ui.AnswerMessageBox(6);
  };
  const auto check = [](memory::MemoryPlatform& machine, bool result, std::uint64_t) {
    // Only a failure to go back can keep the tool in the installed copy's directory.
    if (machine.faults.LastInjected().rfind("SetCurrentDirectory", 0) != 0) {
      EXPECT_EQ(machine.files.CurrentDirectory(), "C:\\Pkg");
    }
    if (result) {
      EXPECT_EQ(machine.processes.StartedCommandLines().back(), kDevenvSetup);
    }
  };
  WalkFaults(setUp, [](CRegOrvikPkgApp& app) { return app.InstallTool(); }, check);
  WalkFaults(
      [&](memory::MemoryPlatform& machine, CRegOrvikPkgApp& app) {
        setUp(machine, app);
        machine.registry.SetDword(kPackageKey, "Enabled", 1);
        machine.files.WriteFile(std::string(kPackageDir) + "vcspawn_ms.exe", IdeSpawner());
      },
      [](CRegOrvikPkgApp& app) { return app.UninstallTool(); },
      [&](memory::MemoryPlatform& machine, bool result, std::uint64_t n) {
        check(machine, result, n);
        if (result) {
          EXPECT_FALSE(machine.registry.KeyExists(kToolKey));
        }
      });
}

}  // namespace
}  // namespace unit
