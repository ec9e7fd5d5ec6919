// Enabling and disabling the package.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTest.h"
#include "platform/memory/FakeImage.h"

namespace unit {
namespace {

const std::string kSpawner = std::string(kIdeToolsDir) + "vcspawn.exe";
const std::string kToolsBackup = std::string(kIdeToolsDir) + "vcspawn_ms.exe";
const std::string kBackup = std::string(kPackageDir) + "vcspawn_ms.exe";

class PackageSwitchTest : public AppTest {
 protected:
  void SetUp() override { AddMachine(machine); }
  std::string Enabled() const {
    const auto value = machine.registry.GetValue(kPackageKey, "Enabled");
    return value ? std::to_string(value->type) + ":" + std::to_string(value->data.size()) + ":" +
                       std::to_string(static_cast<unsigned char>(value->data[0]))
                 : "<absent>";
  }
};

TEST_F(PackageSwitchTest, EnableSwapsTheSpawnerRegistersAndRecords) {
  ASSERT_TRUE(app.EnablePackage());
  EXPECT_EQ(File(kSpawner), VendorSpawner());
  EXPECT_EQ(File(kBackup), IdeSpawner());
  EXPECT_EQ(File(kToolsBackup), IdeSpawner());
  EXPECT_EQ(Runs(), std::vector<std::string>{"regsvr32.exe /c /s OrvikPkg.dll"});
  EXPECT_EQ(machine.processes.Launches()[0].currentDirectory, std::nullopt);
  EXPECT_EQ(Enabled(), "4:4:1");
  EXPECT_TRUE(machine.ui.MessageBoxes().empty());
  EXPECT_TRUE(app.QueryPackageEnabled());

  ASSERT_TRUE(app.DisablePackage());
  EXPECT_EQ(File(kSpawner), IdeSpawner());
  EXPECT_EQ(File(kBackup), "<absent>");
  EXPECT_EQ(File(kToolsBackup), IdeSpawner());
  EXPECT_EQ(Runs().back(), "regsvr32.exe /c /s /u OrvikPkg.dll");
  EXPECT_EQ(Enabled(), "4:4:0");
  EXPECT_FALSE(app.QueryPackageEnabled());
}

TEST_F(PackageSwitchTest, RepeatedEnableKeepsTheFirstBackup) {
  machine.files.WriteFile(kBackup, memory::MakeImage({{101, "x"}, {102, "older backup"}}));
  ASSERT_TRUE(app.EnablePackage());
  EXPECT_EQ(File(kBackup), memory::MakeImage({{101, "x"}, {102, "older backup"}}));
  // With the vendor's spawner in place, its neighbour comes from the backup.
  machine.files.WriteFile(kToolsBackup, "stale");
  ASSERT_TRUE(app.EnablePackage());
  EXPECT_EQ(File(kToolsBackup), File(kBackup));
  EXPECT_EQ(File(kSpawner), VendorSpawner());
  EXPECT_EQ(Runs().size(), 2u);
}

TEST_F(PackageSwitchTest, VendorSpawnerIsRecognisedByItsMarkerInAnyCase) {
  machine.files.WriteFile(kSpawner, memory::MakeImage({{101, "oRVIK"}}));
  // No backup of the IDE's own spawner: enable cannot go on, and says nothing.
  EXPECT_FALSE(app.EnablePackage());
  EXPECT_EQ(File(kBackup), "<absent>");
  EXPECT_TRUE(Runs().empty());
  machine.files.WriteFile(kBackup, IdeSpawner());
  EXPECT_TRUE(app.EnablePackage());
  EXPECT_EQ(File(kBackup), IdeSpawner());
  EXPECT_TRUE(machine.ui.MessageBoxes().empty());
}

struct EnableFailure {
  const char* name;
  void (*arrange)(memory::MemoryPlatform&);
  std::vector<std::string> boxes;
  const char* spawner;  // "ide", "vendor" or "<absent>"
  bool backup;
};

TEST(PackageSwitch, EnableFailuresLeaveWhatTheyDid) {
  const std::string copyFailed = "Can't copy file ovcspawn.exe to\n" + kSpawner;
  const EnableFailure cases[] = {
      {"no IDE spawner", [](memory::MemoryPlatform& m) { m.files.Remove(kSpawner); }, {}, "<absent>", false},
      {"spawner not an image", [](memory::MemoryPlatform& m) { m.files.WriteFile(kSpawner, "text"); }, {},
       "text", false},
      {"no package path", [](memory::MemoryPlatform& m) { m.registry.RemoveTree(kPackageKey); }, {}, "ide", false},
      {"package dir missing", [](memory::MemoryPlatform& m) { m.files.Remove(kPackageDir); },
       {"Can't find file: " + kSpawner}, "ide", false},
      {"no vendor spawner", [](memory::MemoryPlatform& m) { m.files.Remove(std::string(kPackageDir) + "ovcspawn.exe"); },
       {copyFailed}, "ide", true},
      {"registration fails",
       [](memory::MemoryPlatform& m) {
         m.processes.InstallProgram(std::string(kSystemDir) + "regsvr32.exe", [](const memory::ChildRun&) { return 5u; });
       },
       {"Error executing regsvr32.exe /c /s OrvikPkg.dll"}, "vendor", true},
      {"Enabled cannot be written", [](memory::MemoryPlatform& m) { m.registry.MarkReadOnly(kPackageKey); }, {},
       "vendor", true},
  };
  for (const bool quiet : {false, true}) {
    for (const EnableFailure& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (quiet ? " quiet" : ""));
      memory::MemoryPlatform machine;
      CRegOrvikPkgApp app(machine);
      AddMachine(machine);
      machine.registry.SetDword(kPackageKey, "Enabled", 0);
      c.arrange(machine);
      app.QuietMode = quiet;

      EXPECT_FALSE(app.EnablePackage());
      std::vector<std::string> boxes;
      for (const memory::MessageBoxCall& box : machine.ui.MessageBoxes()) {
        boxes.push_back(box.text);
        EXPECT_EQ(box.type, 0x30u);
      }
      // Quiet mode silences the file messages, not the runner's report.
      std::vector<std::string> expected = c.boxes;
      if (quiet && !expected.empty() && expected[0].rfind("Error executing", 0) != 0) expected.clear();
      EXPECT_EQ(boxes, expected);
      const std::string spawner = machine.files.Read(kSpawner).value_or("<absent>");
      EXPECT_EQ(spawner, std::string(c.spawner) == "ide" ? IdeSpawner()
                         : std::string(c.spawner) == "vendor" ? VendorSpawner()
                                                              : std::string(c.spawner));
      EXPECT_EQ(machine.files.Exists(kBackup), c.backup);
      const auto enabled = machine.registry.GetValue(kPackageKey, "Enabled");
      if (enabled) {
        EXPECT_EQ(enabled->data, std::string(4, '\0'));
      }
      EXPECT_EQ(machine.Leaks(), "");
    }
  }
}

TEST_F(PackageSwitchTest, DisableWithoutBackupNamesBothPaths) {
  machine.registry.SetDword(kPackageKey, "Enabled", 1);
  EXPECT_FALSE(app.DisablePackage());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Can't copy file " + kBackup + "\nto " + kSpawner});
  EXPECT_EQ(Runs(), std::vector<std::string>{"regsvr32.exe /c /s /u OrvikPkg.dll"});
  EXPECT_EQ(Enabled(), "4:4:1");
  app.QuietMode = true;
  EXPECT_FALSE(app.DisablePackage());
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(PackageSwitchTest, OnlyTheNumberOneReadsAsEnabled) {
  const std::pair<std::pair<std::uint32_t, std::string>, bool> cases[] = {
      {{4, std::string("\1\0\0\0", 4)}, true},  {{4, std::string("\2\0\0\0", 4)}, false},
      {{3, std::string("\1\0\0\0", 4)}, true},  {{1, std::string("\1\0", 2)}, true},
      {{3, std::string("\1\0\0\0\0\0\0\0", 8)}, false}, {{4, std::string("\0\0\0\1", 4)}, false}};
  for (const auto& [value, enabled] : cases) {
    machine.registry.SetRawValue(kPackageKey, "Enabled", value.first, value.second);
    EXPECT_EQ(app.QueryPackageEnabled(), enabled) << value.first << " " << value.second.size();
  }
  machine.registry.MarkReadOnly(kPackageKey);
  EXPECT_FALSE(app.QueryPackageEnabled());
  EXPECT_FALSE(app.SetPackageEnabled(true));
}

TEST(PackageSwitchFaults, EveryFailureIsReportedAndEnabledComesLast) {
  const auto setUp = [](memory::MemoryPlatform& machine, CRegOrvikPkgApp&) {
    AddMachine(machine);
    machine.registry.SetDword(kPackageKey, "Enabled", 7);
  };
  const auto enabledUnlessDone = [](memory::MemoryPlatform& machine, bool result, std::uint32_t done) {
    const auto value = machine.registry.GetValue(kPackageKey, "Enabled");
    ASSERT_TRUE(value.has_value());
    const unsigned char number = static_cast<unsigned char>(value->data[0]);
    if (result) {
      EXPECT_EQ(number, done);
    } else {
      EXPECT_EQ(number, 7);
    }
  };
  WalkFaults(setUp, [](CRegOrvikPkgApp& app) { return app.EnablePackage(); },
             [&](memory::MemoryPlatform& machine, bool result, std::uint64_t) {
               enabledUnlessDone(machine, result, 1);
               if (result) {
                 EXPECT_EQ(machine.files.Read(kSpawner).value_or(""), VendorSpawner());
               }
             });
  WalkFaults(
      [&](memory::MemoryPlatform& machine, CRegOrvikPkgApp& app) {
        setUp(machine, app);
        machine.files.WriteFile(kBackup, IdeSpawner());
        machine.files.WriteFile(kSpawner, VendorSpawner());
      },
      [](CRegOrvikPkgApp& app) { return app.DisablePackage(); },
      [&](memory::MemoryPlatform& machine, bool result, std::uint64_t) {
        enabledUnlessDone(machine, result, 0);
        if (result) {
          EXPECT_EQ(machine.files.Read(kSpawner).value_or(""), IdeSpawner());
        }
      });
}

}  // namespace
}  // namespace unit
