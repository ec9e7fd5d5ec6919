#pragma once
// The fixture of the host unit tests: the application object over a Windows
// that lives in memory, and a simulated machine built the way the tests need
// it. Every test ends with nothing left open.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/RegOrvikPkgApp.h"
#include "platform/memory/MemoryPlatform.h"

namespace unit {

// The machine the tool runs on, below HKEY_LOCAL_MACHINE and on C:.
constexpr char kIdeRootKey[] = "Software\\Microsoft\\VisualStudio\\7.0";
constexpr char kPackageKey[] = "Software\\Microsoft\\VisualStudio\\7.0\\Packages\\{5C2E9B40-7D13-4F6A-9E21-3B8D0C4A7F15}";
constexpr char kToolKey[] = "Software\\Orvik\\Compiler Integration Tool";
constexpr char kCompilersKey[] = "Software\\Orvik\\Compiler Integration Tool\\Compilers";
constexpr char kIdeRoot[] = "C:\\VS";
constexpr char kIdeExeDir[] = "C:\\VS\\Common7\\IDE\\";
constexpr char kIdeToolsDir[] = "C:\\VS\\Common7\\Tools\\";
constexpr char kPackageDir[] = "C:\\Pkg\\";
constexpr char kSystemDir[] = "C:\\windows\\system32\\";

// Contents of the spawner images, told apart by their string 101.
std::string IdeSpawner();
std::string VendorSpawner();

// The IDE's root key with InstallDir, devenv.exe and its own vcspawn.exe.
void AddIde(memory::MemoryPlatform& machine, const std::string& rootSuffix = "");
// The package key (below the suffixed root) with InstallPath, and the
// package directory with ovcspawn.exe as the current directory.
void AddPackage(memory::MemoryPlatform& machine, const std::string& rootSuffix = "");
// regsvr32.exe and devenv.exe as programs that succeed.
void AddPrograms(memory::MemoryPlatform& machine);
// The whole machine: IDE, package and programs.
void AddMachine(memory::MemoryPlatform& machine, const std::string& rootSuffix = "");

class AppTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Command lines the tool ran, in order.
  std::vector<std::string> Runs() const;
  // Texts of the message boxes shown, in order.
  std::vector<std::string> Boxes() const;
  std::string File(const std::string& path) const;

  memory::MemoryPlatform machine;
  CRegOrvikPkgApp app{machine};
};

// Walks every fault a run can meet: runs `setUp` then `run` once without
// faults to count the seam calls, then once more for each call failing in
// turn (on a fresh machine each time), and calls `check` after each faulty
// run. The machine leaks nothing on any path.
template <typename SetUp, typename Run, typename Check>
void WalkFaults(SetUp setUp, Run run, Check check) {
  std::uint64_t total = 0;
  {
    memory::MemoryPlatform machine;
    CRegOrvikPkgApp app(machine);
    setUp(machine, app);
    machine.faults.Reset();
    run(app);
    total = machine.faults.CallCount();
  }
  ASSERT_GT(total, 0u);
  for (std::uint64_t n = 1; n <= total; ++n) {
    memory::MemoryPlatform machine;
    CRegOrvikPkgApp app(machine);
    setUp(machine, app);
    machine.faults.Reset();
    machine.faults.FailNth(n, 5);
    const bool result = run(app);
    SCOPED_TRACE("failing " + machine.faults.LastInjected());
    EXPECT_EQ(machine.Leaks(), "");
    check(machine, result, n);
  }
}

}  // namespace unit
